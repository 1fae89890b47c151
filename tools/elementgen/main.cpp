// elementgen: writes the element pictures of the preview (lamps, hands, function keys) into a folder.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "elementgen/element_picture_set.h"

namespace {

constexpr std::string_view kUsage =
    "usage: elementgen OUTPUT-FOLDER\n"
    "Writes the lamp, hand and key pictures of the preview into OUTPUT-FOLDER (usually element/ beside the\n"
    "programs), replacing what the folder held.\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() != 1 || args[0].empty() || args[0].starts_with("-")) {
        std::cerr << kUsage;
        return 2;
    }
    std::string error;
    if (!qxed::WriteElementPictures(std::string(args[0]), error)) {
        std::cerr << "elementgen: " << error << "\n";
        return 1;
    }
    return 0;
}
