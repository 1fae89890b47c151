#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "link/comm.h"
#include "model/key_codes.h"
#include "model/panel_model.h"
#include "plc/plc_catalogue.h"
#include "plc/plc_profile.h"
#include "text/ini_file.h"
#include "text/language.h"
#include "text/settings_paths.h"
#include "text_output.h"

namespace qxed::cli {

namespace {

using Json = nlohmann::ordered_json;

const char kHelp[] =
    "Usage: qxed-cli list models|plc|keys --model M|operands --plc T|ports [--json]\n"
    "\n"
    "Prints one of the tables the editor works from:\n"
    "  models     the panel models: index, code, name, screen size in dots, Z (editor units per 16 dots),\n"
    "             grid step, characters per line, keypad, touch keys, alarm capacity, global keys\n"
    "  plc        the PLC types: type, name, register and coil types, number bounds\n"
    "  keys       the keys of model M's keypad: code (an action's \"Key\") and name\n"
    "  operands   the operand lists of PLC type T, with the TypeIndex of each entry\n"
    "  ports      the serial ports of this machine and the COM<n> names that lead to them\n"
    "\n"
    "Options:\n"
    "  --model M   the model for 'keys': its index 0..12 or its code (QX210, qx420, ...)\n"
    "  --plc T     the PLC type for 'operands': 0..39 or its name\n"
    "  --json      the table as a JSON array of objects\n"
    "  -h, --help  show this help\n";

// A table both as aligned text columns and as JSON objects with the same keys.
class Table {
  public:
    explicit Table(std::vector<std::string> columns) : columns_(std::move(columns)) {}
    void Add(std::vector<Json> row) { rows_.push_back(std::move(row)); }

    std::string Text() const {
        std::vector<std::vector<std::string>> cells;
        std::vector<std::size_t> widths;
        cells.push_back(columns_);
        for (const std::vector<Json>& row : rows_) {
            std::vector<std::string> line;
            for (const Json& value : row)
                line.push_back(value.is_string() ? value.get<std::string>() : value.dump());
            cells.push_back(std::move(line));
        }
        for (const auto& line : cells) {
            widths.resize(std::max(widths.size(), line.size()));
            for (std::size_t i = 0; i < line.size(); ++i)
                widths[i] = std::max(widths[i], Width(line[i]));
        }
        std::string out;
        for (const auto& line : cells) {
            std::string text;
            for (std::size_t i = 0; i < line.size(); ++i) {
                text += line[i];
                if (i + 1 < line.size()) text += std::string(widths[i] - Width(line[i]) + 2, ' ');
            }
            out += text + "\n";
        }
        return out;
    }

    std::string JsonText() const {
        Json list = Json::array();
        for (const std::vector<Json>& row : rows_) {
            Json object = Json::object();
            for (std::size_t i = 0; i < row.size(); ++i)
                object[columns_[i]] = row[i];
            list.push_back(std::move(object));
        }
        return list.dump(2) + "\n";
    }

  private:
    // Columns are counted in characters, not bytes, so that names in Chinese line up as well as they can.
    static std::size_t Width(const std::string& text) {
        return static_cast<std::size_t>(std::count_if(
            text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    }

    std::vector<std::string> columns_;
    std::vector<std::vector<Json>> rows_;
};

Json Names(const std::vector<std::string>& names) {
    Json list = Json::array();
    for (const std::string& name : names)
        list.push_back(name);
    return list;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ",") + name;
    return text.empty() ? "-" : text;
}

Json Range(int32_t min, int32_t max) {
    if (min == 0 && max == 0) return "any";
    return std::to_string(min) + ".." + std::to_string(max);
}

std::string_view KeypadName(Keypad keypad) {
    const std::string_view section = KeypadSection(keypad);
    return section.empty() ? "none" : section;
}

Table Models(const Language& language) {
    Table table({"index", "code", "name", "width", "height", "Z", "grid", "chars", "keypad", "touch",
                 "alarms", "globalKeys"});
    for (int index = 0; index < PanelModelCount; ++index) {
        const PanelModel& m = *FindPanelModel(index);
        table.Add({m.Index, std::string(m.Code), language.TextUtf8(*m.DisplayName), m.ScreenWidth,
                   m.ScreenHeight, m.PreviewScale, m.GridStep, m.CharsPerLine,
                   std::string(KeypadName(m.KeypadLayout)), m.TouchKeys, m.AlarmCapacity,
                   m.GlobalKeyCount == kGlobalKeysUnchanged ? Json("-") : Json(m.GlobalKeyCount)});
    }
    return table;
}

Table PlcTypes(bool json) {
    Table table({"type", "name", "registers", "coils", "registerNumbers", "coilNumbers"});
    for (int type = 0; type < PlcTypeCount; ++type) {
        const PlcProfile profile = PlcProfileOf(type);
        table.Add({type, std::string(PlcIdentifier(type)),
                   json ? Names(profile.RegisterTypes) : Json(Joined(profile.RegisterTypes)),
                   json ? Names(profile.CoilTypes) : Json(Joined(profile.CoilTypes)),
                   Range(profile.RegisterNumberMin, profile.RegisterNumberMax),
                   Range(profile.CoilNumberMin, profile.CoilNumberMax)});
    }
    return table;
}

Table Keys(int model) {
    Table table({"code", "name"});
    for (int code : KeypadKeyCodes(FindPanelModel(model)->KeypadLayout))
        table.Add({code, std::string(SymbolName(*KeySymbolOf(code)))});
    return table;
}

int PlcOfArgument(const std::string& text) {
    for (int type = 0; type < PlcTypeCount; ++type)
        if (text == std::to_string(type) || SameLetters(text, PlcIdentifier(type))) return type;
    throw UsageError{"unknown PLC type " + text + " (0.." + std::to_string(PlcTypeCount - 1) +
                     " or a name of 'qxed-cli list plc')"};
}

Table Operands(int plc) {
    Table table({"list", "TypeIndex", "type", "usedBy"});
    const auto add = [&table](const std::vector<std::string>& names, const char* list, const char* usedBy) {
        for (std::size_t i = 0; i < names.size(); ++i)
            table.Add({list, static_cast<int>(i), names[i], usedBy});
    };
    add(RegisterTypeNames(plc, RegisterList::Full), "registers",
        "Reg, Trend, Bar Address; RegAddress of key actions");
    add(RegisterTypeNames(plc, RegisterList::WordAlone), "wordRegisters",
        "VarText, VarFontText, ASCIIText Address; settings.CtrlReg");
    add(PlcProfileOf(plc).CoilTypes, "coils", "Lamp and key action Coil; settings.AlarmCoil");
    return table;
}

// The serial devices of this machine, and for each the COM<n> names that the user's Qx200.Ini (section
// [Ports]) or the default /dev/ttyS<n-1> leads to it.
Table Ports() {
    Table table({"device", "com", "target"});
    std::vector<std::string> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("ttyS") || name.starts_with("ttyUSB") || name.starts_with("ttyACM"))
            devices.push_back(entry.path().string());
    }
    for (const auto& entry : std::filesystem::directory_iterator("/dev/serial/by-id", error))
        devices.push_back(entry.path().string());
    std::sort(devices.begin(), devices.end());
    const IniFile settings = IniFile::Load(UserSettingsPath());
    constexpr int kComNames = 256;
    for (const std::string& device : devices) {
        std::error_code same;
        std::vector<std::string> names;
        for (int n = 1; n <= kComNames; ++n) {
            const std::string com = "COM" + std::to_string(n);
            const std::string target = ResolvePortName(com);
            if (target == device || std::filesystem::equivalent(target, device, same)) names.push_back(com);
        }
        const std::filesystem::path resolved = std::filesystem::canonical(device, same);
        table.Add({device, Joined(names), same ? device : resolved.string()});
    }
    return table;
}

int Run(CommandContext& context) {
    const std::string& what = context.File();
    const bool json = context.Flag("--json");
    const std::optional<std::string> model = context.Option("--model");
    const std::optional<std::string> plc = context.Option("--plc");
    if (model && what != "keys") throw UsageError{"--model belongs to 'list keys'"};
    if (plc && what != "operands") throw UsageError{"--plc belongs to 'list operands'"};
    std::optional<Table> table;
    if (what == "models") table = Models(context.Session->Lang());
    if (what == "plc") table = PlcTypes(json);
    if (what == "keys") {
        if (!model) throw UsageError{"list keys needs --model M"};
        table = Keys(ModelOfArgument(*model));
    }
    if (what == "operands") {
        if (!plc) throw UsageError{"list operands needs --plc T"};
        table = Operands(PlcOfArgument(*plc));
    }
    if (what == "ports") table = Ports();
    if (!table) throw UsageError{"unknown table " + what + " (models, plc, keys, operands or ports)"};
    return WriteTextResult(context, json ? table->JsonText() : table->Text());
}

constexpr const char* kOptions[] = {"--model", "--plc"};
constexpr const char* kFlags[] = {"--json"};

}  // namespace

const Command kListCommand = {
    .Name = "list",
    .Summary = "list models|plc|keys|operands|ports  the model, PLC, key and port tables [--json]",
    .Help = kHelp,
    .FileName = "what to list (models, plc, keys, operands or ports)",
    .Output = OutputUse::None,
    .NoOutputReason = "list writes to standard output only",
    .ValueOptions = kOptions,
    .FlagOptions = kFlags,
    .Graphics = false,
    .Run = Run,
};

}  // namespace qxed::cli
