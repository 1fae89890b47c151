#include "panels/model_select_ok_bottom_dlg.h"

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

constexpr int kQx220 = 1;
constexpr int kQx221 = 3;
constexpr int kQx205 = 9;
constexpr int kQx224 = 11;
constexpr int kQx225 = 12;

constexpr ModelRadioButton kRadioButtons[] = {
    {5, "Qx204RadioButton"},  {0, "Qx210RadioButton"}, {1, "Qx220RadioButton"}, {8, "Qx2201RadioButton"},
    {3, "Qx221RadioButton"},  {4, "Qx222RadioButton"}, {9, "Qx205RadioButton"}, {6, "Qx223RadioButton"},
    {10, "Qx325RadioButton"}, {2, "Qx420RadioButton"}, {7, "Qx421RadioButton"}, {11, "Qx224RadioButton"},
    {12, "Qx225RadioButton"},
};

bool IsModel(int model) {
    return FindPanelModel(model) != nullptr;
}

}  // namespace

std::span<const ModelRadioButton> ModelRadioButtons() {
    return kRadioButtons;
}

ModelSelectOKBottomDlg::ModelSelectOKBottomDlg(const Language& language)
    : languageIndex_(language.LanguageIndex()) {
    texts_.Caption = language.TextUtf8(texts::ModelSelectOKBottomDlgCaption);
    texts_.SelectModelLabel = language.TextUtf8(texts::SelectModelLabelCaption);
    for (int model = 0; model < PanelModelCount; ++model)
        texts_.ModelNames[static_cast<size_t>(model)] = language.DisplayUtf8(ModelName(language, model));
    texts_.OkButton = language.TextUtf8(texts::OKBtnCaption);
    texts_.CancelButton = language.TextUtf8(texts::CancelBtnCaption);

    state_.Visible[kQx220] = true;
    state_.Visible[kQx224] = true;
    state_.Checked = kQx220;
}

void ModelSelectOKBottomDlg::SetView(ModelSelectOKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void ModelSelectOKBottomDlg::ShowMoreModels() {
    state_.Visible[kQx221] = true;
    state_.Visible[kQx225] = true;
    Publish();
}

void ModelSelectOKBottomDlg::FormShow(int currentModel) {
    // A model outside the table keeps the button that was checked, so OK cannot give a model that does
    // not exist.
    if (IsModel(currentModel)) {
        currentModel_ = currentModel;
        state_.Checked = currentModel;
    }
    // QX205 is offered only to the English and Korean editions, and only where it was offered already.
    state_.Visible[kQx205] = state_.Visible[kQx205] && (languageIndex_ == 0 || languageIndex_ == 1);
    Publish();
}

void ModelSelectOKBottomDlg::ModelRadioButtonClick(int model) {
    if (!IsModel(model)) return;
    state_.Checked = model;
    Publish();
}

void ModelSelectOKBottomDlg::CancelBtnClick() {
    state_.Checked = currentModel_;
    Publish();
}

void ModelSelectOKBottomDlg::Publish() {
    if (view_ != nullptr) view_->ShowState(state_);
}

}  // namespace qxed
