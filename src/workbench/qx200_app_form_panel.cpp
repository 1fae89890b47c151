// The main window's Tool menu entry for the virtual panel.
#include <utility>
#include <vector>

#include "image/glyph_store.h"
#include "image/image_build.h"
#include "text/language.h"
#include "text/texts.h"
#include "vpanel/panel_font.h"
#include "vpanel/virtual_panel.h"
#include "workbench/qx200_app_form.h"

namespace qxed {

namespace {

// The panel window shows no progress of its own: the build is quick, and its messages come through the
// prompts as in a download.
class SilentProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

}  // namespace

void QX200AppForm::ToolVirtualPanelExecute() {
    const std::string caption = language_.TextUtf8(texts::ToolVirtualPanelCaption);
    std::vector<uint8_t> image;
    int model = 0;
    if (imported_) {
        image = imported_->Image;
        model = imported_->CurrentModel;
    } else {
        const Project& project = document_.Contents();
        const ImageBuildContext build{&language_, static_cast<TextLanguage>(language_.LanguageIndex()),
                                      places_.ProgramFolder};
        SilentProgress progress;
        BuildOutcome outcome = PreparePageContent(project, build, progress, prompts_);
        if (outcome.Status != BuildStatus::Built) return;  // the build has shown why
        image = std::move(outcome.Image.Bytes);
        model = project.Settings.CurrentModel;
    }
    std::optional<PanelFont> font = PanelFont::Load(places_.ProgramFolder);
    if (!font) {
        prompts_.ShowMessage(std::string(kSingleByteGlyphFile) + language_.TextUtf8(texts::NotExist), caption,
                             MessageIcon::Error);
        return;
    }
    PanelStartResult started = VirtualPanel::Start(std::move(image), model, std::move(*font));
    if (!started.Panel) {
        prompts_.ShowMessage(started.Error, caption, MessageIcon::Error);
        return;
    }
    dialogs_.ShowVirtualPanel(std::move(*started.Panel));
}

}  // namespace qxed
