// glyphgen: writes the glyph files that sit beside the programs, from a hex
// font, and optionally a picture of the symbol glyphs for a person to check.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "glyphgen/glyph_files.h"
#include "glyphgen/hex_font.h"
#include "glyphgen/preview.h"

namespace {

constexpr std::string_view kUsage =
    "usage: glyphgen FONT.hex OUTPUT-FOLDER\n"
    "       glyphgen --preview SYMBOLS.pbm\n"
    "Writes the eleven glyph files into OUTPUT-FOLDER, or a picture of the symbol glyphs.\n";

int WritePreview(std::string_view path) {
    const std::string pbm = qxed::SymbolPreviewPbm();
    const auto* data = reinterpret_cast<const std::uint8_t*>(pbm.data());
    std::string error;
    if (!qxed::WriteWholeFile(std::filesystem::path(path), std::span(data, pbm.size()), error)) {
        std::cerr << "glyphgen: " << error << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 2 && args[0] == "--preview") return WritePreview(args[1]);
    if (args.size() != 2) {
        std::cerr << kUsage;
        return 2;
    }

    const std::filesystem::path fontPath(args[0]);
    std::ifstream fontFile(fontPath);
    if (!fontFile) {
        std::cerr << "glyphgen: cannot open " << fontPath.string() << "\n";
        return 1;
    }
    qxed::HexFont font;
    std::string error;
    if (!font.Read(fontFile, error)) {
        std::cerr << "glyphgen: " << fontPath.string() << ": " << error << "\n";
        return 1;
    }
    if (font.Size() == 0) {
        std::cerr << "glyphgen: " << fontPath.string() << " holds no glyphs\n";
        return 1;
    }
    if (!qxed::WriteGlyphFiles(font, std::filesystem::path(args[1]), error)) {
        std::cerr << "glyphgen: " << error << "\n";
        return 1;
    }
    return 0;
}
