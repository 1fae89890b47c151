#include "glyphgen/dot_font.h"

#include <vector>

namespace qxed {

namespace {

struct DotChar {
    char Char;
    std::string_view Rows[DotFontHeight];
};

constexpr DotChar kDotFont[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", "..#", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'C', {".##", "#..", "#..", "#..", ".##"}}, {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}}, {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}}, {'N', {"#.#", "###", "###", "#.#", "#.#"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
};

constexpr std::string_view kBlank[DotFontHeight] = {"...", "...", "...", "...", "..."};

const DotChar* Find(char c) {
    for (const DotChar& dotChar : kDotFont)
        if (dotChar.Char == c) return &dotChar;
    return nullptr;
}

}  // namespace

bool InDotFont(char c) {
    return Find(c) != nullptr;
}

Picture DotFontText(std::string_view text) {
    std::vector<Picture> characters;
    for (char c : text) {
        const DotChar* dotChar = Find(c);
        characters.push_back(PictureOf(dotChar ? dotChar->Rows : kBlank));
    }
    return Join(characters, 1);
}

}  // namespace qxed
