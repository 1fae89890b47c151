#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "panels/display_format_group.h"
#include "panels/element_panel.h"
#include "panels/range_group.h"
#include "panels/register_group.h"

namespace qxed {

// What the trend and bar panels share: the register, the number format, the size and the full and zero
// values. Handlers are named after the controls without the panel's prefix (Trend..., Bar...).
class GraphPanel : public ElementPanel {
  public:
    static constexpr int32_t kNumMax = 2;
    static constexpr int32_t kDecimalDigitsMax = 10;

    GraphPanel(PanelContext& context, int32_t kind);
    void ApplyPlcProfile(int plcType) override { register_.ApplyPlcProfile(plcType); }

    void RegStationSpinEditChange(int32_t station);
    void RegTypeComboBoxChange(int32_t index);
    void RegNoSpinEditChange(int32_t shown);
    void RegNumSpinEditChange(int32_t count);
    void RegDecRadioButtonClick();
    void RegHexRadioButtonClick();
    void RegSignedCheckBoxClick(bool checked);
    void FloatCheckBoxClick(bool checked);
    void DecimalDigitsSpinEditChange(int32_t decimals);
    // Left or Enter pressed: the size in dots.
    virtual void WidthSpinEditExit(int32_t dots);
    void HeightSpinEditExit(int32_t dots);
    // Left or Enter pressed: the full value stays above the zero value.
    void FullValueSpinEditExit(int32_t value);
    void ZeroValueSpinEditExit(int32_t value);

  protected:
    void FillGraph(const GraphFields& graph, bool floatDisablesFormat, PanelState& state) const;
    const GraphFields* SelectedGraph() const;
    bool StoreGraph(std::string_view field, const std::function<void(Element&, GraphFields&)>& edit);

    RegisterGroup register_;
    RangeGroup range_;
    DisplayFormatNames formatNames_;
};

}  // namespace qxed
