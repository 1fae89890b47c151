#pragma once

#include <string_view>

namespace qxed {

// One text of the language file: where it is read from and the built-in text
// used when the key is absent. Default is UTF-8; the program works with its
// GBK bytes.
struct TextKey {
    std::string_view Section;
    std::string_view Key;
    std::string_view Default;
};

}  // namespace qxed
