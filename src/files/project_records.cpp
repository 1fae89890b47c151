#include "files/project_records.h"

#include <algorithm>
#include <limits>

#include "files/binary_fields.h"
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

void WriteKeyAction(ByteWriter& out, const KeyAction& action) {
    FieldWriter writer(out);
    fields::VisitFields(writer, action);
}

void ReadKeyAction(ByteReader& in, KeyAction& action) {
    FieldReader reader(in);
    fields::VisitFields(reader, action);
}

void WriteSettings(ByteWriter& out, const ProjectSettings& settings, int32_t alarmCount) {
    ProjectSettings stored = settings;
    stored.AlarmCount = alarmCount;
    FieldWriter writer(out);
    fields::VisitFields(writer, stored);
}

ProjectSettings ReadSettings(ByteReader& in) {
    ProjectSettings settings;
    FieldReader reader(in);
    fields::VisitFields(reader, settings);
    if (FindPanelModel(settings.CurrentModel) == nullptr) throw FormatError("unknown panel model");
    return settings;
}

int32_t StoredAlarmCount(const Project& project) {
    return std::clamp<int32_t>(project.Settings.AlarmCount, 0, project.AlarmCapacity());
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
