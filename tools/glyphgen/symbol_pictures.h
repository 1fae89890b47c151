#pragma once

#include "glyphgen/glyph.h"
#include "glyphgen/picture.h"
#include "text/symbols.h"

namespace qxed {

// Every symbol picture sits in one box of the 16 x 16 cell, leaving the
// right column and the top and bottom rows blank so that neighbouring
// symbols stay apart.
struct DotBox {
    int X;
    int Y;
    int Width;
    int Height;
};

constexpr DotBox SymbolBox = {0, 1, 15, 14};

// The space inside the key cap frame where the label goes.
constexpr DotBox KeyCapInterior = {1, 2, 13, 11};

// The key cap frame alone, and with a label centred inside it.
Glyph KeyCapFrame();
Glyph KeyCap(const Picture& label);

// The picture drawn at the code position of a lamp, hand or key symbol.
Glyph SymbolPicture(SymbolId id);

}  // namespace qxed
