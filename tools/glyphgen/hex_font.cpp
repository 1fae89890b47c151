#include "glyphgen/hex_font.h"

#include <string_view>

namespace qxed {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Parses a line into a code point and glyph; returns the reason it is malformed, or nothing.
std::optional<std::string> ParseLine(std::string_view line, char32_t& codePoint, HexGlyph& glyph) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return "no ':'";
    const std::string_view code = line.substr(0, colon);
    const std::string_view bits = line.substr(colon + 1);
    if (code.empty() || code.size() > 6) return "bad code point";
    codePoint = 0;
    for (char c : code) {
        const int digit = HexDigit(c);
        if (digit < 0) return "bad code point";
        codePoint = codePoint << 4 | static_cast<char32_t>(digit);
    }
    if (codePoint > 0x10FFFF) return "code point out of range";
    if (bits.size() != 32 && bits.size() != 64) return "expected 32 or 64 hex digits";
    glyph.Width = bits.size() == 32 ? 8 : 16;
    const std::size_t digitsPerRow = bits.size() / 16;
    for (int row = 0; row < GlyphSize; ++row) {
        unsigned value = 0;
        for (std::size_t i = 0; i < digitsPerRow; ++i) {
            const int digit = HexDigit(bits[row * digitsPerRow + i]);
            if (digit < 0) return "bad hex digit";
            value = value << 4 | static_cast<unsigned>(digit);
        }
        if (glyph.Width == 8) value <<= 8;
        glyph.Rows[row] = static_cast<std::uint16_t>(value);
    }
    return std::nullopt;
}

}  // namespace

bool HexFont::Read(std::istream& in, std::string& error) {
    glyphs_.clear();
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        char32_t codePoint = 0;
        HexGlyph glyph{};
        if (auto problem = ParseLine(line, codePoint, glyph)) {
            error = "line " + std::to_string(lineNumber) + ": " + *problem;
            glyphs_.clear();
            return false;
        }
        glyphs_[codePoint] = glyph;
    }
    if (in.bad()) {
        error = "read error after line " + std::to_string(lineNumber);
        glyphs_.clear();
        return false;
    }
    return true;
}

std::optional<HexGlyph> HexFont::Find(char32_t codePoint) const {
    const auto found = glyphs_.find(codePoint);
    if (found == glyphs_.end()) return std::nullopt;
    return found->second;
}

}  // namespace qxed
