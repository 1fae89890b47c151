#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/element.h"

namespace qxed {

// The rows 1..255 of a state grid (row 0 is the heading): the used rows show their state number, counted
// from 0, and their text; every row after them is empty.
std::vector<std::pair<std::string, std::string>> StateRows(const VarTextTable& texts, int32_t count);

// Grid rows 1..255 address the entries 0..254.
constexpr int kFirstStateRow = 1;
constexpr int kLastStateRow = kVarTextEntries;
inline bool IsStateRow(int row) {
    return row >= kFirstStateRow && row <= kLastStateRow;
}

}  // namespace qxed
