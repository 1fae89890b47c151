#include "panels/trend_panel.h"

#include <algorithm>

#include "model/editor_units.h"

namespace qxed {

TrendPanel::TrendPanel(PanelContext& context)
    : GraphPanel(context, static_cast<int32_t>(ElementKind::Trend)) {}

int32_t TrendPanel::SamplePointsMax(int32_t widthUnits) const {
    return std::max(kSamplePointsMin, ToPanelDots(widthUnits, context_.Z()) - 2);
}

void TrendPanel::FillOwn(const Element& element, PanelState& state) const {
    const TrendFields& trend = element.As<TrendFields>();
    FillGraph(trend, true, state);
    state.Spin("TrendSamplePointsSpinEdit", trend.SamplePoints, kSamplePointsMin,
               SamplePointsMax(trend.Width));
    state.Spin("TrendSamplePeriodSpinEdit", trend.SamplePeriod, kSamplePeriodMin, kSamplePeriodMax);
}

void TrendPanel::WidthSpinEditExit(int32_t dots) {
    const Element* selected = context_.Selected();
    if (selected == nullptr || !selected->Is(ElementKind::Trend)) return;
    const std::optional<int32_t> width = range_.AcceptWidth(*selected, context_, dots);
    if (!width) return Refuse();
    // The samples follow the narrower graph in the same step, so they never exceed what it can show.
    Store<TrendFields>("graph width", [&](Element&, TrendFields& trend) {
        trend.Width = *width;
        trend.SamplePoints = std::clamp(trend.SamplePoints, kSamplePointsMin, SamplePointsMax(*width));
    });
}

void TrendPanel::TrendSamplePointsSpinEditChange(int32_t points) {
    const TrendFields* trend = SelectedFields<TrendFields>();
    if (trend == nullptr) return;
    if (points < kSamplePointsMin || points > SamplePointsMax(trend->Width)) return Refuse();
    Store<TrendFields>("trend points", [&](Element&, TrendFields& fields) { fields.SamplePoints = points; });
}

void TrendPanel::TrendSamplePeriodSpinEditChange(int32_t seconds) {
    if (seconds < kSamplePeriodMin || seconds > kSamplePeriodMax) return Refuse();
    Store<TrendFields>("trend period", [&](Element&, TrendFields& fields) { fields.SamplePeriod = seconds; });
}

}  // namespace qxed
