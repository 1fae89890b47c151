#pragma once
#include <cstdint>
#include <string>

#include "document/change.h"

namespace qxed {

class Project;

// What a command works on: the project's content and the editing position that goes with it.
struct EditTarget {
    Project& Content;
    uint16_t& CurrentPageNumber;
    bool& ElementSelected;  // the first element of the current page is selected
};

// One edit of the document. A command stores only what differs from what is there and reports the parts it
// changed; an empty change means nothing happened, and the document then neither marks the project modified
// nor tells anyone. Commands name pages by number and elements by their index on the page, never by
// pointer, so they stay valid across deletions and undo.
class Command {
  public:
    virtual ~Command() = default;
    virtual Change Run(EditTarget& target) const = 0;
    // Consecutive commands with the same non-empty key are one step for undo (typing into one field of one
    // element, or one drag).
    virtual std::string MergeKey() const { return {}; }
    // False for commands that only move the editing position (selection, current page), which are no step
    // of their own for undo.
    virtual bool MayChangeContent() const { return true; }
};

}  // namespace qxed
