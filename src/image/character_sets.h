#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qxed {

class Language;
class Project;

// Text language codes, as "Language.Ini" selects them: they decide how text bytes split into characters.
enum class TextLanguage : int { En = 0, Ko = 1, sCh = 2, Ru = 3 };

constexpr std::size_t kDoubleByteCapacity = 1000;
constexpr std::size_t kSingleByteCapacity = 256;

// The distinct characters a project displays, as two ascending sets of codes (a double-byte code has its
// first byte in the high half). Texts refer to glyphs by a character's position in its set.
class CharacterSets {
  public:
    void Clear();

    // Inserts in order; a code already present changes nothing. A double-byte code beyond the capacity is
    // not inserted and marks the sets as overflowing.
    void AddDoubleByte(uint16_t code);
    void AddSingleByte(uint8_t code);

    // The characters of one text: with En, Ko and sCh a byte 0x80 or above and the byte after it form one
    // double-byte character; every other byte (every byte with Ru) is single-byte. A lead byte that ends the
    // text has no partner and counts as a single-byte character, in the encoder as well.
    void AddText(std::string_view bytes, TextLanguage language);
    // Every two bytes as one double-byte character; an odd last byte is single-byte.
    void AddSymbolText(std::string_view bytes);

    // Position in the set, or -1 when the code is not a member.
    int IndexOfDoubleByte(uint16_t code) const;
    int IndexOfSingleByte(uint8_t code) const;

    std::span<const uint16_t> DoubleBytes() const { return doubleBytes_; }
    std::span<const uint8_t> SingleBytes() const { return singleBytes_; }
    // More distinct double-byte characters were offered than the set holds.
    bool DoubleByteOverflow() const { return doubleByteOverflow_; }
    // How many distinct double-byte characters were offered, also beyond the capacity.
    std::size_t DoubleBytesOffered() const { return doubleBytes_.size() + extraDoubleBytes_.size(); }

  private:
    std::vector<uint16_t> doubleBytes_;
    std::vector<uint8_t> singleBytes_;
    std::vector<uint16_t> extraDoubleBytes_;  // sorted, distinct, beyond the capacity: for the count only
    bool doubleByteOverflow_ = false;
};

struct ProjectCounts {
    std::size_t Pages = 0;
    std::size_t Elements = 0;
};

// Empties the sets and adds every displayed text: text contents, both lamp symbols of a lamp, a function
// key's label, the first Count entries of a variable text, then the first AlarmCount alarm texts. Symbol
// bytes come from the language. Counts the pages and the elements on all pages.
ProjectCounts CollectCharacters(const Project& project, const Language& language, TextLanguage textLanguage,
                                CharacterSets& sets);

}  // namespace qxed
