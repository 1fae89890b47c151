#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "panels/plc_select_ok_bottom_dlg.h"
#include "panels/set_comm_para_ok_bottom_dlg.h"
#include "plc/plc_catalogue.h"
#include "text/language.h"

namespace qxed {
namespace {

// The real line dialog's logic, answered by a script: each run applies the next list of clicks and then
// presses OK, or Cancel when the script says so.
class ScriptedLineDialog : public LineParameterDialog {
  public:
    struct Answer {
        std::optional<int> Baud, DataBits, StopBits, Parity;
        bool Ok = true;
    };
    explicit ScriptedLineDialog(const Language& language) : dialog_(language) {}

    std::deque<Answer> Answers;
    std::vector<LinePositions> Shown;

    std::optional<LinePositions> Run(const LinePositions& positions) override {
        dialog_.FormShow(positions);
        Shown.push_back(dialog_.Selection());
        const Answer answer = Answers.empty() ? Answer{} : Answers.front();
        if (!Answers.empty()) Answers.pop_front();
        if (answer.Baud) dialog_.BaudRateRadioGroupClick(*answer.Baud);
        if (answer.DataBits) dialog_.DataBitRadioGroupClick(*answer.DataBits);
        if (answer.StopBits) dialog_.StopBitRadioGroupClick(*answer.StopBits);
        if (answer.Parity) dialog_.ParityRadioGroupClick(*answer.Parity);
        if (!answer.Ok) return std::nullopt;
        return dialog_.OKBtnClick();
    }

  private:
    SetCommParaOKBottomDlg dialog_;
};

class RecordingView : public PlcSelectOKBottomDlgView {
  public:
    std::vector<PlcSelectState> States;
    void ShowState(const PlcSelectState& state) override { States.push_back(state); }
};

class PlcSelectTest : public ::testing::Test {
  protected:
    Language language;
    ScriptedLineDialog line{language};
    PlcSelectOKBottomDlg dialog{language, line};

    // A Halden_M link at 38400 baud, 7 data bits, 2 stop bits, odd parity: none of the type's defaults.
    static PlcLink UnusualLink() {
        PlcLink link;
        link.PlcType = 21;
        link.PanelStation = 7;
        link.BaudCode = 9;
        link.SevenDataBits = 1;
        link.OneStopBit = 0;
        link.Parity = 1;
        return link;
    }
};

TEST_F(PlcSelectTest, StationRowAndHeightsFollowTheType) {
    struct Case {
        int PlcType;
        PlcSelectLayout Layout;
    };
    const Case cases[] = {
        {11, {true, 227, 137, 160}},  {29, {true, 227, 137, 160}}, {21, {false, 195, 105, 128}},
        {18, {false, 195, 105, 128}}, {5, {false, 195, 105, 128}}, {0, {false, 195, 105, 128}},
    };
    for (const Case& c : cases) {
        PlcLink link;
        link.PlcType = c.PlcType;
        dialog.FormShow(link, false);
        EXPECT_EQ(dialog.State().Layout, c.Layout) << "shown on type " << c.PlcType;
        EXPECT_EQ(PlcTypeAtListPosition(dialog.State().TypePosition), c.PlcType);
    }
    // Choosing in the box decides the same way, from either starting point.
    for (const int start : {21, 11}) {
        for (const Case& c : cases) {
            PlcLink link;
            link.PlcType = start;
            dialog.FormShow(link, false);
            dialog.PlcTypeComboBoxChange(ListPositionOfPlcType(c.PlcType));
            EXPECT_EQ(dialog.State().Layout, c.Layout) << "chosen " << c.PlcType << " from " << start;
        }
    }
}

TEST_F(PlcSelectTest, ChosenTypeBringsItsLineDefaultsExceptSharpAndAB) {
    struct Case {
        int PlcType;
        uint8_t BaudCode, Parity, SevenDataBits, OneStopBit;
    };
    const Case cases[] = {
        {27, 10, 0, 0, 1},  // 115200 8 N 1
        {3, 5, 2, 1, 0},    // 9600 7 E 2
        {25, 4, 0, 0, 1},   // 4800 8 N 1
        {5, 9, 1, 1, 0},    // Sharp: the shown link's parameters stay
        {9, 9, 1, 1, 0},    // AB: likewise
    };
    for (const Case& c : cases) {
        dialog.FormShow(UnusualLink(), false);
        dialog.PlcTypeComboBoxChange(ListPositionOfPlcType(c.PlcType));
        const PlcSelection selection = dialog.OKBtnClick();
        EXPECT_EQ(selection.Result, ModalResult::Ok);
        EXPECT_EQ(selection.Link.PlcType, c.PlcType);
        EXPECT_EQ(selection.Link.BaudCode, c.BaudCode) << "type " << c.PlcType;
        EXPECT_EQ(selection.Link.Parity, c.Parity) << "type " << c.PlcType;
        EXPECT_EQ(selection.Link.SevenDataBits, c.SevenDataBits) << "type " << c.PlcType;
        EXPECT_EQ(selection.Link.OneStopBit, c.OneStopBit) << "type " << c.PlcType;
    }
}

TEST_F(PlcSelectTest, LineDialogEditsThePendingParametersOnlyWhenClosedWithOk) {
    dialog.FormShow(UnusualLink(), false);
    const LinePositions opened = dialog.State().Pending;
    EXPECT_EQ(opened, (LinePositions{4, 0, 1, 1}));

    // Cancelled after clicking everywhere: what the PLC dialog opened with is stored.
    line.Answers.push_back({0, 1, 0, 2, false});
    dialog.SetCommParaButtonClick();
    ASSERT_EQ(line.Shown.size(), 1u);
    EXPECT_EQ(line.Shown[0], opened);
    EXPECT_EQ(dialog.State().Pending, opened);
    EXPECT_EQ(dialog.OKBtnClick().Link, UnusualLink());

    // Confirmed: the choice replaces them, and the next run of the line dialog starts from it.
    line.Answers.push_back({0, 1, 0, 2, true});
    dialog.SetCommParaButtonClick();
    line.Answers.push_back({std::nullopt, std::nullopt, std::nullopt, std::nullopt, false});
    dialog.SetCommParaButtonClick();
    EXPECT_EQ(line.Shown.back(), (LinePositions{0, 1, 0, 2}));
    const PlcLink stored = dialog.OKBtnClick().Link;
    EXPECT_EQ(stored.BaudCode, 3);
    EXPECT_EQ(stored.SevenDataBits, 0);
    EXPECT_EQ(stored.OneStopBit, 1);
    EXPECT_EQ(stored.Parity, 2);
}

TEST_F(PlcSelectTest, BaudRateChoicesStoreTheirCodes) {
    const uint8_t codes[] = {3, 4, 5, 6, 9, 10};
    for (int position = 0; position < kBaudPositionCount; ++position) {
        PlcLink link;
        dialog.FormShow(link, false);
        line.Answers.push_back({position, std::nullopt, std::nullopt, std::nullopt, true});
        dialog.SetCommParaButtonClick();
        EXPECT_EQ(dialog.OKBtnClick().Link.BaudCode, codes[position]) << BaudRateText(position);
    }
}

TEST_F(PlcSelectTest, CodesOutsideTheListsKeepThePositionsOfTheLastShow) {
    dialog.FormShow(UnusualLink(), false);
    PlcLink odd = UnusualLink();
    odd.BaudCode = 7;  // no rate
    odd.Parity = 5;
    odd.SevenDataBits = 3;
    dialog.FormShow(odd, false);
    EXPECT_EQ(dialog.State().Pending, (LinePositions{4, 0, 1, 1}));
    // OK turns the positions back into codes that exist.
    const PlcLink stored = dialog.OKBtnClick().Link;
    EXPECT_EQ(stored.BaudCode, 9);
    EXPECT_EQ(stored.Parity, 1);
    EXPECT_EQ(stored.SevenDataBits, 1);
}

TEST_F(PlcSelectTest, LockedTypeCannotBeChanged) {
    PlcLink link;
    link.PlcType = 2;
    dialog.FormShow(link, true);
    EXPECT_TRUE(dialog.State().TypeLocked);
    dialog.PlcTypeComboBoxChange(ListPositionOfPlcType(11));
    EXPECT_EQ(dialog.OKBtnClick().Link.PlcType, 2);
    EXPECT_FALSE(dialog.State().Layout.StationVisible);
    // The next show without the lock lets it change again.
    dialog.FormShow(link, false);
    dialog.PlcTypeComboBoxChange(ListPositionOfPlcType(11));
    EXPECT_EQ(dialog.OKBtnClick().Link.PlcType, 11);
}

TEST_F(PlcSelectTest, CancelLeavesTheLinkAndReportsTheStationField) {
    dialog.FormShow(UnusualLink(), false);
    dialog.PlcTypeComboBoxChange(ListPositionOfPlcType(29));
    dialog.Qx200StationSpinEditChange(42);
    const PlcSelection cancelled = dialog.CancelBtnClick();
    EXPECT_EQ(cancelled.Result, ModalResult::Cancel);
    EXPECT_EQ(cancelled.Link, UnusualLink());
    EXPECT_EQ(cancelled.StationField, 42);

    const PlcSelection confirmed = dialog.OKBtnClick();
    EXPECT_EQ(confirmed.Link.PanelStation, 42);
    EXPECT_EQ(confirmed.Link.PlcType, 29);
}

TEST_F(PlcSelectTest, StationFieldStaysWithinItsRange) {
    struct Case {
        int32_t Value;
        int Field;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{255, 255}, Case{256, 255}, Case{-5, 1}}) {
        PlcLink link;
        link.PanelStation = c.Value;
        dialog.FormShow(link, false);
        EXPECT_EQ(dialog.State().Station, c.Field) << "shown " << c.Value;
        dialog.Qx200StationSpinEditChange(c.Value);
        EXPECT_EQ(dialog.OKBtnClick().Link.PanelStation, c.Field) << "typed " << c.Value;
    }
}

TEST_F(PlcSelectTest, TypeListIsInSelectionOrder) {
    const std::vector<std::string>& names = dialog.Captions().TypeNames;
    ASSERT_EQ(names.size(), static_cast<size_t>(PlcTypeCount));
    // Each item is the name of the type its position selects.
    for (int position = 0; position < PlcTypeCount; ++position)
        EXPECT_EQ(names[static_cast<size_t>(position)], PlcIdentifier(PlcTypeAtListPosition(position)))
            << position;
}

TEST_F(PlcSelectTest, ViewHearsEveryChangeOfWhatItShows) {
    RecordingView view;
    dialog.SetView(&view);
    dialog.FormShow(UnusualLink(), false);
    dialog.PlcTypeComboBoxChange(ListPositionOfPlcType(11));
    line.Answers.push_back({1, std::nullopt, std::nullopt, std::nullopt, true});
    dialog.SetCommParaButtonClick();
    ASSERT_EQ(view.States.size(), 4u);
    EXPECT_EQ(view.States[1].Station, 7);
    EXPECT_TRUE(view.States[2].Layout.StationVisible);
    EXPECT_EQ(view.States[3].Pending.Baud, 1);
    EXPECT_EQ(view.States.back(), dialog.State());
    dialog.SetView(nullptr);
}

}  // namespace
}  // namespace qxed
