#include "ui/editor.h"

#include "text/settings_paths.h"
#include "ui/qt_editor_dialogs.h"
#include "ui/tproperty_panels.h"
#include "ui/tqx200_app_form.h"
#include "workbench/config_files.h"
#include "workbench/element_rect.h"

namespace qxed {

Editor::Editor(std::string programFolder, std::string settingsPath)
    : programFolder_(std::move(programFolder)),
      language_(Language::Load(LanguageFolder(programFolder_))),
      document_(EditorDefaultsOf(language_)),
      about_(language_, ReadAboutConfig(programFolder_)),
      prompts_(language_),
      chooser_(language_) {
    window_ = std::make_unique<TQX200AppForm>(language_);
    prompts_.SetParent(window_.get());
    chooser_.SetParent(window_.get());
    dialogs_ = std::make_unique<QtEditorDialogs>(document_, language_, about_, prompts_, window_.get());
    logic_ = std::make_unique<QX200AppForm>(document_, language_,
                                            WorkbenchPlaces{programFolder_, std::move(settingsPath)}, about_,
                                            prompts_, *dialogs_, chooser_);
    pages_ = std::make_unique<PageList>(document_, language_, prompts_, *dialogs_);
    // The preview's rectangles, for placing, dragging and pasting on the current model.
    const ElementExtent extent = [](const Element& element, const Project& project) {
        return ElementRect(element,
                           RectContextOf(project.Settings.CurrentModel, project.Defaults.TextCodePage));
    };
    preview_ = std::make_unique<PagePreview>(document_, language_, prompts_, programFolder_);
    placing_ = std::make_unique<ElementPlacing>(document_, language_, prompts_, chooser_, extent);
    elementClipboard_ =
        std::make_unique<ElementClipboard>(document_, language_, prompts_, clipboard_, extent);
    window_->SetLogic(logic_.get());
    window_->SetPageList(pages_.get());
    window_->SetEditing(preview_.get(), placing_.get(), elementClipboard_.get());
    // The position fields and the fit rules go through the same placing as the preview.
    properties_ = std::make_unique<PropertyPanel>(document_, language_, *placing_, chooser_);
    propertyPanels_ = new TPropertyPanels(window_->PropertyArea(), language_, *properties_,
                                          document_.Defaults().TextCodePage);
}

Editor::~Editor() {
    // The windows hold no references into the logic once they are gone; the dialogs go with their parent.
    window_->SetEditing(nullptr, nullptr, nullptr);
    window_->SetPageList(nullptr);
    window_->SetLogic(nullptr);
    dialogs_.reset();
    window_.reset();
}

void Editor::Show(const std::vector<std::string>& arguments) {
    // The window is on screen before the show step, so that a project opened from the command line or a
    // question of the new project's dialogs appears over it.
    window_->show();
    logic_->FormShow(arguments);
}

}  // namespace qxed
