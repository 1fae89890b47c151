#include "panels/register_group.h"

#include "plc/operand_numbers.h"

namespace qxed {

namespace {

constexpr int kSiemens = 2;

}  // namespace

RegisterGroup::RegisterGroup(std::string prefix, RegisterList list, RegisterCountRule countRule)
    : prefix_(std::move(prefix)), list_(list), countRule_(countRule) {}

void RegisterGroup::ApplyPlcProfile(int plcType) {
    const PlcProfile profile = PlcProfileOf(plcType);
    plcType_ = plcType;
    typeNames_ = RegisterTypeNames(plcType, list_);
    const bool bounded = profile.RegisterNumberMin != 0 || profile.RegisterNumberMax != 0;
    numberMin_ = bounded ? profile.RegisterNumberMin : kUnboundedMin;
    numberMax_ = bounded ? profile.RegisterNumberMax : kUnboundedMax;
    stationShown_ = profile.StationShown;
    switch (countRule_) {
        case RegisterCountRule::Profile:
            countEnabled_ = profile.RegisterCountSelectable;
            break;
        case RegisterCountRule::ProfileOrSiemens:
            countEnabled_ = profile.RegisterCountSelectable || plcType == kSiemens;
            break;
        case RegisterCountRule::Always:
            countEnabled_ = true;
            break;
    }
}

void RegisterGroup::Fill(const PlcAddress& address, int32_t count, int32_t countMax,
                         PanelState& state) const {
    state.Spin(Name("StationSpinEdit"), address.Station, 0, kStationMax).Visible = stationShown_;
    state.Plain(Name("StationNoLabel"), stationShown_);
    // A type index beyond the list (after a change of PLC type) selects nothing and stays stored.
    state.Choice(Name("TypeComboBox"), typeNames_, address.TypeIndex);
    state.Spin(Name("NoSpinEdit"), ShownRegisterNumber(plcType_, address.Number), numberMin_, numberMax_);
    if (countMax >= 1) {
        state.Spin(Name("NumSpinEdit"), count, 1, countMax, countEnabled_);
        state.Plain(Name("NumLabel"), true, countEnabled_);
    }
}

std::optional<PlcAddress> RegisterGroup::StationSpinEditChange(const PlcAddress& address,
                                                               int32_t station) const {
    if (station < 0 || station > kStationMax || station == address.Station) return std::nullopt;
    PlcAddress changed = address;
    changed.Station = station;
    return changed;
}

std::optional<PlcAddress> RegisterGroup::TypeComboBoxChange(const PlcAddress& address, int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(typeNames_.size()) || index == address.TypeIndex)
        return std::nullopt;
    PlcAddress changed = address;
    changed.TypeIndex = index;
    return changed;
}

std::optional<PlcAddress> RegisterGroup::NoSpinEditChange(const PlcAddress& address, int32_t shown) const {
    if (shown < numberMin_ || shown > numberMax_) return std::nullopt;
    const int32_t stored = StoredRegisterNumber(plcType_, shown);
    if (stored == address.Number) return std::nullopt;
    PlcAddress changed = address;
    changed.Number = stored;
    return changed;
}

std::optional<int32_t> RegisterGroup::NumSpinEditChange(int32_t count, int32_t value,
                                                        int32_t countMax) const {
    if (!countEnabled_ || value < 1 || value > countMax || value == count) return std::nullopt;
    return value;
}

}  // namespace qxed
