#include "panels/state_table.h"

#include <algorithm>

namespace qxed {

std::vector<std::pair<std::string, std::string>> StateRows(const VarTextTable& texts, int32_t count) {
    const int32_t used = std::clamp<int32_t>(count, 0, kVarTextEntries);
    std::vector<std::pair<std::string, std::string>> rows(kVarTextEntries);
    for (int32_t i = 0; i < used; ++i)
        rows[static_cast<size_t>(i)] = {std::to_string(i), texts[static_cast<size_t>(i)]};
    return rows;
}

}  // namespace qxed
