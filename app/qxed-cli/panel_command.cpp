#include <charconv>
#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "files/data_file.h"
#include "image/glyph_store.h"
#include "image/image_build.h"
#include "silent_progress.h"
#include "standard_output.h"
#include "text/settings_paths.h"
#include "text/texts.h"
#include "vpanel/panel_script.h"
#include "vpanel/screen_picture.h"
#include "vpanel/virtual_panel.h"

namespace qxed::cli {

namespace {

const char kHelp[] =
    "Usage: qxed-cli panel FILE [--model M] [--page N] [--plc STATE.json] [--keys \"F1 DOWN 1 2 ENT\"]\n"
    "                          [--scale K] [--state-out STATE.json] -o SCREEN.png\n"
    "\n"
    "Runs a compiled project on the virtual panel, as the panel would run it beside a PLC, and writes its\n"
    "screen as SCREEN.png in the panel's colours. FILE is a project file or its JSON form (compiled first, as\n"
    "'build' does), a data file (.odp), or a screen data image as 'build' writes it, with --model.\n"
    "The panel starts on the home page with every register and coil of the simulated PLC at 0.\n"
    "\n"
    "Operands are named as the image carries them: \"reg:STATION:TYPE:NUMBER\" for a 16-bit register and\n"
    "\"coil:STATION:TYPE:NUMBER\" for a coil, TYPE being the image's type code. --state-out lists every\n"
    "operand the image uses.\n"
    "\n"
    "Options:\n"
    "  --model M               the panel model of an image file: its index 0..12 or its code (QX210, ...)\n"
    "  --page N                start on page N instead of the home page\n"
    "  --plc STATE.json        the PLC state to start from: a JSON object of operand names to values\n"
    "                          (registers 0..65535 or -32768..-1, coils 0, 1, true or false)\n"
    "  --keys \"KEYS\"           the keys to press in order, separated by blanks: HOME LEFT RIGHT UP DOWN\n"
    "                          SET ENT ALARM CLR +- 0..9 PREV NEXT F1..F10 K1..K10; TOUCH:X,Y touches the\n"
    "                          screen at dot (X, Y); WAIT:MS lets MS milliseconds pass on the panel's clock\n"
    "  --scale K               enlarge the screen K times (1..16, nearest neighbour; 1 by default)\n"
    "  --state-out STATE.json  write the PLC state after the keys, in the form --plc reads\n"
    "  -o, --output SCREEN.png the picture to write (required; not FILE itself)\n"
    "  --data-dir DIR          read Language.Ini from DIR\n"
    "  -h, --help              show this help\n";

int NumberOfArgument(const std::string& text, const char* option, int low, int high) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || number < low || number > high)
        throw UsageError{std::string(option) + " " + text + " is not a number " + std::to_string(low) + ".." +
                         std::to_string(high)};
    return number;
}

struct PanelInput {
    std::vector<uint8_t> Image;
    int Model = 0;
};

// The image and model of FILE: a data file carries both, an image needs --model, a project is compiled.
// `model` is -1 when --model was not given.
std::optional<PanelInput> ReadPanelInput(CommandContext& context, int model) {
    CliSession& session = *context.Session;
    const std::string& file = context.File();
    const std::optional<std::string> bytes = ReadInputFile(file);
    if (!bytes) return std::nullopt;
    if (IsDataFile(*bytes)) {
        if (model >= 0) throw UsageError{"--model is for image files; a data file names its own model"};
        const std::optional<DataFileContents> contents = ImportData(file, session.Lang(), session.Prompts());
        if (!contents) return std::nullopt;
        return PanelInput{contents->Image, contents->CurrentModel};
    }
    if (model >= 0) return PanelInput{std::vector<uint8_t>(bytes->begin(), bytes->end()), model};

    Project project = session.NewProject();
    if (!OpenProjectBytes(session, file, *bytes, project)) return std::nullopt;
    ImageBuildContext build;
    build.Texts = &session.Lang();
    build.Language = static_cast<TextLanguage>(session.Lang().LanguageIndex());
    build.GlyphFolder = ProgramFolder();
    SilentProgress progress;
    BuildOutcome outcome = PreparePageContent(project, build, progress, session.Prompts());
    if (outcome.Status != BuildStatus::Built) {
        if (outcome.Status == BuildStatus::Cancelled) std::cerr << "qxed-cli: the build was cancelled\n";
        return std::nullopt;
    }
    return PanelInput{std::move(outcome.Image.Bytes), project.Settings.CurrentModel};
}

// Applies a PLC state file; false after its message.
bool ApplyPlcState(VirtualPanel& panel, const std::string& file) {
    const std::optional<std::string> text = ReadInputFile(file);
    if (!text) return false;
    const nlohmann::json state = nlohmann::json::parse(*text, nullptr, false);
    if (state.is_discarded() || !state.is_object()) {
        std::cerr << file << ": not a JSON object of operand names to values\n";
        return false;
    }
    for (const auto& [name, value] : state.items()) {
        const std::optional<NamedOperand> operand = ParseOperandName(name);
        if (!operand) {
            std::cerr << file << ": \"" << name
                      << "\" is no operand (reg:STATION:TYPE:NUMBER or coil:STATION:TYPE:NUMBER)\n";
            return false;
        }
        if (operand->Coil) {
            if (value.is_boolean()) {
                panel.SetCoil(operand->Operand, value.get<bool>());
                continue;
            }
            if (value.is_number_integer() && (value.get<int64_t>() == 0 || value.get<int64_t>() == 1)) {
                panel.SetCoil(operand->Operand, value.get<int64_t>() == 1);
                continue;
            }
            std::cerr << file << ": " << name << ": a coil is 0, 1, true or false\n";
            return false;
        }
        if (!value.is_number_integer() || value.get<int64_t>() < -32768 || value.get<int64_t>() > 65535) {
            std::cerr << file << ": " << name << ": a register holds -32768..65535\n";
            return false;
        }
        panel.SetRegister(operand->Operand, static_cast<uint16_t>(value.get<int64_t>()));
    }
    return true;
}

// Every operand the image uses and every one written, with its value.
std::string PlcStateText(const VirtualPanel& panel) {
    nlohmann::ordered_json state = nlohmann::ordered_json::object();
    std::map<std::string, int> values;
    for (const UsedOperand& used : panel.UsedOperands())
        values[OperandName(used.Operand, used.Coil)] =
            used.Coil ? panel.Plc().Coil(used.Operand) : panel.Plc().Word(used.Operand);
    for (const auto& [key, word] : panel.Plc().Words())
        values[OperandName(OperandOfKey(key), false)] = word;
    for (const auto& [key, on] : panel.Plc().Coils())
        values[OperandName(OperandOfKey(key), true)] = on ? 1 : 0;
    for (const auto& [name, value] : values)
        state[name] = value;
    return state.dump(2) + "\n";
}

int Run(CommandContext& context) {
    const std::optional<std::string> modelText = context.Option("--model");
    const int model = modelText ? ModelOfArgument(*modelText) : -1;
    const std::optional<std::string> pageText = context.Option("--page");
    const int page = pageText ? NumberOfArgument(*pageText, "--page", 0, 65535) : -1;
    const int scale = NumberOfArgument(context.Option("--scale").value_or("1"), "--scale", 1, 16);
    const ScriptParse script = ParseKeyScript(context.Option("--keys").value_or(""));
    if (!script.Error.empty()) throw UsageError{"--keys: " + script.Error};

    std::optional<PanelInput> input = ReadPanelInput(context, model);
    if (!input) return kExitFailure;
    std::optional<PanelFont> font = PanelFont::Load(ProgramFolder());
    if (!font) {
        std::cerr << ProgramFolder() << "/" << kSingleByteGlyphFile
                  << ": the panel's own font (256 glyphs of 16 bytes) cannot be read\n";
        return kExitFailure;
    }
    PanelStartResult started = VirtualPanel::Start(std::move(input->Image), input->Model, std::move(*font));
    if (!started.Panel) {
        std::cerr << context.File() << ": " << started.Error << '\n';
        return kExitFailure;
    }
    VirtualPanel& panel = *started.Panel;
    if (page >= 0 && !panel.ShowPage(static_cast<uint16_t>(page))) {
        std::cerr << context.File() << ": there is no page " << page << '\n';
        return kExitFailure;
    }
    if (const std::optional<std::string> plc = context.Option("--plc"); plc && !ApplyPlcState(panel, *plc))
        return kExitFailure;
    if (const std::string failed = RunKeyScript(panel, script.Steps); !failed.empty()) {
        std::cerr << "qxed-cli: --keys: " << failed << '\n';
        return kExitFailure;
    }

    const std::vector<uint8_t> png = EncodePng(ScreenPicture(panel, scale));
    const std::string& output = *context.Parsed.Output;
    if (png.empty() || !WriteWholeFile(output, std::string(png.begin(), png.end()))) {
        context.Session->ReportAbout(output, texts::CanNotSaveFile);
        return kExitFailure;
    }
    if (const std::optional<std::string> stateOut = context.Option("--state-out")) {
        if (!WriteWholeFile(*stateOut, PlcStateText(panel))) {
            context.Session->ReportAbout(*stateOut, texts::CanNotSaveFile);
            return kExitFailure;
        }
    }
    return kExitOk;
}

constexpr const char* kOptions[] = {"--model", "--page", "--plc", "--keys", "--scale", "--state-out"};

}  // namespace

const Command kPanelCommand = {
    .Name = "panel",
    .Summary = "panel FILE -o PNG            the virtual panel's screen [--keys K] [--plc S] [--state-out S]",
    .Help = kHelp,
    .FileName = "FILE",
    .Output = OutputUse::Required,
    .ValueOptions = kOptions,
    .Graphics = true,
    .Run = Run,
};

}  // namespace qxed::cli
