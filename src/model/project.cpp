#include "model/project.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/element_defaults.h"
#include "model/element_rules.h"
#include "model/panel_model.h"
#include "plc/operand_numbers.h"

namespace qxed {

namespace {

// Position of a page in the list, or -1.
std::ptrdiff_t IndexOf(const std::list<Page>& pages, const Page* page) {
    std::ptrdiff_t index = 0;
    for (const Page& p : pages) {
        if (&p == page) return index;
        ++index;
    }
    return -1;
}

}  // namespace

Project::Project(EditorDefaults defaults) : Defaults(std::move(defaults)) {
    NewProject(*this);
}

Project::Project(Project&& other) noexcept
    : Settings(other.Settings),
      AlarmTexts(std::move(other.AlarmTexts)),
      GlobalKeys(other.GlobalKeys),
      GlobalKeyCount(other.GlobalKeyCount),
      Defaults(std::move(other.Defaults)),
      pages_(std::move(other.pages_)) {
    other.pages_.clear();
}

Project& Project::operator=(Project&& other) noexcept {
    if (this != &other) {
        Settings = other.Settings;
        AlarmTexts = std::move(other.AlarmTexts);
        GlobalKeys = other.GlobalKeys;
        GlobalKeyCount = other.GlobalKeyCount;
        Defaults = std::move(other.Defaults);
        pages_ = std::move(other.pages_);
        other.pages_.clear();
    }
    return *this;
}

Project::FindResult Project::FindPage(uint16_t number) {
    FindResult result;
    for (Page& page : pages_) {
        if (page.Number == number) return FindResult{true, &page};
        if (page.Number > number) break;
        result.Position = &page;
    }
    return result;
}

Page& Project::AddPage(uint16_t number, std::string_view title) {
    Page page;
    page.Number = number;
    // A title cut inside a double-byte character would no longer decode.
    page.Title = CutAtCharacter(title, kShortTextCapacity, Defaults.TextCodePage);
    page.PrvPageNo = DefaultPrvPageNo(number);
    page.NxtPageNo = DefaultNxtPageNo(number);
    const FindResult found = FindPage(number);
    auto where = pages_.begin();
    if (found.Position) where = std::next(pages_.begin(), IndexOf(pages_, found.Position) + 1);
    return *pages_.insert(where, std::move(page));
}

bool Project::DeletePage(Page* page) {
    const std::ptrdiff_t index = IndexOf(pages_, page);
    if (index < 0) return pages_.empty();
    pages_.erase(std::next(pages_.begin(), index));
    return pages_.empty();
}

Page* Project::FindPrevPage(const Page* page) {
    Page* previous = nullptr;
    for (Page& p : pages_) {
        if (&p == page) return previous;
        previous = &p;
    }
    return nullptr;
}

void Project::ClearPages() {
    pages_.clear();
}

Page& Project::AppendPage(Page page) {
    pages_.push_back(std::move(page));
    return pages_.back();
}

int Project::AlarmCapacity() const {
    const PanelModel* model = FindPanelModel(Settings.CurrentModel);
    return model ? std::min(model->AlarmCapacity, kMaxAlarmTexts) : kMaxAlarmTexts;
}

bool Project::operator==(const Project& other) const {
    return Settings == other.Settings && AlarmTexts == other.AlarmTexts && GlobalKeys == other.GlobalKeys &&
           GlobalKeyCount == other.GlobalKeyCount && pages_ == other.pages_;
}

void ResetProject(Project& project) {
    ProjectSettings& s = project.Settings;
    const int plcType = s.PlcType;
    s.CurrentModel = static_cast<uint8_t>(project.Defaults.DefaultModel);
    s.PanelStation = 1;
    s.HomePageNo = 1;
    s.Password = kDefaultPassword;
    s.AlarmCount = 0;
    s.AlarmCoil = DefaultOperand(plcType, OperandKind::Coil);
    s.CtrlFlags = 0;
    s.CtrlReg = DefaultOperand(plcType, OperandKind::WordRegister);
    s.ReservedByte = 0;
    s.ModuleNum = 1;
    s.PanelStatusLedNum = 1;
    s.ScreenSaveTime = 3;
    s.ScreenSaveTurnOffLight = 1;
    s.ScreenSavePageNo = 1;
    s.BlueGroundWhiteText = 0;
    s.PowerBeep = 0;
    s.ExchangeWord = 0;
    s.WriteNWords = 0;
    for (std::string& text : project.AlarmTexts)
        text.clear();
    const KeyAction globalKey = NewGlobalKey(project);
    for (KeyAction& key : project.GlobalKeys)
        key = globalKey;
    project.GlobalKeyCount = 0;
}

void NewProject(Project& project) {
    ResetProject(project);
    project.ClearPages();
    project.AddPage(1, "");
}

}  // namespace qxed
