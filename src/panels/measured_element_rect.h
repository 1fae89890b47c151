#pragma once
#include "gfx/geometry.h"

namespace qxed {

class Project;
struct Element;

// An element's rectangle on the preview in editor units, as the position fields and the fit rules measure
// it: texts in the built-in font by their characters (a cell Z / 2 wide and one row Z high, both doubled
// with double size), graphs and pictures by their size, font texts and touch keys by their measured text
// (a touch key with its frame), variable font texts by their widest entry.
Rect MeasuredElementRect(const Element& element, const Project& project);

}  // namespace qxed
