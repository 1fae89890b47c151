#pragma once
#include <string>

#include "commands.h"

namespace qxed::cli {

// A command's text result: to the file of "-o OUT", or to standard output without it or with "-o -". A file
// that cannot be written is reported with its message.
int WriteTextResult(CommandContext& context, const std::string& text);

}  // namespace qxed::cli
