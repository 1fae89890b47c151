#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qxed {

// The code pages that texts of projects and language files come in.
enum class CodePage { Gbk, Cp949, Cp1251, Cp1252 };

// The code page of a font character set: 134 GBK, 129 CP949, 204 CP1251,
// 0 CP1252; every other set is taken as GBK.
CodePage CodePageOfCharset(int charset);

// The converter name of a code page.
const char* IconvName(CodePage codePage);

// The result of a strict conversion. On failure Text is empty and FailedAt is
// the offset of the first input byte that could not be converted (an invalid
// or truncated sequence, or a character the target cannot hold).
struct Conversion {
    bool Ok;
    std::string Text;
    std::size_t FailedAt;
};

// Strict conversions: nothing is replaced, dropped or approximated.
Conversion ToUtf8(std::string_view bytes, CodePage codePage);
Conversion FromUtf8(std::string_view utf8, CodePage codePage);

// For display only: the strict conversion when it succeeds, otherwise the
// ASCII bytes as they are and every other byte as U+FFFD, so that a reader
// sees where the bytes are wrong instead of a guessed code page.
std::string ToUtf8ForDisplay(std::string_view bytes, CodePage codePage);

// The GBK bytes of a built-in UTF-8 text. Every built-in text must convert;
// one that does not gives an empty text (the tests convert them all).
std::string GbkFromUtf8(std::string_view utf8);

}  // namespace qxed
