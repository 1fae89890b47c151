#include "plc/plc_profile.h"

#include <iterator>
#include <string_view>

namespace qxed {
namespace {

constexpr std::string_view Bits8Labels[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::string_view Bits16HexLabels[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                "8", "9", "A", "B", "C", "D", "E", "F"};
constexpr std::string_view Bits16DecLabels[] = {"00", "01", "02", "03", "04", "05", "06", "07",
                                                "08", "09", "10", "11", "12", "13", "14", "15"};

template <typename List>
std::vector<std::string> ToStrings(const List& names) {
    return std::vector<std::string>(std::begin(names), std::end(names));
}

}  // namespace

PlcProfile PlcProfileOf(int plcType) {
    PlcProfile profile;
    profile.AnalogModuleMax = UndefinedAnalogModuleMax;
    const PlcTypeRow* row = FindPlcType(plcType);
    if (!row) return profile;

    profile.RegisterTypes = ToStrings(row->RegisterTypes);
    profile.CoilTypes = ToStrings(row->CoilTypes);
    profile.RegisterNumberMin = row->RegisterRange.Min;
    profile.RegisterNumberMax = row->RegisterRange.Max;
    profile.CoilNumberMin = row->CoilRange.Min;
    profile.CoilNumberMax = row->CoilRange.Max;
    profile.BitField = row->Bits.Field;
    profile.StationShown = row->StationShown;
    profile.RegisterCountSelectable = row->RegisterCountSelectable;
    profile.AdvancedFunctions = (row->Options & PlcOptionAdvancedFunctions) != 0;
    profile.AlarmListAvailable = (row->Options & PlcOptionAlarmList) != 0;
    profile.ClockModuleAvailable = (row->Options & PlcOptionClockModule) != 0;
    if (row->AnalogModuleMax > 0) profile.AnalogModuleMax = row->AnalogModuleMax;
    return profile;
}

std::vector<std::string> RegisterTypeNames(int plcType, RegisterList list) {
    const PlcTypeRow* row = FindPlcType(plcType);
    if (!row) return {};
    if (list == RegisterList::WordAlone && !row->WordRegisterAlone.empty())
        return {std::string(row->WordRegisterAlone)};
    return ToStrings(row->RegisterTypes);
}

BitField BitFieldOf(int plcType, int coilTypeIndex) {
    const PlcTypeRow* row = FindPlcType(plcType);
    if (!row) return BitField::None;
    const BitLayout& bits = row->Bits;
    // Only a listed coil type can be a plain one; an index beyond the list keeps the
    // PLC's bit field, so its stored number still reads as word and bit.
    const bool listed = coilTypeIndex >= 0 && static_cast<size_t>(coilTypeIndex) < row->CoilTypes.size();
    if (listed && !bits.PlainCoilType.empty() && row->CoilTypes[coilTypeIndex] == bits.PlainCoilType)
        return BitField::None;
    return bits.Field;
}

int BitsPerWord(BitField bitField) {
    switch (bitField) {
        case BitField::Bits8:
            return 8;
        case BitField::Bits16Hex:
        case BitField::Bits16Dec:
            return 16;
        case BitField::None:
            break;
    }
    return 0;
}

std::vector<std::string> BitLabels(BitField bitField) {
    switch (bitField) {
        case BitField::Bits8:
            return ToStrings(Bits8Labels);
        case BitField::Bits16Hex:
            return ToStrings(Bits16HexLabels);
        case BitField::Bits16Dec:
            return ToStrings(Bits16DecLabels);
        case BitField::None:
            break;
    }
    return {};
}

}  // namespace qxed
