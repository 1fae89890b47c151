#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "gfx/font_desc.h"
#include "model/key_action.h"
#include "plc/plc_address.h"

namespace qxed {

// Kind codes as files store them; never renumbered.
enum class ElementKind : int32_t {
    Text = 1,
    Reg = 2,
    Lamp = 3,
    FuncKey = 4,
    Trend = 5,
    Bar = 6,
    Pic = 7,
    VarText = 8,
    FontText = 9,
    TouchKey = 10,
    VarFontText = 11,
    ASCIIText = 12,
};
constexpr int kFirstElementKind = 1;
constexpr int kLastElementKind = 12;
inline bool IsKnownKind(int32_t code) {
    return code >= kFirstElementKind && code <= kLastElementKind;
}
// "Text", "Reg", ... for a known code; empty otherwise.
std::string_view KindName(int32_t code);
std::optional<int32_t> KindOfName(std::string_view name);

// Text capacities in bytes (the slot sizes are one more).
constexpr int kShortTextCapacity = 40;  // static, variable and alarm texts, page titles
constexpr int kLongTextCapacity = 120;  // font texts, touch key labels, variable font texts
constexpr int kFontNameCapacity = 128;
constexpr int kVarTextEntries = 255;

struct TextFields {
    std::string Content;
    bool operator==(const TextFields&) const = default;
};

struct RegFields {
    PlcAddress Address;
    int32_t Num = 1;
    int32_t Digits = 5;
    int32_t DecimalDigits = 0;
    uint8_t Pre0 = 0;
    uint8_t Float = 0;
    uint8_t DecDisp = 1;
    uint8_t Unsigned = 1;
    uint8_t NeedSet = 0;
    uint8_t Encrypt = 0;
    uint8_t Limit = 0;
    uint8_t Convert = 0;
    int32_t UpLimit = 0;
    int32_t LowLimit = 0;
    int32_t ValUpLimit = 0;
    int32_t ValLowLimit = 0;
    bool operator==(const RegFields&) const = default;
};

struct LampFields {
    int32_t LampType = 0;  // 0 round, 1 square
    PlcAddress Coil;
    uint8_t PosLogic = 1;
    bool operator==(const LampFields&) const = default;
};

struct FuncKeyFields {
    KeyAction Action;
    bool operator==(const FuncKeyFields&) const = default;
};

// Trend and bar share their leading fields.
struct GraphFields {
    PlcAddress Address;
    int32_t Num = 1;
    uint8_t DecDisp = 1;
    uint8_t Unsigned = 1;
    uint8_t Float = 0;
    int32_t DecimalDigits = 0;
    int32_t Width = 0;   // editor units
    int32_t Height = 0;  // editor units
    int32_t ZeroValue = 0;
    int32_t FullValue = 65535;
    bool operator==(const GraphFields&) const = default;
};

struct TrendFields : GraphFields {
    int32_t SamplePoints = 20;
    int32_t SamplePeriod = 5;
    bool operator==(const TrendFields&) const = default;
};

struct BarFields : GraphFields {
    static constexpr int32_t kUp = 0, kDown = 1, kRight = 2, kLeft = 3;
    int32_t Direct = kUp;
    bool operator==(const BarFields&) const = default;
};

struct PicFields {
    int32_t Width = 0;            // editor units
    int32_t Height = 0;           // editor units
    std::vector<uint8_t> Bitmap;  // the complete BMP file, kept byte for byte
    bool operator==(const PicFields&) const = default;
};

// The 255 entries of a variable text. Only the leading part up to the last entry written is held; the
// entries after it read as empty, so an element stays small whatever its table holds.
class VarTextTable {
  public:
    static constexpr size_t size() { return kVarTextEntries; }
    // Entry 0..254; beyond the held part an empty text.
    const std::string& operator[](size_t index) const;
    // Entry 0..254 for writing; the held part grows to include it. Throws std::out_of_range beyond 254.
    std::string& operator[](size_t index);
    // The held leading entries (some may be empty); every entry after them is empty.
    std::span<std::string> Held() { return held_; }
    std::span<const std::string> Held() const { return held_; }
    void Clear() { held_.clear(); }
    // Empties every entry from `count` on.
    void KeepFirst(size_t count) {
        if (count < held_.size()) held_.resize(count);
    }
    // Entry by entry over all 255.
    bool operator==(const VarTextTable& other) const;

  private:
    std::vector<std::string> held_;
};

struct VarTextFields {
    PlcAddress Address;
    uint8_t DecDisp = 1;
    int32_t Count = 1;
    VarTextTable Texts;  // entry i is shown for register value i; entries from Count on are empty
    int32_t MaxLen = 0;
    bool operator==(const VarTextFields&) const = default;
};

struct FontTextFields {
    std::string Content;
    FontDesc Font;
    bool operator==(const FontTextFields&) const = default;
};

struct TouchKeyFields {
    std::string Content;
    FontDesc Font;
    KeyAction Action;
    uint8_t Indicate = 0;
    bool operator==(const TouchKeyFields&) const = default;
};

struct VarFontTextFields {
    PlcAddress Address;
    uint8_t DecDisp = 1;
    int32_t Count = 1;
    VarTextTable Texts;
    FontDesc Font;
    int32_t MaxWidth = 0;   // editor units
    int32_t MaxHeight = 0;  // editor units
    bool operator==(const VarFontTextFields&) const = default;
};

struct ASCIITextFields {
    PlcAddress Address;
    int32_t Num = 1;
    int32_t CharNum = 1;
    bool operator==(const ASCIITextFields&) const = default;
};

// The kind's own fields; monostate for a kind code outside 1..12, which has no data.
// The alternative's index equals the kind code.
using ElementFields = std::variant<std::monostate, TextFields, RegFields, LampFields, FuncKeyFields,
                                   TrendFields, BarFields, PicFields, VarTextFields, FontTextFields,
                                   TouchKeyFields, VarFontTextFields, ASCIITextFields>;

// One object placed on a page. Copies are deep: pictures and fonts are values.
struct Element {
    int32_t X = 0;  // editor units
    int32_t Y = 0;
    uint8_t Double = 0;
    uint8_t Inverse = 0;
    int32_t Kind = 0;
    ElementFields Fields;

    template <class T>
    T& As() {
        return std::get<T>(Fields);
    }
    template <class T>
    const T& As() const {
        return std::get<T>(Fields);
    }
    template <class T>
    T* If() {
        return std::get_if<T>(&Fields);
    }
    template <class T>
    const T* If() const {
        return std::get_if<T>(&Fields);
    }
    bool Is(ElementKind kind) const { return Kind == static_cast<int32_t>(kind); }

    bool operator==(const Element&) const = default;
};

// The key action of a function key or touch key; nullptr for other kinds.
KeyAction* ActionOf(Element& element);
const KeyAction* ActionOf(const Element& element);
// The font of a font text, touch key or variable font text; nullptr for other kinds.
FontDesc* FontOf(Element& element);
const FontDesc* FontOf(const Element& element);

}  // namespace qxed
