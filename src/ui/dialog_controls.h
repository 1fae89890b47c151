#pragma once
#include <QGroupBox>
#include <QRect>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QDialog;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace qxed {

class Language;

// The pieces every small window of the editor is made of: a fixed-size modal dialog in the language's
// window font, and controls at absolute places, each named as its control so that tests find it.

// Caption, window font, fixed client size and modality. Call before the controls are made, so that they
// take the font.
void PrepareDialog(QDialog& dialog, const Language& language, const std::string& caption, int width,
                   int height);

QLabel* MakeLabel(QWidget* parent, const char* name, const std::string& text, const QRect& place);
QPushButton* MakeButton(QWidget* parent, const char* name, const std::string& text, const QRect& place);

// The OK and Cancel pair at the bottom of a dialog, centred: OK accepts through onOk, Cancel rejects.
struct DialogButtons {
    QPushButton* Ok;
    QPushButton* Cancel;
};
DialogButtons MakeDialogButtons(QDialog& dialog, const char* okName, const std::string& okText,
                                const std::string& cancelText, int top, const std::function<void()>& onOk);

// The size of the OK and Cancel buttons.
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// A radio group: a group box whose items are radio buttons laid out in columns; a click on an item tells
// its index. Select() checks an item without telling.
class RadioGroup : public QGroupBox {
  public:
    RadioGroup(QWidget* parent, const char* name, const std::string& caption,
               const std::vector<std::string>& items, int columns, const QRect& place);

    std::function<void(int index)> OnClick;
    void Select(int index);
    int Selected() const;
    QRadioButton* Item(int index) const;

  private:
    QButtonGroup* group_;
};

}  // namespace qxed
