#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qxed {

// The 94 x 94 row/cell grid of the double-byte glyph files: both bytes run
// from 0xA1 to 0xFE.
constexpr int GridSide = 94;
constexpr int GridRecords = GridSide * GridSide;
constexpr std::uint8_t GridFirstByte = 0xA1;
constexpr std::uint8_t GridLastByte = 0xFE;

// The record of a double-byte code in a 16 x 16 glyph file, or nothing for a
// code outside the grid.
std::optional<int> RecordIndex(std::uint8_t first, std::uint8_t second);

// The character sets whose codes the glyph files are ordered by.
enum class GlyphCharset { Gb2312, KsX1001, Cp1251 };

// Turns the bytes of one character of a charset into its Unicode code point.
class CharsetDecoder {
  public:
    explicit CharsetDecoder(GlyphCharset charset);
    ~CharsetDecoder();
    CharsetDecoder(const CharsetDecoder&) = delete;
    CharsetDecoder& operator=(const CharsetDecoder&) = delete;

    // False when the system's converter lacks the charset.
    bool IsOpen() const;

    // The code point of exactly one character, or nothing when the bytes are
    // no (or not exactly one) assigned character of the charset.
    std::optional<char32_t> Decode(std::string_view bytes);

  private:
    void* handle_;
};

}  // namespace qxed
