#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Reads a screen data image back into its parts, so that an engineer can see what the panel receives.
// Every pointer is checked against the layout the panel relies on; an image that breaks it is refused
// with the offset and what was expected there.
namespace qxed {

// A PLC operand as the panel receives it: station, the PLC type's own type code, operand number.
struct ImageOperand {
    uint8_t Station = 0;
    uint8_t TypeCode = 0;
    uint16_t Number = 0;
    bool operator==(const ImageOperand&) const = default;
};

// The 13-byte form of a key action. The operand is a coil for function 0 (set coil), else a register.
struct ImageKeyAction {
    uint8_t Function = 0;   // 0 set coil, 1 page jump, 2 advanced, 3 none, 4 set data
    uint8_t Parameter = 0;  // CoilAction, Jump or PlcStop by function
    ImageOperand Operand;
    uint16_t PageNo = 0;
    uint8_t Length = 0;  // register count x register byte width
    uint32_t SetValue = 0;
    bool operator==(const ImageKeyAction&) const = default;
};

// A byte of flags with the names of its set bits ("bit 5" for a bit without a meaning).
struct ImageFlags {
    uint8_t Bits = 0;
    std::vector<std::string> Set;
};

// An encoded text: the index bytes after its length byte (glyph positions, not characters).
struct ImageText {
    std::vector<uint8_t> Indexes;
};

// A packed bitmap. Row layout: Lines rows of PerLine bytes; column layout: Lines columns of PerLine bands
// of 8 dots. Shift is the position's remainder mod 8 the bits were moved by. Lines and PerLine are 0 when
// the record gives only the byte count.
struct ImageBitmap {
    uint32_t Size = 0;
    bool RowLayout = false;
    uint32_t Lines = 0;
    uint32_t PerLine = 0;
    uint32_t Shift = 0;
};

using ImageFieldValue =
    std::variant<uint32_t, ImageFlags, ImageOperand, ImageKeyAction, ImageText, ImageBitmap>;

// One field of an element record, named as the element's own field ("X", "Digits", "Texts[2]", ...).
struct ImageField {
    std::string Name;
    uint32_t Offset = 0;  // of its first byte in the image
    uint32_t Size = 0;    // bytes it takes
    ImageFieldValue Value;

    // The number of a numeric field, 0 for the others.
    uint32_t Number() const;
};

struct ImageDirectory {
    uint32_t PageTable = 0;
    uint32_t AlarmDirectory = 0;
    uint32_t DoubleByteGlyphs = 0;
    uint32_t SingleByteGlyphs = 0;
};

struct ImageGlobalKey {
    uint8_t Attribute = 0;  // 0x40 when protected
    ImageKeyAction Action;
};

// The panel settings block, field by field.
struct ImageSettings {
    uint8_t PanelStation = 0;
    uint8_t PageCount = 0;
    uint8_t AlarmCount = 0;
    ImageOperand AlarmCoil;
    uint16_t HomePageNo = 0;
    std::array<uint8_t, 8> PasswordDigits{};
    std::array<uint8_t, 8> PasswordComplements{};
    uint8_t BaudCode = 0;
    uint8_t Parity = 0;
    uint8_t SevenDataBits = 0;
    uint8_t OneStopBit = 0;
    ImageFlags Options;      // automatic page change, report page, ... power beep
    ImageFlags WordOptions;  // ExchangeWord, WriteNWords
    ImageOperand CtrlReg;
    uint8_t ModuleNum = 0;
    uint8_t PanelStatusLedNum = 0;
    uint8_t PlcLineCode = 0;  // 0 for PLC type 1, else 0x20
    uint8_t ScreenSaveMinutes = 0;
    uint8_t ScreenSaveTurnOffLight = 0;
    uint16_t ScreenSavePageNo = 0;
    std::vector<ImageGlobalKey> GlobalKeys;  // only on the models that carry the table
};

struct ImagePage {
    uint32_t Offset = 0;  // of its page table record
    uint16_t Number = 0;
    uint8_t ElementCount = 0;
    uint16_t PrvPageNo = 0;
    uint16_t NxtPageNo = 0;
    uint32_t FirstEntry = 0;  // address of its first element directory record
};

struct ImageElement {
    uint32_t EntryOffset = 0;  // of its element directory record
    std::size_t Page = 0;      // index into DecodedImage::Pages
    uint8_t KindCode = 0;
    uint32_t Address = 0;  // of its record
    uint32_t Size = 0;     // bytes of its record
    std::vector<ImageField> Fields;

    // The first field of this name, or nullptr.
    const ImageField* Find(std::string_view name) const;
};

struct ImageAlarm {
    uint32_t Address = 0;
    ImageText Text;
};

struct DecodedImage {
    int Model = 0;
    uint32_t Length = 0;        // L
    uint32_t HeaderLength = 0;  // H: directory and settings block
    ImageDirectory Directory;
    ImageSettings Settings;
    uint32_t DoubleByteCount = 0;
    uint32_t SingleByteCount = 0;
    std::vector<ImagePage> Pages;
    std::vector<ImageElement> Elements;  // pages in order, elements in page order
    std::vector<ImageAlarm> Alarms;
};

struct ImageReadResult {
    std::optional<DecodedImage> Image;
    std::string Error;  // why the image was refused: where, and what was expected there
};

// Decodes the image bytes of a panel model (index 0..12). Never reads outside the bytes.
ImageReadResult ReadScreenDataImage(std::span<const uint8_t> bytes, int modelIndex);

// The decoded image as text, one line per field, indented by section.
std::string FormatScreenDataImage(const DecodedImage& image);

}  // namespace qxed
