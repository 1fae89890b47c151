#pragma once
#include <optional>
#include <string>

#include "document/document.h"
#include "workbench/element_placing.h"

namespace qxed {

class Language;
class UserPrompts;

// The desktop's clipboard as the editor uses it for elements: text (the element's JSON form, which any text
// editor takes) and the same text under the editor's own type, which tells an element from any other text.
class ClipboardAccess {
  public:
    virtual ~ClipboardAccess() = default;
    virtual void PutElement(const std::string& json) = 0;
    // The element text, when the clipboard holds one (of this or another running editor), else any text.
    virtual std::optional<std::string> TakeText() const = 0;
};

// Cutting, copying and pasting the selected element of the preview. A pasted element goes to the front of
// the current page at the position it had, pulled inside the image when it does not fit there; an element
// the current model cannot show, or text that is no element, is refused with a message. Each is one step.
class ElementClipboard {
  public:
    ElementClipboard(Document& document, const Language& language, UserPrompts& prompts,
                     ClipboardAccess& clipboard, ElementExtent extent);

    // False when nothing is selected.
    bool Copy();
    bool Cut();
    // False (after its message) when the clipboard holds no element this project can take.
    bool Paste();

  private:
    Document& document_;
    const Language& language_;
    UserPrompts& prompts_;
    ClipboardAccess& clipboard_;
    ElementExtent extent_;
};

}  // namespace qxed
