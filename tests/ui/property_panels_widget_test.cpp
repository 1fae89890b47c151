#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <deque>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "document/element_commands.h"
#include "document/project_commands.h"
#include "files/project_file.h"
#include "files/project_json.h"
#include "model/editor_units.h"
#include "model/element_defaults.h"
#include "panels/panel_table.h"
#include "panels/property_panel.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "support/temp_folder.h"
#include "text/language.h"
#include "ui/tproperty_panels.h"
#include "workbench/editor_dialogs.h"
#include "workbench/element_placing.h"
#include "workbench/element_rect.h"

namespace qxed::testing {
namespace {

// The font and file dialogs, answered by the test.
class ScriptedChooser : public FileChooser {
  public:
    std::deque<std::optional<FontDesc>> Fonts;
    std::optional<std::string> File;
    std::optional<std::string> ChooseFile(const FileRequest&) override { return File; }
    std::optional<FontDesc> ChooseFont(const FontDesc&) override {
        if (Fonts.empty()) return std::nullopt;
        std::optional<FontDesc> font = Fonts.front();
        Fonts.pop_front();
        return font;
    }
};

Rect PreviewRect(const Element& element, const Project& project) {
    return ElementRect(element, RectContextOf(project.Settings.CurrentModel, project.Defaults.TextCodePage));
}

// The property area as the editor has it, on a project of the given model and PLC type.
struct PanelWindow {
    explicit PanelWindow(int model = 6, int plcType = 21)
        : placing(document, language, prompts, chooser, PreviewRect),
          logic(document, language, placing, chooser) {
        ProjectSettings settings = document.Contents().Settings;
        settings.CurrentModel = static_cast<uint8_t>(model);
        settings.PlcType = plcType;
        document.Apply(SetSettings(settings));
        document.SetModified(false);
        area.resize(540, 219);
        panels = new TPropertyPanels(&area, language, logic, document.Defaults().TextCodePage);
        area.show();
    }

    template <class T>
    T* Find(const std::string& name) const {
        T* control = area.findChild<T*>(QString::fromStdString(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    const Element& Selected() const { return *document.SelectedElement(); }

    Document document;
    Language language;
    RecordingPrompts prompts;
    ScriptedChooser chooser;
    ElementPlacing placing;
    PropertyPanel logic;
    QWidget area;
    TPropertyPanels* panels = nullptr;
};

void EnterNumber(QSpinBox* spin, int value) {
    ASSERT_NE(spin, nullptr);
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Return);
}

void Click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    const QPoint at =
        qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

void TypeText(QLineEdit* edit, const QString& text) {
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void EditCell(QTableWidget* grid, int row, const QString& text) {
    ASSERT_NE(grid, nullptr);
    grid->item(row - 1, 1)->setText(text);
}

struct PanelCase {
    ElementKind Kind;
    std::function<void(PanelWindow&)> Change;   // one control, as a person would use it
    std::function<void(const Element&)> Check;  // the stored field
};

TEST(PropertyPanels, FillingWritesNothingAndOneControlStoresItsField) {
    const PanelCase cases[] = {
        {ElementKind::Text, [](PanelWindow& w) { TypeText(w.Find<QLineEdit>("TextContentEdit"), "Run"); },
         [](const Element& e) { EXPECT_EQ(e.As<TextFields>().Content, "Run"); }},
        {ElementKind::Reg, [](PanelWindow& w) { EnterNumber(w.Find<QSpinBox>("RegDigitsSpinEdit"), 3); },
         [](const Element& e) { EXPECT_EQ(e.As<RegFields>().Digits, 3); }},
        {ElementKind::Lamp, [](PanelWindow& w) { Click(w.Find<QRadioButton>("LampNegLogicRadioButton")); },
         [](const Element& e) { EXPECT_EQ(e.As<LampFields>().PosLogic, 0); }},
        {ElementKind::FuncKey, [](PanelWindow& w) { Click(w.Find<QCheckBox>("FuncKeyDisappearCheckBox")); },
         [](const Element& e) {
             EXPECT_EQ(e.As<FuncKeyFields>().Action.Disappear, 1);
             EXPECT_EQ(e.As<FuncKeyFields>().Action.WithHand, 0);
         }},
        {ElementKind::Trend, [](PanelWindow& w) { EnterNumber(w.Find<QSpinBox>("TrendWidthSpinEdit"), 40); },
         [](const Element& e) { EXPECT_EQ(e.As<TrendFields>().Width, ToEditorUnits(40, 36)); }},
        {ElementKind::Bar,
         [](PanelWindow& w) { QTest::keyClick(w.Find<QComboBox>("BarDirectComboBox"), Qt::Key_Down); },
         [](const Element& e) { EXPECT_EQ(e.As<BarFields>().Direct, BarFields::kDown); }},
        {ElementKind::Pic, [](PanelWindow& w) { EnterNumber(w.Find<QSpinBox>("PicCoordYSpinEdit"), 10); },
         [](const Element& e) { EXPECT_EQ(e.Y, ToEditorUnits(10, 36)); }},
        {ElementKind::VarText,
         [](PanelWindow& w) { EditCell(w.Find<QTableWidget>("VarTextContentStringGrid"), 2, "two"); },
         [](const Element& e) {
             EXPECT_EQ(e.As<VarTextFields>().Texts[1], "two");
             EXPECT_EQ(e.As<VarTextFields>().Count, 2);
         }},
        {ElementKind::FontText,
         [](PanelWindow& w) {
             FontDesc font = w.Selected().As<FontTextFields>().Font;
             font.SetSize(14);
             w.chooser.Fonts.push_back(font);
             Click(w.Find<QPushButton>("FontTextFontButton"));
         },
         [](const Element& e) { EXPECT_EQ(e.As<FontTextFields>().Font.Size, 14); }},
        {ElementKind::TouchKey,
         [](PanelWindow& w) { Click(w.Find<QRadioButton>("TouchKeyJmpCtrlRadioButton")); },
         [](const Element& e) { EXPECT_EQ(e.As<TouchKeyFields>().Action.Function, KeyAction::kPageJump); }},
        {ElementKind::VarFontText,
         [](PanelWindow& w) { Click(w.Find<QRadioButton>("VarFontTextRegHexRadioButton")); },
         [](const Element& e) { EXPECT_EQ(e.As<VarFontTextFields>().DecDisp, 0); }},
        {ElementKind::ASCIIText,
         [](PanelWindow& w) { EnterNumber(w.Find<QSpinBox>("ASCIITextCharNumSpinEdit"), 5); },
         [](const Element& e) { EXPECT_EQ(e.As<ASCIITextFields>().CharNum, 5); }},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(KindName(static_cast<int32_t>(c.Kind)));
        PanelWindow window;
        Project project = window.document.Contents();
        Element element = NewElement(project, static_cast<int32_t>(c.Kind));
        element.X = 36;
        element.Y = 18;
        if (c.Kind == ElementKind::Pic) {
            element.As<PicFields>().Width = 72;
            element.As<PicFields>().Height = 36;
            element.As<PicFields>().Bitmap = SampleMonoBmp();
        }
        project.Pages().front().Elements.push_back(element);
        window.document.Replace(project, "panel.qx2", false);
        const std::vector<uint8_t> saved = SerializeProject(window.document.Contents());

        window.document.Apply(SelectElement(0));
        const PanelState& state = window.logic.State();
        ASSERT_NE(window.panels->ShownGroup(), nullptr);
        EXPECT_EQ(window.panels->ShownGroup()->objectName().toStdString(), state.Group);
        EXPECT_EQ(state.Group, PanelRowOf(static_cast<int32_t>(c.Kind)).GroupBox);
        for (const auto& [name, control] : state.Controls)
            EXPECT_NE(window.area.findChild<QWidget*>(QString::fromStdString(name)), nullptr) << name;
        EXPECT_EQ(SerializeProject(window.document.Contents()), saved);
        EXPECT_FALSE(window.document.Modified());

        c.Change(window);
        c.Check(window.Selected());
        EXPECT_TRUE(window.document.Modified());
    }
}

TEST(PropertyPanels, ThePageAttributesShowWithoutASelection) {
    PanelWindow window;
    EXPECT_EQ(window.panels->ShownGroup()->objectName(), QStringLiteral("AttrGroupBox"));
    TypeText(window.Find<QLineEdit>("PageTitleEdit"), "Main");
    EnterNumber(window.Find<QSpinBox>("NxtPageNoSpinEdit"), 65535);
    EXPECT_EQ(window.document.CurrentPage().Title, "Main");
    EXPECT_EQ(window.document.CurrentPage().NxtPageNo, 65535);
    QTest::keyClick(window.Find<QLineEdit>("PageTitleEdit"), Qt::Key_Escape);  // back to the text on entry
    EXPECT_EQ(window.document.CurrentPage().Title, "");
}

TEST(PropertyPanels, APlcSwitchRelabelsTheOperandListsAndKeepsTheStoredOperands) {
    PanelWindow window(6, 21);
    window.document.Apply(PlaceElement(NewElement(window.document.Contents(), 3)));  // a lamp
    const Element lamp = window.Selected();
    auto* coilTypes = window.Find<QComboBox>("LampCoilTypeComboBox");
    auto* bits = window.Find<QComboBox>("LampCoilNoComboBox");
    EXPECT_EQ(coilTypes->count(), 6);
    EXPECT_TRUE(bits->isHidden());

    for (const int plcType : {2, 4}) {
        ProjectSettings settings = window.document.Contents().Settings;
        settings.PlcType = plcType;
        window.document.Apply(SetSettings(settings));
        EXPECT_EQ(window.Selected(), lamp) << plcType;
    }
    EXPECT_EQ(coilTypes->count(), 2);
    EXPECT_EQ(coilTypes->itemText(1), QStringLiteral("MX"));
    EXPECT_TRUE(bits->isHidden());  // "M" has no bits
    coilTypes->setFocus();
    QTest::keyClick(coilTypes, Qt::Key_Down);
    EXPECT_EQ(window.Selected().As<LampFields>().Coil.TypeIndex, 1);
    EXPECT_FALSE(bits->isHidden());
    EXPECT_EQ(bits->count(), 8);
}

// Places one element of every kind through the placing rules, sets several fields of each through the
// widgets, saves, and reads the file's text form.
TEST(PropertyPanels, AnEditingSessionSavesExactlyWhatWasEntered) {
    TempFolder folder;
    PanelWindow window(6, 21);  // QX223: 432 x 144 editor units, touch keys
    {
        std::ofstream picture(folder.File("pic.bmp"), std::ios::binary);
        const std::vector<uint8_t> bmp = SampleMonoBmp(16, 8);
        picture.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    }
    window.chooser.File = folder.File("pic.bmp");
    const auto place = [&](ElementKind kind) {
        window.placing.StartPlacing(static_cast<int32_t>(kind), true, 8);
        window.placing.Image1MouseMove(1, 1);
        window.placing.Image1MouseDown(MouseButton::Left, 1, 1);
        window.placing.Image1MouseUp(MouseButton::Left, 1, 1);
        ASSERT_TRUE(window.document.ElementSelected());
        ASSERT_EQ(window.Selected().Kind, static_cast<int32_t>(kind));
    };

    place(ElementKind::Text);
    TypeText(window.Find<QLineEdit>("TextContentEdit"), "Pump");
    Click(window.Find<QCheckBox>("TextDoubleCheckBox"));
    EnterNumber(window.Find<QSpinBox>("TextCoordXSpinEdit"), 8);

    place(ElementKind::Reg);
    EnterNumber(window.Find<QSpinBox>("RegNoSpinEdit"), 100);
    EnterNumber(window.Find<QSpinBox>("RegDecimalDigitsSpinEdit"), 2);
    Click(window.Find<QCheckBox>("RegNeedSetCheckBox"));
    Click(window.Find<QCheckBox>("RegLimitCheckBox"));
    EnterNumber(window.Find<QSpinBox>("RegUpLimitSpinEdit"), 500);

    place(ElementKind::Lamp);
    EnterNumber(window.Find<QSpinBox>("LampCoilNoSpinEdit"), 12);
    QTest::keyClick(window.Find<QComboBox>("LampTypeComboBox"), Qt::Key_Down);

    place(ElementKind::FuncKey);
    Click(window.Find<QRadioButton>("FuncKeyJmpCtrlRadioButton"));
    EnterNumber(window.Find<QSpinBox>("FuncKeyPageNoSpinEdit"), 3);
    Click(window.Find<QCheckBox>("FuncKeyEncryptCheckBox"));

    place(ElementKind::Trend);
    EnterNumber(window.Find<QSpinBox>("TrendHeightSpinEdit"), 32);
    EnterNumber(window.Find<QSpinBox>("TrendSamplePeriodSpinEdit"), 60);
    EnterNumber(window.Find<QSpinBox>("TrendZeroValueSpinEdit"), -100);

    place(ElementKind::Bar);
    Click(window.Find<QRadioButton>("BarRegHexRadioButton"));
    EnterNumber(window.Find<QSpinBox>("BarFullValueSpinEdit"), 1000);

    place(ElementKind::Pic);
    EnterNumber(window.Find<QSpinBox>("PicCoordYSpinEdit"), 4);

    place(ElementKind::VarText);
    EditCell(window.Find<QTableWidget>("VarTextContentStringGrid"), 1, "off");
    EditCell(window.Find<QTableWidget>("VarTextContentStringGrid"), 2, "on");

    place(ElementKind::FontText);
    TypeText(window.Find<QLineEdit>("FontTextContentEdit"), "Hello");
    Click(window.Find<QCheckBox>("FontTextInverseCheckBox"));

    place(ElementKind::TouchKey);
    TypeText(window.Find<QLineEdit>("TouchKeyContentEdit"), "Go");
    Click(window.Find<QRadioButton>("TouchKeySetRegRadioButton"));
    EnterNumber(window.Find<QSpinBox>("TouchKeySetValueSpinEdit"), 42);

    place(ElementKind::VarFontText);
    Click(window.Find<QRadioButton>("VarFontTextRegHexRadioButton"));
    EnterNumber(window.Find<QSpinBox>("VarFontTextRegNoSpinEdit"), 7);

    place(ElementKind::ASCIIText);
    EnterNumber(window.Find<QSpinBox>("ASCIITextRegNumSpinEdit"), 4);
    EnterNumber(window.Find<QSpinBox>("ASCIITextCharNumSpinEdit"), 8);

    const std::string file = folder.File("session.qx2");
    ASSERT_TRUE(SaveProject(window.document.Contents(), file, window.language, window.prompts));
    Project loaded;
    ASSERT_TRUE(LoadProject(loaded, file, window.language, window.prompts));
    const nlohmann::json dump = nlohmann::json::parse(DumpProjectJson(loaded, std::nullopt));
    const nlohmann::json& elements = dump["pages"][0]["elements"];
    ASSERT_EQ(elements.size(), 12u);
    const auto of = [&](const char* kind) -> const nlohmann::json& {
        for (const nlohmann::json& element : elements)
            if (element["Kind"] == kind) return element;
        ADD_FAILURE() << kind;
        return elements[0];
    };
    EXPECT_EQ(of("Text")["Content"], "Pump");
    EXPECT_EQ(of("Text")["Double"], 1);
    EXPECT_EQ(of("Text")["X"], ToEditorUnits(8, 36));
    EXPECT_EQ(of("Reg")["Address"]["Number"], 100);
    EXPECT_EQ(of("Reg")["DecimalDigits"], 2);
    EXPECT_EQ(of("Reg")["NeedSet"], 1);
    EXPECT_EQ(of("Reg")["Limit"], 1);
    EXPECT_EQ(of("Reg")["UpLimit"], 500);
    EXPECT_EQ(of("Lamp")["Coil"]["Number"], 12);
    EXPECT_EQ(of("Lamp")["LampType"], 1);
    EXPECT_EQ(of("FuncKey")["Action"]["Function"], KeyAction::kPageJump);
    EXPECT_EQ(of("FuncKey")["Action"]["PageNo"], 3);
    EXPECT_EQ(of("FuncKey")["Action"]["Encrypt"], 1);
    EXPECT_EQ(of("Trend")["Height"], ToEditorUnits(32, 36));
    EXPECT_EQ(of("Trend")["SamplePeriod"], 60);
    EXPECT_EQ(of("Trend")["ZeroValue"], -100);
    EXPECT_EQ(of("Bar")["DecDisp"], 0);
    EXPECT_EQ(of("Bar")["Unsigned"], 1);
    EXPECT_EQ(of("Bar")["FullValue"], 1000);
    EXPECT_EQ(of("Pic")["Y"], ToEditorUnits(4, 36));
    EXPECT_EQ(of("VarText")["Count"], 2);
    EXPECT_EQ(of("VarText")["Texts"][1], "on");
    EXPECT_EQ(of("FontText")["Content"], "Hello");
    EXPECT_EQ(of("FontText")["Inverse"], 1);
    EXPECT_EQ(of("TouchKey")["Content"], "Go");
    EXPECT_EQ(of("TouchKey")["Action"]["Function"], KeyAction::kSetData);
    EXPECT_EQ(of("TouchKey")["Action"]["SetValue"], 42);
    EXPECT_EQ(of("VarFontText")["DecDisp"], 0);
    EXPECT_EQ(of("VarFontText")["Address"]["Number"], 7);
    EXPECT_EQ(of("ASCIIText")["Num"], 4);
    EXPECT_EQ(of("ASCIIText")["CharNum"], 8);
}

}  // namespace
}  // namespace qxed::testing
