#pragma once
#include <QGroupBox>
#include <QString>

#include <functional>
#include <string>

#include "text/code_page.h"
#include "text/text_key.h"

class QButtonGroup;
class QSpinBox;

namespace qxed {

class ElementPanel;
class Language;
class PropertyPanel;
struct PanelRow;

// The handlers of a register operand's fields (station, type, number, and the count where there is one) and
// of a coil operand's (station, type, word, bit).
struct RegisterHandlers {
    std::function<void(int)> Station, Type, Number, Count;
};
struct CoilHandlers {
    std::function<void(int)> Station, Type, Word, Bit;
};

// What building the group boxes needs: where they go, their texts, the logic they forward to.
struct PanelBuild {
    QWidget* Area;
    const Language& Texts;
    PropertyPanel& Logic;
    CodePage TextCodePage;

    std::string Text(const TextKey& key) const;
    // The kind's group box over the whole property area, with its coordinates and special groups.
    QGroupBox* ElementBox(const PanelRow& row, ElementPanel& panel) const;
    // The register operand fields of a group box: station, type and number, and the count when countRow.
    // Each change goes to the handler of the same control.
    void RegisterFields(QWidget* box, const std::string& prefix, int top,
                        const RegisterHandlers& handlers) const;
    void CoilFields(QWidget* box, const std::string& prefix, int top, const CoilHandlers& handlers) const;
};

// The operand fields for any window: the property panels and the dialogs that edit operands.
void RegisterFieldsIn(QWidget* box, const Language& language, const std::string& prefix, int top,
                      const RegisterHandlers& handlers);
void CoilFieldsIn(QWidget* box, const Language& language, const std::string& prefix, int top,
                  const CoilHandlers& handlers);

// A spin edit's entry, on Enter or when the field is left.
void OnCommit(QSpinBox* spin, const std::function<void(int)>& commit);
// A spin edit's stored value, on every step and on Enter or leaving the field.
void OnChange(QSpinBox* spin, const std::function<void(int)>& change);

QGroupBox* BuildAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildTextAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildFontTextAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildVarTextAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildVarFontTextAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildASCIITextAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildPicAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildRegAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildLampAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildTrendAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildBarAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildFuncKeyAttrGroupBox(const PanelBuild& build);
QGroupBox* BuildTouchKeyAttrGroupBox(const PanelBuild& build);

}  // namespace qxed
