#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "files/byte_io.h"
#include "model/element.h"
#include "model/project.h"

// The readers of the project file's body, after the header, one per file version, and the steps they
// share. Each fills a project and throws FormatError when the bytes do not hold what the version says.
namespace qxed::records {

using BodyReader = void (*)(ByteReader& in, Project& project, int32_t version);

// The reader of a version; nullptr when the version has none.
BodyReader BodyReaderOf(int32_t version);

// Versions 28 and 29.
void ReadCurrentBody(ByteReader& in, Project& project);
// Versions 1 to 27, each by its layouts (older_layouts.h).
void ReadOlderBody(ByteReader& in, Project& project, int32_t version);

// Empties the project, takes the PLC type and resets every setting, alarm text and global key to the
// defaults of that type: what a file does not store keeps them.
void StartLoading(Project& project, int32_t plcType);

// Reads one element's data in a version's layout into an element made for its kind.
using ElementDataReader = std::function<void(ByteReader& in, Element& element)>;
// The page count and the pages with their elements; the page record and the element header are the same
// in every version.
void ReadPages(ByteReader& in, Project& project, ElementDataReader readData);

// AlarmCount texts into entries 1..AlarmCount, each in a slot of slotSize bytes. A count beyond the
// model's alarm list is refused.
void ReadAlarmTexts(ByteReader& in, Project& project, std::size_t slotSize);

// The pages in number order; a file without pages gets an empty page 1, as the page list is never
// empty.
void FinishLoading(Project& project);

}  // namespace qxed::records
