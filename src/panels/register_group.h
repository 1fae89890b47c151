#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panels/control_state.h"
#include "plc/plc_address.h"
#include "plc/plc_profile.h"

namespace qxed {

// When the register-count field of a register group is enabled.
enum class RegisterCountRule {
    Profile,           // as the PLC type's profile says
    ProfileOrSiemens,  // as the profile says, and always for Siemens (the ASCII text)
    Always,            // the global function key dialog
};

// A register operand: station, register type, register number and, where the owner has one, the register
// count. It edits a PlcAddress value: each handler returns the changed value, or nullopt when nothing is to
// be stored (equal, or refused: the field then shows the stored value again). Controls are named with the
// group's prefix ("TrendReg" gives TrendRegStationSpinEdit, TrendRegTypeComboBox, TrendRegNoSpinEdit,
// TrendRegNumSpinEdit and the labels TrendRegStationNoLabel, TrendRegNoLabel, TrendRegNumLabel).
class RegisterGroup {
  public:
    static constexpr int32_t kStationMax = 65535;

    RegisterGroup(std::string prefix, RegisterList list, RegisterCountRule countRule);

    // The register types, number bounds, station layout and count enabling of a PLC type.
    void ApplyPlcProfile(int plcType);
    int PlcType() const { return plcType_; }
    const std::vector<std::string>& TypeNames() const { return typeNames_; }

    // The controls of an operand; countMax < 1 leaves out the count field (the owner has none).
    void Fill(const PlcAddress& address, int32_t count, int32_t countMax, PanelState& state) const;

    std::optional<PlcAddress> StationSpinEditChange(const PlcAddress& address, int32_t station) const;
    std::optional<PlcAddress> TypeComboBoxChange(const PlcAddress& address, int32_t index) const;
    // The number as shown; stored in the PLC type's form (Siemens: byte address, x 8).
    std::optional<PlcAddress> NoSpinEditChange(const PlcAddress& address, int32_t shown) const;
    std::optional<int32_t> NumSpinEditChange(int32_t count, int32_t value, int32_t countMax) const;

    std::string Name(const char* control) const { return prefix_ + control; }

  private:
    std::string prefix_;
    RegisterList list_;
    RegisterCountRule countRule_;
    int plcType_ = -1;
    std::vector<std::string> typeNames_;
    int32_t numberMin_ = kUnboundedMin;
    int32_t numberMax_ = kUnboundedMax;
    bool stationShown_ = false;
    bool countEnabled_ = false;
};

}  // namespace qxed
