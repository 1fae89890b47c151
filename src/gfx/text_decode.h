#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qxed {

// UTF-8 for drawing stored text bytes: decoded strictly with the code page of the font charset, else
// as GBK (the project code page), else byte by byte with U+FFFD for every byte from 0x80 up. Never
// fails, so drawing a damaged text still shows something.
std::string DecodeForDisplay(std::string_view bytes, uint8_t charset);

}  // namespace qxed
