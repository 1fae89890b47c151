#pragma once
#include <string>
#include <vector>

namespace qxed {

class Language;

class SelectComPortOKBottomDlgView {
  public:
    virtual ~SelectComPortOKBottomDlgView() = default;
    // The text of the editable port box (UTF-8).
    virtual void ShowPortText(const std::string& text) = 0;
};

// The port dialog: which serial port of the PC the download uses, typed or chosen as its number.
class SelectComPortOKBottomDlg {
  public:
    // Texts as the window shows them (UTF-8).
    struct Texts {
        std::string Caption;
        std::string SelectCommPortLabel;
        std::string CommPortLabel;
        std::string Label1;                  // "COM" before the number
        std::vector<std::string> PortItems;  // "1" .. "8"
        std::string OkButton;
        std::string CancelButton;
    };

    explicit SelectComPortOKBottomDlg(const Language& language);

    const Texts& Captions() const { return texts_; }
    const std::string& PortText() const { return text_; }
    void SetView(SelectComPortOKBottomDlgView* view);

    // Shown on the download port's index: the box holds its number.
    void FormShow(int commPort);
    void CommNoComboBoxChange(const std::string& text);
    // The port index after OK: the typed number less one; text that is no port number keeps the index.
    int OKBtnClick() const;

  private:
    void Publish();

    Texts texts_;
    int commPort_ = 0;
    std::string text_;
    SelectComPortOKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
