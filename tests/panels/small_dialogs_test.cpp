#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/model_select_ok_bottom_dlg.h"
#include "panels/select_com_port_ok_bottom_dlg.h"
#include "panels/set_comm_para_ok_bottom_dlg.h"
#include "text/language.h"

namespace qxed {
namespace {

Language EnglishTexts() {
    return Language(
        IniFile::FromBytes("[Font]\nVersion=En\nFontCharset=0\n"
                           "[Comm]\nBits=bits\nBit=bit\nParityRadioGroupItems1=Odd\n"
                           "[Model]\nModelQx224Str=Panel N\n[Button]\nOKBtnCaption=OK\n"));
}

TEST(SelectComPortTest, OkReadsTheTypedNumber) {
    struct Case {
        const char* Typed;
        int Port;
    };
    const Case cases[] = {
        {"12", 11}, {"1", 0}, {"8", 7}, {" 3 ", 2}, {"abc", 4}, {"", 4}, {"0", 4}, {"-2", 4}, {"3x", 4},
    };
    const Language language;
    SelectComPortOKBottomDlg dialog(language);
    for (const Case& c : cases) {
        dialog.FormShow(4);
        dialog.CommNoComboBoxChange(c.Typed);
        EXPECT_EQ(dialog.OKBtnClick(), c.Port) << '"' << c.Typed << '"';
    }
}

TEST(SelectComPortTest, ShowsThePortNumberAndOffersEightPorts) {
    class View : public SelectComPortOKBottomDlgView {
      public:
        std::vector<std::string> Texts;
        void ShowPortText(const std::string& text) override { Texts.push_back(text); }
    } view;
    const Language language;
    SelectComPortOKBottomDlg dialog(language);
    EXPECT_EQ(dialog.Captions().PortItems,
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    dialog.SetView(&view);
    dialog.FormShow(11);
    EXPECT_EQ(view.Texts.back(), "12");
    // Typing is the box's own business: the view is not told back what it shows.
    dialog.CommNoComboBoxChange("5");
    EXPECT_EQ(view.Texts.size(), 2u);
    EXPECT_EQ(dialog.OKBtnClick(), 4);
}

TEST(SetCommParaTest, ItemsAreBuiltFromTheBitWords) {
    const Language builtin;
    const SetCommParaOKBottomDlg chinese(builtin);
    EXPECT_EQ(chinese.Captions().DataBit.Items, (std::vector<std::string>{"7 位", "8 位"}));
    EXPECT_EQ(chinese.Captions().StopBit.Items, (std::vector<std::string>{"1 位", "2 位"}));
    EXPECT_EQ(chinese.Captions().Parity.Items, (std::vector<std::string>{"无校验", "奇校验", "偶校验"}));

    const Language english = EnglishTexts();
    const SetCommParaOKBottomDlg translated(english);
    EXPECT_EQ(translated.Captions().DataBit.Items, (std::vector<std::string>{"7 bits", "8 bits"}));
    EXPECT_EQ(translated.Captions().StopBit.Items, (std::vector<std::string>{"1 bit", "2 bits"}));
    EXPECT_EQ(translated.Captions().Parity.Items[1], "Odd");
    EXPECT_EQ(translated.Captions().BaudRate.Items,
              (std::vector<std::string>{"2400", "4800", "9600", "19200", "38400", "115200"}));
    EXPECT_EQ(translated.Captions().OkButton, "OK");
}

TEST(SetCommParaTest, ShowReplacesTheSelectionAndClicksOutsideTheGroupsAreIgnored) {
    const Language language;
    SetCommParaOKBottomDlg dialog(language);
    EXPECT_EQ(dialog.Selection(), (LinePositions{3, 1, 0, 2}));  // as designed
    dialog.FormShow({5, 0, 1, 0});
    EXPECT_EQ(dialog.Selection(), (LinePositions{5, 0, 1, 0}));
    dialog.BaudRateRadioGroupClick(6);
    dialog.DataBitRadioGroupClick(2);
    dialog.StopBitRadioGroupClick(-1);
    dialog.ParityRadioGroupClick(3);
    EXPECT_EQ(dialog.OKBtnClick(), (LinePositions{5, 0, 1, 0}));
    dialog.BaudRateRadioGroupClick(4);
    dialog.DataBitRadioGroupClick(1);
    dialog.StopBitRadioGroupClick(0);
    dialog.ParityRadioGroupClick(2);
    EXPECT_EQ(dialog.OKBtnClick(), (LinePositions{4, 1, 0, 2}));
}

std::vector<int> VisibleModels(const ModelSelectState& state) {
    std::vector<int> models;
    for (const ModelRadioButton& button : ModelRadioButtons())
        if (state.Visible[static_cast<size_t>(button.Model)]) models.push_back(button.Model);
    return models;
}

TEST(ModelSelectTest, DesignedChoicesAndTheMoreModelsOfTheStatusBar) {
    for (const bool english : {false, true}) {
        const Language language = english ? EnglishTexts() : Language();
        ModelSelectOKBottomDlg dialog(language);
        dialog.FormShow(1);
        EXPECT_EQ(VisibleModels(dialog.State()), (std::vector<int>{1, 11})) << english;
        dialog.ShowMoreModels();
        dialog.FormShow(1);
        // QX221 and QX225 join; QX205 stays hidden in every language.
        EXPECT_EQ(VisibleModels(dialog.State()), (std::vector<int>{1, 3, 11, 12})) << english;
    }
}

TEST(ModelSelectTest, ShowChecksTheCurrentModelAndOnlyOkChangesIt) {
    const Language language;
    ModelSelectOKBottomDlg dialog(language);
    dialog.FormShow(11);
    EXPECT_EQ(dialog.State().Checked, 11);
    dialog.ModelRadioButtonClick(1);
    EXPECT_EQ(dialog.OKBtnClick(), 1);

    dialog.FormShow(11);
    dialog.ModelRadioButtonClick(3);
    dialog.CancelBtnClick();
    EXPECT_EQ(dialog.State().Checked, 11);
    EXPECT_EQ(dialog.OKBtnClick(), 11);

    // A model that does not exist checks nothing new.
    dialog.FormShow(13);
    dialog.ModelRadioButtonClick(-1);
    EXPECT_EQ(dialog.OKBtnClick(), 11);
}

TEST(ModelSelectTest, RadioButtonsCoverEveryModelOnceWithItsName) {
    const Language english = EnglishTexts();
    const ModelSelectOKBottomDlg dialog(english);
    std::vector<int> seen(13, 0);
    for (const ModelRadioButton& button : ModelRadioButtons())
        ++seen[static_cast<size_t>(button.Model)];
    EXPECT_EQ(seen, std::vector<int>(13, 1));
    EXPECT_EQ(ModelRadioButtons()[2].ControlName, "Qx220RadioButton");
    EXPECT_EQ(ModelRadioButtons()[2].Model, 1);
    EXPECT_EQ(dialog.Captions().ModelNames[11], "Panel N");
    EXPECT_EQ(dialog.Captions().ModelNames[1], "QX-C");
    EXPECT_EQ(dialog.Captions().Caption, "显示器选择");
}

}  // namespace
}  // namespace qxed
