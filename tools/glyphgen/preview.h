#pragma once

#include <string>

namespace qxed {

// All symbol pictures on one page, in symbol order, eight to a row, as a
// plain bitmap (PBM) for a person to look at.
std::string SymbolPreviewPbm();

}  // namespace qxed
