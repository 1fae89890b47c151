#pragma once
#include <string_view>

namespace qxed::cli {

// Writes a command's result (or a help text) to standard output. A write that fails, as on a full disk or
// /dev/full, is reported on stderr ("qxed-cli: standard output: <reason>"); the exit code for it follows.
int PrintResult(std::string_view text);

}  // namespace qxed::cli
