#include "glyphgen/code_maps.h"

#include <iconv.h>

namespace qxed {

namespace {

struct CharsetName {
    GlyphCharset Charset;
    const char* ConverterName;
};

constexpr CharsetName kCharsetNames[] = {
    {GlyphCharset::Gb2312, "GB2312"},
    {GlyphCharset::KsX1001, "EUC-KR"},
    {GlyphCharset::Cp1251, "CP1251"},
};

const char* ConverterName(GlyphCharset charset) {
    for (const CharsetName& entry : kCharsetNames)
        if (entry.Charset == charset) return entry.ConverterName;
    return "";
}

const iconv_t kNotOpen = reinterpret_cast<iconv_t>(-1);

iconv_t Handle(void* handle) {
    return static_cast<iconv_t>(handle);
}

}  // namespace

std::optional<int> RecordIndex(std::uint8_t first, std::uint8_t second) {
    if (first < GridFirstByte || first > GridLastByte || second < GridFirstByte || second > GridLastByte)
        return std::nullopt;
    return (first - GridFirstByte) * GridSide + (second - GridFirstByte);
}

CharsetDecoder::CharsetDecoder(GlyphCharset charset)
    : handle_(::iconv_open("UTF-32LE", ConverterName(charset))) {}

CharsetDecoder::~CharsetDecoder() {
    if (IsOpen()) ::iconv_close(Handle(handle_));
}

bool CharsetDecoder::IsOpen() const {
    return Handle(handle_) != kNotOpen;
}

std::optional<char32_t> CharsetDecoder::Decode(std::string_view bytes) {
    if (!IsOpen() || bytes.empty()) return std::nullopt;
    ::iconv(Handle(handle_), nullptr, nullptr, nullptr, nullptr);

    // Room for two code points, so that input that makes more than one shows up.
    unsigned char output[8] = {};
    // iconv takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = reinterpret_cast<char*>(output);
    std::size_t outLeft = sizeof output;
    const std::size_t result = ::iconv(Handle(handle_), &in, &inLeft, &out, &outLeft);
    // A failure, leftover input or a substituted (irreversible) character all mean "not assigned".
    if (result != 0 || inLeft != 0 || sizeof output - outLeft != 4) return std::nullopt;
    return static_cast<char32_t>(output[0] | output[1] << 8 | output[2] << 16 | output[3] << 24);
}

}  // namespace qxed
