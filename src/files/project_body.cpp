#include <algorithm>
#include <limits>

#include "files/body_readers.h"
#include "files/file_element_records.h"
#include "files/project_records.h"

namespace qxed::records {

namespace {

constexpr int32_t kElementsReservedAhead = 4096;

}  // namespace

void StartLoading(Project& project, int32_t plcType) {
    project.ClearPages();
    project.Settings.PlcType = plcType;
    ResetProject(project);
}

void ReadPages(ByteReader& in, Project& project, ElementDataReader readData) {
    const int32_t pageCount = ReadCount(in, kPageRecordSize, std::numeric_limits<int32_t>::max());
    for (int32_t p = 0; p < pageCount; ++p) {
        Page page;
        ReadPageHead(in, page);
        const int32_t elementCount = ReadCount(in, kElementHeaderSize, std::numeric_limits<int32_t>::max());
        // Elements are large: growing the list would move every element again and again. The count is
        // within the bytes left but may still lie, so only a bounded part is reserved ahead.
        page.Elements.reserve(static_cast<std::size_t>(std::min(elementCount, kElementsReservedAhead)));
        for (int32_t e = 0; e < elementCount; ++e) {
            Element& element = page.Elements.emplace_back(MakeElement(project, ReadElementHeader(in)));
            readData(in, element);
        }
        project.AppendPage(std::move(page));
    }
}

void ReadAlarmTexts(ByteReader& in, Project& project, std::size_t slotSize) {
    const int32_t count = project.Settings.AlarmCount;
    CheckCount(in, count, slotSize, project.AlarmCapacity());
    for (int32_t i = 0; i < count; ++i)
        project.AlarmTexts[i] = in.TextSlot(slotSize);
}

void FinishLoading(Project& project) {
    if (project.Pages().empty()) {
        project.AddPage(1, "");
    } else {
        // The page list is kept in ascending number order, which a file written by the editor always has;
        // a file that lists its pages otherwise is put in order (a stable sort keeps pages of one number
        // as the file has them).
        project.Pages().sort([](const Page& a, const Page& b) { return a.Number < b.Number; });
    }
}

void ReadCurrentBody(ByteReader& in, Project& project) {
    // Every field of the block comes from the file; the reset for its PLC type gives the rest.
    const ProjectSettings settings = ReadSettings(in);
    StartLoading(project, settings.PlcType);
    project.Settings = settings;
    ReadPages(in, project, ReadElementData);
    ReadAlarmTexts(in, project, kShortTextSlot);
    project.GlobalKeyCount = ReadCount(in, kKeyActionSize, kGlobalKeySlots);
    for (int32_t i = 0; i < project.GlobalKeyCount; ++i)
        ReadKeyAction(in, project.GlobalKeys[i]);
}

}  // namespace qxed::records
