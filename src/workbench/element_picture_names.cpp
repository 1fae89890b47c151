#include "workbench/element_picture_names.h"

#include <cstdio>

namespace qxed {

namespace {

std::string Stem(char letter, std::string_view kind, int size) {
    return std::string(1, letter) + std::string(kind) + std::to_string(size);
}

std::string InverseSuffix(bool inverse) {
    return inverse ? "i" : "ni";
}

}  // namespace

std::string LampPictureName(char letter, int size, int32_t lampType, bool positiveLogic) {
    return Stem(letter, "lp", size) + (lampType == 1 ? "sq" : "cl") + (positiveLogic ? "ps" : "ng") + ".dat";
}

std::string HandPictureName(char letter, int size, bool inverse) {
    return Stem(letter, "hd", size) + InverseSuffix(inverse) + ".dat";
}

std::string KeyPictureName(char letter, int size, int32_t keyCode, bool inverse, bool invisible) {
    char code[16];
    std::snprintf(code, sizeof code, "%02d", static_cast<int>(keyCode));
    return Stem(letter, "ky", size) + code + InverseSuffix(inverse) + (invisible ? "d" : "") + ".dat";
}

}  // namespace qxed
