#include "vpanel/virtual_panel.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "image/image_format.h"
#include "model/panel_model.h"
#include "vpanel/element_fields.h"
#include "vpanel/page_renderer.h"
#include "vpanel/panel_keys.h"
#include "vpanel/register_format.h"

namespace qxed {

using namespace element_fields;
using namespace panel_keys;

namespace {

constexpr int kOptionAutoPage = 0, kOptionReportPage = 1, kOptionBlue = 3,
              kOptionDateTime = 5, kOptionAnalog = 6;
constexpr int kWordExchange = 0;
constexpr uint8_t kProtectedGlobalKey = 0x40;
constexpr int kTouch = -1;  // the key of a touch, for a momentary coil
constexpr int kMostDigits = 10;

bool Option(const DecodedImage& image, int bit) {
    return (image.Settings.Options.Bits >> bit & 1) != 0;
}

bool IsDigitKey(int code) {
    return code >= kNum0 && code < kNum0 + 10;
}

struct CivilTime {
    int Year, Month, Day, Hour, Minute, Second;
};

// The calendar time of a count of seconds since 2000-01-01 00:00:00.
CivilTime CivilTimeOf(int64_t seconds) {
    seconds = std::max<int64_t>(seconds, 0);
    int64_t days = seconds / 86400;
    CivilTime t{2000, 1, 1, static_cast<int>(seconds / 3600 % 24), static_cast<int>(seconds / 60 % 60),
                static_cast<int>(seconds % 60)};
    auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    // Whole 400-year cycles first, so that a far date costs no long loop.
    t.Year += static_cast<int>(days / 146097 * 400);
    days %= 146097;
    while (days >= (leap(t.Year) ? 366 : 365))
        days -= leap(t.Year++) ? 366 : 365;
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    auto length = [&](int month) { return kMonthDays[month - 1] + (month == 2 && leap(t.Year) ? 1 : 0); };
    while (days >= length(t.Month))
        days -= length(t.Month++);
    t.Day = static_cast<int>(days) + 1;
    return t;
}

uint16_t Bcd(int a, int b) {
    auto bcd = [](int v) { return (v / 10 % 10) << 4 | v % 10; };
    return static_cast<uint16_t>(bcd(a) << 8 | bcd(b));
}

}  // namespace

PanelStartResult VirtualPanel::Start(std::vector<uint8_t> bytes, int modelIndex, PanelFont font) {
    ImageReadResult read = ReadScreenDataImage(bytes, modelIndex);
    if (!read.Image) return {std::nullopt, read.Error};
    VirtualPanel panel;
    panel.bytes_ = std::move(bytes);
    panel.image_ = std::move(*read.Image);
    panel.font_ = std::make_shared<const PanelFont>(std::move(font));
    const PanelModel* model = FindPanelModel(modelIndex);
    panel.width_ = model->ScreenWidth;
    panel.height_ = model->ScreenHeight;
    panel.keys_ = ModelKeys(modelIndex);
    panel.plc_.SetExchangeWord((panel.image_.Settings.WordOptions.Bits >> kWordExchange & 1) != 0);

    // The control block: the enabled functions one after the other from CtrlReg.
    const DecodedImage& image = panel.image_;
    int next = 0;
    const ImageOperand first = image.Settings.CtrlReg;
    if (Option(image, kOptionAutoPage)) panel.autoPageReg_ = Advanced(first, next++);
    if (Option(image, kOptionReportPage)) panel.reportPageReg_ = Advanced(first, next++);
    if (Option(image, kOptionAnalog)) next += 16 * image.Settings.ModuleNum;
    if (Option(image, kOptionDateTime)) panel.dateTimeReg_ = Advanced(first, next);

    for (std::size_t i = 0; i < image.Elements.size(); ++i) {
        if (image.Elements[i].KindCode != 5) continue;
        panel.trendSamples_[i];
        panel.nextSample_[i] = int64_t{std::max<uint32_t>(Number(image.Elements[i], "SamplePeriod"), 1)} * 1000;
    }
    panel.currentPage_ = image.Settings.HomePageNo;
    panel.Follow();
    return {std::move(panel), {}};
}

bool VirtualPanel::BlueScreen() const {
    return Option(image_, kOptionBlue);
}

std::optional<std::size_t> VirtualPanel::EntryElement() const {
    if (!entry_) return std::nullopt;
    return entry_->Element;
}

std::optional<std::size_t> VirtualPanel::PageIndex(uint16_t number) const {
    for (std::size_t i = 0; i < image_.Pages.size(); ++i)
        if (image_.Pages[i].Number == number) return i;
    return std::nullopt;
}

const ImageElement* VirtualPanel::ElementOnPage(std::size_t index) const {
    const std::optional<std::size_t> page = PageIndex(currentPage_);
    if (!page || index >= image_.Elements.size() || image_.Elements[index].Page != *page) return nullptr;
    return &image_.Elements[index];
}

bool VirtualPanel::GoToPage(uint16_t number) {
    // A jump to a page the image does not have leaves the panel where it is.
    if (!PageIndex(number)) return false;
    currentPage_ = number;
    view_ = PanelView::Page;
    entry_.reset();
    return true;
}

bool VirtualPanel::ShowPage(uint16_t number) {
    const bool shown = GoToPage(number);
    Follow();
    return shown;
}

void VirtualPanel::ShowView(PanelView view) {
    view_ = view;
    entry_.reset();
    listTop_ = 0;
    password_.clear();
    passwordRefused_ = false;
}

void VirtualPanel::SetRegister(const ImageOperand& operand, uint16_t value) {
    plc_.SetWord(operand, value);
    Follow();
}

void VirtualPanel::SetCoil(const ImageOperand& operand, bool on) {
    plc_.SetCoil(operand, on);
    Follow();
}

void VirtualPanel::Follow() {
    if (autoPageReg_) {
        const uint16_t wanted = plc_.Word(*autoPageReg_);
        // Only a change of the register turns the page, so that the keys can still leave it.
        if (wanted != lastAutoPage_) {
            lastAutoPage_ = wanted;
            if (wanted != 0) GoToPage(wanted);
        }
    }
    if (reportPageReg_ && plc_.Word(*reportPageReg_) != currentPage_) plc_.SetWord(*reportPageReg_, currentPage_);
    if (dateTimeReg_) {
        // Year, month, day, hour, minute, second as BCD byte pairs.
        const CivilTime t = CivilTimeOf(DateTimeSeconds());
        const uint16_t words[3] = {Bcd(t.Year % 100, t.Month), Bcd(t.Day, t.Hour), Bcd(t.Minute, t.Second)};
        for (int k = 0; k < 3; ++k)
            if (plc_.Word(Advanced(*dateTimeReg_, k)) != words[k]) plc_.SetWord(Advanced(*dateTimeReg_, k), words[k]);
    }
}

bool VirtualPanel::KeyDown(int code) {
    if (std::find(keys_.begin(), keys_.end(), code) == keys_.end()) return false;
    idleSince_ = clock_;
    if (saverOn_) {  // the first key only wakes the panel
        saverOn_ = false;
        return true;
    }
    switch (view_) {
        case PanelView::Password:
            PasswordKey(code);
            break;
        case PanelView::AlarmList:
        case PanelView::DateTime:
            ListKey(code);
            break;
        case PanelView::Page:
            PageKey(code);
            break;
    }
    Follow();
    return true;
}

void VirtualPanel::KeyUp(int code) {
    const auto held = momentary_.find(code);
    if (held == momentary_.end()) return;
    plc_.SetCoil(held->second, false);
    momentary_.erase(held);
    Follow();
}

bool VirtualPanel::Press(int code) {
    const bool taken = KeyDown(code);
    KeyUp(code);
    return taken;
}

bool VirtualPanel::TouchDown(int x, int y) {
    idleSince_ = clock_;
    if (saverOn_) {
        saverOn_ = false;
        return true;
    }
    if (view_ != PanelView::Page) return false;
    const std::optional<std::size_t> page = PageIndex(currentPage_);
    if (!page) return false;
    for (std::size_t i = 0; i < image_.Elements.size(); ++i) {
        const ImageElement& e = image_.Elements[i];
        if (e.Page != *page || e.KindCode != 10) continue;
        const Rect r = TouchKeyRect(e);
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
        RunAction(KeyAction(e, "Action"), Bit(e, "Attribute", 6), kTouch);
        Follow();
        return true;
    }
    return false;
}

void VirtualPanel::TouchUp() {
    KeyUp(kTouch);
}

bool VirtualPanel::Touch(int x, int y) {
    const bool taken = TouchDown(x, y);
    TouchUp();
    return taken;
}

bool VirtualPanel::PageKey(int code) {
    if (entry_ && EntryKey(code)) return true;
    const std::optional<std::size_t> page = PageIndex(currentPage_);
    // A function key of the page comes first, then a global key, then the key's own role.
    if (page) {
        for (const ImageElement& e : image_.Elements) {
            if (e.Page != *page || e.KindCode != 4) continue;
            if (KeyOfPosition(static_cast<int>(Number(e, "KeyPosition"))) != code) continue;
            RunAction(KeyAction(e, "Action"), Bit(e, "Attribute", 6), code);
            return true;
        }
    }
    const std::vector<ImageGlobalKey>& globals = image_.Settings.GlobalKeys;
    for (std::size_t i = 0; i < globals.size(); ++i) {
        if (GlobalKeyCode(static_cast<int>(i), static_cast<int>(globals.size())) != code) continue;
        if (globals[i].Action.Function == 3) break;
        RunAction(globals[i].Action, (globals[i].Attribute & kProtectedGlobalKey) != 0, code);
        return true;
    }
    const ImagePage* current = page ? &image_.Pages[*page] : nullptr;
    switch (code) {
        case kUp:
        case kPrev:
            if (current != nullptr && current->PrvPageNo != 0) GoToPage(current->PrvPageNo);
            return true;
        case kDown:
        case kNext:
            if (current != nullptr && current->NxtPageNo != 0) GoToPage(current->NxtPageNo);
            return true;
        case kHome:
            GoToPage(image_.Settings.HomePageNo);
            return true;
        case kAlarm:
            ShowView(PanelView::AlarmList);
            return true;
        case kSet:
            StartEntry();
            return true;
        default:
            return false;
    }
}

void VirtualPanel::RunAction(const ImageKeyAction& action, bool protectedAction, int key) {
    // The jump to the password page is never protected: it is where the password is given.
    const bool toPassword = action.Function == 1 && action.Parameter == 1;
    if (protectedAction && !unlocked_ && !toPassword) {
        ShowView(PanelView::Password);
        pending_ = PendingAction{action, key, std::nullopt};
        return;
    }
    Perform(action, key);
}

void VirtualPanel::Perform(const ImageKeyAction& action, int key) {
    switch (action.Function) {
        case 0: {
            const ImageOperand& coil = action.Operand;
            switch (action.Parameter) {
                case 0:
                    plc_.SetCoil(coil, true);
                    break;
                case 1:
                    plc_.SetCoil(coil, false);
                    break;
                case 2:
                    plc_.SetCoil(coil, !plc_.Coil(coil));
                    break;
                case 3:
                    plc_.SetCoil(coil, true);
                    momentary_[key] = coil;
                    break;
                default:
                    break;
            }
            break;
        }
        case 1:
            switch (action.Parameter) {
                case 0:
                    GoToPage(action.PageNo);
                    break;
                case 1:
                    ShowView(PanelView::Password);
                    pending_.reset();
                    break;
                case 2:
                    ShowView(PanelView::AlarmList);
                    break;
                case 3:
                    ShowView(PanelView::DateTime);
                    break;
                default:
                    break;
            }
            break;
        case 2:
            plcRun_ = action.Parameter == 0;
            break;
        case 4:
            plc_.SetValue(action.Operand, action.Length, action.SetValue);
            break;
        default:
            break;
    }
}

void VirtualPanel::StartEntry() {
    // SET takes the first settable register of the page, then each next one, then ends the entry.
    const std::optional<std::size_t> page = PageIndex(currentPage_);
    if (!page) return;
    const std::size_t from = entry_ ? entry_->Element + 1 : 0;
    entry_.reset();
    for (std::size_t i = from; i < image_.Elements.size(); ++i) {
        const ImageElement& e = image_.Elements[i];
        if (e.Page != *page || e.KindCode != 2 || !Bit(e, "Attribute", 3)) continue;
        if (Bit(e, "Attribute", 6) && !unlocked_) {
            ShowView(PanelView::Password);
            pending_ = PendingAction{std::nullopt, -1, i};
            return;
        }
        entry_ = Entry{i, {}, false};
        return;
    }
}

bool VirtualPanel::EntryKey(int code) {
    const ImageElement& e = image_.Elements[entry_->Element];
    const RegisterFormat format = RegisterFormatOf(e);
    if (IsDigitKey(code)) {
        // No register shows more than ten digits; the cap also keeps the typed number within 64 bits.
        if (static_cast<int>(entry_->Digits.size()) < std::clamp(format.Digits, 1, kMostDigits))
            entry_->Digits += static_cast<char>('0' + code - kNum0);
        return true;
    }
    switch (code) {
        case kPlusMinus:
            if (format.Signed || format.Float) entry_->Negative = !entry_->Negative;
            return true;
        case kClr:
            entry_.reset();
            return true;
        case kSet:
            StartEntry();
            return true;
        case kEnt:
            FinishEntry();
            return true;
        default:
            return false;
    }
}

void VirtualPanel::FinishEntry() {
    const ImageElement& e = image_.Elements[entry_->Element];
    if (entry_->Digits.empty()) {
        entry_.reset();
        return;
    }
    const int64_t typed = std::stoll(entry_->Digits) * (entry_->Negative ? -1 : 1);
    const std::optional<uint32_t> value = EnteredRegisterValue(RegisterFormatOf(e), typed);
    if (!value) {
        // Refused: the register keeps its value and the entry starts over.
        entry_->Digits.clear();
        entry_->Negative = false;
        return;
    }
    plc_.SetValue(Operand(e, "Address"), static_cast<int>(Number(e, "Length")), *value);
    entry_.reset();
}

bool VirtualPanel::PasswordKey(int code) {
    if (IsDigitKey(code)) {
        if (password_.size() < 8) password_ += static_cast<char>('0' + code - kNum0);
        passwordRefused_ = false;
        return true;
    }
    if (code == kClr) {
        pending_.reset();
        ShowView(PanelView::Page);
        return true;
    }
    if (code != kEnt) return false;
    // The eight digits of the settings block; fewer typed digits are the low ones.
    const std::string typed = std::string(8 - password_.size(), '0') + password_;
    bool match = true;
    for (std::size_t k = 0; k < 8; ++k)
        match = match && image_.Settings.PasswordDigits[k] == typed[k] - '0';
    if (!match) {
        password_.clear();
        passwordRefused_ = true;
        return true;
    }
    unlocked_ = true;
    const std::optional<PendingAction> pending = pending_;
    pending_.reset();
    ShowView(PanelView::Page);
    // A momentary coil given after the password stays on while ENT is held.
    if (pending && pending->Action) Perform(*pending->Action, kEnt);
    if (pending && pending->EntryElement) entry_ = Entry{*pending->EntryElement, {}, false};
    return true;
}

bool VirtualPanel::ListKey(int code) {
    switch (code) {
        case kUp:
        case kPrev:
            listTop_ = std::max(listTop_ - 1, 0);
            return true;
        case kDown:
        case kNext:
            ++listTop_;
            return true;
        case kHome:
            GoToPage(image_.Settings.HomePageNo);
            return true;
        case kClr:
        case kAlarm:
        case kEnt:
            ShowView(PanelView::Page);
            return true;
        default:
            return false;
    }
}

void VirtualPanel::Advance(int64_t milliseconds) {
    if (milliseconds <= 0) return;
    const int64_t from = clock_;
    clock_ += milliseconds;
    SampleTrends(from, clock_);
    const uint32_t minutes = image_.Settings.ScreenSaveMinutes;
    if (minutes != 0 && !saverOn_ && clock_ - idleSince_ >= int64_t{minutes} * 60000) {
        saverOn_ = true;
        unlocked_ = false;
        entry_.reset();
    }
    Follow();
}

void VirtualPanel::SetDateTimeStart(int64_t seconds) {
    dateStart_ = seconds;
    Follow();
}

void VirtualPanel::SampleTrends(int64_t, int64_t to) {
    for (auto& [index, samples] : trendSamples_) {
        const ImageElement& e = image_.Elements[index];
        const int64_t period = int64_t{std::max<uint32_t>(Number(e, "SamplePeriod"), 1)} * 1000;
        const std::size_t points = std::max<uint32_t>(Number(e, "SamplePoints"), 1);
        int64_t& next = nextSample_[index];
        if (next > to) continue;
        // Every sample of a long step reads the same PLC state; only the last `points` of them stay.
        const int64_t due = (to - next) / period + 1;
        const uint32_t value = plc_.Value(Operand(e, "Address"), static_cast<int>(Number(e, "Length")));
        for (int64_t k = 0; k < std::min<int64_t>(due, static_cast<int64_t>(points)); ++k)
            samples.push_back(value);
        while (samples.size() > points)
            samples.pop_front();
        next += due * period;
    }
}

MonoBitmap VirtualPanel::Screen() const {
    MonoBitmap screen(width_, height_);
    if (saverOn_ && image_.Settings.ScreenSaveTurnOffLight != 0) return screen;
    RenderInput input{bytes_, &image_, font_.get(), &plc_, &trendSamples_, std::nullopt, {}};
    if (entry_) {
        input.EntryElement = entry_->Element;
        input.EntryText = (entry_->Negative ? "-" : "") + entry_->Digits;
    }
    if (saverOn_) {
        const std::optional<std::size_t> saverPage = PageIndex(image_.Settings.ScreenSavePageNo);
        if (saverPage) DrawPage(screen, input, *saverPage);
        return screen;
    }
    switch (view_) {
        case PanelView::Password:
            DrawPassword(screen);
            break;
        case PanelView::AlarmList:
            DrawAlarmList(screen);
            break;
        case PanelView::DateTime:
            DrawDateTime(screen);
            break;
        case PanelView::Page:
            if (const std::optional<std::size_t> page = PageIndex(currentPage_)) DrawPage(screen, input, *page);
            break;
    }
    return screen;
}

void VirtualPanel::DrawPassword(MonoBitmap& screen) const {
    DrawPanelText(screen, *font_, "PASSWORD:", 0, 0, 1, false);
    DrawPanelText(screen, *font_, std::string(password_.size(), '*'), 0, 16, 1, false);
    if (passwordRefused_) DrawPanelText(screen, *font_, "ERROR", 0, 32, 1, false);
}

void VirtualPanel::DrawAlarmList(MonoBitmap& screen) const {
    RenderInput input{bytes_, &image_, font_.get(), &plc_, nullptr, std::nullopt, {}};
    const std::size_t count = std::min<std::size_t>(image_.Settings.AlarmCount, image_.Alarms.size());
    int line = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!plc_.Coil(Advanced(image_.Settings.AlarmCoil, static_cast<int>(i)))) continue;
        const int row = line++ - listTop_;
        if (row >= 0 && row * 16 < height_) DrawImageText(screen, input, image_.Alarms[i].Text, 0, row * 16, 1, false);
    }
}

void VirtualPanel::DrawDateTime(MonoBitmap& screen) const {
    const CivilTime t = CivilTimeOf(DateTimeSeconds());
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "DATE %04d-%02d-%02d", t.Year, t.Month, t.Day);
    std::snprintf(time, sizeof time, "TIME %02d:%02d:%02d", t.Hour, t.Minute, t.Second);
    DrawPanelText(screen, *font_, date, 0, 0, 1, false);
    DrawPanelText(screen, *font_, time, 0, 16, 1, false);
}

std::vector<UsedOperand> VirtualPanel::UsedOperands() const {
    std::set<std::pair<bool, uint32_t>> used;
    auto words = [&](const ImageOperand& op, int count) {
        for (int k = 0; k < count; ++k)
            used.insert({false, OperandKey(Advanced(op, k))});
    };
    auto reg = [&](const ImageOperand& op, int length) { words(op, std::max((std::clamp(length, 0, 4) + 1) / 2, 1)); };
    auto action = [&](const ImageKeyAction& a) {
        if (a.Function == 0) used.insert({true, OperandKey(a.Operand)});
        if (a.Function == 4) reg(a.Operand, a.Length);
    };
    for (const ImageElement& e : image_.Elements) {
        switch (e.KindCode) {
            case 2:
            case 5:
            case 6:
                reg(Operand(e, "Address"), static_cast<int>(Number(e, "Length")));
                break;
            case 8:
            case 11:
                reg(Operand(e, "Address"), 2);
                break;
            case 12:
                words(Operand(e, "Address"), static_cast<int>((Number(e, "CharNum") + 1) / 2));
                break;
            case 3:
                used.insert({true, OperandKey(Operand(e, "Coil"))});
                break;
            case 4:
            case 10:
                action(KeyAction(e, "Action"));
                break;
            default:
                break;
        }
    }
    for (const ImageGlobalKey& key : image_.Settings.GlobalKeys)
        action(key.Action);
    for (std::size_t i = 0; i < std::min<std::size_t>(image_.Settings.AlarmCount, image_.Alarms.size()); ++i)
        used.insert({true, OperandKey(Advanced(image_.Settings.AlarmCoil, static_cast<int>(i)))});
    for (const auto& control : {autoPageReg_, reportPageReg_})
        if (control) words(*control, 1);
    if (dateTimeReg_) words(*dateTimeReg_, 3);
    std::vector<UsedOperand> list;
    for (const auto& [coil, key] : used)
        list.push_back(UsedOperand{OperandOfKey(key), coil});
    return list;
}

}  // namespace qxed
