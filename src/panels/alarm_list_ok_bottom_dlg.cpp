#include "panels/alarm_list_ok_bottom_dlg.h"

#include <algorithm>

#include "model/element_rules.h"
#include "model/panel_model.h"
#include "panels/panel_context.h"
#include "plc/operand_numbers.h"
#include "plc/plc_profile.h"
#include "text/language.h"

namespace qxed {

namespace {

constexpr int kSchneider = 4;
constexpr int kModbusSlave = 29;
constexpr int kQx420 = 2;
constexpr int kQx421 = 7;

// The types whose alarm list starts on a whole word: the bit list shows its first entry and stays disabled.
constexpr int kWordAlignedTypes[] = {3, 4, 6, 10, 11, 12, 15, 24, 27, 28, 32};

bool StartsOnWord(int plcType) {
    return std::find(std::begin(kWordAlignedTypes), std::end(kWordAlignedTypes), plcType) !=
           std::end(kWordAlignedTypes);
}

// The step of the coil number field: ModbusSlave coils go in bytes of eight, Schneider "MX" words in pairs.
int32_t NumberStep(int plcType, int32_t coilTypeIndex) {
    if (plcType == kModbusSlave) return 8;
    if (plcType == kSchneider && coilTypeIndex != 0) return 2;
    return 1;
}

int32_t RoundDown(int32_t value, int32_t step) {
    const int32_t remainder = value % step;
    return remainder < 0 ? value - remainder - step : value - remainder;
}

}  // namespace

AlarmListOKBottomDlg::AlarmListOKBottomDlg(const Language& language)
    : asciiOnly_(language.LanguageIndex() == 0), coil_("AlarmCoil") {
    ApplyPlcProfile(ProjectSettings{}.PlcType);
    ApplyModel(0);
}

void AlarmListOKBottomDlg::ApplyPlcProfile(int plcType) {
    plcType_ = plcType;
    coil_.ApplyPlcProfile(plcType);
    KeepStartCoilRules();
    Publish();
}

void AlarmListOKBottomDlg::ApplyModel(int model) {
    const PanelModel* panel = FindPanelModel(model);
    if (panel == nullptr) panel = FindPanelModel(0);
    capacity_ = std::min(panel->AlarmCapacity, kImageAlarmMax);
    textBytes_ = panel->Index == kQx420 ? 40 : panel->Index == kQx421 ? 30 : 24;
    Tidy();
    Publish();
}

void AlarmListOKBottomDlg::SetView(AlarmListOKBottomDlgView* view) {
    view_ = view;
    Publish();
}

void AlarmListOKBottomDlg::FormShow(const ProjectSettings& settings,
                                    const std::array<std::string, kMaxAlarmTexts>& texts, CodePage codePage) {
    codePage_ = codePage;
    start_ = settings.AlarmCoil;
    KeepStartCoilRules();
    // A list longer than the capacity (read from a file) is shown whole, so that OK loses none of it.
    const auto count = static_cast<size_t>(std::clamp<int32_t>(settings.AlarmCount, 0, kMaxAlarmTexts));
    alarms_.assign(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(count));
    currentRow_ = 0;
    Tidy();
    Publish();
}

void AlarmListOKBottomDlg::KeepStartCoilRules() {
    if (plcType_ == kModbusSlave) {
        start_.Number = RoundDown(start_.Number, 8);
    } else if (StartsOnWord(plcType_)) {
        BitNumber split = SplitBitNumber(plcType_, start_.TypeIndex, start_.Number);
        if (plcType_ == kSchneider && start_.TypeIndex != 0) split.Word = RoundDown(split.Word, 2);
        start_.Number = ComposeBitNumber(plcType_, start_.TypeIndex, split.Word, 0);
    }
}

void AlarmListOKBottomDlg::AlarmCoilStationSpinEditChange(int32_t station) {
    if (const auto changed = coil_.StationSpinEditChange(start_, station)) start_ = *changed;
    Publish();
}

void AlarmListOKBottomDlg::AlarmCoilTypeComboBoxChange(int32_t index) {
    if (const auto changed = coil_.TypeComboBoxChange(start_, index)) start_ = *changed;
    KeepStartCoilRules();
    Publish();
}

void AlarmListOKBottomDlg::AlarmCoilNoSpinEditChange(int32_t word) {
    if (const auto changed = coil_.NoSpinEditChange(start_, word)) start_ = *changed;
    KeepStartCoilRules();
    Publish();
}

void AlarmListOKBottomDlg::AlarmCoilNoComboBoxChange(int32_t bit) {
    if (!StartsOnWord(plcType_))
        if (const auto changed = coil_.NoComboBoxChange(start_, bit)) start_ = *changed;
    Publish();
}

void AlarmListOKBottomDlg::AlarmListStringGridSelectCell(int row) {
    const int rows = static_cast<int>(grid_.Texts.size());
    if (row >= 0 && row < rows) currentRow_ = row;
    Publish();
}

void AlarmListOKBottomDlg::AlarmListStringGridSetEditText(int row, const std::string& text) {
    const auto rows = static_cast<int>(grid_.Texts.size());
    if (row < 0 || row >= rows || (asciiOnly_ && HasNonAscii(text))) return Publish();
    const auto index = static_cast<size_t>(row);
    if (index < alarms_.size())
        alarms_[index] = text;
    else if (!text.empty())
        alarms_.push_back(text);
    currentRow_ = row;
    Tidy();
    Publish();
}

// Trailing alarms without text go, down to none; an empty text between two alarms stays an alarm.
void AlarmListOKBottomDlg::Tidy() {
    bool removed = false;
    while (!alarms_.empty() && alarms_.back().empty()) {
        alarms_.pop_back();
        removed = true;
    }
    const int rows =
        static_cast<int>(alarms_.size()) + (static_cast<int>(alarms_.size()) < capacity_ ? 1 : 0);
    if (removed || currentRow_ >= rows) currentRow_ = rows - 1;
    currentRow_ = std::max(currentRow_, 0);
}

AlarmListChoice AlarmListOKBottomDlg::OKBtnClick() const {
    AlarmListChoice choice;
    choice.Count = static_cast<int32_t>(alarms_.size());
    choice.Coil = start_;
    for (size_t i = 0; i < alarms_.size(); ++i)
        choice.Texts[i] = CutAtCharacter(alarms_[i], textBytes_, codePage_);
    return choice;
}

void AlarmListOKBottomDlg::Publish() {
    PanelState fields;
    coil_.Fill(start_, fields);
    fields.Controls.at("AlarmCoilNoSpinEdit").Step = NumberStep(plcType_, start_.TypeIndex);
    if (StartsOnWord(plcType_)) fields.Controls.at("AlarmCoilNoComboBox").Enabled = false;
    const bool anyAlarm = !alarms_.empty();
    for (const char* control : {"AlarmCoilStationSpinEdit", "AlarmCoilTypeComboBox", "AlarmCoilNoSpinEdit",
                                "AlarmCoilNoComboBox", "AlarmCoilStationNoLabel", "AlarmCoilDotLabel"})
        if (!anyAlarm) fields.Controls[control].Enabled = false;
    fields.Plain("AlarmCoilNoLabel", true, anyAlarm);

    AlarmGridState grid;
    int32_t number = start_.Number;
    for (const std::string& text : alarms_) {
        grid.Coils.push_back(FormatBitAddress(plcType_, start_.TypeIndex, number));
        grid.Texts.push_back(text);
        number = NextCoilNumber(plcType_, number);
    }
    if (static_cast<int>(alarms_.size()) < capacity_) {
        grid.Coils.emplace_back();
        grid.Texts.emplace_back();
    }
    grid.CurrentRow = currentRow_;
    grid.TextColumnWidth = static_cast<int>(grid.Texts.size()) < kGridRowsBeforeScrolling ? 171 : 154;

    fields_ = std::move(fields);
    grid_ = std::move(grid);
    if (view_ != nullptr) view_->ShowState(fields_, grid_);
}

}  // namespace qxed
