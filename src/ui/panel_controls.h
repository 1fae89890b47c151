#pragma once
#include <QGroupBox>
#include <QLineEdit>
#include <QRect>

#include <functional>
#include <string>

#include "text/code_page.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QWidget;

namespace qxed {

struct PanelState;

// A text field of a property panel: it tells when it gains the focus, when Enter is pressed and when
// Escape is, so that the logic can keep and put back the previous text.
class PanelLineEdit : public QLineEdit {
  public:
    explicit PanelLineEdit(QWidget* parent) : QLineEdit(parent) {}
    std::function<void()> OnFocusIn;
    std::function<void()> OnReturn;
    std::function<void()> OnEscape;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The pieces the property panels are made of, at absolute places inside their group box, each named as
// its control so that the panel state reaches it by name. Heights are the designed 22 pixels.
QGroupBox* MakeGroupBox(QWidget* parent, const std::string& name, const std::string& caption,
                        const QRect& place);
QLabel* MakePanelLabel(QWidget* parent, const std::string& name, const std::string& text, int x, int y,
                       int width);
// Spin edits commit on Enter and when left (keyboard tracking off): typing "10" is not first a 1.
QSpinBox* MakeSpin(QWidget* parent, const std::string& name, int x, int y, int width);
QCheckBox* MakeCheck(QWidget* parent, const std::string& name, const std::string& text, int x, int y,
                     int width);
// Radios of one button group are exclusive among themselves.
QRadioButton* MakeRadio(QWidget* parent, QButtonGroup* group, const std::string& name,
                        const std::string& text, int x, int y, int width);
QComboBox* MakeCombo(QWidget* parent, const std::string& name, int x, int y, int width);
PanelLineEdit* MakeEdit(QWidget* parent, const std::string& name, CodePage codePage, int x, int y, int width);
QPushButton* MakePanelButton(QWidget* parent, const std::string& name, const std::string& text, int x, int y,
                             int width);
// The two-column state grid: 255 rows for the states 0..254 below a heading row.
QTableWidget* MakeStateGrid(QWidget* parent, const std::string& name, const std::string& numberHeading,
                            const std::string& textHeading, const QRect& place);

// Gives every control named in the state its state, with its signals blocked, so that showing never writes.
// Only what differs is set, so a field being typed in keeps its cursor.
void ApplyPanelState(QWidget& root, const PanelState& state, CodePage codePage);

}  // namespace qxed
