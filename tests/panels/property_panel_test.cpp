#include <gtest/gtest.h>

#include "panel_bench.h"

namespace qxed {
namespace {

using testing::PanelBench;

constexpr ElementKind kAllKinds[] = {
    ElementKind::Text,     ElementKind::Reg,      ElementKind::Lamp,        ElementKind::FuncKey,
    ElementKind::Trend,    ElementKind::Bar,      ElementKind::Pic,         ElementKind::VarText,
    ElementKind::FontText, ElementKind::TouchKey, ElementKind::VarFontText, ElementKind::ASCIIText,
};

TEST(PropertyPanel, ExactlyThePanelOfTheSelectionIsShownAndFillingWritesNothing) {
    PanelBench bench(6);
    EXPECT_EQ(bench.State().Group, "AttrGroupBox");
    for (const ElementKind kind : kAllKinds) {
        bench.Place(kind, 36, 18);
        const Project before = bench.document.Contents();
        const PanelState shown = bench.State();
        EXPECT_EQ(shown.Group, PanelRowOf(static_cast<int32_t>(kind)).GroupBox);
        EXPECT_EQ(bench.view.Shown.back(), shown);
        EXPECT_EQ(bench.panel.FillPropertyPanel(bench.Selected()), shown);
        bench.panel.RefreshPropertyPanel();
        EXPECT_TRUE(bench.document.Contents() == before);
        EXPECT_FALSE(bench.document.Modified());
        const std::string prefix(PanelRowOf(static_cast<int32_t>(kind)).Prefix);
        EXPECT_EQ(shown.At(prefix + "CoordXSpinEdit").Value, 16);
        EXPECT_EQ(shown.At(prefix + "CoordYSpinEdit").Value, 8);
    }
    bench.document.Apply(SelectElement(std::nullopt));
    EXPECT_EQ(bench.State().Group, "AttrGroupBox");
}

TEST(PropertyPanel, SwitchingThePlcTypeRelabelsEveryOperandGroupAndKeepsTheOperands) {
    PanelBench bench;  // Halden_M
    for (const ElementKind kind : kAllKinds)
        bench.Place(kind);
    const Project before = bench.document.Contents();

    struct Expectation {
        int PlcType;
        std::vector<std::string> Registers;      // full list
        std::vector<std::string> WordRegisters;  // variable texts and strings
        std::vector<std::string> Coils;
        std::vector<std::string> Bits;  // of the first coil type
    };
    const Expectation steps[] = {
        {21,
         {"D", "FD", "TD", "CD", "ED", "ID", "QD"},
         {"D", "FD", "TD", "CD", "ED", "ID", "QD"},
         {"M", "X", "Y", "T", "C", "S"},
         {}},
        {2, {"VB", "VW", "VD"}, {"VW"}, {"M", "V"}, {"0", "1", "2", "3", "4", "5", "6", "7"}},
        {4, {"MW"}, {"MW"}, {"M", "MX"}, {}},
    };
    const char* registerBoxes[] = {"RegTypeComboBox", "TrendRegTypeComboBox", "BarRegTypeComboBox",
                                   "FuncKeyRegTypeComboBox", "TouchKeyRegTypeComboBox"};
    const char* wordBoxes[] = {"VarTextRegTypeComboBox", "VarFontTextRegTypeComboBox",
                               "ASCIITextRegTypeComboBox"};
    const char* coilPrefixes[] = {"LampCoil", "FuncKeyCoil", "TouchKeyCoil"};

    for (const Expectation& step : steps) {
        bench.SetPlcType(step.PlcType);
        EXPECT_EQ(bench.panel.AppliedPlcType(), step.PlcType);
        for (const ElementKind kind : kAllKinds) {
            // Each element in turn, from the back of the page.
            const Page& page = bench.document.CurrentPage();
            size_t index = 0;
            while (page.Elements[index].Kind != static_cast<int32_t>(kind))
                ++index;
            bench.Select(index);
            const PanelState& state = bench.State();
            for (const char* box : registerBoxes)
                if (state.Has(box)) EXPECT_EQ(state.At(box).Items, step.Registers) << box << step.PlcType;
            for (const char* box : wordBoxes)
                if (state.Has(box)) EXPECT_EQ(state.At(box).Items, step.WordRegisters) << box << step.PlcType;
            for (const char* prefix : coilPrefixes) {
                const std::string type = std::string(prefix) + "TypeComboBox";
                if (!state.Has(type)) continue;
                EXPECT_EQ(state.At(type).Items, step.Coils) << prefix << step.PlcType;
                const ControlState& bits = state.At(std::string(prefix) + "NoComboBox");
                EXPECT_EQ(bits.Visible, !step.Bits.empty()) << prefix << step.PlcType;
                if (!step.Bits.empty()) EXPECT_EQ(bits.Items, step.Bits) << prefix;
                EXPECT_EQ(state.At(std::string(prefix) + "StationSpinEdit").Visible, step.PlcType != 2);
            }
        }
    }
    // Selecting moved the elements to the front, but not one operand was rewritten.
    for (const Element& element : before.Pages().front().Elements) {
        bool found = false;
        for (const Element& now : bench.document.CurrentPage().Elements)
            found = found || now == element;
        EXPECT_TRUE(found) << KindName(element.Kind);
    }

    // Schneider "MX" offers the bit list; a stored Halden_M type index beyond the list selects nothing.
    for (size_t i = 0; i < bench.document.CurrentPage().Elements.size(); ++i)
        if (bench.document.CurrentPage().Elements[i].Is(ElementKind::Lamp)) bench.Select(i);
    bench.panel.Lamp().LampCoilTypeComboBoxChange(1);
    EXPECT_TRUE(bench.At("LampCoilNoComboBox").Visible);
    EXPECT_EQ(bench.At("LampCoilNoComboBox").Items.size(), 8u);
}

TEST(PropertyPanel, AStoredTypeIndexBeyondTheNewListStaysUntilEdited) {
    PanelBench bench;
    bench.Place(ElementKind::Reg);
    bench.panel.Reg().RegTypeComboBoxChange(6);  // "QD"
    bench.SetPlcType(4);                         // Schneider: "MW" alone
    EXPECT_EQ(bench.At("RegTypeComboBox").Value, -1);
    EXPECT_EQ(bench.Fields<RegFields>().Address.TypeIndex, 6);
    bench.panel.Reg().RegDigitsSpinEditChange(3);
    EXPECT_EQ(bench.Fields<RegFields>().Address.TypeIndex, 6);
    bench.panel.Reg().RegTypeComboBoxChange(0);
    EXPECT_EQ(bench.Fields<RegFields>().Address.TypeIndex, 0);
}

TEST(AttrPanel, TitleAndLinksOfTheCurrentPage) {
    PanelBench bench;
    AttrPanel& attr = bench.panel.Attr();
    attr.PageTitleEditEnter("");
    attr.PageTitleEditChange("Start");
    attr.PageTitleEditReturn("Start");
    attr.PageTitleEditChange("Start page");
    EXPECT_EQ(bench.document.CurrentPage().Title, "Start page");
    attr.PageTitleEditEscape();
    EXPECT_EQ(bench.document.CurrentPage().Title, "Start");
    EXPECT_EQ(bench.At("PageTitleEdit").Text, "Start");
    attr.PageTitleEditChange(std::string(50, 't'));
    EXPECT_EQ(bench.document.CurrentPage().Title, std::string(40, 't'));

    attr.PrvPageNoSpinEditChange(65535);
    attr.NxtPageNoSpinEditChange(7);
    attr.NxtPageNoSpinEditChange(65536);  // outside: the stored link stays
    EXPECT_EQ(bench.document.CurrentPage().PrvPageNo, 65535);
    EXPECT_EQ(bench.document.CurrentPage().NxtPageNo, 7);
    EXPECT_EQ(bench.At("PrvPageNoSpinEdit").Value, 65535);
    EXPECT_TRUE(bench.document.Modified());
}

TEST(PropertyPanel, AnEqualValueIsNeitherStoredNorAnnounced) {
    PanelBench bench;
    bench.Place(ElementKind::Reg);
    std::vector<Change> changes;
    const Connection listening =
        bench.document.Changed.Connect([&](const Change& c) { changes.push_back(c); });
    bench.panel.Reg().RegUpLimitSpinEditChange(1);
    bench.panel.Reg().RegUpLimitSpinEditChange(1);  // the same value: no change at all
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes.front().Has(Change::Element));
}

}  // namespace
}  // namespace qxed
