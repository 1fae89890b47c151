#pragma once
#include <string>

#include "panels/control_state.h"

namespace qxed {

struct Element;
struct PanelRow;

// The double size and inverse boxes, as far as the kind offers them; they store and the preview redraws.
class SpecialGroup {
  public:
    explicit SpecialGroup(const PanelRow& row);

    void Fill(const Element& element, PanelState& state) const;
    std::string DoubleName() const { return prefix_ + "DoubleCheckBox"; }
    std::string InverseName() const { return prefix_ + "InverseCheckBox"; }
    // The element with the flag set; unchanged where the kind does not offer it.
    void SetDouble(Element& element, bool checked) const;
    void SetInverse(Element& element, bool checked) const;

  private:
    std::string prefix_;
    bool double_;
    bool inverse_;
};

}  // namespace qxed
