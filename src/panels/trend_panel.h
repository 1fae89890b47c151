#pragma once
#include <cstdint>

#include "panels/graph_panel.h"

namespace qxed {

// The trend's panel: the graph fields and the sampling. The graph holds at most two samples fewer than it
// is wide in dots.
class TrendPanel : public GraphPanel {
  public:
    static constexpr int32_t kSamplePointsMin = 2;
    static constexpr int32_t kSamplePeriodMin = 1;
    static constexpr int32_t kSamplePeriodMax = 60000;

    explicit TrendPanel(PanelContext& context);

    void WidthSpinEditExit(int32_t dots) override;
    void TrendSamplePointsSpinEditChange(int32_t points);
    void TrendSamplePeriodSpinEditChange(int32_t seconds);

  protected:
    void FillOwn(const Element& element, PanelState& state) const override;

  private:
    int32_t SamplePointsMax(int32_t widthUnits) const;
};

}  // namespace qxed
