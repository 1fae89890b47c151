#pragma once
#include <cstdint>
#include <string>

#include "document/command.h"

namespace qxed {

// Makes another page current; the selection is cleared. Not an edit.
struct ChangeCurrentPage : Command {
    explicit ChangeCurrentPage(uint16_t number) : Number(number) {}
    uint16_t Number;
    Change Run(EditTarget& target) const override;
    bool MayChangeContent() const override { return false; }
};

// A new empty page with the default links of its number, made current. Refused (no change) when the number
// is taken: the new page dialog does not close then.
struct AddPage : Command {
    AddPage(uint16_t number, std::string title) : Number(number), Title(std::move(title)) {}
    uint16_t Number;
    std::string Title;  // cut to the slot without splitting a character
    Change Run(EditTarget& target) const override;
};

// Title and key links of a page, each stored only when it differs.
struct SetPageAttributes : Command {
    SetPageAttributes(uint16_t number, std::string title, uint16_t prv, uint16_t nxt,
                      std::string mergeKey = {})
        : Number(number), Title(std::move(title)), PrvPageNo(prv), NxtPageNo(nxt), Key(std::move(mergeKey)) {}
    uint16_t Number;
    std::string Title;
    uint16_t PrvPageNo;
    uint16_t NxtPageNo;
    std::string Key;
    Change Run(EditTarget& target) const override;
    std::string MergeKey() const override { return Key; }
};

// Copies a page to another number: a page already there is replaced (the caller asked first), the copy gets
// the source's title and every element in order, but the default links of its own number, and becomes
// current. Refused when the numbers are equal or the source does not exist.
struct CopyPage : Command {
    CopyPage(uint16_t source, uint16_t target) : Source(source), Target(target) {}
    uint16_t Source;
    uint16_t Target;
    Change Run(EditTarget& target) const override;
};

// Deletes a page with its elements; its successor (or predecessor) becomes current. Deleting the last page
// leaves an empty page 1.
struct DeletePage : Command {
    explicit DeletePage(uint16_t number) : Number(number) {}
    uint16_t Number;
    Change Run(EditTarget& target) const override;
};

}  // namespace qxed
