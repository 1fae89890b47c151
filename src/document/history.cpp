#include "document/history.h"

#include <utility>

namespace qxed {

namespace {

std::size_t FieldBytes(const Element& element) {
    std::size_t bytes = sizeof(Element);
    if (const auto* text = element.If<TextFields>()) bytes += text->Content.capacity();
    if (const auto* picture = element.If<PicFields>()) bytes += picture->Bitmap.capacity();
    if (const auto* font = element.If<FontTextFields>())
        bytes += font->Content.capacity() + font->Font.Name.size();
    if (const auto* key = element.If<TouchKeyFields>())
        bytes += key->Content.capacity() + key->Font.Name.size();
    if (const auto* var = element.If<VarTextFields>())
        for (const std::string& entry : var->Texts.Held())
            bytes += sizeof(std::string) + entry.capacity();
    if (const auto* var = element.If<VarFontTextFields>())
        for (const std::string& entry : var->Texts.Held())
            bytes += sizeof(std::string) + entry.capacity();
    return bytes;
}

}  // namespace

std::size_t ApproximateBytes(const Project& project) {
    std::size_t bytes = sizeof(Project);
    for (const std::string& text : project.AlarmTexts)
        bytes += text.capacity();
    for (const Page& page : project.Pages()) {
        bytes += sizeof(Page) + page.Title.capacity();
        for (const Element& element : page.Elements)
            bytes += FieldBytes(element);
    }
    return bytes;
}

void History::Push(DocumentState before) {
    for (const DocumentState& state : redo_)
        bytes_ -= state.Bytes;
    redo_.clear();
    bytes_ += before.Bytes;
    undo_.push_back(std::move(before));
    Trim();
}

std::optional<DocumentState> History::Undo(DocumentState current) {
    if (undo_.empty()) return std::nullopt;
    DocumentState back = std::move(undo_.back());
    undo_.pop_back();
    bytes_ += current.Bytes;
    bytes_ -= back.Bytes;
    redo_.push_back(std::move(current));
    return back;
}

std::optional<DocumentState> History::Redo(DocumentState current) {
    if (redo_.empty()) return std::nullopt;
    DocumentState forward = std::move(redo_.back());
    redo_.pop_back();
    bytes_ += current.Bytes;
    bytes_ -= forward.Bytes;
    undo_.push_back(std::move(current));
    return forward;
}

void History::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

void History::Trim() {
    while (!undo_.empty() && (undo_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= undo_.front().Bytes;
        undo_.pop_front();
    }
}

}  // namespace qxed
