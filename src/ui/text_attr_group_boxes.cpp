// The group boxes of the text kinds, the ASCII string and the picture.
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "panels/panel_table.h"
#include "panels/property_panel.h"
#include "text/language.h"
#include "text/texts.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

const PanelRow& RowOf(ElementKind kind) {
    return PanelRowOf(static_cast<int32_t>(kind));
}

// A text field with its previous-text handlers, all of them given the field's bytes.
struct TextHandlers {
    std::function<void(const std::string&)> Enter, Return, Change;
    std::function<void()> Escape;
};

PanelLineEdit* ContentEdit(const PanelBuild& build, QWidget* box, const std::string& name, int x, int y,
                           int width, const TextHandlers& handlers) {
    PanelLineEdit* edit = MakeEdit(box, name, build.TextCodePage, x, y, width);
    const CodePage codePage = build.TextCodePage;
    edit->OnFocusIn = [edit, codePage, handlers] { handlers.Enter(BytesOf(edit->text(), codePage)); };
    edit->OnReturn = [edit, codePage, handlers] { handlers.Return(BytesOf(edit->text(), codePage)); };
    edit->OnEscape = handlers.Escape;
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [codePage, handlers](const QString& text) { handlers.Change(BytesOf(text, codePage)); });
    return edit;
}

QPushButton* FontButton(const PanelBuild& build, QWidget* box, const std::string& name, int x, int y,
                        const std::function<void()>& click) {
    QPushButton* button = MakePanelButton(box, name, build.Text(texts::FontTextFontButtonCaption), x, y, 76);
    button->setToolTip(Qs(SplitHint(build.Text(texts::FontTextFontButtonHint)).Tooltip));
    QObject::connect(button, &QPushButton::clicked, button, click);
    return button;
}

// Edits of the state grid: every edited text cell, and a key press that keeps the cell's text as the
// previous one. Row 0 of the logic is the heading, so table row r is grid row r + 1.
class StateGridKeys : public QObject {
  public:
    StateGridKeys(QTableWidget* grid, std::function<void(const std::string&)> keyPress, CodePage codePage)
        : QObject(grid), grid_(grid), keyPress_(std::move(keyPress)), codePage_(codePage) {
        grid->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && keyPress_) {
            const QTableWidgetItem* item = grid_->currentItem();
            keyPress_(item != nullptr ? BytesOf(item->text(), codePage_) : std::string());
        }
        return false;
    }

  private:
    QTableWidget* grid_;
    std::function<void(const std::string&)> keyPress_;
    CodePage codePage_;
};

QTableWidget* StateGrid(const PanelBuild& build, QWidget* box, const std::string& name, const QRect& place,
                        const std::function<void(int, const std::string&)>& edited,
                        const std::function<void(const std::string&)>& keyPress) {
    QTableWidget* grid = MakeStateGrid(box, name, build.Text(texts::VarTextFixCol0Str),
                                       build.Text(texts::VarTextFixCol1Str), place);
    const CodePage codePage = build.TextCodePage;
    QObject::connect(grid, &QTableWidget::cellChanged, grid, [grid, codePage, edited](int row, int column) {
        if (column != 1) return;
        edited(row + 1, BytesOf(grid->item(row, column)->text(), codePage));
    });
    if (keyPress) new StateGridKeys(grid, keyPress, codePage);
    return grid;
}

QGroupBox* DecHexGroup(const PanelBuild& build, QWidget* box, const std::string& prefix, const QRect& place,
                       const std::function<void()>& dec, const std::function<void()>& hex) {
    QGroupBox* group =
        MakeGroupBox(box, prefix + "DispGroupBox", build.Text(texts::DispGroupBoxCaption), place);
    auto* radios = new QButtonGroup(group);
    QObject::connect(MakeRadio(group, radios, prefix + "DecRadioButton",
                               build.Text(texts::RegDecRadioButtonCaption), 8, 20, 86),
                     &QRadioButton::clicked, group, dec);
    QObject::connect(MakeRadio(group, radios, prefix + "HexRadioButton",
                               build.Text(texts::RegHexRadioButtonCaption), 98, 20, 94),
                     &QRadioButton::clicked, group, hex);
    return group;
}

}  // namespace

QGroupBox* BuildTextAttrGroupBox(const PanelBuild& build) {
    TextPanel& text = build.Logic.Text();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::Text), text);
    QGroupBox* content = MakeGroupBox(box, "TextContentGroupBox",
                                      build.Text(texts::TextContentGroupBoxCaption), {114, 18, 418, 60});
    MakePanelLabel(content, "TextContentLabel", build.Text(texts::TextContentLabelCaption), 8, 24, 62);
    ContentEdit(build, content, "TextContentEdit", 72, 24, 336,
                {[&text](const std::string& s) { text.TextContentEditEnter(s); },
                 [&text](const std::string& s) { text.TextContentEditReturn(s); },
                 [&text](const std::string& s) { text.TextContentEditChange(s); },
                 [&text] { text.TextContentEditEscape(); }});
    return box;
}

QGroupBox* BuildFontTextAttrGroupBox(const PanelBuild& build) {
    FontTextPanel& text = build.Logic.FontText();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::FontText), text);
    QGroupBox* content = MakeGroupBox(box, "FontTextContentGroupBox",
                                      build.Text(texts::TextContentGroupBoxCaption), {114, 18, 418, 60});
    MakePanelLabel(content, "FontTextContentLabel", build.Text(texts::TextContentLabelCaption), 8, 24, 62);
    ContentEdit(build, content, "FontTextContentEdit", 72, 24, 252,
                {[&text](const std::string& s) { text.FontTextContentEditEnter(s); },
                 [&text](const std::string& s) { text.FontTextContentEditReturn(s); },
                 [&text](const std::string& s) { text.FontTextContentEditChange(s); },
                 [&text] { text.FontTextContentEditEscape(); }});
    FontButton(build, content, "FontTextFontButton", 332, 23, [&text] { text.FontTextFontButtonClick(); });
    return box;
}

QGroupBox* BuildVarTextAttrGroupBox(const PanelBuild& build) {
    VarTextPanel& var = build.Logic.VarText();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::VarText), var);
    QGroupBox* reg =
        MakeGroupBox(box, "VarTextRegGroupBox", build.Text(texts::RegGroupBoxCaption), {114, 18, 200, 76});
    build.RegisterFields(reg, "VarTextReg", 20,
                         {[&var](int v) { var.VarTextRegStationSpinEditChange(v); },
                          [&var](int v) { var.VarTextRegTypeComboBoxChange(v); },
                          [&var](int v) { var.VarTextRegNoSpinEditChange(v); },
                          {}});
    DecHexGroup(
        build, box, "VarTextReg", {114, 98, 200, 50}, [&var] { var.VarTextRegDecRadioButtonClick(); },
        [&var] { var.VarTextRegHexRadioButtonClick(); });
    StateGrid(
        build, box, "VarTextContentStringGrid", {320, 24, 212, 190},
        [&var](int row, const std::string& s) { var.VarTextContentStringGridSetEditText(row, s); },
        [&var](const std::string& s) { var.VarTextContentStringGridKeyPress(s); });
    return box;
}

QGroupBox* BuildVarFontTextAttrGroupBox(const PanelBuild& build) {
    VarFontTextPanel& var = build.Logic.VarFontText();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::VarFontText), var);
    QGroupBox* reg = MakeGroupBox(box, "VarFontTextRegGroupBox", build.Text(texts::RegGroupBoxCaption),
                                  {114, 18, 200, 76});
    build.RegisterFields(reg, "VarFontTextReg", 20,
                         {[&var](int v) { var.VarFontTextRegStationSpinEditChange(v); },
                          [&var](int v) { var.VarFontTextRegTypeComboBoxChange(v); },
                          [&var](int v) { var.VarFontTextRegNoSpinEditChange(v); },
                          {}});
    DecHexGroup(
        build, box, "VarFontTextReg", {114, 98, 200, 50}, [&var] { var.VarFontTextRegDecRadioButtonClick(); },
        [&var] { var.VarFontTextRegHexRadioButtonClick(); });
    FontButton(build, box, "VarFontTextFontButton", 122, 160, [&var] { var.VarFontTextFontButtonClick(); });
    StateGrid(build, box, "VarFontTextContentStringGrid", {320, 24, 212, 190},
              [&var](int row, const std::string& s) { var.VarFontTextContentStringGridSetEditText(row, s); },
              {});
    return box;
}

QGroupBox* BuildASCIITextAttrGroupBox(const PanelBuild& build) {
    ASCIITextPanel& ascii = build.Logic.ASCIIText();
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::ASCIIText), ascii);
    QGroupBox* reg =
        MakeGroupBox(box, "ASCIITextRegGroupBox", build.Text(texts::RegGroupBoxCaption), {114, 18, 200, 100});
    build.RegisterFields(reg, "ASCIITextReg", 20,
                         {[&ascii](int v) { ascii.ASCIITextRegStationSpinEditChange(v); },
                          [&ascii](int v) { ascii.ASCIITextRegTypeComboBoxChange(v); },
                          [&ascii](int v) { ascii.ASCIITextRegNoSpinEditChange(v); },
                          [&ascii](int v) { ascii.ASCIITextRegNumSpinEditChange(v); }});
    QGroupBox* chars = MakeGroupBox(box, "ASCIITextDispGroupBox", build.Text(texts::DispGroupBoxCaption),
                                    {320, 18, 212, 50});
    MakePanelLabel(chars, "ASCIITextCharNumLabel", build.Text(texts::ASCIITextCharNumLabelCaption), 8, 20,
                   80);
    OnChange(MakeSpin(chars, "ASCIITextCharNumSpinEdit", 92, 20, 60),
             [&ascii](int v) { ascii.ASCIITextCharNumSpinEditChange(v); });
    return box;
}

QGroupBox* BuildPicAttrGroupBox(const PanelBuild& build) {
    QGroupBox* box = build.ElementBox(RowOf(ElementKind::Pic), build.Logic.Pic());
    QGroupBox* range =
        MakeGroupBox(box, "PicRangeGroupBox", build.Text(texts::RangeGroupBoxCaption), {8, 94, 100, 72});
    MakePanelLabel(range, "PicWidthLabel", build.Text(texts::WidthLabelCaption), 8, 20, 26);
    MakeSpin(range, "PicWidthSpinEdit", 34, 20, 60);
    MakePanelLabel(range, "PicHeightLabel", build.Text(texts::HeightLabelCaption), 8, 46, 26);
    MakeSpin(range, "PicHeightSpinEdit", 34, 46, 60);
    return box;
}

}  // namespace qxed
