#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "document/command.h"
#include "model/element.h"

namespace qxed {

// Puts a new element at the front of the current page and selects it (placing, pasting).
struct PlaceElement : Command {
    explicit PlaceElement(Element element) : Value(std::move(element)) {}
    Element Value;
    Change Run(EditTarget& target) const override;
};

// Replaces an element's fields with the given ones when they differ: what every property field, every
// drag step and every X/Y entry does. The merge key makes a run of such edits one undo step.
struct SetElement : Command {
    SetElement(uint16_t page, std::size_t index, Element value, std::string mergeKey = {})
        : PageNumber(page), Index(index), Value(std::move(value)), Key(std::move(mergeKey)) {}
    uint16_t PageNumber;
    std::size_t Index;
    Element Value;
    std::string Key;
    Change Run(EditTarget& target) const override;
    std::string MergeKey() const override { return Key; }
};

// Removes an element with everything it owns. Removing the selected (first) element clears the selection.
struct DeleteElement : Command {
    DeleteElement(uint16_t page, std::size_t index) : PageNumber(page), Index(index) {}
    uint16_t PageNumber;
    std::size_t Index;
    Change Run(EditTarget& target) const override;
};

// Selects the element at the index of the current page and brings it to the front, where the selected
// element always is; nullopt clears the selection. Selecting is not an edit: it never marks the project
// modified, although the element order changes.
struct SelectElement : Command {
    explicit SelectElement(std::optional<std::size_t> index) : Index(index) {}
    std::optional<std::size_t> Index;
    Change Run(EditTarget& target) const override;
    bool MayChangeContent() const override { return false; }
};

}  // namespace qxed
