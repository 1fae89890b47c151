#include <algorithm>

#include "files/file_element_records.h"
#include "files/project_file.h"
#include "files/project_records.h"

namespace qxed {

namespace {

// Enough room for typical projects in one allocation: the fixed parts plus a guess per element.
std::size_t ExpectedSize(const Project& project) {
    std::size_t size =
        128 + records::kShortTextSlot * kMaxAlarmTexts + records::kKeyActionSize * kGlobalKeySlots;
    for (const Page& page : project.Pages())
        size += records::kPageRecordSize + page.Elements.size() * 128;
    return size;
}

}  // namespace

std::vector<uint8_t> SerializeProject(const Project& project) {
    using namespace records;
    ByteWriter out(ExpectedSize(project));
    WriteHeader(out);

    const int32_t alarmCount = StoredAlarmCount(project);
    WriteSettings(out, project.Settings, alarmCount);

    out.I32(static_cast<int32_t>(project.Pages().size()));
    for (const Page& page : project.Pages()) {
        WritePageHead(out, page);
        out.I32(static_cast<int32_t>(page.Elements.size()));
        for (const Element& element : page.Elements)
            WriteElement(out, element);
    }

    for (int32_t i = 0; i < alarmCount; ++i)
        out.TextSlot(project.AlarmTexts[i], kShortTextSlot);

    const int32_t keyCount = std::clamp<int32_t>(project.GlobalKeyCount, 0, kGlobalKeySlots);
    out.I32(keyCount);
    for (int32_t i = 0; i < keyCount; ++i)
        WriteKeyAction(out, project.GlobalKeys[i]);
    return out.Take();
}

}  // namespace qxed
