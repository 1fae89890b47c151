#include "panels/coil_group.h"

#include "plc/operand_numbers.h"
#include "plc/plc_profile.h"

namespace qxed {

CoilGroup::CoilGroup(std::string prefix) : prefix_(std::move(prefix)) {}

void CoilGroup::ApplyPlcProfile(int plcType) {
    const PlcProfile profile = PlcProfileOf(plcType);
    plcType_ = plcType;
    typeNames_ = profile.CoilTypes;
    const bool bounded = profile.CoilNumberMin != 0 || profile.CoilNumberMax != 0;
    numberMin_ = bounded ? profile.CoilNumberMin : kUnboundedMin;
    numberMax_ = bounded ? profile.CoilNumberMax : kUnboundedMax;
    stationShown_ = profile.StationShown;
}

void CoilGroup::Fill(const PlcAddress& coil, PanelState& state) const {
    state.Spin(Name("StationSpinEdit"), coil.Station, 0, kStationMax).Visible = stationShown_;
    state.Plain(Name("StationNoLabel"), stationShown_);
    state.Choice(Name("TypeComboBox"), typeNames_, coil.TypeIndex);
    const BitField bitField = BitFieldOf(plcType_, coil.TypeIndex);
    const bool hasBits = bitField != BitField::None;
    const BitNumber split = SplitBitNumber(plcType_, coil.TypeIndex, coil.Number);
    state.Spin(Name("NoSpinEdit"), hasBits ? split.Word : coil.Number, numberMin_, numberMax_);
    state.Choice(Name("NoComboBox"), BitLabels(bitField), hasBits ? split.Bit : -1).Visible = hasBits;
    state.Plain(Name("DotLabel"), hasBits);
}

std::optional<PlcAddress> CoilGroup::StationSpinEditChange(const PlcAddress& coil, int32_t station) const {
    if (station < 0 || station > kStationMax || station == coil.Station) return std::nullopt;
    PlcAddress changed = coil;
    changed.Station = station;
    return changed;
}

std::optional<PlcAddress> CoilGroup::TypeComboBoxChange(const PlcAddress& coil, int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(typeNames_.size()) || index == coil.TypeIndex)
        return std::nullopt;
    PlcAddress changed = coil;
    changed.TypeIndex = index;
    return changed;
}

std::optional<PlcAddress> CoilGroup::NoSpinEditChange(const PlcAddress& coil, int32_t word) const {
    if (word < numberMin_ || word > numberMax_) return std::nullopt;
    const BitNumber split = SplitBitNumber(plcType_, coil.TypeIndex, coil.Number);
    const bool hasBits = BitFieldOf(plcType_, coil.TypeIndex) != BitField::None;
    if (hasBits ? word == split.Word : word == coil.Number) return std::nullopt;
    PlcAddress changed = coil;
    changed.Number = ComposeBitNumber(plcType_, coil.TypeIndex, word, hasBits ? split.Bit : 0);
    return changed;
}

std::optional<PlcAddress> CoilGroup::NoComboBoxChange(const PlcAddress& coil, int32_t bit) const {
    const BitField bitField = BitFieldOf(plcType_, coil.TypeIndex);
    if (bitField == BitField::None || bit < 0 || bit >= BitsPerWord(bitField)) return std::nullopt;
    const BitNumber split = SplitBitNumber(plcType_, coil.TypeIndex, coil.Number);
    if (bit == split.Bit) return std::nullopt;
    PlcAddress changed = coil;
    changed.Number = ComposeBitNumber(plcType_, coil.TypeIndex, split.Word, bit);
    return changed;
}

}  // namespace qxed
