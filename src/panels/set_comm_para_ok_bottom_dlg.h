#pragma once
#include <string>
#include <vector>

#include "plc/line_positions.h"

namespace qxed {

class Language;

class SetCommParaOKBottomDlgView {
  public:
    virtual ~SetCommParaOKBottomDlgView() = default;
    // The selection of each of the four radio groups.
    virtual void ShowSelection(const LinePositions& positions) = 0;
};

// The line parameter dialog: the baud rate, data bits, stop bits and parity of the line between the panel
// and the PLC, as the PLC selection dialog's pending list positions.
class SetCommParaOKBottomDlg {
  public:
    struct RadioGroupTexts {
        std::string Caption;
        std::vector<std::string> Items;
    };
    // Texts as the window shows them (UTF-8).
    struct Texts {
        std::string Caption;
        RadioGroupTexts BaudRate;
        RadioGroupTexts DataBit;
        RadioGroupTexts StopBit;
        RadioGroupTexts Parity;
        std::string OkButton;
        std::string CancelButton;
    };

    explicit SetCommParaOKBottomDlg(const Language& language);

    const Texts& Captions() const { return texts_; }
    const LinePositions& Selection() const { return selection_; }
    void SetView(SetCommParaOKBottomDlgView* view);

    // Every show selects the positions it is given.
    void FormShow(const LinePositions& positions);
    void BaudRateRadioGroupClick(int index);
    void DataBitRadioGroupClick(int index);
    void StopBitRadioGroupClick(int index);
    void ParityRadioGroupClick(int index);
    // The positions the PLC selection dialog takes.
    LinePositions OKBtnClick() const { return selection_; }

  private:
    void Select(int& position, int index, const RadioGroupTexts& group);
    void Publish();

    Texts texts_;
    LinePositions selection_;  // the designed selection until the first show
    SetCommParaOKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
