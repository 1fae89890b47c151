#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/element.h"

namespace qxed {

// One numbered screen. Page numbers and links are unsigned 16-bit values.
struct Page {
    uint16_t Number = 1;
    std::string Title;  // at most 40 bytes
    uint16_t PrvPageNo = 1;
    uint16_t NxtPageNo = 2;
    // Front = the selected, top-most element; drawing runs from back to front.
    std::vector<Element> Elements;

    bool operator==(const Page&) const = default;
};

// The link defaults of a new page numbered n: back to 1 for page 1, else n - 1; forward n + 1 in 16 bits.
uint16_t DefaultPrvPageNo(uint16_t number);
uint16_t DefaultNxtPageNo(uint16_t number);

// Puts a new or selected element at the front of its page, making it the top-most one.
void BringToFront(Page& page, size_t index);

}  // namespace qxed
