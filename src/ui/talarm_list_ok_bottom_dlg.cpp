#include "ui/talarm_list_ok_bottom_dlg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "text/code_page.h"
#include "text/language.h"
#include "text/texts.h"
#include "ui/dialog_controls.h"
#include "ui/panel_builders.h"
#include "ui/panel_controls.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

constexpr int kWidth = 264;
constexpr int kGridTop = 92;
constexpr int kCoilColumnWidth = 64;
constexpr int kRowHeight = 18;
constexpr int kHeadingHeight = 20;
// Room for the rows before the grid scrolls, and the frame.
constexpr int kGridHeight = kHeadingHeight + AlarmListOKBottomDlg::kGridRowsBeforeScrolling * kRowHeight + 4;
constexpr int kGridWidth = kCoilColumnWidth + 171 + 4;
constexpr int kButtonsTop = kGridTop + kGridHeight + 12;
constexpr int kHeight = kButtonsTop + kButtonHeight + 12;

// The text cells take only what the project's code page can write, as every text field of the editor does.
class CodePageDelegate : public QStyledItemDelegate {
  public:
    CodePageDelegate(const CodePage& codePage, QObject* parent)
        : QStyledItemDelegate(parent), codePage_(codePage) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) LimitToCodePage(*line, codePage_);
        return editor;
    }

  private:
    const CodePage& codePage_;
};

}  // namespace

AlarmListStringGrid::AlarmListStringGrid(QWidget* parent) : QTableWidget(0, 2, parent) {}

void AlarmListStringGrid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (QTableWidgetItem* item = currentItem(); item != nullptr && (item->flags() & Qt::ItemIsEditable))
            editItem(item);
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

TAlarmListOKBottomDlg::TAlarmListOKBottomDlg(const Language& language, QWidget* parent)
    : QDialog(parent), language_(language), logic_(language) {
    const auto text = [&language](const TextKey& key) { return language.TextUtf8(key); };
    PrepareDialog(*this, language, text(texts::AlarmListOKBottomDlgCaption), kWidth, kHeight);
    AlarmListOKBottomDlg& logic = logic_;
    MakePanelLabel(this, "AlarmStartCoilNoLabel", text(texts::AlarmStartCoilNoLabelCaption), 8, 8,
                   kWidth - 16);
    CoilFieldsIn(this, language, "AlarmCoil", 36,
                 {[&logic](int v) { logic.AlarmCoilStationSpinEditChange(v); },
                  [&logic](int v) { logic.AlarmCoilTypeComboBoxChange(v); },
                  [&logic](int v) { logic.AlarmCoilNoSpinEditChange(v); },
                  [&logic](int v) { logic.AlarmCoilNoComboBoxChange(v); }});

    grid_ = new AlarmListStringGrid(this);
    grid_->setObjectName(QStringLiteral("AlarmListStringGrid"));
    grid_->setGeometry((kWidth - kGridWidth) / 2, kGridTop, kGridWidth, kGridHeight);
    grid_->setHorizontalHeaderLabels({Qs(text(texts::AlarmFixCol0Str)), Qs(text(texts::AlarmFixCol1Str))});
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->horizontalHeader()->setFixedHeight(kHeadingHeight);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setColumnWidth(0, kCoilColumnWidth);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setItemDelegate(new CodePageDelegate(codePage_, grid_));
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // The logic changes the rows after an edit; that waits until the editor has let go of its item.
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != 1) return;
        const int row = item->row();
        // A text the code page cannot write is not taken: the row shows its stored text again.
        const Conversion bytes = FromUtf8(Utf8Of(item->text()), codePage_);
        QMetaObject::invokeMethod(
            this,
            [this, row, bytes] {
                if (bytes.Ok)
                    logic_.AlarmListStringGridSetEditText(row, bytes.Text);
                else
                    logic_.AlarmListStringGridSelectCell(row);
            },
            Qt::QueuedConnection);
    });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { logic_.AlarmListStringGridSelectCell(row); });

    MakeDialogButtons(*this, "OKBtn", text(texts::OKBtnCaption), text(texts::CancelBtnCaption), kButtonsTop,
                      [this] { accept(); });
    logic_.SetView(this);
}

std::optional<AlarmListChoice> TAlarmListOKBottomDlg::Run(const Project& project) {
    codePage_ = project.Defaults.TextCodePage;
    logic_.ApplyPlcProfile(project.Settings.PlcType);
    logic_.ApplyModel(project.Settings.CurrentModel);
    logic_.FormShow(project.Settings, project.AlarmTexts, codePage_);
    grid_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return logic_.OKBtnClick();
}

void TAlarmListOKBottomDlg::ShowState(const PanelState& fields, const AlarmGridState& grid) {
    ApplyPanelState(*this, fields, codePage_);
    const QSignalBlocker blocker(grid_);
    const int rows = static_cast<int>(grid.Texts.size());
    if (grid_->rowCount() != rows) grid_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const auto index = static_cast<size_t>(row);
        QTableWidgetItem* coil = grid_->item(row, 0);
        if (coil == nullptr) {
            coil = new QTableWidgetItem;
            // The coil column follows the start coil; it is neither edited nor chosen.
            coil->setFlags(Qt::ItemIsEnabled);
            grid_->setItem(row, 0, coil);
        }
        coil->setText(Qs(grid.Coils[index]));
        QTableWidgetItem* alarm = grid_->item(row, 1);
        if (alarm == nullptr) {
            alarm = new QTableWidgetItem;
            grid_->setItem(row, 1, alarm);
        }
        const QString shown = TextOf(grid.Texts[index], codePage_);
        if (alarm->text() != shown) alarm->setText(shown);
    }
    grid_->setColumnWidth(1, grid.TextColumnWidth);
    if (grid_->currentRow() != grid.CurrentRow || grid_->currentColumn() != 1)
        grid_->setCurrentCell(grid.CurrentRow, 1);
}

}  // namespace qxed
