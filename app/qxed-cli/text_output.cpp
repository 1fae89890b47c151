#include "text_output.h"

#include "standard_output.h"
#include "text/texts.h"

namespace qxed::cli {

int WriteTextResult(CommandContext& context, const std::string& text) {
    const std::optional<std::string>& output = context.Parsed.Output;
    if (!output || *output == "-") return PrintResult(text);
    if (!WriteWholeFile(*output, text)) {
        context.Session->ReportAbout(*output, texts::CanNotSaveFile);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace qxed::cli
