#include "text/code_page.h"

#include <iconv.h>

#include <cerrno>

namespace qxed {

namespace {

struct CodePageInfo {
    int Charset;
    CodePage Page;
    const char* ConverterName;
};

constexpr CodePageInfo kCodePages[] = {
    {134, CodePage::Gbk, "GBK"},
    {129, CodePage::Cp949, "CP949"},
    {204, CodePage::Cp1251, "CP1251"},
    {0, CodePage::Cp1252, "CP1252"},
};

constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const { return cd_; }

  private:
    iconv_t cd_;
};

Conversion Failure(std::size_t offset) {
    return Conversion{false, {}, offset};
}

Conversion Convert(std::string_view input, const char* to, const char* from) {
    Converter converter(to, from);
    if (!converter.IsOpen()) return Failure(0);

    std::string output(input.size() * 4 + 16, '\0');
    std::size_t produced = 0;
    // iconv takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    bool flushing = false;
    for (;;) {
        char* out = output.data() + produced;
        std::size_t outLeft = output.size() - produced;
        const std::size_t consumed = static_cast<std::size_t>(in - input.data());
        // With the input used up, one call without input writes any pending shift state.
        std::size_t result = flushing ? ::iconv(converter.Handle(), nullptr, nullptr, &out, &outLeft)
                                      : ::iconv(converter.Handle(), &in, &inLeft, &out, &outLeft);
        const int error = errno;
        produced = static_cast<std::size_t>(out - output.data());
        if (result == kFailed && error == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        if (result == kFailed) return Failure(static_cast<std::size_t>(in - input.data()));
        // A positive count means the converter substituted something, which a
        // strict conversion must refuse; its place is known only to this call.
        if (result > 0) return Failure(consumed);
        if (flushing) break;
        if (inLeft == 0) flushing = true;
    }
    output.resize(produced);
    return Conversion{true, std::move(output), 0};
}

}  // namespace

CodePage CodePageOfCharset(int charset) {
    for (const CodePageInfo& info : kCodePages) {
        if (info.Charset == charset) return info.Page;
    }
    return CodePage::Gbk;
}

const char* IconvName(CodePage codePage) {
    for (const CodePageInfo& info : kCodePages) {
        if (info.Page == codePage) return info.ConverterName;
    }
    return kCodePages[0].ConverterName;
}

Conversion ToUtf8(std::string_view bytes, CodePage codePage) {
    return Convert(bytes, "UTF-8", IconvName(codePage));
}

Conversion FromUtf8(std::string_view utf8, CodePage codePage) {
    return Convert(utf8, IconvName(codePage), "UTF-8");
}

std::string GbkFromUtf8(std::string_view utf8) {
    Conversion gbk = FromUtf8(utf8, CodePage::Gbk);
    return gbk.Ok ? std::move(gbk.Text) : std::string();
}

std::string ToUtf8ForDisplay(std::string_view bytes, CodePage codePage) {
    Conversion utf8 = ToUtf8(bytes, codePage);
    if (utf8.Ok) return std::move(utf8.Text);
    std::string shown;
    shown.reserve(bytes.size());
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            shown += c;
        } else {
            shown += "\xEF\xBF\xBD";
        }
    }
    return shown;
}

}  // namespace qxed
