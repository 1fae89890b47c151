#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/byte_io.h"
#include "files/project_file.h"
#include "model/element.h"
#include "model/key_action.h"
#include "model/page.h"
#include "model/project.h"
#include "model/project_settings.h"
#include "plc/plc_address.h"

// The records of the project file, field by field, shared by the writer, the current reader and the
// readers of older versions.
namespace qxed::records {

// Slot sizes: the capacity plus the length byte.
constexpr std::size_t kVersionTextSlot = 11;
constexpr std::size_t kShortTextSlot = 41;
constexpr std::size_t kLongTextSlot = 121;
constexpr std::size_t kFontNameSlot = 129;

constexpr std::size_t kMagicSize = 6;
constexpr std::size_t kKeyActionSize = 47;
// The page record without its elements, and the element header: the least a page or an element takes,
// so that a count can be checked against the bytes left before anything is made for it.
constexpr std::size_t kPageRecordSize = 57;
constexpr std::size_t kElementHeaderSize = 14;

// The version from which the header holds the version text.
constexpr int32_t kFirstVersionWithText = 12;

// Byte 3 and "QX2": what every project file starts with.
bool StartsWithMagic(std::span<const uint8_t> bytes);

void WriteHeader(ByteWriter& out);
// Magic, version and (from version 12) the version text. Throws FormatError on a wrong magic or a short
// header.
ProjectFileHeader ReadHeader(ByteReader& in);

void WriteKeyAction(ByteWriter& out, const KeyAction& action);
void ReadKeyAction(ByteReader& in, KeyAction& action);

// The settings block with the alarm count as it is stored (see StoredAlarmCount).
void WriteSettings(ByteWriter& out, const ProjectSettings& settings, int32_t alarmCount);
// The whole block in the current layout. A model index outside the table is refused.
ProjectSettings ReadSettings(ByteReader& in);

// The alarm count the file gets: no more texts than the project's model holds, so that the file can be
// opened again.
int32_t StoredAlarmCount(const Project& project);

// Page number, title and links; the element count and the elements follow.
void WritePageHead(ByteWriter& out, const Page& page);
void ReadPageHead(ByteReader& in, Page& page);

// Reads a count and checks it: negative counts, and counts of records that the bytes left cannot hold
// (each taking at least minRecordSize bytes) or that exceed maxCount, are refused.
int32_t ReadCount(ByteReader& in, std::size_t minRecordSize, int64_t maxCount);
// The same check for a count already read.
void CheckCount(const ByteReader& in, int64_t count, std::size_t minRecordSize, int64_t maxCount);

}  // namespace qxed::records
