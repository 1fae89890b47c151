#include "ui/thfunc_key_ok_bottom_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "text/language.h"
#include "text/texts.h"
#include "ui/dialog_controls.h"
#include "ui/key_action_boxes.h"
#include "ui/panel_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

constexpr int kWidth = 460;
constexpr int kGridLeft = 12;
constexpr int kGridTop = 32;
constexpr int kCellHeight = 22;
constexpr int kGridWidth = kWidth - 2 * kGridLeft;
constexpr int kGridHeight = HFuncKeyOKBottomDlg::kRows * kCellHeight + 4;
constexpr int kContentTop = kGridTop + kGridHeight + 12;
constexpr int kContentHeight = 194;
constexpr QRect kSubGroup{140, 20, 284, 164};
constexpr int kButtonsTop = kContentTop + kContentHeight + 12;
constexpr int kHeight = kButtonsTop + kButtonHeight + 12;

}  // namespace

THFuncKeyOKBottomDlg::THFuncKeyOKBottomDlg(const Language& language, QWidget* parent)
    : QDialog(parent), language_(language), logic_(language) {
    const auto text = [&language](const TextKey& key) { return language.TextUtf8(key); };
    PrepareDialog(*this, language, text(texts::HFuncKeyOKBottomDlgCaption), kWidth, kHeight);
    HFuncKeyOKBottomDlg& logic = logic_;

    MakeLabel(this, "HFuncKeyLabel", text(texts::HFuncKeyLabelCaption), QRect(kGridLeft, 8, 200, 20));
    grid_ = new QTableWidget(HFuncKeyOKBottomDlg::kRows, HFuncKeyOKBottomDlg::kColumns, this);
    grid_->setObjectName(QStringLiteral("HFuncKeyStringGrid"));
    grid_->setGeometry(kGridLeft, kGridTop, kGridWidth, kGridHeight);
    grid_->horizontalHeader()->setVisible(false);
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(kCellHeight);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Ten cells of the designed width, the grid drawn round them so that no empty strip is left.
    const int columnWidth = (kGridWidth - 4) / HFuncKeyOKBottomDlg::kColumns - 3;
    for (int column = 0; column < HFuncKeyOKBottomDlg::kColumns; ++column)
        grid_->setColumnWidth(column, columnWidth);
    grid_->resize(HFuncKeyOKBottomDlg::kColumns * columnWidth + 4, kGridHeight);
    for (int cell = 0; cell < HFuncKeyOKBottomDlg::kCells; ++cell)
        grid_->setItem(cell / HFuncKeyOKBottomDlg::kColumns, cell % HFuncKeyOKBottomDlg::kColumns,
                       new QTableWidgetItem);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [&logic](int row, int column, int, int) { logic.HFuncKeyStringGridSelectCell(row, column); });

    QGroupBox* content =
        MakeGroupBox(this, "HFuncKeyContentGroupBox", text(texts::HFuncKeyContentGroupBoxCaption),
                     QRect(kGridLeft, kContentTop, kGridWidth, kContentHeight));
    auto* functions = new QButtonGroup(content);
    connect(MakeRadio(content, functions, "HFuncKeyNoFuncRadioButton",
                      text(texts::HFuncKeyNoFuncRadioButtonCaption), 8, 20, 124),
            &QRadioButton::clicked, this, [&logic] { logic.NoFuncRadioClick(); });
    const std::tuple<const char*, const TextKey*, uint8_t> radios[] = {
        {"HFuncKeySetCoilRadioButton", &texts::FuncKeySetCoilRadioButtonCaption, KeyAction::kSetCoil},
        {"HFuncKeyJmpCtrlRadioButton", &texts::FuncKeyJmpCtrlRadioButtonCaption, KeyAction::kPageJump},
        {"HFuncKeySetRegRadioButton", &texts::FuncKeySetRegRadioButtonCaption, KeyAction::kSetData},
        // Last, so that the PLC types without advanced functions leave no gap where it is hidden.
        {"HFuncKeyAdvanceRadioButton", &texts::FuncKeyAdvanceRadioButtonCaption, KeyAction::kAdvanced},
    };
    int top = 44;
    for (const auto& [name, caption, function] : radios) {
        const uint8_t code = function;
        connect(MakeRadio(content, functions, name, text(*caption), 8, top, 124), &QRadioButton::clicked,
                this, [&logic, code] { logic.FunctionRadioClick(code); });
        top += 24;
    }
    connect(
        MakeCheck(content, "HFuncKeyEncryptCheckBox", text(texts::EncryptCheckBoxCaption), 8, top + 8, 124),
        &QCheckBox::clicked, this, [&logic](bool checked) { logic.EncryptCheckBoxClick(checked); });
    BuildKeyActionSubGroups(content, language, "HFuncKey", logic, kSubGroup);

    MakeDialogButtons(*this, "OKBtn", text(texts::OKBtnCaption), text(texts::CancelBtnCaption), kButtonsTop,
                      [this] { accept(); });
    logic_.SetView(this);
    ShowCaptions();
}

std::optional<GlobalKeyChoice> THFuncKeyOKBottomDlg::Run(const Project& project) {
    logic_.ApplyPlcProfile(project.Settings.PlcType);
    logic_.ApplyModel(project.Settings.CurrentModel);
    ShowCaptions();
    logic_.FormShow(project.GlobalKeys);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return logic_.OKBtnClick();
}

void THFuncKeyOKBottomDlg::ShowCaptions() {
    const QSignalBlocker blocker(grid_);
    for (int cell = 0; cell < HFuncKeyOKBottomDlg::kCells; ++cell)
        grid_->item(cell / HFuncKeyOKBottomDlg::kColumns, cell % HFuncKeyOKBottomDlg::kColumns)
            ->setText(Qs(logic_.CellCaptions()[static_cast<size_t>(cell)]));
}

void THFuncKeyOKBottomDlg::ShowState(const PanelState& state) {
    ApplyPanelState(*this, state, language_.FileCodePage());
    const QSignalBlocker blocker(grid_);
    if (grid_->currentRow() != logic_.CurrentRow() || grid_->currentColumn() != logic_.CurrentColumn())
        grid_->setCurrentCell(logic_.CurrentRow(), logic_.CurrentColumn());
}

}  // namespace qxed
