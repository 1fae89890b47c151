#include "image/settings_block.h"

#include <array>

#include "image/image_format.h"
#include "image/operand_encoding.h"
#include "model/project.h"

namespace qxed {

namespace {

// The delay list of the panel settings dialog, in minutes.
constexpr std::array<int, 11> kScreenSaveMinutes = {0, 1, 2, 3, 5, 10, 15, 20, 30, 45, 60};
constexpr int kUnlistedScreenSaveMinutes = 3;

// Where the control flags and display options land in the option byte.
struct OptionBit {
    uint8_t CtrlFlag;
    uint8_t Bit;
};
constexpr std::array<OptionBit, 5> kCtrlFlagBits = {{
    {ProjectSettings::kAutoPageNo, 0x01},
    {ProjectSettings::kReportPageNo, 0x02},
    {ProjectSettings::kPanelStatusLed, 0x10},
    {ProjectSettings::kDateTime, 0x20},
    {ProjectSettings::kAnalogInputOutput, 0x40},
}};
constexpr uint8_t kBlueGroundWhiteTextBit = 0x08;
constexpr uint8_t kPowerBeepBit = 0x80;

constexpr uint8_t kEncryptedKey = 0x40;
constexpr int kPasswordDigits = 8;

uint8_t OptionByte(const ProjectSettings& s) {
    uint8_t options = 0;
    for (const OptionBit& option : kCtrlFlagBits) {
        if ((s.CtrlFlags & option.CtrlFlag) != 0) options |= option.Bit;
    }
    if (s.BlueGroundWhiteText != 0) options |= kBlueGroundWhiteTextBit;
    if (s.PowerBeep != 0) options |= kPowerBeepBit;
    return options;
}

// Eight decimal digits, most significant first: a shorter password gets leading zeros, a longer one keeps its
// last eight digits. A negative password has no digits and is refused.
void WritePassword(ImageBuffer& out, int32_t password) {
    if (password < 0) {
        out.Refuse();
        password = 0;
    }
    std::array<uint8_t, kPasswordDigits> digits{};
    int32_t rest = password;
    for (int k = kPasswordDigits - 1; k >= 0; --k) {
        digits[static_cast<std::size_t>(k)] = static_cast<uint8_t>(rest % 10);
        rest /= 10;
    }
    out.Bytes(digits);
    for (uint8_t digit : digits)
        out.U8(static_cast<uint8_t>(~digit));
}

}  // namespace

int ScreenSaveMinutes(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(kScreenSaveMinutes.size()))
        return kUnlistedScreenSaveMinutes;
    return kScreenSaveMinutes[static_cast<std::size_t>(index)];
}

void WriteGlobalKeys(ImageBuffer& out, const Project& project) {
    if (!image_format::CarriesGlobalKeys(project.Settings.CurrentModel)) return;
    const int32_t count = project.GlobalKeyCount;
    if (count < 0 || count > kGlobalKeySlots) {
        out.Refuse();
        return;
    }
    const int plcType = project.Settings.PlcType;
    for (int32_t i = 0; i < count; ++i) {
        const KeyAction& key = project.GlobalKeys[static_cast<std::size_t>(i)];
        const int64_t length = OperandLength(key.RegNum, key.RegAddress, plcType);
        if (length < 0 || length > 0xFF || key.PageNo < 0 || key.PageNo > 0xFFFF) out.Refuse();
        out.U8(key.Encrypt != 0 ? kEncryptedKey : 0);
        out.Bytes(KeyActionBlock(key, plcType));
    }
}

void WriteSettingsBlock(ImageBuffer& out, const Project& project, std::size_t pageCount,
                        std::span<const uint8_t> globalKeys) {
    const ProjectSettings& s = project.Settings;
    out.U8(s.PanelStation);
    out.U8(static_cast<int64_t>(pageCount));
    out.U8(s.AlarmCount);
    out.Bytes(EncodeBitOperand(s.AlarmCoil, s.PlcType));
    out.U16(s.HomePageNo);
    WritePassword(out, s.Password);
    out.U8(s.BaudCode);
    out.U8(s.Parity);
    out.U8(s.SevenDataBits);
    out.U8(s.OneStopBit);
    out.U8(OptionByte(s));
    out.U8((s.ExchangeWord != 0 ? 0x01 : 0) | (s.WriteNWords != 0 ? 0x02 : 0));
    out.Bytes(EncodeWordOperand(s.CtrlReg, s.PlcType));
    out.U8(s.ModuleNum);
    out.U8(s.PanelStatusLedNum);
    out.U8(s.PlcType == 1 ? 0 : 0x20);
    out.U8(ScreenSaveMinutes(s.ScreenSaveTime));
    out.U8(s.ScreenSaveTurnOffLight);
    out.U16(s.ScreenSavePageNo);
    out.Bytes(globalKeys);
}

}  // namespace qxed
