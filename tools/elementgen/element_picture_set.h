#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/color.h"
#include "gfx/mono_bitmap.h"
#include "glyphgen/glyph.h"
#include "text/symbols.h"

namespace qxed {

// The element pictures the preview draws lamps, hands and function keys with: the symbol's dot pattern
// from the glyph files, enlarged to the preview scale of the models whose prefix letter names the file,
// so that the preview shows what the panel shows.

// A prefix letter of the picture names and the preview scale Z of the models that use it.
struct PictureLetter {
    char Letter;
    int PreviewScale;
};

// The letters of the lamp and hand pictures, and those of the key pictures, each with its Z, from the
// panel model table. Empty when two models sharing a letter differ in Z: no one picture could serve both.
std::vector<PictureLetter> LampLetters();
std::vector<PictureLetter> KeypadLetters();

// How a picture shows its dots.
enum class PictureLook {
    Normal,     // black dots on white
    Inverse,    // white dots on black: the whole cell complemented
    Invisible,  // silver dots on white, drawn transparently: the white corner is the transparent colour
};

struct ElementPicture {
    std::string Name;  // "dlp1clps.dat", "thd2i.dat", "sky122nid.dat", ...
    SymbolId Symbol;
    int Side = 0;  // width and height in preview pixels: Z for size 1, 2 Z for size 2
    PictureLook Look = PictureLook::Normal;
};

// Every picture the preview's naming rules can ask for: lamps (round and square, positive and negative
// logic), hands (normal and inverse) and keys (every key code of the panel, normal and inverse, each also
// invisible), all in sizes 1 and 2 for each letter.
std::vector<ElementPicture> AllElementPictures();

// The symbol's dots scaled to side x side pixels by nearest neighbour: pixel p shows dot p x 16 / side.
MonoBitmap ScaledSymbol(const Glyph& glyph, int side);

// The picture's pixels as a bitmap of set (ink) and clear (paper) dots, and the colours of the two.
struct PictureDots {
    MonoBitmap Dots;
    Color Ink = kBlack;
    Color Paper = kWhite;
};
PictureDots DotsOf(const ElementPicture& picture);

// The picture as a two-colour Windows bitmap file.
std::vector<std::uint8_t> EncodeElementPicture(const ElementPicture& picture);

// Writes every picture into a new folder beside `folder` and then puts it in the place of `folder`, so that
// the folder holds exactly one complete set. False with the reason in `error`.
bool WriteElementPictures(const std::filesystem::path& folder, std::string& error);

}  // namespace qxed
