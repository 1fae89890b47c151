#include "cli_args.h"

#include <algorithm>
#include <charconv>

#include "model/panel_model.h"

namespace qxed::cli {

namespace {

const std::string& ValueAfter(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) throw UsageError{"option " + args[i] + " needs a value"};
    return args[++i];
}

}  // namespace

CommandArgs ParseCommandArgs(const std::vector<std::string>& args) {
    CommandArgs parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            parsed.Files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            parsed.Help = true;
        } else if (arg == "-o" || arg == "--output") {
            if (parsed.Output) throw UsageError{"the output is given twice"};
            parsed.Output = ValueAfter(args, i);
        } else if (arg == "--data-dir") {
            parsed.DataDir = ValueAfter(args, i);
        } else {
            throw UsageError{"unknown option " + arg};
        }
    }
    return parsed;
}

void ExpectFiles(const CommandArgs& args, size_t count, const char* names) {
    if (args.Files.size() < count) throw UsageError{std::string("missing ") + names};
    if (args.Files.size() > count) throw UsageError{"unexpected argument " + args.Files[count]};
}

const std::string& RequireOutput(const CommandArgs& args) {
    if (!args.Output) throw UsageError{"missing -o OUT"};
    return *args.Output;
}

std::optional<std::string> TakeOption(std::vector<std::string>& args, std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i < args.size() && args[i] != "--";) {
        if (args[i] != name) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size()) throw UsageError{"option " + std::string(name) + " needs a value"};
        if (value) throw UsageError{"option " + std::string(name) + " is given twice"};
        value = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return value;
}

}  // namespace qxed::cli

namespace qxed::cli {

bool TakeFlag(std::vector<std::string>& args, std::string_view name) {
    bool given = false;
    for (std::size_t i = 0; i < args.size() && args[i] != "--";) {
        if (args[i] != name) {
            ++i;
            continue;
        }
        if (given) throw UsageError{"option " + std::string(name) + " is given twice"};
        given = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return given;
}

std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args) {
    std::vector<std::string> split;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        if (optionsEnded || !arg.starts_with("--") || equals == std::string::npos || equals == 2) {
            optionsEnded = optionsEnded || arg == "--";
            split.push_back(arg);
            continue;
        }
        split.push_back(arg.substr(0, equals));
        split.push_back(arg.substr(equals + 1));
    }
    return split;
}

bool SameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&lower](char x, char y) { return lower(x) == lower(y); });
}

int ModelOfArgument(const std::string& text) {
    int index = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, index);
    if (error == std::errc() && stop == end) {
        if (FindPanelModel(index) == nullptr)
            throw UsageError{"model " + text + " is outside 0.." + std::to_string(PanelModelCount - 1)};
        return index;
    }
    for (int index = 0; index < PanelModelCount; ++index)
        if (SameLetters(text, FindPanelModel(index)->Code)) return index;
    throw UsageError{"unknown model " + text};
}

}  // namespace qxed::cli
