#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace qxed {

// The file names of the element pictures in the program folder's "element/": a prefix letter of the model
// (lamp and hand letters, keypad letters), the kind, the size digit ("1", or "2" for double size), then the
// picture's state.

// m + "lp" + s + "cl" (round) or "sq" (square, type 1) + "ps" (positive) or "ng" (negative logic) + ".dat".
std::string LampPictureName(char letter, int size, int32_t lampType, bool positiveLogic);
// m + "hd" + s + "i" (inverse) or "ni" + ".dat".
std::string HandPictureName(char letter, int size, bool inverse);
// k + "ky" + s + the key code in at least two digits + "i" or "ni" + "d" when invisible + ".dat".
std::string KeyPictureName(char letter, int size, int32_t keyCode, bool inverse, bool invisible);

// Drawn in place of any lamp, hand or key picture that cannot be loaded.
constexpr std::string_view kFallbackPictureName = "dlp1clps.dat";

}  // namespace qxed
