#include "simulator_options.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "model/panel_model.h"

namespace qxed::panelsim {

const char kSimulatorHelp[] =
    "Usage: qxed-panelsim [OPTIONS]\n"
    "A QX200 panel on a pseudo-terminal: answers the download protocol, checks every request frame and\n"
    "keeps a 128 KiB flash that takes writes only into erased sectors. Prints the port's path as its first\n"
    "line (or links it), and one line per finished download.\n"
    "\n"
    "Port:\n"
    "  --link PATH            make PATH a symbolic link to the port (replacing a link there), removed at "
    "exit\n"
    "  --line-rate            emulate the 57600 bit/s line in both directions (173.6 us per byte)\n"
    "  --once                 exit after the first finished download: 0 without violations, else 1\n"
    "  --dump FILE            on finish write the received image (flash 0x10004 up to the last byte "
    "written)\n"
    "  --dump-flash FILE      on finish write the whole 128 KiB flash\n"
    "Panel:\n"
    "  --model N|CODE         panel model index 0..12 or code such as QX220 (default 0)\n"
    "  --model-code N         identity byte 1 as a whole (default: model index + 1)\n"
    "  --system-version N     wake-up reply byte 0 (default 40)\n"
    "  --display-flags N      version reply byte 1 (default 0xE0)\n"
    "  --identity-flags N     identity byte 0 (default 0x01: driver identity valid)\n"
    "  --gtk                  set identity flag bit 6 (GTK display: driver folder GTK instead of HD6)\n"
    "  --check-plc            set identity flag bit 7 (the PC checks the PLC protocol value)\n"
    "  --driver D2,D4,D5      installed driver values, identity bytes 2..4 (default 5,40,1)\n"
    "  --plc-protocol N       identity byte 6 (default: the installed D2)\n"
    "Faults:\n"
    "  --std N                answer the first N wake-ups with \"STD\"\n"
    "  --split                send every reply byte by byte\n"
    "  --bad-checksum N       corrupt the checksum of the first N binary replies\n"
    "  --ng-at K              answer \"NG\" to the K-th write frame without writing\n"
    "  --silent-after K       answer nothing from the (K+1)-th request on\n"
    "Driver files (no port is opened):\n"
    "  --write-drivers DIR    write the driver files of this panel into DIR/fsc/<En|sCh|Ru>/<GTK|HD6>/\n"
    "  --plc T                their PLC type index 0..39\n"
    "  --driver-values D1,D2,D3,D4,D5\n"
    "                         their driver values (default: model code, installed D2, 0, D4, D5)\n"
    "\n"
    "\n"
    "Numbers are decimal or 0x hexadecimal. SIGINT and SIGTERM end the simulator cleanly. Exit codes: 0, 1 "
    "after\n"
    "a violation or a failure of the line or the dumps (with --once also when no download finished), 2 bad\n"
    "usage.\n"
    "  -h, --help             show this help\n"
    "  -V, --version          show the version and the revision it was built from\n";

namespace {

constexpr int kPlcTypeCount = 40;
constexpr int kGtkFlag = 0x40;
constexpr int kCheckPlcFlag = 0x80;

struct BadUsage {
    std::string Message;
};

// What the rules collect besides the options themselves.
struct Parsing {
    SimulatorOptions Options;
    std::optional<int> IdentityFlags;
    std::optional<int> PlcProtocol;
    std::optional<DriverValues> DriverFileValues;
    bool Gtk = false;
    bool CheckPlc = false;
};

int Number(std::string_view text, int low, int high, std::string_view option) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || failure != std::errc{} || end != text.data() + text.size() || value < low ||
        value > high)
        throw BadUsage{std::string(option) + " needs a number from " + std::to_string(low) + " to " +
                       std::to_string(high)};
    return static_cast<int>(value);
}

uint8_t Byte(std::string_view text, std::string_view option) {
    return static_cast<uint8_t>(Number(text, 0, 255, option));
}

int Count(std::string_view text, std::string_view option) {
    return Number(text, 0, 1'000'000, option);
}

std::vector<uint8_t> ByteList(std::string_view text, size_t count, std::string_view option) {
    std::vector<uint8_t> bytes;
    for (;;) {
        const size_t comma = text.find(',');
        bytes.push_back(Byte(text.substr(0, comma), option));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (bytes.size() != count)
        throw BadUsage{std::string(option) + " needs " + std::to_string(count) +
                       " numbers separated by commas"};
    return bytes;
}

int ModelIndex(const std::string& text) {
    if (const std::optional<int> index = PanelModelOfCode(text)) return *index;
    return Number(text, 0, PanelModelCount - 1, "--model (an index or a code such as QX220)");
}

struct OptionRule {
    std::string_view Name;
    bool TakesValue;
    void (*Apply)(Parsing& parsing, const std::string& value);
};

// clang-format off
constexpr OptionRule kOptionRules[] = {
    {"--help",           false, [](Parsing& p, const std::string&) { p.Options.Help = true; }},
    {"-h",               false, [](Parsing& p, const std::string&) { p.Options.Help = true; }},
    {"--link",           true,  [](Parsing& p, const std::string& v) { p.Options.LinkPath = v; }},
    {"--line-rate",      false, [](Parsing& p, const std::string&) { p.Options.LineRate = true; }},
    {"--once",           false, [](Parsing& p, const std::string&) { p.Options.Once = true; }},
    {"--dump",           true,  [](Parsing& p, const std::string& v) { p.Options.DumpPath = v; }},
    {"--dump-flash",     true,  [](Parsing& p, const std::string& v) { p.Options.DumpFlashPath = v; }},
    {"--model",          true,  [](Parsing& p, const std::string& v) { p.Options.Panel.ModelIndex = ModelIndex(v); }},
    {"--model-code",     true,  [](Parsing& p, const std::string& v) { p.Options.Panel.ModelCode = Byte(v, "--model-code"); }},
    {"--system-version", true,  [](Parsing& p, const std::string& v) { p.Options.Panel.SystemVersion = Byte(v, "--system-version"); }},
    {"--display-flags",  true,  [](Parsing& p, const std::string& v) { p.Options.Panel.DisplayFlags = Byte(v, "--display-flags"); }},
    {"--identity-flags", true,  [](Parsing& p, const std::string& v) { p.IdentityFlags = Byte(v, "--identity-flags"); }},
    {"--gtk",            false, [](Parsing& p, const std::string&) { p.Gtk = true; }},
    {"--check-plc",      false, [](Parsing& p, const std::string&) { p.CheckPlc = true; }},
    {"--driver",         true,  [](Parsing& p, const std::string& v) {
        const std::vector<uint8_t> d = ByteList(v, 3, "--driver");
        p.Options.Panel.Installed = DriverValues{0, d[0], 0, d[1], d[2]};
    }},
    {"--plc-protocol",   true,  [](Parsing& p, const std::string& v) { p.PlcProtocol = Byte(v, "--plc-protocol"); }},
    {"--std",            true,  [](Parsing& p, const std::string& v) { p.Options.Panel.StdReplies = Count(v, "--std"); }},
    {"--split",          false, [](Parsing& p, const std::string&) { p.Options.Panel.SplitReplies = true; }},
    {"--bad-checksum",   true,  [](Parsing& p, const std::string& v) { p.Options.Panel.BadChecksums = Count(v, "--bad-checksum"); }},
    {"--ng-at",          true,  [](Parsing& p, const std::string& v) { p.Options.Panel.NgAtWrite = Count(v, "--ng-at"); }},
    {"--silent-after",   true,  [](Parsing& p, const std::string& v) { p.Options.Panel.SilentAfter = Count(v, "--silent-after"); }},
    {"--write-drivers",  true,  [](Parsing& p, const std::string& v) { p.Options.WriteDriversDir = v; }},
    {"--plc",            true,  [](Parsing& p, const std::string& v) { p.Options.PlcType = Number(v, 0, kPlcTypeCount - 1, "--plc"); }},
    {"--driver-values",  true,  [](Parsing& p, const std::string& v) {
        const std::vector<uint8_t> d = ByteList(v, 5, "--driver-values");
        p.DriverFileValues = DriverValues{d[0], d[1], d[2], d[3], d[4]};
    }},
};
// clang-format on

const OptionRule* FindRule(std::string_view name) {
    for (const OptionRule& rule : kOptionRules)
        if (rule.Name == name) return &rule;
    return nullptr;
}

// The defaults that depend on other options, and the combinations that make no sense.
void Complete(Parsing& parsing) {
    SimulatorOptions& options = parsing.Options;
    PanelOptions& panel = options.Panel;
    panel.IdentityFlags =
        static_cast<uint8_t>(parsing.IdentityFlags.value_or(panel.IdentityFlags) |
                             (parsing.Gtk ? kGtkFlag : 0) | (parsing.CheckPlc ? kCheckPlcFlag : 0));
    panel.PlcProtocol = static_cast<uint8_t>(parsing.PlcProtocol.value_or(panel.Installed.D2));
    const int modelCode = panel.ModelCode >= 0 ? panel.ModelCode : panel.ModelIndex + 1;
    options.DriverFileValues = parsing.DriverFileValues.value_or(DriverValues{
        static_cast<uint8_t>(modelCode), panel.Installed.D2, 0, panel.Installed.D4, panel.Installed.D5});

    const bool writesDrivers = !options.WriteDriversDir.empty();
    if (writesDrivers && options.PlcType < 0) throw BadUsage{"--write-drivers needs --plc"};
    if (!writesDrivers && (options.PlcType >= 0 || parsing.DriverFileValues))
        throw BadUsage{"--plc and --driver-values go with --write-drivers"};
}

}  // namespace

bool ParseSimulatorOptions(const std::vector<std::string>& args, SimulatorOptions& options,
                           std::string& error) {
    Parsing parsing;
    parsing.Options.Panel.Installed = DriverValues{0, 5, 0, 40, 1};
    try {
        for (size_t i = 0; i < args.size(); ++i) {
            const OptionRule* rule = FindRule(args[i]);
            if (rule == nullptr) throw BadUsage{"unknown option " + args[i]};
            std::string value;
            if (rule->TakesValue) {
                if (i + 1 == args.size()) throw BadUsage{args[i] + " needs a value"};
                value = args[++i];
            }
            rule->Apply(parsing, value);
        }
        if (!parsing.Options.Help) Complete(parsing);
    } catch (const BadUsage& usage) {
        error = usage.Message;
        return false;
    }
    options = parsing.Options;
    return true;
}

}  // namespace qxed::panelsim
