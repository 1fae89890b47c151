#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "model/panel_model.h"

namespace qxed {

class Language;

// One radio button of the model dialog: the model it stands for and its control name.
struct ModelRadioButton {
    int Model;
    std::string_view ControlName;
};

// The radio buttons in the dialog's order.
std::span<const ModelRadioButton> ModelRadioButtons();

// What the model dialog shows: which buttons are visible and which one is checked.
struct ModelSelectState {
    std::array<bool, PanelModelCount> Visible{};  // by model index
    int Checked = 1;
    bool operator==(const ModelSelectState&) const = default;
};

class ModelSelectOKBottomDlgView {
  public:
    virtual ~ModelSelectOKBottomDlgView() = default;
    virtual void ShowState(const ModelSelectState& state) = 0;
};

// The model dialog: the panel models the user may choose among. Only QX220 and QX224 are offered as
// designed; the model status bar's double click adds QX221 and QX225. OK gives the checked model; any
// other close checks the current one again.
class ModelSelectOKBottomDlg {
  public:
    // Texts as the window shows them (UTF-8).
    struct Texts {
        std::string Caption;
        std::string SelectModelLabel;
        std::array<std::string, PanelModelCount> ModelNames;  // by model index
        std::string OkButton;
        std::string CancelButton;
    };

    explicit ModelSelectOKBottomDlg(const Language& language);

    const Texts& Captions() const { return texts_; }
    const ModelSelectState& State() const { return state_; }
    // The view shows the state from now on; it gets the current state at once.
    void SetView(ModelSelectOKBottomDlgView* view);

    // The double click on the main window's model status bar: QX221 and QX225 become choices.
    void ShowMoreModels();
    // Shown on the project's model: its button is checked.
    void FormShow(int currentModel);
    void ModelRadioButtonClick(int model);
    // The model the project takes.
    int OKBtnClick() const { return state_.Checked; }
    void CancelBtnClick();

  private:
    void Publish();

    Texts texts_;
    int languageIndex_;
    int currentModel_ = 1;
    ModelSelectState state_;
    ModelSelectOKBottomDlgView* view_ = nullptr;
};

}  // namespace qxed
