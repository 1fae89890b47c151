#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// How project files of versions 1 to 27 store what the current version stores: field lists per version,
// naming the fields as the record field lists do ("HomePageNo", "CtrlReg.TypeIndex", "Action.Coil").
namespace qxed::records {

constexpr int32_t kFirstOlderVersion = 1;
constexpr int32_t kLastOlderVersion = 27;

// Texts of the early versions sit in 25-byte slots: at most 24 bytes.
constexpr int kOldTextCapacity = 24;
// A key action in the form of versions 11 to 17, without the set-data fields.
constexpr std::size_t kKeyAction27Size = 27;

enum class FieldForm : uint8_t {
    Stored,         // as the current version stores the field
    OldTextSlot,    // a text, or each text of a table, in a 25-byte slot
    Gap,            // bytes that the reader skips
    AlarmListByte,  // function keys of versions 7-10: nonzero jumps to the alarm list, zero to a page
    ToolkitFont,    // nothing stored: the font becomes a new font with the toolkit's default attributes
};

struct LayoutField {
    FieldForm Form = FieldForm::Stored;
    const char* Name = "";  // the field's path in its record; empty for a gap
    std::size_t GapSize = 0;
};
using Layout = std::span<const LayoutField>;

// The settings block of a version.
Layout SettingsLayoutOf(int32_t version);

// The first version whose files can hold the kind; 0 for a code outside 1..12.
int32_t FirstVersionOfKind(int32_t kind);

// The kind's data in an older layout: Fields name paths inside Within (empty: the kind's fields).
struct ElementLayout {
    const char* Within = "";
    Layout Fields;
};
// The older layout of the kind's data in the version; nullptr when the version stores the kind as the
// current version does (or cannot hold it at all, see FirstVersionOfKind).
const ElementLayout* ElementLayoutOf(int32_t kind, int32_t version);

// What follows the pages.
enum class GlobalKeyForm : uint8_t {
    None,
    Uncounted,  // 27-byte keys without a count: as many are read as the reset left, that is none
    Counted27,  // GlobalKeyCount, then that many keys in the 27-byte form
    Current,    // GlobalKeyCount, then that many keys in the current form
};
struct TailLayout {
    std::size_t AlarmTextSlot = 0;  // 0: no alarm texts
    GlobalKeyForm Keys = GlobalKeyForm::None;
};
TailLayout TailLayoutOf(int32_t version);

// Key, Disappear, WithHand, Encrypt, Function, Coil, CoilAction, Jump, PageNo, PlcStop: the global keys of
// version 17 and the function keys of versions 11 to 17.
Layout KeyAction27Layout();

}  // namespace qxed::records
