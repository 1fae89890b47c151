#include "model/project.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/element_defaults.h"
#include "text/code_page.h"

namespace qxed {
namespace {

std::vector<int> Numbers(const Project& project) {
    std::vector<int> numbers;
    for (const Page& page : project.Pages())
        numbers.push_back(page.Number);
    return numbers;
}

// A project whose list holds exactly these pages, added in this order.
Project WithPages(std::initializer_list<uint16_t> numbers) {
    Project project;
    project.ClearPages();
    for (uint16_t n : numbers)
        project.AddPage(n, "");
    return project;
}

TEST(PageList, AddPageKeepsUnsignedNumberOrder) {
    Project project = WithPages({1, 3, 8});
    Page& five = project.AddPage(5, "five");
    EXPECT_EQ(Numbers(project), (std::vector<int>{1, 3, 5, 8}));
    EXPECT_EQ(five.Title, "five");

    Project front = WithPages({3, 8});
    front.AddPage(2, "");
    EXPECT_EQ(Numbers(front), (std::vector<int>{2, 3, 8}));

    // Above 32767 the numbers still count as unsigned.
    front.AddPage(65535, "");
    front.AddPage(40000, "");
    EXPECT_EQ(Numbers(front), (std::vector<int>{2, 3, 8, 40000, 65535}));
}

TEST(PageList, FindPageReportsTheEqualPageOrTheLastOneBelow) {
    Project project = WithPages({3, 8});
    const auto found = project.FindPage(8);
    EXPECT_TRUE(found.Found);
    ASSERT_NE(found.Position, nullptr);
    EXPECT_EQ(found.Position->Number, 8);

    const auto between = project.FindPage(5);
    EXPECT_FALSE(between.Found);
    ASSERT_NE(between.Position, nullptr);
    EXPECT_EQ(between.Position->Number, 3);

    const auto after = project.FindPage(9);
    EXPECT_FALSE(after.Found);
    EXPECT_EQ(after.Position->Number, 8);

    const auto before = project.FindPage(2);
    EXPECT_FALSE(before.Found);
    EXPECT_EQ(before.Position, nullptr);
}

TEST(PageList, NewPagesLinkToTheirNeighbours) {
    Project project = WithPages({});
    const Page& first = project.AddPage(1, "");
    EXPECT_EQ(first.PrvPageNo, 1);
    EXPECT_EQ(first.NxtPageNo, 2);
    const Page& middle = project.AddPage(7, "");
    EXPECT_EQ(middle.PrvPageNo, 6);
    EXPECT_EQ(middle.NxtPageNo, 8);
    const Page& last = project.AddPage(65535, "");
    EXPECT_EQ(last.PrvPageNo, 65534);
    EXPECT_EQ(last.NxtPageNo, 0);
}

TEST(PageList, TitlesAreCutToTheirSlotWithoutSplittingACharacter) {
    Project project;
    EXPECT_EQ(project.AddPage(2, std::string(50, 'x')).Title, std::string(40, 'x'));
    // Byte 40 would be the lead byte of a double-byte character: the whole character goes.
    std::string title = "x";
    for (int i = 0; i < 20; ++i)
        title += GbkFromUtf8("画");
    const std::string cut = project.AddPage(3, title).Title;
    EXPECT_EQ(cut, title.substr(0, 39));
    EXPECT_TRUE(ToUtf8(cut, CodePage::Gbk).Ok);
}

TEST(PageList, DeletingPagesKeepsTheOthersInOrder) {
    Project project = WithPages({1, 3, 8, 9});
    EXPECT_FALSE(project.DeletePage(project.FindPage(3).Position));
    EXPECT_EQ(Numbers(project), (std::vector<int>{1, 8, 9}));
    Page stranger;
    EXPECT_FALSE(project.DeletePage(&stranger));  // not one of its pages: nothing happens
    EXPECT_EQ(Numbers(project), (std::vector<int>{1, 8, 9}));
    for (uint16_t number : {9, 1})
        EXPECT_FALSE(project.DeletePage(project.FindPage(number).Position));
    EXPECT_TRUE(project.DeletePage(&project.Pages().front()));
    EXPECT_TRUE(project.Pages().empty());
}

TEST(PageList, FindPrevPageWalksBackOneStep) {
    Project project = WithPages({1, 3, 8});
    EXPECT_EQ(project.FindPrevPage(project.FindPage(8).Position)->Number, 3);
    EXPECT_EQ(project.FindPrevPage(&project.Pages().front()), nullptr);
}

TEST(ProjectCopy, IsDeep) {
    Project original = WithPages({1, 3, 3, 8});
    Page* second = &*std::next(original.Pages().begin(), 2);
    second->Elements.push_back(NewElement(original, 1));
    original.AlarmTexts[4] = "alarm";

    Project copy(original);
    EXPECT_EQ(copy, original);
    Page& copied = *std::next(copy.Pages().begin(), 2);
    copied.Elements.front().X = 99;
    copied.Title = "changed";
    EXPECT_EQ(second->Elements.front().X, 0);
    EXPECT_EQ(second->Title, "");
    EXPECT_NE(copy, original);

    Project assigned;
    assigned = original;
    EXPECT_EQ(assigned, original);
}

// Every field of the settings given a value that no reset produces.
void Scramble(Project& project) {
    ProjectSettings& s = project.Settings;
    s.CurrentModel = 12;
    s.PanelStation = 77;
    s.HomePageNo = 5;
    s.Password = 4321;
    s.AlarmCount = 9;
    s.AlarmCoil = {7, 7, 7};
    s.CtrlFlags = 0x73;
    s.CtrlReg = {8, 8, 8};
    s.ReservedByte = 0xEE;
    s.ModuleNum = 4;
    s.PanelStatusLedNum = 2;
    s.ScreenSaveTime = 10;
    s.ScreenSaveTurnOffLight = 0;
    s.ScreenSavePageNo = 30;
    s.BlueGroundWhiteText = 1;
    s.PowerBeep = 1;
    s.ExchangeWord = 1;
    s.WriteNWords = 1;
    for (std::string& text : project.AlarmTexts)
        text = "alarm";
    for (KeyAction& key : project.GlobalKeys)
        key.Function = KeyAction::kSetData;
    project.GlobalKeyCount = 20;
}

TEST(ResetProject, KeepsTheLinkAndRestoresEverythingElse) {
    Project project;
    project.Defaults.DefaultModel = 2;
    project.Settings.SetLink(PlcLink{3, 9, 3, 0, 1, 0});
    Scramble(project);
    ResetProject(project);

    Project fresh;
    fresh.Defaults.DefaultModel = 2;
    fresh.Settings.SetLink(PlcLink{3, 1, 3, 0, 1, 0});
    ResetProject(fresh);
    EXPECT_EQ(project.Settings, fresh.Settings);
    EXPECT_EQ(project.Settings.Link(), (PlcLink{3, 1, 3, 0, 1, 0}));
    EXPECT_EQ(project.Settings.CurrentModel, 2);

    for (const std::string& text : project.AlarmTexts)
        EXPECT_EQ(text, "");
    EXPECT_EQ(project.GlobalKeyCount, 0);
    for (const KeyAction& key : project.GlobalKeys) {
        EXPECT_EQ(key.Function, KeyAction::kNoFunction);
        EXPECT_EQ(key.Key, 22);  // the default model's key
        EXPECT_EQ(key.Coil, (PlcAddress{0, 0, 256}));
    }
}

TEST(ResetProject, OperandDefaultsFollowThePlcType) {
    Project project;
    project.Settings.PlcType = 3;
    ResetProject(project);
    EXPECT_EQ(project.Settings.AlarmCoil, (PlcAddress{0, 0, 256}));
    EXPECT_EQ(project.Settings.CtrlReg, (PlcAddress{0, 0, 0}));

    // The control register keeps type index 0 where a register element's address would not.
    project.Settings.PlcType = 2;
    ResetProject(project);
    EXPECT_EQ(project.Settings.CtrlReg.TypeIndex, 0);
    EXPECT_EQ(NewKeyAction(project).RegAddress.TypeIndex, 1);
}

TEST(NewProject, LeavesOneEmptyFirstPage) {
    Project project = WithPages({4, 9});
    project.Pages().front().Elements.push_back(NewElement(project, 1));
    NewProject(project);
    ASSERT_EQ(project.Pages().size(), 1u);
    const Page& page = project.Pages().front();
    EXPECT_EQ(page.Number, 1);
    EXPECT_EQ(page.Title, "");
    EXPECT_TRUE(page.Elements.empty());
}

TEST(BringToFront, MovesOneElementAheadOfTheOthersInTheirOrder) {
    Page page;
    for (int x = 0; x < 4; ++x)
        page.Elements.emplace_back().X = x;
    auto order = [&page] {
        std::vector<int> xs;
        for (const Element& e : page.Elements)
            xs.push_back(e.X);
        return xs;
    };
    BringToFront(page, 2);
    EXPECT_EQ(order(), (std::vector<int>{2, 0, 1, 3}));
    BringToFront(page, 3);
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 0, 1}));
    BringToFront(page, 0);
    BringToFront(page, 4);
    EXPECT_EQ(order(), (std::vector<int>{3, 2, 0, 1}));
}

}  // namespace
}  // namespace qxed
