#include "workbench/element_clipboard.h"

#include <algorithm>

#include "document/element_commands.h"
#include "files/project_json.h"
#include "model/panel_model.h"
#include "model/user_prompts.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

ElementClipboard::ElementClipboard(Document& document, const Language& language, UserPrompts& prompts,
                                   ClipboardAccess& clipboard, ElementExtent extent)
    : document_(document),
      language_(language),
      prompts_(prompts),
      clipboard_(clipboard),
      extent_(std::move(extent)) {}

bool ElementClipboard::Copy() {
    const Element* selected = document_.SelectedElement();
    if (selected == nullptr) return false;
    clipboard_.PutElement(DumpElementJson(*selected, document_.Contents()));
    return true;
}

bool ElementClipboard::Cut() {
    if (!Copy()) return false;
    return document_.Apply(DeleteElement(document_.CurrentPageNumber(), 0));
}

bool ElementClipboard::Paste() {
    const std::string caption = language_.TextUtf8(texts::AppName);
    const std::optional<std::string> text = clipboard_.TakeText();
    JsonFormError error;
    std::optional<Element> element =
        text ? MakeElementFromJson(*text, document_.Contents(), error) : std::nullopt;
    if (!element) {
        prompts_.ShowMessage(language_.TextUtf8(texts::ClipboardHoldsNoElement), caption,
                             MessageIcon::Information);
        return false;
    }
    const PanelModel* model = FindPanelModel(document_.Contents().Settings.CurrentModel);
    if (model == nullptr) model = FindPanelModel(0);
    if (element->Is(ElementKind::TouchKey) && !model->TouchKeys) {
        prompts_.ShowMessage(language_.TextUtf8(texts::ElementNotOnModel), caption, MessageIcon::Warning);
        return false;
    }
    // Where it was, unless that lies (partly) off this screen.
    const PreviewSize screen = PreviewSizeOf(*model);
    const Rect r = extent_(*element, document_.Contents());
    element->X = std::clamp(element->X, 0, std::max(screen.Width - (r.Right - r.Left), 0));
    element->Y = std::clamp(element->Y, 0, std::max(screen.Height - (r.Bottom - r.Top), 0));
    return document_.Apply(PlaceElement(std::move(*element)));
}

}  // namespace qxed
