#include "model/page.h"

#include <algorithm>
#include <iterator>

namespace qxed {

uint16_t DefaultPrvPageNo(uint16_t number) {
    return number == 1 ? 1 : static_cast<uint16_t>(number - 1);
}

uint16_t DefaultNxtPageNo(uint16_t number) {
    return static_cast<uint16_t>(number + 1);
}

void BringToFront(Page& page, size_t index) {
    if (index == 0 || index >= page.Elements.size()) return;
    auto it = page.Elements.begin() + static_cast<std::ptrdiff_t>(index);
    std::rotate(page.Elements.begin(), it, std::next(it));
}

}  // namespace qxed
