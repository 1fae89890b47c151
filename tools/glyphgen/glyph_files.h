#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "glyphgen/code_maps.h"
#include "glyphgen/hex_font.h"

namespace qxed {

// A glyph file beside the programs: the double-byte files hold 94 x 94
// records of 32 bytes in the row/cell order of their charset, the
// single-byte file 256 records of 16 bytes (its charset's lower half is ASCII).
struct GlyphFile {
    std::string_view Name;
    GlyphCharset Charset;
};

// The eleven glyph files. The model groups 012..016 exist for panels whose
// fonts differ; ours all come from the same font, so the five files of a
// family hold the same dots.
std::span<const GlyphFile> GlyphFiles();

bool IsSingleByte(GlyphCharset charset);
std::size_t GlyphFileSize(GlyphCharset charset);

struct GlyphFileContents {
    bool Ok;
    std::vector<std::uint8_t> Bytes;
    std::string Error;
};

// The contents of a glyph file of the charset: every assigned code's glyph
// from the font, unassigned codes blank, and in the double-byte files the
// lamp, hand and key pictures at the symbol code positions.
GlyphFileContents BuildGlyphFile(const HexFont& font, GlyphCharset charset);

// Writes the file through a temporary beside it and a rename, so that an
// interrupted run never leaves a short file under the final name.
bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string& error);

// Builds and writes all glyph files into the folder.
bool WriteGlyphFiles(const HexFont& font, const std::filesystem::path& folder, std::string& error);

}  // namespace qxed
