#include "gfx/text_decode.h"

#include <utility>

#include "text/code_page.h"

namespace qxed {

std::string DecodeForDisplay(std::string_view bytes, uint8_t charset) {
    const CodePage codePage = CodePageOfCharset(charset);
    if (codePage != CodePage::Gbk) {
        if (Conversion strict = ToUtf8(bytes, codePage); strict.Ok) return std::move(strict.Text);
    }
    return ToUtf8ForDisplay(bytes, CodePage::Gbk);
}

}  // namespace qxed
