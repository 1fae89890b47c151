#pragma once
#include <string>

#include "workbench/config_files.h"

namespace qxed {

class Language;

// The About box: its texts, and the download's upgrade mode that a double click on its small label steps
// through S, U and N ("S" lets the download decide, "U" always rewrites the panel's driver area, "N" never).
class AboutBox {
  public:
    // Texts as the window shows them (UTF-8).
    struct Texts {
        std::string Caption;
        std::string ProductName;
        std::string Version;  // the version caption
        std::string VersionNumber;
        std::string Copyright;
        std::string Comments;
        std::string IconHint;
        std::string OkButton;
    };

    AboutBox(const Language& language, const AboutConfig& config);

    const Texts& Captions() const { return texts_; }
    const std::string& UpgradeMode() const { return upgradeMode_; }
    void UpgradeModeLabelDblClick();

  private:
    Texts texts_;
    std::string upgradeMode_ = "S";
};

// The program's version as the About box shows it.
inline constexpr char kProgramVersion[] = "V9.4.3";

}  // namespace qxed
