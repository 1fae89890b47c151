#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qxed::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Raised for bad usage; main prints it with a pointer to --help and exits with kExitUsage.
struct UsageError {
    explicit UsageError(std::string message) : Message(std::move(message)) {}
    std::string Message;
    std::string Command;  // the subcommand whose help to point at; empty for the global one
};

// The arguments after a subcommand's name: its file names, "-o OUT", "--help", and the global
// "--data-dir DIR", which is accepted here as well. "--" ends the options.
struct CommandArgs {
    std::vector<std::string> Files;
    std::optional<std::string> Output;
    std::optional<std::string> DataDir;
    bool Help = false;
};
CommandArgs ParseCommandArgs(const std::vector<std::string>& args);

// "--name=value" as the two arguments "--name" "value", before "--"; everything else as it is.
std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args);

// Removes "NAME VALUE" from the arguments before "--" and returns the value, for the options that only some
// commands know. A missing value or a second NAME is bad usage.
std::optional<std::string> TakeOption(std::vector<std::string>& args, std::string_view name);

// Removes every "NAME" from the arguments before "--", for the options without a value that only some
// commands know; true when it was given. Given twice is bad usage.
bool TakeFlag(std::vector<std::string>& args, std::string_view name);

// A panel model as the command line names it: its index 0..12 or its code (QX210, QX420, ...). Anything else
// is bad usage.
int ModelOfArgument(const std::string& text);

// Equal but for the case of ASCII letters: enumerated values are accepted however they are typed ("en",
// "EN").
bool SameLetters(std::string_view a, std::string_view b);

// Checks that exactly `count` file names were given, naming them in the message.
void ExpectFiles(const CommandArgs& args, size_t count, const char* names);
// The value of "-o OUT", which the command requires.
const std::string& RequireOutput(const CommandArgs& args);

}  // namespace qxed::cli
