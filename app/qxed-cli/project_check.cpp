#include "project_check.h"

#include <algorithm>
#include <set>

#include "files/field_rules.h"
#include "files/record_fields.h"
#include "model/editor_units.h"
#include "model/key_codes.h"
#include "model/panel_model.h"
#include "plc/operand_numbers.h"
#include "plc/plc_profile.h"
#include "workbench/element_rect.h"

namespace qxed::cli {

namespace {

using fields::FieldRule;

std::string Member(const std::string& path, std::string_view name) {
    return path.empty() ? std::string(name) : path + "." + std::string(name);
}

std::string Index(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// Which operand list an address is read against.
enum class OperandList { Registers, WordRegisters, Coils };

OperandList ListOf(std::string_view record, std::string_view name) {
    if (name == "Coil" || name == "AlarmCoil") return OperandList::Coils;
    if (name == "CtrlReg" || record == "VarText" || record == "VarFontText" || record == "ASCIIText")
        return OperandList::WordRegisters;
    return OperandList::Registers;
}

// What every check of one project shares.
struct Scope {
    const Project& Proj;
    const PanelModel& Model;
    TextLanguage Language;
    PlcProfile Profile;
    std::set<uint16_t> PageNumbers;
    std::vector<Finding>& Out;

    void Error(const std::string& path, const std::string& message) const {
        Out.push_back({Severity::Error, path, message});
    }
    void Warning(const std::string& path, const std::string& message) const {
        Out.push_back({Severity::Warning, path, message});
    }
    bool HasPage(int64_t number) const {
        return number >= 0 && number <= 65535 && PageNumbers.contains(static_cast<uint16_t>(number));
    }
    int Dots(int32_t units) const { return ToPanelDots(units, Model.PreviewScale); }
};

std::string CodeList(const FieldRule& rule) {
    std::string list;
    for (const fields::FieldCode& code : rule.Codes)
        list += (list.empty() ? "" : ", ") + std::to_string(code.Value) + " " + std::string(code.Meaning);
    return list;
}

// The value against the field's editing range or code list.
void CheckValue(const Scope& scope, const std::string& path, const FieldRule* rule, int64_t value) {
    if (rule == nullptr) return;
    if (!rule->Codes.empty()) {
        if (!fields::CodeMeaning(*rule, static_cast<int>(value)) || value != static_cast<int>(value))
            scope.Error(path, "the code " + std::to_string(value) + " is none of " + CodeList(*rule));
        return;
    }
    if (value < rule->Min || value > rule->Max)
        scope.Error(path, "the value " + std::to_string(value) + " is outside " + std::to_string(rule->Min) +
                              ".." + std::to_string(rule->Max));
}

// Element texts take only ASCII when the language is English: the editor undoes any other byte.
bool LanguageRefuses(TextLanguage language, std::string_view text) {
    return language == TextLanguage::En && std::any_of(text.begin(), text.end(), [](char c) {
               return static_cast<unsigned char>(c) >= 0x80;
           });
}

void CheckOperand(const Scope& scope, const std::string& path, const PlcAddress& address, OperandList list) {
    const int plc = scope.Proj.Settings.PlcType;
    const std::vector<std::string> types =
        list == OperandList::Coils
            ? scope.Profile.CoilTypes
            : RegisterTypeNames(
                  plc, list == OperandList::WordRegisters ? RegisterList::WordAlone : RegisterList::Full);
    if (types.empty()) return;  // a PLC type without operand lists takes any operand
    if (address.TypeIndex < 0 || static_cast<std::size_t>(address.TypeIndex) >= types.size()) {
        scope.Error(Member(path, "TypeIndex"), "the operand type " + std::to_string(address.TypeIndex) +
                                                   " is not in the PLC type's list 0.." +
                                                   std::to_string(types.size() - 1));
        return;
    }
    int32_t min = 0;
    int32_t max = 0;
    int64_t number = address.Number;
    if (list == OperandList::Coils) {
        min = scope.Profile.CoilNumberMin;
        max = scope.Profile.CoilNumberMax;
        if (BitFieldOf(plc, address.TypeIndex) != BitField::None && address.Number >= 0)
            number = SplitBitNumber(plc, address.TypeIndex, address.Number).Word;
    } else {
        min = scope.Profile.RegisterNumberMin;
        max = scope.Profile.RegisterNumberMax;
        number = ShownRegisterNumber(plc, address.Number);
    }
    if ((min != 0 || max != 0) && (number < min || number > max))
        scope.Error(Member(path, "Number"), "the operand " +
                                                types[static_cast<std::size_t>(address.TypeIndex)] +
                                                std::to_string(number) + " is outside the PLC type's " +
                                                std::to_string(min) + ".." + std::to_string(max));
}

// Where a key action is: an element's or one of the global keys.
enum class ActionOwner { FuncKey, TouchKey, Global };

// Walks one record's field list and checks every field against its row.
class FieldChecker {
  public:
    FieldChecker(const Scope& scope, std::string path, std::string_view record)
        : scope_(scope), path_(std::move(path)), record_(record) {}

    void Int(const char* name, int32_t value) { CheckValue(scope_, Member(path_, name), Rule(name), value); }
    void Byte(const char* name, uint8_t value) { CheckValue(scope_, Member(path_, name), Rule(name), value); }
    void Color(const char*, uint32_t) {}
    void Text(const char* name, const std::string& text, int) {
        const std::string path = Member(path_, name);
        if (record_ == "Font") return;
        if (IsElementText()) CheckElementText(path, text);
    }
    void Address(const char* name, const PlcAddress& address) {
        const std::string path = Member(path_, name);
        CheckOperand(scope_, path, address, ListOf(record_, name));
    }
    void Action(const char* name, const KeyAction& action) {
        CheckAction(scope_, Member(path_, name), action,
                    record_ == "TouchKey" ? ActionOwner::TouchKey : ActionOwner::FuncKey);
    }
    void Font(const char* name, const FontDesc& font) {
        FieldChecker nested(scope_, Member(path_, name), "Font");
        fields::VisitFields(nested, font);
    }
    void TextTable(const char* countName, const char* textsName, int32_t count, const VarTextTable& texts,
                   int) {
        CheckValue(scope_, Member(path_, countName), Rule(countName), count);
        const int used = std::clamp(count, 0, kVarTextEntries);
        for (int i = 0; i < used; ++i)
            CheckElementText(Index(Member(path_, textsName), static_cast<std::size_t>(i)),
                             texts[static_cast<std::size_t>(i)]);
    }
    void Bitmap(const char*, const std::vector<uint8_t>&) {}

    static void CheckAction(const Scope& scope, const std::string& path, const KeyAction& action,
                            ActionOwner owner) {
        FieldChecker nested(scope, path, "KeyAction");
        fields::VisitFields(nested, action);
        if (action.Function == KeyAction::kNoFunction && owner != ActionOwner::Global)
            scope.Error(Member(path, "Function"),
                        "the code 3 (no function) is for global function keys only");
        if (owner != ActionOwner::TouchKey) {
            const std::span<const int> keys = KeypadKeyCodes(scope.Model.KeypadLayout);
            if (std::find(keys.begin(), keys.end(), action.Key) == keys.end())
                scope.Error(Member(path, "Key"), "the key code " + std::to_string(action.Key) +
                                                     " is not on the " + std::string(scope.Model.Code) +
                                                     "'s keypad");
        }
        if (action.Function == KeyAction::kPageJump && action.Jump == 0 && !scope.HasPage(action.PageNo))
            scope.Warning(Member(path, "PageNo"), "the key jumps to page " + std::to_string(action.PageNo) +
                                                      ", which does not exist");
    }

  private:
    const FieldRule* Rule(std::string_view name) const { return fields::FindFieldRule(record_, name); }
    bool IsElementText() const { return record_ == "Text" || record_ == "FontText" || record_ == "TouchKey"; }
    void CheckElementText(const std::string& path, const std::string& text) const {
        if (LanguageRefuses(scope_.Language, text))
            scope_.Error(path, "English texts take only ASCII characters; the editor would refuse this one");
        const bool builtinFont = record_ == "Text" || record_ == "VarText";
        if (builtinFont && text.size() > static_cast<std::size_t>(scope_.Model.CharsPerLine))
            scope_.Error(path, "the text has " + std::to_string(text.size()) + " bytes, more than the " +
                                   std::to_string(scope_.Model.CharsPerLine) +
                                   " characters per line of the " + std::string(scope_.Model.Code));
    }

    const Scope& scope_;
    std::string path_;
    std::string_view record_;
};

void CheckGraph(const Scope& scope, const std::string& path, const GraphFields& graph, int minimumDots) {
    for (const auto& [name, units] : {std::pair{"Width", graph.Width}, std::pair{"Height", graph.Height}}) {
        if (scope.Dots(units) < minimumDots)
            scope.Error(Member(path, name), std::to_string(scope.Dots(units)) + " dots, less than the " +
                                                std::to_string(minimumDots) + " the graph needs");
    }
    if (graph.ZeroValue >= graph.FullValue)
        scope.Error(Member(path, "ZeroValue"), "the zero value " + std::to_string(graph.ZeroValue) +
                                                   " is not below the full value " +
                                                   std::to_string(graph.FullValue));
}

// The rules that tie fields of one element together, and the ones the model sets.
void CheckKindRules(const Scope& scope, const std::string& path, const Element& element) {
    if (const auto* reg = element.If<RegFields>()) {
        if (reg->DecimalDigits > reg->Digits)
            scope.Error(Member(path, "DecimalDigits"), std::to_string(reg->DecimalDigits) +
                                                           " decimal digits, more than the " +
                                                           std::to_string(reg->Digits) + " digits shown");
        if (reg->Float != 0 && reg->Convert != 0)
            scope.Error(Member(path, "Convert"),
                        "a floating-point value cannot be converted; Float excludes Convert");
    }
    if (const auto* trend = element.If<TrendFields>()) {
        CheckGraph(scope, path, *trend, 16);
        const int most = scope.Dots(trend->Width) - 2;
        if (trend->SamplePoints > most)
            scope.Error(Member(path, "SamplePoints"), std::to_string(trend->SamplePoints) +
                                                          " samples, more than the " + std::to_string(most) +
                                                          " the graph's width allows");
    }
    if (const auto* bar = element.If<BarFields>()) CheckGraph(scope, path, *bar, 8);
    if (const auto* key = element.If<TouchKeyFields>()) {
        if (key->Indicate != 0 && key->Action.Function != KeyAction::kSetCoil)
            scope.Error(Member(path, "Indicate"), "the indicator belongs to the set-coil function only");
    }
    if (const auto* varText = element.If<VarTextFields>()) {
        if (varText->MaxLen > scope.Model.CharsPerLine)
            scope.Error(Member(path, "MaxLen"), std::to_string(varText->MaxLen) + ", more than the " +
                                                    std::to_string(scope.Model.CharsPerLine) +
                                                    " characters per line");
    }
    if (const auto* ascii = element.If<ASCIITextFields>()) {
        const int budget = scope.Model.AlarmCapacity > 128 ? 32 : 16;
        const int width = std::max(1, RegisterWidth(scope.Proj.Settings.PlcType, ascii->Address.TypeIndex));
        if (ascii->Num > budget / width)
            scope.Error(Member(path, "Num"), std::to_string(ascii->Num) + " registers of " +
                                                 std::to_string(width) + " bytes, more than the " +
                                                 std::to_string(budget) + " bytes a string holds on the " +
                                                 std::string(scope.Model.Code));
    }
}

void CheckPlacement(const Scope& scope, const std::string& path, const Element& element) {
    const Rect rect = ElementRect(
        element, RectContextOf(scope.Proj.Settings.CurrentModel, scope.Proj.Defaults.TextCodePage));
    const Size screen = PreviewImageSize(scope.Proj.Settings.CurrentModel);
    const std::string size = std::to_string(screen.Width) + "x" + std::to_string(screen.Height);
    if (rect.Right <= 0 || rect.Bottom <= 0 || rect.Left >= screen.Width || rect.Top >= screen.Height)
        scope.Error(path, "the element lies wholly outside the screen (" + size + " editor units)");
    else if (rect.Left < 0 || rect.Top < 0 || rect.Right > screen.Width || rect.Bottom > screen.Height)
        scope.Error(path, "the element reaches outside the screen (" + size + " editor units): it spans " +
                              std::to_string(rect.Left) + ".." + std::to_string(rect.Right) + " x " +
                              std::to_string(rect.Top) + ".." + std::to_string(rect.Bottom));
}

void CheckElement(const Scope& scope, const std::string& path, const Element& element) {
    if (!IsKnownKind(element.Kind)) {
        scope.Error(Member(path, "Kind"),
                    "the kind " + std::to_string(element.Kind) + " is unknown; the panel cannot show it");
        return;
    }
    if (element.Kind == static_cast<int32_t>(ElementKind::TouchKey) && !scope.Model.TouchKeys) {
        scope.Error(Member(path, "Kind"), "the " + std::string(scope.Model.Code) + " has no touch screen");
    }
    FieldChecker header(scope, path, "element");
    fields::VisitHeader(header, element);
    FieldChecker kind(scope, path, KindName(element.Kind));
    fields::VisitKindFields(kind, element.Fields);
    CheckKindRules(scope, path, element);
    CheckPlacement(scope, path, element);
}

// A link that the editor made (the page before, the page after) may well lead nowhere: the key then does
// nothing. One that was set by hand to a missing page is worth a word.
void CheckPageLink(const Scope& scope, const std::string& path, uint16_t link, uint16_t made) {
    if (link != made && !scope.HasPage(link))
        scope.Warning(path, "the link leads to page " + std::to_string(link) + ", which does not exist");
}

void CheckPages(const Scope& scope) {
    std::size_t pageIndex = 0;
    for (const Page& page : scope.Proj.Pages()) {
        const std::string path = Index("pages", pageIndex++);
        CheckValue(scope, Member(path, "Number"), fields::FindFieldRule("page", "Number"), page.Number);
        CheckPageLink(scope, Member(path, "PrvPageNo"), page.PrvPageNo, DefaultPrvPageNo(page.Number));
        CheckPageLink(scope, Member(path, "NxtPageNo"), page.NxtPageNo, DefaultNxtPageNo(page.Number));
        std::size_t elementIndex = 0;
        for (const Element& element : page.Elements)
            CheckElement(scope, Index(Member(path, "elements"), elementIndex++), element);
    }
}

void CheckSettings(const Scope& scope) {
    const ProjectSettings& settings = scope.Proj.Settings;
    FieldChecker checker(scope, "settings", "settings");
    fields::VisitFields(checker, settings);
    if (settings.AlarmCount > scope.Model.AlarmCapacity)
        scope.Error("settings.AlarmCount", std::to_string(settings.AlarmCount) +
                                               " alarm texts, more than the " +
                                               std::to_string(scope.Model.AlarmCapacity) + " the " +
                                               std::string(scope.Model.Code) + " holds");
    if (!scope.HasPage(settings.HomePageNo))
        scope.Warning("settings.HomePageNo",
                      "the master page " + std::to_string(settings.HomePageNo) + " does not exist");
    if (settings.ScreenSaveTurnOffLight == 0 && !scope.HasPage(settings.ScreenSavePageNo))
        scope.Warning("settings.ScreenSavePageNo", "the screen saver shows page " +
                                                       std::to_string(settings.ScreenSavePageNo) +
                                                       ", which does not exist");
    if (settings.ModuleNum > std::max(scope.Profile.AnalogModuleMax, 1) && (settings.CtrlFlags & 0x10) != 0)
        scope.Error("settings.ModuleNum",
                    std::to_string(settings.ModuleNum) + " analog modules, more than the " +
                        std::to_string(scope.Profile.AnalogModuleMax) + " the PLC type takes");
}

void CheckGlobalKeys(const Scope& scope) {
    const int count = scope.Proj.GlobalKeyCount;
    const int offered = scope.Model.GlobalKeyCount == kGlobalKeysUnchanged ? 0 : scope.Model.GlobalKeyCount;
    if (count > offered)
        scope.Error("GlobalKeyCount", std::to_string(count) + " global function keys, more than the " +
                                          std::to_string(offered) + " the " + std::string(scope.Model.Code) +
                                          " offers");
    const int used = std::clamp(count, 0, kGlobalKeySlots);
    for (int i = 0; i < used; ++i)
        FieldChecker::CheckAction(scope, Index("GlobalKeys", static_cast<std::size_t>(i)),
                                  scope.Proj.GlobalKeys[static_cast<std::size_t>(i)], ActionOwner::Global);
}

}  // namespace

std::vector<Finding> CheckProject(const Project& project, const CheckContext& context) {
    std::vector<Finding> findings;
    Scope scope{project,
                *FindPanelModel(project.Settings.CurrentModel),
                context.Language,
                PlcProfileOf(project.Settings.PlcType),
                {},
                findings};
    for (const Page& page : project.Pages())
        scope.PageNumbers.insert(page.Number);
    CheckSettings(scope);
    CheckGlobalKeys(scope);
    CheckPages(scope);
    return findings;
}

}  // namespace qxed::cli
