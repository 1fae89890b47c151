#include "text_output.h"

#include <cerrno>

#include "standard_output.h"
#include "text/texts.h"

namespace qxed::cli {

int WriteTextResult(CommandContext& context, const std::string& text) {
    const std::optional<std::string>& output = context.Parsed.Output;
    if (!output || *output == "-") return PrintResult(text);
    errno = 0;
    if (!WriteWholeFile(*output, text)) {
        context.Session->ReportWriteFailure(*output, errno);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace qxed::cli
