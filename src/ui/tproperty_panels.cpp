#include "ui/tproperty_panels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include "panels/panel_table.h"
#include "text/language.h"
#include "text/texts.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"
#include "ui/qt_text.h"
#include "workbench/model_layout.h"

namespace qxed {

namespace {

constexpr int kAreaHeight = 219;
constexpr int kLabelWidth = 70;

std::string Join(std::string_view prefix, const char* control) {
    return std::string(prefix) + control;
}

}  // namespace

void OnCommit(QSpinBox* spin, const std::function<void(int)>& commit) {
    QObject::connect(spin, &QSpinBox::editingFinished, spin, [spin, commit] { commit(spin->value()); });
}

void OnChange(QSpinBox* spin, const std::function<void(int)>& change) {
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [change](int value) { change(value); });
}

std::string PanelBuild::Text(const TextKey& key) const {
    return Texts.TextUtf8(key);
}

QGroupBox* PanelBuild::ElementBox(const PanelRow& row, ElementPanel& panel) const {
    QGroupBox* box = MakeGroupBox(Area, std::string(row.GroupBox), Text(*row.Caption),
                                  QRect(0, 0, kPropertyBoxesWidth, kAreaHeight));
    QGroupBox* coord = MakeGroupBox(box, Join(row.Prefix, "CoordGroupBox"), Text(texts::CoordGroupBoxCaption),
                                    {8, 18, 100, 72});
    MakePanelLabel(coord, Join(row.Prefix, "CoordXLabel"), Text(texts::CoordXLabelCaption), 8, 20, 26);
    OnCommit(MakeSpin(coord, Join(row.Prefix, "CoordXSpinEdit"), 34, 20, 60),
             [&panel](int x) { panel.CoordXSpinEditExit(x); });
    MakePanelLabel(coord, Join(row.Prefix, "CoordYLabel"), Text(texts::CoordYLabelCaption), 8, 46, 26);
    OnCommit(MakeSpin(coord, Join(row.Prefix, "CoordYSpinEdit"), 34, 46, 60),
             [&panel](int y) { panel.CoordYSpinEditExit(y); });
    if (row.Double || row.Inverse) {
        QGroupBox* special = MakeGroupBox(box, Join(row.Prefix, "SpecialGroupBox"),
                                          Text(texts::SpecialGroupBoxCaption), {8, 94, 100, 72});
        int top = 20;
        if (row.Double) {
            QCheckBox* check = MakeCheck(special, Join(row.Prefix, "DoubleCheckBox"),
                                         Text(texts::DoubleCheckBoxCaption), 10, top, 88);
            QObject::connect(check, &QCheckBox::clicked, check,
                             [&panel](bool checked) { panel.DoubleCheckBoxClick(checked); });
            top += 26;
        }
        if (row.Inverse) {
            QCheckBox* check = MakeCheck(special, Join(row.Prefix, "InverseCheckBox"),
                                         Text(texts::InverseCheckBoxCaption), 10, top, 88);
            QObject::connect(check, &QCheckBox::clicked, check,
                             [&panel](bool checked) { panel.InverseCheckBoxClick(checked); });
        }
    }
    return box;
}

void PanelBuild::RegisterFields(QWidget* box, const std::string& prefix, int top,
                                const RegisterHandlers& handlers) const {
    RegisterFieldsIn(box, Texts, prefix, top, handlers);
}

void PanelBuild::CoilFields(QWidget* box, const std::string& prefix, int top,
                            const CoilHandlers& handlers) const {
    CoilFieldsIn(box, Texts, prefix, top, handlers);
}

void RegisterFieldsIn(QWidget* box, const Language& language, const std::string& prefix, int top,
                      const RegisterHandlers& handlers) {
    const auto Text = [&language](const TextKey& key) { return language.TextUtf8(key); };
    MakePanelLabel(box, prefix + "StationNoLabel", Text(texts::StationNoLabelCaption), 8, top, kLabelWidth);
    OnChange(MakeSpin(box, prefix + "StationSpinEdit", 80, top, 80), handlers.Station);
    top += 26;
    MakePanelLabel(box, prefix + "NoLabel", Text(texts::RegNoLabelCaption), 8, top, kLabelWidth);
    QComboBox* type = MakeCombo(box, prefix + "TypeComboBox", 80, top, 54);
    QObject::connect(type, &QComboBox::activated, type, handlers.Type);
    OnChange(MakeSpin(box, prefix + "NoSpinEdit", 136, top, 58), handlers.Number);
    if (!handlers.Count) return;
    top += 26;
    MakePanelLabel(box, prefix + "NumLabel", Text(texts::RegNumLabelCaption), 8, top, kLabelWidth);
    OnChange(MakeSpin(box, prefix + "NumSpinEdit", 80, top, 50), handlers.Count);
}

void CoilFieldsIn(QWidget* box, const Language& language, const std::string& prefix, int top,
                  const CoilHandlers& handlers) {
    const auto Text = [&language](const TextKey& key) { return language.TextUtf8(key); };
    MakePanelLabel(box, prefix + "StationNoLabel", Text(texts::StationNoLabelCaption), 8, top, kLabelWidth);
    OnChange(MakeSpin(box, prefix + "StationSpinEdit", 80, top, 80), handlers.Station);
    top += 26;
    MakePanelLabel(box, prefix + "NoLabel", Text(texts::CoilNoLabelCaption), 8, top, kLabelWidth);
    QComboBox* type = MakeCombo(box, prefix + "TypeComboBox", 80, top, 54);
    QObject::connect(type, &QComboBox::activated, type, handlers.Type);
    OnChange(MakeSpin(box, prefix + "NoSpinEdit", 136, top, 58), handlers.Word);
    QLabel* dot = MakePanelLabel(box, prefix + "DotLabel", ".", 196, top, 6);
    dot->setAlignment(Qt::AlignCenter);
    QComboBox* bit = MakeCombo(box, prefix + "NoComboBox", 204, top, 46);
    QObject::connect(bit, &QComboBox::activated, bit, handlers.Bit);
}

QGroupBox* BuildAttrGroupBox(const PanelBuild& build) {
    AttrPanel& attr = build.Logic.Attr();
    QGroupBox* box = MakeGroupBox(build.Area, "AttrGroupBox", build.Text(texts::AttrGroupBoxCaption),
                                  QRect(0, 0, kPropertyBoxesWidth, kAreaHeight));
    MakePanelLabel(box, "PageDescripLabel", build.Text(texts::PageDescripLabelCaption), 16, 32, 150);
    PanelLineEdit* title = MakeEdit(box, "PageTitleEdit", build.TextCodePage, 170, 32, 300);
    const CodePage codePage = build.TextCodePage;
    title->OnFocusIn = [&attr, title, codePage] {
        attr.PageTitleEditEnter(BytesOf(title->text(), codePage));
    };
    title->OnReturn = [&attr, title, codePage] {
        attr.PageTitleEditReturn(BytesOf(title->text(), codePage));
    };
    title->OnEscape = [&attr] { attr.PageTitleEditEscape(); };
    QObject::connect(title, &QLineEdit::textEdited, title, [&attr, codePage](const QString& text) {
        attr.PageTitleEditChange(BytesOf(text, codePage));
    });
    MakePanelLabel(box, "PressPrevLabel", build.Text(texts::PressPrevLabelCaption), 16, 64, 150);
    OnChange(MakeSpin(box, "PrvPageNoSpinEdit", 170, 64, 80),
             [&attr](int pageNo) { attr.PrvPageNoSpinEditChange(pageNo); });
    MakePanelLabel(box, "PressNextLabel", build.Text(texts::PressNextLabelCaption), 16, 96, 150);
    OnChange(MakeSpin(box, "NxtPageNoSpinEdit", 170, 96, 80),
             [&attr](int pageNo) { attr.NxtPageNoSpinEditChange(pageNo); });
    return box;
}

TPropertyPanels::TPropertyPanels(QWidget* area, const Language& language, PropertyPanel& logic,
                                 CodePage textCodePage)
    : QWidget(area), logic_(logic), codePage_(textCodePage) {
    setObjectName(QStringLiteral("PropertyPanels"));
    setGeometry(0, 0, kPropertyBoxesWidth, kAreaHeight);
    ApplyWindowFont(*this, language);
    const PanelBuild build{this, language, logic, textCodePage};
    groups_ = {BuildAttrGroupBox(build),         BuildTextAttrGroupBox(build),
               BuildRegAttrGroupBox(build),      BuildLampAttrGroupBox(build),
               BuildFuncKeyAttrGroupBox(build),  BuildTrendAttrGroupBox(build),
               BuildBarAttrGroupBox(build),      BuildPicAttrGroupBox(build),
               BuildVarTextAttrGroupBox(build),  BuildFontTextAttrGroupBox(build),
               BuildTouchKeyAttrGroupBox(build), BuildVarFontTextAttrGroupBox(build),
               BuildASCIITextAttrGroupBox(build)};
    ApplyWindowFont(*this, language);
    logic_.SetView(this);
}

TPropertyPanels::~TPropertyPanels() {
    logic_.SetView(nullptr);
}

void TPropertyPanels::ShowPanel(const PanelState& state) {
    for (QGroupBox* group : groups_)
        group->setVisible(group->objectName() == Qs(state.Group));
    ApplyPanelState(*this, state, codePage_);
}

QGroupBox* TPropertyPanels::ShownGroup() const {
    for (QGroupBox* group : groups_)
        if (!group->isHidden()) return group;
    return nullptr;
}

}  // namespace qxed
