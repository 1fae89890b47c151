#include "image/image_reader.h"

#include <algorithm>

#include "image/image_format.h"
#include "image/image_reader_cursor.h"
#include "model/panel_model.h"

namespace qxed {

using namespace image_reader;
using namespace image_format;

namespace {

// clang-format off
constexpr std::array<const char*, 8> kOptionBits = {
    "AutoPageNo", "ReportPageNo", "", "BlueGroundWhiteText", "PanelStatusLed", "DateTime", "AnalogInputOutput",
    "PowerBeep"};
constexpr std::array<const char*, 8> kWordOptionBits = {"ExchangeWord", "WriteNWords", "", "", "", "", "", ""};
// clang-format on

// The start of the settings block's global key table: directory and fixed fields.
constexpr std::size_t kFixedHeader = kDirectorySize + kFixedSettingsSize;

struct Sections {
    std::size_t Header = 0;  // H
    std::size_t SingleByteGlyphs = 0;
    std::size_t PageTable = 0;  // G
    std::size_t AlarmDirectory = 0;
};

// The offset of a directory address, which must lie within lower..upper.
std::size_t OffsetOf(uint32_t address, const char* name, std::size_t lower, std::size_t upper) {
    if (address < kImageBase + lower || address > kImageBase + upper)
        Refuse("directory: the " + std::string(name) + " address " + Hex(address, 5) + " lies outside " +
               Hex(static_cast<uint32_t>(kImageBase + lower), 5) + ".." +
               Hex(static_cast<uint32_t>(kImageBase + upper), 5));
    return address - kImageBase;
}

Sections ReadDirectory(std::span<const uint8_t> bytes, int model, DecodedImage& image) {
    ImageCursor cursor(bytes, 0, kDirectorySize, "directory");
    ImageDirectory& directory = image.Directory;
    directory.PageTable = cursor.U32("page table address");
    directory.AlarmDirectory = cursor.U32("alarm directory address");
    directory.DoubleByteGlyphs = cursor.U32("double-byte glyph address");
    directory.SingleByteGlyphs = cursor.U32("single-byte glyph address");

    const std::size_t length = bytes.size();
    Sections sections;
    sections.Header = OffsetOf(directory.DoubleByteGlyphs, "double-byte glyph", kFixedHeader, length);
    const std::size_t keyBytes = sections.Header - kFixedHeader;
    if (!CarriesGlobalKeys(model) && keyBytes != 0)
        Refuse("directory: the double-byte glyph address " + Hex(directory.DoubleByteGlyphs, 5) +
               " leaves a settings block of " + std::to_string(sections.Header - kDirectorySize) +
               " bytes; model " + std::to_string(model) + " carries no global key table, expected " +
               std::to_string(kFixedSettingsSize) + " bytes (address " +
               Hex(static_cast<uint32_t>(kImageBase + kFixedHeader), 5) + ")");
    if (keyBytes % kGlobalKeyEntrySize != 0)
        Refuse("directory: the double-byte glyph address " + Hex(directory.DoubleByteGlyphs, 5) +
               " leaves a global key table of " + std::to_string(keyBytes) +
               " bytes, expected a multiple of " + std::to_string(kGlobalKeyEntrySize));

    sections.SingleByteGlyphs =
        OffsetOf(directory.SingleByteGlyphs, "single-byte glyph", sections.Header, length);
    if ((sections.SingleByteGlyphs - sections.Header) % kDoubleByteGlyphSize != 0)
        Refuse("directory: the double-byte glyphs from " + Where(sections.Header) + " to " +
               Where(sections.SingleByteGlyphs) + " are not a whole number of " +
               std::to_string(kDoubleByteGlyphSize) + "-byte glyphs");
    sections.PageTable = OffsetOf(directory.PageTable, "page table", sections.SingleByteGlyphs, length);
    if ((sections.PageTable - sections.SingleByteGlyphs) % kSingleByteGlyphSize != 0)
        Refuse("directory: the single-byte glyphs from " + Where(sections.SingleByteGlyphs) + " to " +
               Where(sections.PageTable) + " are not a whole number of " +
               std::to_string(kSingleByteGlyphSize) + "-byte glyphs");
    sections.AlarmDirectory =
        OffsetOf(directory.AlarmDirectory, "alarm directory", sections.PageTable, length);

    image.HeaderLength = static_cast<uint32_t>(sections.Header);
    image.DoubleByteCount =
        static_cast<uint32_t>((sections.SingleByteGlyphs - sections.Header) / kDoubleByteGlyphSize);
    image.SingleByteCount =
        static_cast<uint32_t>((sections.PageTable - sections.SingleByteGlyphs) / kSingleByteGlyphSize);
    return sections;
}

void ReadSettings(std::span<const uint8_t> bytes, const Sections& sections, ImageSettings& settings) {
    ImageCursor cursor(bytes, kDirectorySize, sections.Header, "settings block");
    settings.PanelStation = cursor.U8("PanelStation");
    settings.PageCount = cursor.U8("page count");
    settings.AlarmCount = cursor.U8("AlarmCount");
    settings.AlarmCoil = cursor.Operand("AlarmCoil");
    settings.HomePageNo = cursor.U16("HomePageNo");
    for (uint8_t& digit : settings.PasswordDigits)
        digit = cursor.U8("Password");
    for (uint8_t& complement : settings.PasswordComplements)
        complement = cursor.U8("Password complement");
    settings.BaudCode = cursor.U8("BaudCode");
    settings.Parity = cursor.U8("Parity");
    settings.SevenDataBits = cursor.U8("SevenDataBits");
    settings.OneStopBit = cursor.U8("OneStopBit");
    settings.Options = NameBits(cursor.U8("options"), kOptionBits);
    settings.WordOptions = NameBits(cursor.U8("word options"), kWordOptionBits);
    settings.CtrlReg = cursor.Operand("CtrlReg");
    settings.ModuleNum = cursor.U8("ModuleNum");
    settings.PanelStatusLedNum = cursor.U8("PanelStatusLedNum");
    settings.PlcLineCode = cursor.U8("PLC line code");
    settings.ScreenSaveMinutes = cursor.U8("ScreenSaveTime");
    settings.ScreenSaveTurnOffLight = cursor.U8("ScreenSaveTurnOffLight");
    settings.ScreenSavePageNo = cursor.U16("ScreenSavePageNo");
    // The directory check leaves whole entries up to H.
    while (cursor.Position() < cursor.End()) {
        ImageGlobalKey key;
        key.Attribute = cursor.U8("global key attribute");
        key.Action = cursor.KeyAction("global key action");
        settings.GlobalKeys.push_back(key);
    }
}

// Reads the page table and checks that each page's first entry follows the entries of the pages before.
// Returns the offset of the element directory.
std::size_t ReadPages(std::span<const uint8_t> bytes, const Sections& sections, DecodedImage& image) {
    const std::size_t pageCount = image.Settings.PageCount;
    ImageCursor cursor(bytes, sections.PageTable, sections.AlarmDirectory, "page table");
    std::size_t elementDirectory = sections.PageTable + kPageRecordSize * pageCount;
    std::size_t entries = 0;
    for (std::size_t i = 0; i < pageCount; ++i) {
        ImagePage page;
        page.Offset = static_cast<uint32_t>(cursor.Position());
        page.Number = cursor.U16("page Number");
        page.ElementCount = cursor.U8("page element count");
        page.PrvPageNo = cursor.U16("page PrvPageNo");
        page.NxtPageNo = cursor.U16("page NxtPageNo");
        page.FirstEntry = cursor.U32("page first entry address");
        const uint64_t expected = kImageBase + elementDirectory + kElementEntrySize * entries;
        if (page.FirstEntry != expected)
            Refuse("page table: page " + std::to_string(page.Number) + " (record " + std::to_string(i + 1) +
                   " at " + Where(page.Offset) + ") has first entry address " + Hex(page.FirstEntry, 5) +
                   ", expected " + Hex(static_cast<uint32_t>(expected), 5));
        entries += page.ElementCount;
        image.Pages.push_back(page);
    }
    return elementDirectory;
}

void ReadElements(std::span<const uint8_t> bytes, const Sections& sections, std::size_t elementDirectory,
                  DecodedImage& image) {
    ImageCursor cursor(bytes, elementDirectory, sections.AlarmDirectory, "element directory");
    for (std::size_t p = 0; p < image.Pages.size(); ++p) {
        for (std::size_t k = 0; k < image.Pages[p].ElementCount; ++k) {
            ImageElement element;
            element.EntryOffset = static_cast<uint32_t>(cursor.Position());
            element.Page = p;
            element.KindCode = cursor.U8("element kind code");
            element.Address = cursor.U32("element data address");
            image.Elements.push_back(std::move(element));
        }
    }

    // The records follow each other without gaps: each begins where the one before ends, the first right
    // after the directory, and the last ends where the alarm directory begins.
    const std::size_t dataStart = cursor.Position();
    std::size_t expected = dataStart;
    for (std::size_t i = 0; i < image.Elements.size(); ++i) {
        ImageElement& element = image.Elements[i];
        const std::string name = "element " + std::to_string(i + 1) + " (page " +
                                 std::to_string(image.Pages[element.Page].Number) + ", kind " +
                                 std::to_string(element.KindCode) + " " +
                                 std::string(ImageKindName(element.KindCode)) + ")";
        if (element.Address != kImageBase + expected)
            Refuse("element directory: " + name + " at " + Where(element.EntryOffset) + " points to " +
                   Hex(element.Address, 5) + ", expected " +
                   Hex(static_cast<uint32_t>(kImageBase + expected), 5) +
                   (i == 0 ? " where the element data begins" : " where the record before it ends"));
        // The next entry's address bounds this record.
        std::size_t end = sections.AlarmDirectory;
        if (i + 1 < image.Elements.size()) {
            const ImageElement& next = image.Elements[i + 1];
            if (next.Address < kImageBase + expected || next.Address > kImageBase + sections.AlarmDirectory)
                Refuse("element directory: entry " + std::to_string(i + 2) + " at " +
                       Where(next.EntryOffset) + " points to " + Hex(next.Address, 5) +
                       ", outside the element data from " +
                       Hex(static_cast<uint32_t>(kImageBase + expected), 5) + " to " +
                       Hex(static_cast<uint32_t>(kImageBase + sections.AlarmDirectory), 5));
            end = next.Address - kImageBase;
        }
        ImageCursor record(bytes, expected, end, name);
        element.Fields = ReadElementRecord(record, element.KindCode, image.Model);
        if (record.Position() != end)
            Refuse(name + ": the record at " + Where(expected) + " ends at " + Where(record.Position()) +
                   ", but " + (i + 1 < image.Elements.size() ? "the next record" : "the alarm directory") +
                   " begins at " + Where(end));
        element.Size = static_cast<uint32_t>(end - expected);
        expected = end;
    }
    if (expected != sections.AlarmDirectory)
        Refuse("directory: the alarm directory address " + Hex(image.Directory.AlarmDirectory, 5) +
               ", expected " + Hex(static_cast<uint32_t>(kImageBase + expected), 5) +
               " where the element data ends");
}

void ReadAlarms(std::span<const uint8_t> bytes, const Sections& sections, DecodedImage& image) {
    const std::size_t count = image.Settings.AlarmCount;
    ImageCursor directory(bytes, sections.AlarmDirectory, bytes.size(), "alarm directory");
    for (std::size_t i = 0; i < count; ++i)
        image.Alarms.push_back(ImageAlarm{directory.U32("alarm text address"), {}});

    ImageCursor texts(bytes, directory.Position(), bytes.size(), "alarm text area");
    for (std::size_t i = 0; i < count; ++i) {
        ImageAlarm& alarm = image.Alarms[i];
        if (alarm.Address != kImageBase + texts.Position())
            Refuse("alarm directory: alarm " + std::to_string(i + 1) + " at " +
                   Where(sections.AlarmDirectory + kAlarmEntrySize * i) + " points to " +
                   Hex(alarm.Address, 5) + ", expected " +
                   Hex(static_cast<uint32_t>(kImageBase + texts.Position()), 5) +
                   (i == 0 ? " where the alarm text area begins" : " where the text before it ends"));
        alarm.Text = texts.Text("alarm " + std::to_string(i + 1));
    }
    if (texts.Position() != bytes.size())
        Refuse("alarm text area: the texts end at " + Where(texts.Position()) +
               ", but the image goes on to " + Where(bytes.size()));
}

DecodedImage Decode(std::span<const uint8_t> bytes, int model) {
    if (bytes.size() > kLargestImage)
        Refuse("the image has " + std::to_string(bytes.size()) + " bytes, more than the largest image of " +
               std::to_string(kLargestImage));
    DecodedImage image;
    image.Model = model;
    image.Length = static_cast<uint32_t>(bytes.size());
    const Sections sections = ReadDirectory(bytes, model, image);
    ReadSettings(bytes, sections, image.Settings);
    const std::size_t elementDirectory = ReadPages(bytes, sections, image);
    ReadElements(bytes, sections, elementDirectory, image);
    ReadAlarms(bytes, sections, image);
    return image;
}

}  // namespace

uint32_t ImageField::Number() const {
    const uint32_t* number = std::get_if<uint32_t>(&Value);
    return number != nullptr ? *number : 0;
}

const ImageField* ImageElement::Find(std::string_view name) const {
    const auto found =
        std::find_if(Fields.begin(), Fields.end(), [&](const ImageField& f) { return f.Name == name; });
    return found != Fields.end() ? &*found : nullptr;
}

ImageReadResult ReadScreenDataImage(std::span<const uint8_t> bytes, int modelIndex) {
    if (FindPanelModel(modelIndex) == nullptr)
        return {std::nullopt, "panel model index " + std::to_string(modelIndex) + ", expected 0.." +
                                  std::to_string(PanelModelCount - 1)};
    try {
        return {Decode(bytes, modelIndex), {}};
    } catch (const ImageLayoutError& error) {
        return {std::nullopt, error.Message};
    }
}

}  // namespace qxed
