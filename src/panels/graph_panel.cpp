#include "panels/graph_panel.h"

namespace qxed {

namespace {

GraphFields* GraphOf(Element& element) {
    if (auto* trend = element.If<TrendFields>()) return trend;
    if (auto* bar = element.If<BarFields>()) return bar;
    return nullptr;
}

const GraphFields* GraphOf(const Element& element) {
    if (const auto* trend = element.If<TrendFields>()) return trend;
    if (const auto* bar = element.If<BarFields>()) return bar;
    return nullptr;
}

}  // namespace

GraphPanel::GraphPanel(PanelContext& context, int32_t kind)
    : ElementPanel(context, kind),
      register_(std::string(Row().Prefix) + "Reg", RegisterList::Full, RegisterCountRule::Profile),
      range_(std::string(Row().Prefix), Row().MinSizeDots),
      formatNames_{Name("RegDecRadioButton"), Name("RegHexRadioButton"), Name("RegSignedCheckBox")} {}

void GraphPanel::FillGraph(const GraphFields& graph, bool floatDisablesFormat, PanelState& state) const {
    register_.Fill(graph.Address, graph.Num, kNumMax, state);
    range_.Fill(graph.Width, graph.Height, context_, state);
    const bool isFloat = graph.Float != 0;
    FillDisplayFormat(formatNames_, DisplayFormat{graph.DecDisp, graph.Unsigned},
                      floatDisablesFormat && isFloat, state);
    // A float shows its decimals instead of a base and a sign.
    for (const std::string& name : {formatNames_.Decimal, formatNames_.Hex, formatNames_.Signed})
        state.Controls[name].Visible = !isFloat;
    state.Plain(Name("DispModeLabel"), !isFloat);
    state.Check(Name("FloatCheckBox"), isFloat);
    state.Spin(Name("DecimalDigitsSpinEdit"), graph.DecimalDigits, 0, kDecimalDigitsMax).Visible = isFloat;
    state.Plain(Name("DecimalDigitsLabel"), isFloat);
    state.Spin(Name("FullValueSpinEdit"), graph.FullValue, kUnboundedMin, kUnboundedMax);
    state.Spin(Name("ZeroValueSpinEdit"), graph.ZeroValue, kUnboundedMin, kUnboundedMax);
}

const GraphFields* GraphPanel::SelectedGraph() const {
    const Element* selected = context_.Selected();
    if (selected == nullptr || selected->Kind != row_.Kind) return nullptr;
    return GraphOf(*selected);
}

bool GraphPanel::StoreGraph(std::string_view field, const std::function<void(Element&, GraphFields&)>& edit) {
    return context_.EditSelected(field, [&](Element& element) {
        if (element.Kind != row_.Kind) return;
        if (GraphFields* graph = GraphOf(element)) edit(element, *graph);
    });
}

void GraphPanel::RegStationSpinEditChange(int32_t station) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<PlcAddress> address = register_.StationSpinEditChange(graph->Address, station);
    if (!address) return Refuse();
    StoreGraph("graph address", [&](Element&, GraphFields& fields) { fields.Address = *address; });
}

void GraphPanel::RegTypeComboBoxChange(int32_t index) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<PlcAddress> address = register_.TypeComboBoxChange(graph->Address, index);
    if (!address) return Refuse();
    StoreGraph("graph address", [&](Element&, GraphFields& fields) { fields.Address = *address; });
}

void GraphPanel::RegNoSpinEditChange(int32_t shown) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<PlcAddress> address = register_.NoSpinEditChange(graph->Address, shown);
    if (!address) return Refuse();
    StoreGraph("graph address", [&](Element&, GraphFields& fields) { fields.Address = *address; });
}

void GraphPanel::RegNumSpinEditChange(int32_t count) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<int32_t> num = register_.NumSpinEditChange(graph->Num, count, kNumMax);
    if (!num) return Refuse();
    StoreGraph("graph num", [&](Element&, GraphFields& fields) { fields.Num = *num; });
}

void GraphPanel::RegDecRadioButtonClick() {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<DisplayFormat> format = ChooseDecimal(DisplayFormat{graph->DecDisp, graph->Unsigned});
    if (!format) return Refuse();
    StoreGraph("graph format", [&](Element&, GraphFields& fields) { fields.DecDisp = format->DecDisp; });
}

void GraphPanel::RegHexRadioButtonClick() {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<DisplayFormat> format = ChooseHex(DisplayFormat{graph->DecDisp, graph->Unsigned});
    if (!format) return Refuse();
    StoreGraph("graph format", [&](Element&, GraphFields& fields) {
        fields.DecDisp = format->DecDisp;
        fields.Unsigned = format->Unsigned;
    });
}

void GraphPanel::RegSignedCheckBoxClick(bool checked) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    const std::optional<DisplayFormat> format =
        SetSigned(DisplayFormat{graph->DecDisp, graph->Unsigned}, checked);
    if (!format) return Refuse();
    StoreGraph("graph format", [&](Element&, GraphFields& fields) { fields.Unsigned = format->Unsigned; });
}

void GraphPanel::FloatCheckBoxClick(bool checked) {
    StoreGraph("graph float", [&](Element&, GraphFields& fields) { fields.Float = checked ? 1 : 0; });
}

void GraphPanel::DecimalDigitsSpinEditChange(int32_t decimals) {
    if (decimals < 0 || decimals > kDecimalDigitsMax) return Refuse();
    StoreGraph("graph decimals", [&](Element&, GraphFields& fields) { fields.DecimalDigits = decimals; });
}

void GraphPanel::WidthSpinEditExit(int32_t dots) {
    const Element* selected = context_.Selected();
    if (selected == nullptr || SelectedGraph() == nullptr) return;
    const std::optional<int32_t> width = range_.AcceptWidth(*selected, context_, dots);
    if (!width) return Refuse();
    StoreGraph("graph width", [&](Element&, GraphFields& fields) { fields.Width = *width; });
}

void GraphPanel::HeightSpinEditExit(int32_t dots) {
    const Element* selected = context_.Selected();
    if (selected == nullptr || SelectedGraph() == nullptr) return;
    const std::optional<int32_t> height = range_.AcceptHeight(*selected, context_, dots);
    if (!height) return Refuse();
    StoreGraph("graph height", [&](Element&, GraphFields& fields) { fields.Height = *height; });
}

void GraphPanel::FullValueSpinEditExit(int32_t value) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    if (value <= graph->ZeroValue) return Refuse();
    StoreGraph("graph full", [&](Element&, GraphFields& fields) { fields.FullValue = value; });
}

void GraphPanel::ZeroValueSpinEditExit(int32_t value) {
    const GraphFields* graph = SelectedGraph();
    if (graph == nullptr) return;
    if (value >= graph->FullValue) return Refuse();
    StoreGraph("graph zero", [&](Element&, GraphFields& fields) { fields.ZeroValue = value; });
}

}  // namespace qxed
