#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "model/project.h"

namespace qxed {

// The document as one undo step remembers it: the project's content and the editing position.
struct DocumentState {
    Project Content;
    uint16_t CurrentPageNumber = 1;
    bool ElementSelected = false;
    uint64_t Id = 0;  // the content's identity: equal ids mean equal content
    std::size_t Bytes = 0;
};

// The undo and redo steps of a document, as whole snapshots: simple, and exact by construction. Bounded by
// a number of steps and by memory; the oldest steps go first.
class History {
  public:
    static constexpr std::size_t kDefaultMaxSteps = 200;
    static constexpr std::size_t kDefaultMaxBytes = std::size_t{256} << 20;
    explicit History(std::size_t maxSteps = kDefaultMaxSteps, std::size_t maxBytes = kDefaultMaxBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // A new step: the state before it; redo steps are gone.
    void Push(DocumentState before);
    // The state to go back to; `current` becomes the first redo step.
    std::optional<DocumentState> Undo(DocumentState current);
    std::optional<DocumentState> Redo(DocumentState current);
    void Clear();
    std::size_t Steps() const { return undo_.size(); }
    std::size_t Bytes() const { return bytes_; }

  private:
    void Trim();
    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::deque<DocumentState> undo_;
    std::deque<DocumentState> redo_;
    std::size_t bytes_ = 0;
};

// About how much memory a snapshot of the project takes.
std::size_t ApproximateBytes(const Project& project);

}  // namespace qxed
