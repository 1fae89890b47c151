#pragma once
#include <string>

namespace qxed {

// The previous text of a text field: what it held when it gained the focus or when Enter was last pressed
// in it. Escape puts it back, and so does a refused entry. It is the only state a panel keeps of its own.
class TextEntry {
  public:
    void FocusIn(const std::string& current) { previous_ = current; }
    void EnterPressed(const std::string& current) { previous_ = current; }
    const std::string& Previous() const { return previous_; }

  private:
    std::string previous_;
};

}  // namespace qxed
