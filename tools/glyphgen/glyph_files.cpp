#include "glyphgen/glyph_files.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <optional>
#include <system_error>

#include "glyphgen/glyph_fit.h"
#include "glyphgen/symbol_pictures.h"
#include "text/file_access.h"
#include "text/symbols.h"

namespace qxed {

namespace {

constexpr GlyphFile kGlyphFiles[] = {
    {"7460012.dat", GlyphCharset::Gb2312},  {"7460013.dat", GlyphCharset::Gb2312},
    {"7460014.dat", GlyphCharset::Gb2312},  {"7460015.dat", GlyphCharset::Gb2312},
    {"7460016.dat", GlyphCharset::Gb2312},  {"6460012.dat", GlyphCharset::KsX1001},
    {"6460013.dat", GlyphCharset::KsX1001}, {"6460014.dat", GlyphCharset::KsX1001},
    {"6460015.dat", GlyphCharset::KsX1001}, {"6460016.dat", GlyphCharset::KsX1001},
    {"7460022.dat", GlyphCharset::Cp1251},
};

void PutRecord(std::vector<std::uint8_t>& bytes, int index, const Glyph& glyph) {
    const auto record = ToRecord(glyph);
    std::copy(record.begin(), record.end(), bytes.begin() + index * RecordBytes);
}

void FillSingleByte(const HexFont& font, CharsetDecoder& decoder, std::vector<std::uint8_t>& bytes) {
    for (int code = 0; code < 256; ++code) {
        const char byte = static_cast<char>(code);
        const std::optional<char32_t> codePoint = decoder.Decode(std::string_view(&byte, 1));
        if (!codePoint) continue;
        const NarrowGlyph glyph = NarrowGlyphOf(font, *codePoint);
        std::copy(glyph.begin(), glyph.end(), bytes.begin() + code * NarrowRecordBytes);
    }
}

void FillDoubleByte(const HexFont& font, CharsetDecoder& decoder, std::vector<std::uint8_t>& bytes) {
    for (int first = GridFirstByte; first <= GridLastByte; ++first) {
        for (int second = GridFirstByte; second <= GridLastByte; ++second) {
            const char code[] = {static_cast<char>(first), static_cast<char>(second)};
            const std::optional<char32_t> codePoint = decoder.Decode(std::string_view(code, 2));
            if (!codePoint) continue;
            const int index =
                *RecordIndex(static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(second));
            PutRecord(bytes, index, FullWidthGlyphOf(font, *codePoint));
        }
    }
}

// Both families show the same pictures at the same positions.
bool DrawSymbols(std::vector<std::uint8_t>& bytes, std::string& error) {
    for (const SymbolInfo& symbol : Symbols()) {
        const std::optional<int> index = RecordIndex(symbol.DefaultHi, symbol.DefaultLo);
        if (!index) {
            error = "symbol " + std::string(symbol.Name) + " lies outside the 94 x 94 grid";
            return false;
        }
        PutRecord(bytes, *index, SymbolPicture(symbol.Id));
    }
    return true;
}

}  // namespace

std::span<const GlyphFile> GlyphFiles() {
    return kGlyphFiles;
}

bool IsSingleByte(GlyphCharset charset) {
    return charset == GlyphCharset::Cp1251;
}

std::size_t GlyphFileSize(GlyphCharset charset) {
    return IsSingleByte(charset) ? 256 * NarrowRecordBytes : GridRecords * RecordBytes;
}

GlyphFileContents BuildGlyphFile(const HexFont& font, GlyphCharset charset) {
    GlyphFileContents contents{true, std::vector<std::uint8_t>(GlyphFileSize(charset), 0), {}};
    CharsetDecoder decoder(charset);
    if (!decoder.IsOpen()) return {false, {}, "the converter lacks a charset the glyph files need"};
    if (IsSingleByte(charset)) {
        FillSingleByte(font, decoder, contents.Bytes);
        return contents;
    }
    FillDoubleByte(font, decoder, contents.Bytes);
    if (!DrawSymbols(contents.Bytes, contents.Error)) return {false, {}, contents.Error};
    return contents;
}

bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string& error) {
    if (file_access::ReplaceFile(path.string(), bytes, std::nullopt)) return true;
    error = "cannot write " + path.string() + ": " + std::strerror(errno);
    return false;
}

bool WriteGlyphFiles(const HexFont& font, const std::filesystem::path& folder, std::string& error) {
    std::map<GlyphCharset, GlyphFileContents> built;
    for (const GlyphFile& file : GlyphFiles()) {
        auto found = built.find(file.Charset);
        if (found == built.end())
            found = built.emplace(file.Charset, BuildGlyphFile(font, file.Charset)).first;
        if (!found->second.Ok) {
            error = std::string(file.Name) + ": " + found->second.Error;
            return false;
        }
        if (!WriteWholeFile(folder / file.Name, found->second.Bytes, error)) return false;
    }
    return true;
}

}  // namespace qxed
