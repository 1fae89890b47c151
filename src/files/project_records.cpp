#include "files/project_records.h"

#include <algorithm>
#include <limits>

#include "model/panel_model.h"

namespace qxed::records {

namespace {

constexpr uint8_t kMagic[] = {3, 'Q', 'X', '2'};

}  // namespace

bool StartsWithMagic(std::span<const uint8_t> bytes) {
    return bytes.size() >= sizeof kMagic && std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin());
}

void WriteHeader(ByteWriter& out) {
    out.Bytes(kMagic);
    out.Zeros(kMagicSize - sizeof kMagic);
    out.I32(kProjectVersion);
    out.TextSlot(kProjectVersionText, kVersionTextSlot);
}

ProjectFileHeader ReadHeader(ByteReader& in) {
    if (!StartsWithMagic(in.Bytes(kMagicSize))) throw FormatError("not a project file");
    ProjectFileHeader header;
    header.Version = in.I32();
    if (header.Version >= kFirstVersionWithText) header.VersionText = in.TextSlot(kVersionTextSlot);
    return header;
}

void WritePlcAddress(ByteWriter& out, const PlcAddress& address) {
    out.I32(address.Station);
    out.I32(address.TypeIndex);
    out.I32(address.Number);
}

PlcAddress ReadPlcAddress(ByteReader& in) {
    PlcAddress address;
    address.Station = in.I32();
    address.TypeIndex = in.I32();
    address.Number = in.I32();
    return address;
}

void WriteKeyAction(ByteWriter& out, const KeyAction& action) {
    out.I32(action.Key);
    out.U8(action.Disappear);
    out.U8(action.WithHand);
    out.U8(action.Encrypt);
    out.U8(action.Function);
    WritePlcAddress(out, action.Coil);
    out.U8(action.CoilAction);
    out.U8(action.Jump);
    out.I32(action.PageNo);
    out.U8(action.PlcStop);
    WritePlcAddress(out, action.RegAddress);
    out.I32(action.RegNum);
    out.I32(action.SetValue);
}

void ReadKeyAction(ByteReader& in, KeyAction& action) {
    action.Key = in.I32();
    action.Disappear = in.U8();
    action.WithHand = in.U8();
    action.Encrypt = in.U8();
    action.Function = in.U8();
    action.Coil = ReadPlcAddress(in);
    action.CoilAction = in.U8();
    action.Jump = in.U8();
    action.PageNo = in.I32();
    action.PlcStop = in.U8();
    action.RegAddress = ReadPlcAddress(in);
    action.RegNum = in.I32();
    action.SetValue = in.I32();
}

void WriteStoredFont(ByteWriter& out, const FontDesc& font) {
    out.U8(font.Charset);
    out.U32(font.Color);
    out.I32(font.Height);
    out.TextSlot(font.Name, kFontNameSlot);
    out.U8(font.Pitch);
    out.I32(font.Size);
    out.U8(font.Style);
}

FontDesc ReadStoredFont(ByteReader& in) {
    FontDesc font;
    font.Charset = in.U8();
    font.Color = in.U32();
    font.SetHeight(in.I32());
    font.Name = in.TextSlot(kFontNameSlot);
    font.Pitch = in.U8();
    font.SetSize(in.I32());
    font.Style = in.U8();
    return font;
}

void WriteSettings(ByteWriter& out, const ProjectSettings& s, int32_t alarmCount) {
    out.I32(s.PlcType);
    out.U8(s.CurrentModel);
    out.I32(s.PanelStation);
    out.I32(s.HomePageNo);
    out.I32(s.Password);
    out.I32(alarmCount);
    WritePlcAddress(out, s.AlarmCoil);
    out.U8(s.BaudCode);
    out.U8(s.Parity);
    out.U8(s.SevenDataBits);
    out.U8(s.OneStopBit);
    out.U8(s.CtrlFlags);
    WritePlcAddress(out, s.CtrlReg);
    out.U8(s.ReservedByte);
    out.I32(s.ModuleNum);
    out.I32(s.PanelStatusLedNum);
    out.I32(s.ScreenSaveTime);
    out.U8(s.ScreenSaveTurnOffLight);
    out.I32(s.ScreenSavePageNo);
    out.U8(s.BlueGroundWhiteText);
    out.U8(s.PowerBeep);
    out.U8(s.ExchangeWord);
    out.U8(s.WriteNWords);
}

void ReadSettingsAfterPlcType(ByteReader& in, ProjectSettings& s) {
    s.CurrentModel = in.U8();
    if (FindPanelModel(s.CurrentModel) == nullptr) throw FormatError("unknown panel model");
    s.PanelStation = in.I32();
    s.HomePageNo = in.I32();
    s.Password = in.I32();
    s.AlarmCount = in.I32();
    s.AlarmCoil = ReadPlcAddress(in);
    s.BaudCode = in.U8();
    s.Parity = in.U8();
    s.SevenDataBits = in.U8();
    s.OneStopBit = in.U8();
    s.CtrlFlags = in.U8();
    s.CtrlReg = ReadPlcAddress(in);
    s.ReservedByte = in.U8();
    s.ModuleNum = in.I32();
    s.PanelStatusLedNum = in.I32();
    s.ScreenSaveTime = in.I32();
    s.ScreenSaveTurnOffLight = in.U8();
    s.ScreenSavePageNo = in.I32();
    s.BlueGroundWhiteText = in.U8();
    s.PowerBeep = in.U8();
    s.ExchangeWord = in.U8();
    s.WriteNWords = in.U8();
}

int AlarmCapacityOfModel(int model) {
    const PanelModel* panel = FindPanelModel(model);
    return std::min(panel != nullptr ? panel->AlarmCapacity : kMaxAlarmTexts, kMaxAlarmTexts);
}

int32_t StoredAlarmCount(const Project& project) {
    return std::clamp<int32_t>(project.Settings.AlarmCount, 0,
                               AlarmCapacityOfModel(project.Settings.CurrentModel));
}

void WritePageHead(ByteWriter& out, const Page& page) {
    out.U16(page.Number);
    out.Zeros(2);
    out.TextSlot(page.Title, kShortTextSlot);
    out.U16(page.PrvPageNo);
    // The forward link is stored twice; readers take the second copy.
    out.U16(page.NxtPageNo);
    out.U16(page.NxtPageNo);
    out.Zeros(2);
}

void ReadPageHead(ByteReader& in, Page& page) {
    page.Number = in.U16();
    in.Skip(2);
    page.Title = in.TextSlot(kShortTextSlot);
    page.PrvPageNo = in.U16();
    in.Skip(2);
    page.NxtPageNo = in.U16();
    in.Skip(2);
}

void CheckCount(const ByteReader& in, int64_t count, std::size_t minRecordSize, int64_t maxCount) {
    if (count < 0 || count > maxCount) throw FormatError("count out of range");
    if (minRecordSize > 0 && static_cast<uint64_t>(count) > in.Remaining() / minRecordSize) {
        throw FormatError("count beyond the end of the file");
    }
}

int32_t ReadCount(ByteReader& in, std::size_t minRecordSize, int64_t maxCount) {
    const int32_t count = in.I32();
    CheckCount(in, count, minRecordSize, maxCount);
    return count;
}

}  // namespace qxed::records
