#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panels/control_state.h"
#include "plc/plc_address.h"

namespace qxed {

// A coil operand: station, coil type, the coil number (the word part where the coil type has a bit field)
// and the bit list with its "." label. It edits a PlcAddress value; each handler compares only its own part
// with the stored number and returns the changed value, or nullopt when nothing is to be stored. Controls
// are named with the group's prefix ("LampCoil" gives LampCoilStationSpinEdit, LampCoilTypeComboBox,
// LampCoilNoSpinEdit, LampCoilNoComboBox, LampCoilDotLabel and the labels LampCoilStationNoLabel and
// LampCoilNoLabel).
class CoilGroup {
  public:
    static constexpr int32_t kStationMax = 65535;

    explicit CoilGroup(std::string prefix);

    void ApplyPlcProfile(int plcType);
    int PlcType() const { return plcType_; }
    const std::vector<std::string>& TypeNames() const { return typeNames_; }

    void Fill(const PlcAddress& coil, PanelState& state) const;

    std::optional<PlcAddress> StationSpinEditChange(const PlcAddress& coil, int32_t station) const;
    std::optional<PlcAddress> TypeComboBoxChange(const PlcAddress& coil, int32_t index) const;
    std::optional<PlcAddress> NoSpinEditChange(const PlcAddress& coil, int32_t word) const;
    std::optional<PlcAddress> NoComboBoxChange(const PlcAddress& coil, int32_t bit) const;

    std::string Name(const char* control) const { return prefix_ + control; }

  private:
    std::string prefix_;
    int plcType_ = -1;
    std::vector<std::string> typeNames_;
    int32_t numberMin_ = kUnboundedMin;
    int32_t numberMax_ = kUnboundedMax;
    bool stationShown_ = false;
};

}  // namespace qxed
