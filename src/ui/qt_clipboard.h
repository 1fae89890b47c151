#pragma once
#include "workbench/element_clipboard.h"

namespace qxed {

// The desktop's clipboard: an element as plain text and under the editor's own type, so that a text editor
// takes it and another editor knows it for an element.
class QtClipboard : public ClipboardAccess {
  public:
    static constexpr char kElementType[] = "application/x-qxed-element+json";
    void PutElement(const std::string& json) override;
    std::optional<std::string> TakeText() const override;
};

}  // namespace qxed
