#include "glyphgen/symbol_pictures.h"

#include <span>
#include <string_view>

#include "glyphgen/dot_font.h"

namespace qxed {

namespace {

using Art = std::span<const std::string_view>;

// A key cap: rounded corners and a heavier base, so that it reads as a key.
constexpr std::string_view kKeyCapFrame[] = {
    "................",  //
    ".#############..",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "#.............#.",  //
    "###############.",  //
    ".#############..",  //
    "................",  //
};

constexpr std::string_view kCircle[] = {
    "....#####....",  //
    "..##.....##..",  //
    ".#.........#.",  //
    ".#.........#.",  //
    "#...........#",  //
    "#...........#",  //
    "#...........#",  //
    "#...........#",  //
    "#...........#",  //
    ".#.........#.",  //
    ".#.........#.",  //
    "..##.....##..",  //
    "....#####....",  //
};

constexpr std::string_view kSquare[] = {
    "###########",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "#.........#",  //
    "###########",  //
};

// A hand pointing right, at the key that follows it.
constexpr std::string_view kHand[] = {
    "......###......",  //
    ".....#...######",  //
    "##..#.........#",  //
    "##.#....#######",  //
    "##.#.......#...",  //
    "##.#....####...",  //
    "##.#.......#...",  //
    "##.#....####...",  //
    "##.#.......#...",  //
    "##..#..####....",  //
    "##...###.......",  //
};

constexpr std::string_view kArrowLeft[] = {
    "...#",  //
    "..##",  //
    ".###",  //
    "####",  //
    ".###",  //
    "..##",  //
    "...#",  //
};

constexpr std::string_view kArrowRight[] = {
    "#...",  //
    "##..",  //
    "###.",  //
    "####",  //
    "###.",  //
    "##..",  //
    "#...",  //
};

constexpr std::string_view kArrowUp[] = {
    "...#...",  //
    "..###..",  //
    ".#####.",  //
    "#######",  //
};

constexpr std::string_view kArrowDown[] = {
    "#######",  //
    ".#####.",  //
    "..###..",  //
    "...#...",  //
};

// Previous and next page: the open angles the page texts call "∧" and "∨".
constexpr std::string_view kAngleUp[] = {
    "....#....",  //
    "...###...",  //
    "..##.##..",  //
    ".##...##.",  //
    "##.....##",  //
};

constexpr std::string_view kAngleDown[] = {
    "##.....##",  //
    ".##...##.",  //
    "..##.##..",  //
    "...###...",  //
    "....#....",  //
};

constexpr std::string_view kPlusMinus[] = {
    "..#..",  //
    "..#..",  //
    "#####",  //
    "..#..",  //
    "..#..",  //
    ".....",  //
    "#####",  //
};

constexpr std::string_view kHouse[] = {
    "...#...",  //
    "..###..",  //
    ".#####.",  //
    "#######",  //
    ".##.##.",  //
    ".##.##.",  //
    ".##.##.",  //
};

constexpr std::string_view kBell[] = {
    "...#...",  //
    "..###..",  //
    ".#...#.",  //
    ".#...#.",  //
    ".#...#.",  //
    "#######",  //
    "...#...",  //
};

enum class Form { FilledLamp, HollowLamp, Plain, Cap };

// A symbol's picture: lamps from an outline, the hand as drawn, keys as a
// cap around a text label or a small picture.
struct SymbolLook {
    SymbolId Id;
    Form Shape;
    std::string_view Label;
    Art Drawing;
};

constexpr SymbolLook kLooks[] = {
    {SymbolId::CircleLampOn, Form::FilledLamp, "", kCircle},
    {SymbolId::CircleLampOff, Form::HollowLamp, "", kCircle},
    {SymbolId::SquareLampOn, Form::FilledLamp, "", kSquare},
    {SymbolId::SquareLampOff, Form::HollowLamp, "", kSquare},
    {SymbolId::Hand, Form::Plain, "", kHand},
    {SymbolId::LeftKey, Form::Cap, "", kArrowLeft},
    {SymbolId::RightKey, Form::Cap, "", kArrowRight},
    {SymbolId::UpKey, Form::Cap, "", kArrowUp},
    {SymbolId::DownKey, Form::Cap, "", kArrowDown},
    {SymbolId::ClrKey, Form::Cap, "CLR", {}},
    {SymbolId::PlusMinusKey, Form::Cap, "", kPlusMinus},
    {SymbolId::Num0Key, Form::Cap, "0", {}},
    {SymbolId::Num1Key, Form::Cap, "1", {}},
    {SymbolId::Num2Key, Form::Cap, "2", {}},
    {SymbolId::Num3Key, Form::Cap, "3", {}},
    {SymbolId::Num4Key, Form::Cap, "4", {}},
    {SymbolId::Num5Key, Form::Cap, "5", {}},
    {SymbolId::Num6Key, Form::Cap, "6", {}},
    {SymbolId::Num7Key, Form::Cap, "7", {}},
    {SymbolId::Num8Key, Form::Cap, "8", {}},
    {SymbolId::Num9Key, Form::Cap, "9", {}},
    {SymbolId::PrevKey, Form::Cap, "", kAngleUp},
    {SymbolId::NextKey, Form::Cap, "", kAngleDown},
    {SymbolId::F1Key, Form::Cap, "F1", {}},
    {SymbolId::F2Key, Form::Cap, "F2", {}},
    {SymbolId::F3Key, Form::Cap, "F3", {}},
    {SymbolId::F4Key, Form::Cap, "F4", {}},
    {SymbolId::F5Key, Form::Cap, "F5", {}},
    {SymbolId::F6Key, Form::Cap, "F6", {}},
    {SymbolId::F7Key, Form::Cap, "F7", {}},
    {SymbolId::F8Key, Form::Cap, "F8", {}},
    {SymbolId::F9Key, Form::Cap, "F9", {}},
    {SymbolId::F10Key, Form::Cap, "F10", {}},
    {SymbolId::K1Key, Form::Cap, "K1", {}},
    {SymbolId::K2Key, Form::Cap, "K2", {}},
    {SymbolId::K3Key, Form::Cap, "K3", {}},
    {SymbolId::K4Key, Form::Cap, "K4", {}},
    {SymbolId::K5Key, Form::Cap, "K5", {}},
    {SymbolId::K6Key, Form::Cap, "K6", {}},
    {SymbolId::K7Key, Form::Cap, "K7", {}},
    {SymbolId::K8Key, Form::Cap, "K8", {}},
    {SymbolId::K9Key, Form::Cap, "K9", {}},
    {SymbolId::K10Key, Form::Cap, "K10", {}},
    {SymbolId::SetKey, Form::Cap, "SET", {}},
    {SymbolId::HomeKey, Form::Cap, "", kHouse},
    {SymbolId::AlarmKey, Form::Cap, "", kBell},
    {SymbolId::EntKey, Form::Cap, "ENT", {}},
};

const SymbolLook* LookOf(SymbolId id) {
    for (const SymbolLook& look : kLooks)
        if (look.Id == id) return &look;
    return nullptr;
}

Glyph InSymbolBox(const Picture& picture) {
    Glyph glyph{};
    DrawCentred(glyph, picture, SymbolBox.X, SymbolBox.Y, SymbolBox.Width, SymbolBox.Height);
    return glyph;
}

}  // namespace

Glyph KeyCapFrame() {
    Glyph glyph{};
    Draw(glyph, PictureOf(kKeyCapFrame), 0, 0);
    return glyph;
}

Glyph KeyCap(const Picture& label) {
    Glyph glyph = KeyCapFrame();
    DrawCentred(glyph, label, KeyCapInterior.X, KeyCapInterior.Y, KeyCapInterior.Width,
                KeyCapInterior.Height);
    return glyph;
}

Glyph SymbolPicture(SymbolId id) {
    const SymbolLook* look = LookOf(id);
    if (!look) return {};
    switch (look->Shape) {
        case Form::FilledLamp:
            return FillRows(InSymbolBox(PictureOf(look->Drawing)));
        case Form::HollowLamp:
        case Form::Plain:
            return InSymbolBox(PictureOf(look->Drawing));
        case Form::Cap:
            return KeyCap(look->Label.empty() ? PictureOf(look->Drawing) : DotFontText(look->Label));
    }
    return {};
}

}  // namespace qxed
