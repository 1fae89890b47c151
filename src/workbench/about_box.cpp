#include "workbench/about_box.h"

#include "text/language.h"
#include "text/texts.h"

namespace qxed {

AboutBox::AboutBox(const Language& language, const AboutConfig& config) {
    texts_.Caption = language.TextUtf8(texts::AboutBoxCaption);
    texts_.ProductName = language.TextUtf8(texts::ProductNameCaption);
    texts_.Version = language.TextUtf8(texts::VersionCaption);
    texts_.Copyright = language.TextUtf8(texts::CopyrightCaption);
    texts_.Comments = language.TextUtf8(texts::CommentsCaption);
    texts_.OkButton = language.TextUtf8(texts::OKBtnCaption);
    texts_.VersionNumber = kProgramVersion;
    if (config.Copyright) texts_.Copyright = language.DisplayUtf8(*config.Copyright);
    if (config.Comments) texts_.Comments = language.DisplayUtf8(*config.Comments);
    if (config.IconHint) texts_.IconHint = language.DisplayUtf8(*config.IconHint);
}

void AboutBox::UpgradeModeLabelDblClick() {
    upgradeMode_ = upgradeMode_ == "S" ? "U" : upgradeMode_ == "U" ? "N" : "S";
}

}  // namespace qxed
