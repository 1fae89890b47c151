#include "ui/tqx200_app_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

#include "text/language.h"
#include "text/texts.h"
#include "ui/qt_text.h"
#include "ui/timage1.h"
#include "workbench/element_buttons.h"
#include "workbench/element_clipboard.h"
#include "workbench/qx200_app_form.h"

namespace qxed {

namespace {

// Inside PageGroupBox.
constexpr int kPageGridLeft = 8;
constexpr int kPageGridTop = 18;
constexpr int kPageGridWidth = 153;
constexpr int kPageButtonWidth = 72;
constexpr int kPageButtonHeight = 25;
constexpr int kDeletePageButtonLeft = 89;

QIcon PictureNamed(std::string_view name) {
    if (name.empty()) return {};
    return QIcon(QStringLiteral(":/icons/") +
                 QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
                 QStringLiteral(".svg"));
}

QString Name(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// A sunken status field, as the two status bars of the window are.
QLabel* StatusField(QWidget* parent, const char* name) {
    auto* field = new QLabel(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setIndent(2);
    return field;
}

}  // namespace

TQX200AppForm::TQX200AppForm(const Language& language, QWidget* parent)
    : QMainWindow(parent), language_(language) {
    setObjectName(QStringLiteral("QX200AppForm"));
    ApplyWindowFont(*this, language);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client_);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateAreas();
    ApplyLayout(DesignedLayout());
}

void TQX200AppForm::CreateActions() {
    for (const ActionRow& row : Actions()) {
        auto* action = new QAction(this);
        action->setObjectName(Name(row.Name));
        action->setText(Caption(language_, *row.Caption));
        const Hint hint = SplitHint(language_.TextUtf8(*row.Hint));
        action->setToolTip(Qs(hint.Tooltip));
        action->setStatusTip(Qs(hint.Status));
        if (!row.Shortcut.empty()) action->setShortcuts(QKeySequence::listFromString(Name(row.Shortcut)));
        action->setIcon(PictureNamed(row.Icon));
        action->setIconVisibleInMenu(false);
        action->setCheckable(row.Checkable);
        action->setChecked(row.CheckedAtStart);
        action->setEnabled(row.EnabledAtStart);
        action->setVisible(row.VisibleAtStart);
        const ActionId id = row.Id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        actions_[IndexOf(id)] = action;
    }
}

void TQX200AppForm::CreateMenus() {
    for (const MenuId menuId : {MenuId::File, MenuId::Edit, MenuId::Tool, MenuId::Help}) {
        QMenu* menu = menuBar()->addMenu(Caption(language_, MenuCaption(menuId)));
        QAction* lastSeparator = nullptr;
        for (const MenuEntry& entry : MenuEntries(menuId)) {
            if (!entry.Action) {
                lastSeparator = menu->addSeparator();
                continue;
            }
            menu->addAction(Action(*entry.Action));
            // An entry hidden in the menu hides its action: none of them is on the tool bar.
            if (entry.HiddenAtStart) menuHidden_[*entry.Action] = true;
        }
        if (menuId == MenuId::Help) helpMenu_ = menu;
        if (menuId == MenuId::File) {
            fileMenu_ = menu;
            recentAnchor_ = lastSeparator;  // before Exit
        }
    }
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
}

void TQX200AppForm::CreateToolBar() {
    toolBar_ = new QToolBar(client_);
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setGeometry(kToolBar1.Left, kToolBar1.Top, kToolBar1.Width, kToolBarHeight);
    for (const MenuEntry& entry : ToolBarEntries()) {
        if (entry.Action)
            toolBar_->addAction(Action(*entry.Action));
        else
            toolBar_->addSeparator();
    }
}

void TQX200AppForm::CreateAreas() {
    pageGroupBox_ = new QGroupBox(Caption(language_, texts::PageGroupBoxCaption), client_);
    pageGroupBox_->setObjectName(QStringLiteral("PageGroupBox"));
    pageGroupBox_->setEnabled(false);
    pageGrid_ = new QTableWidget(0, 2, pageGroupBox_);
    pageGrid_->setObjectName(QStringLiteral("PageStringGrid"));
    pageGrid_->setHorizontalHeaderLabels(
        {Caption(language_, texts::PageFixCol0Str), Caption(language_, texts::PageFixCol1Str)});
    pageGrid_->verticalHeader()->hide();
    pageGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    pageGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    pageGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pageGrid_->setColumnWidth(0, 29);
    pageGrid_->setColumnWidth(1, 118);
    pageGrid_->verticalHeader()->setDefaultSectionSize(18);
    pageGrid_->horizontalHeader()->setFixedHeight(20);
    newPageButton_ = new QPushButton(Caption(language_, texts::NewPageButtonCaption), pageGroupBox_);
    newPageButton_->setObjectName(QStringLiteral("NewPageButton"));
    deletePageButton_ = new QPushButton(Caption(language_, texts::DeletePageButtonCaption), pageGroupBox_);
    deletePageButton_->setObjectName(QStringLiteral("DeletePageButton"));
    connect(pageGrid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (pages_ != nullptr) pages_->PageStringGridClick(row);
    });
    connect(pageGrid_, &QTableWidget::cellDoubleClicked, this, [this](int, int) {
        if (pages_ != nullptr && Action(ActionId::ToolPageAttr)->isEnabled())
            pages_->PageStringGridDblClick();
    });
    // PopupMenu1: the page attributes and the page copy.
    pageGrid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pageGrid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& where) {
        QMenu popup(this);
        popup.setObjectName(QStringLiteral("PopupMenu1"));
        for (const ActionId id : PageListMenuEntries())
            popup.addAction(Action(id));
        popup.exec(pageGrid_->viewport()->mapToGlobal(where));
    });
    connect(newPageButton_, &QPushButton::clicked, Action(ActionId::ToolNewPage), &QAction::trigger);
    connect(deletePageButton_, &QPushButton::clicked, Action(ActionId::ToolDelPage), &QAction::trigger);

    viewImagePanel_ = new QFrame(client_);
    viewImagePanel_->setObjectName(QStringLiteral("ViewImagePanel"));
    viewImagePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    viewImagePanel_->setEnabled(false);
    image1_ = new TImage1(viewImagePanel_);
    for (std::size_t i = 0; i < sideMarkers_.size(); ++i) {
        auto* marker = new QFrame(viewImagePanel_);
        marker->setObjectName(QStringLiteral("F%1Panel").arg(i + 1));
        marker->setAutoFillBackground(true);
        QPalette grey = marker->palette();
        grey.setColor(QPalette::Window, grey.color(QPalette::Dark));
        marker->setPalette(grey);
        marker->setGeometry(kSideMarkerLeft, kSideMarkerTops[i], kSideMarkerWidth, kSideMarkerHeight);
        marker->hide();
        sideMarkers_[i] = marker;
    }

    speedButtonPanel_ = new QFrame(client_);
    speedButtonPanel_->setObjectName(QStringLiteral("SpeedButtonPanel"));
    speedButtonPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    for (const ElementButton& button : ElementButtons()) {
        auto* tool = new QToolButton(speedButtonPanel_);
        tool->setObjectName(Name(button.Name));
        tool->setCheckable(true);
        tool->setAutoRaise(false);
        tool->setIcon(PictureNamed(button.Icon));
        tool->setIconSize(QSize(16, 16));
        const Hint hint = SplitHint(language_.TextUtf8(*button.Hint));
        tool->setToolTip(Qs(hint.Tooltip));
        tool->setStatusTip(Qs(hint.Status));
        tool->setGeometry(button.Left, button.Top, kElementButtonWidth, kElementButtonHeight);
        const int32_t kind = button.Kind;
        const int top = button.Top;
        connect(tool, &QToolButton::clicked, this, [this, kind, top](bool down) {
            if (placing_ != nullptr) placing_->StartPlacing(kind, down, top);
        });
        elementButtons_[static_cast<std::size_t>(button.Kind)] = tool;
    }

    propertyArea_ = new QWidget(client_);
    propertyArea_->setObjectName(QStringLiteral("PropertyArea"));

    statusBar_ = StatusField(client_, "StatusBar");
    modelStatusBar_ = StatusField(client_, "Qx200ModelStatusBar");
    modelStatusBar_->installEventFilter(this);
}

void TQX200AppForm::SetLogic(QX200AppForm* logic) {
    logic_ = logic;
    if (logic_ == nullptr) return;
    logic_->SetView(this);
    // The shipped languages, each under its own name.
    if (languageMenu_ == nullptr && !logic_->Languages().empty()) {
        helpMenu_->addSeparator();
        languageMenu_ = helpMenu_->addMenu(Caption(language_, texts::LanguageCaption));
        languageMenu_->setObjectName(QStringLiteral("LanguageMenu"));
        for (const ShippedLanguage& shipped : logic_->Languages()) {
            QAction* choice = languageMenu_->addAction(Qs(shipped.Name));
            choice->setObjectName(QStringLiteral("Language_") + Qs(shipped.Id));
            const std::string id = shipped.Id;
            connect(choice, &QAction::triggered, this, [this, id] {
                if (logic_ != nullptr) logic_->HelpLanguageExecute(id);
            });
        }
    }
}

void TQX200AppForm::SetPageList(PageList* pages) {
    pages_ = pages;
    if (pages_ != nullptr) pages_->SetView(this);
}

void TQX200AppForm::SetEditing(PagePreview* preview, ElementPlacing* placing, ElementClipboard* clipboard) {
    preview_ = preview;
    placing_ = placing;
    clipboard_ = clipboard;
    image1_->SetLogic(preview, placing);
    if (placing_ != nullptr) placing_->SetView(this);
}

void TQX200AppForm::ShowGhost(const std::optional<Rect>& ghost) {
    if (preview_ != nullptr) preview_->SetGhost(ghost);
}

void TQX200AppForm::ShowPlacingButton(std::optional<int32_t> kind) {
    // At most one element button is down: the one being placed.
    for (std::size_t k = 1; k < elementButtons_.size(); ++k) {
        const QSignalBlocker blocker(elementButtons_[k]);
        elementButtons_[k]->setChecked(kind && static_cast<std::size_t>(*kind) == k);
    }
}

void TQX200AppForm::FocusPreview() {
    image1_->setFocus(Qt::MouseFocusReason);
}

void TQX200AppForm::ShowRecentFiles(const std::vector<std::string>& files) {
    if (files == shownRecent_ || fileMenu_ == nullptr) return;
    shownRecent_ = files;
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    if (files.empty()) return;
    std::vector<QAction*> added;
    added.push_back(new QAction(this));
    added.back()->setSeparator(true);
    for (std::size_t i = 0; i < files.size(); ++i) {
        QString text = Qs(files[i]);
        text.replace('&', QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(text), this);
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, i] {
            if (logic_ != nullptr) logic_->FileOpenRecentExecute(i);
        });
        added.push_back(action);
    }
    for (QAction* action : added)
        fileMenu_->insertAction(recentAnchor_, action);
    recentActions_ = added;
}

void TQX200AppForm::ShowPageList(const PageListState& state) {
    const QSignalBlocker blocker(pageGrid_);
    pageGrid_->setRowCount(static_cast<int>(state.Rows.size()));
    for (int row = 0; row < static_cast<int>(state.Rows.size()); ++row) {
        for (int column = 0; column < 2; ++column) {
            auto* item = new QTableWidgetItem(Qs(state.Rows[static_cast<std::size_t>(row)][column]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            pageGrid_->setItem(row, column, item);
        }
    }
    pageGrid_->setColumnWidth(0, state.Column0Width);
    pageGrid_->setColumnWidth(1, state.Column1Width);
    pageGrid_->selectRow(state.CurrentRow);
    pageGrid_->scrollToItem(pageGrid_->item(state.CurrentRow, 0));
}

int TQX200AppForm::TextWidth(const std::string& utf8) const {
    return pageGrid_->fontMetrics().horizontalAdvance(Qs(utf8));
}

PageListView::Metrics TQX200AppForm::GridMetrics() const {
    return Metrics{pageGrid_->width(), pageGrid_->height(),
                   pageGrid_->verticalHeader()->defaultSectionSize()};
}

void TQX200AppForm::ShowState(const MainWindowState& state) {
    setWindowTitle(Qs(state.Caption));
    QApplication::setApplicationDisplayName(QString());
    for (const ActionRow& row : Actions()) {
        const ActionState& action = state.Action(row.Id);
        QAction* widget = Action(row.Id);
        widget->setEnabled(action.Enabled);
        widget->setVisible(action.Visible && !menuHidden_.contains(row.Id));
        widget->setChecked(action.Checked);
    }
    viewImagePanel_->setEnabled(state.ViewImagePanelEnabled);
    image1_->setVisible(state.Image1Visible);
    speedButtonPanel_->setVisible(state.SpeedButtonPanelVisible);
    pageGroupBox_->setEnabled(state.PageGroupBoxEnabled);
    propertyArea_->setVisible(state.PropertyBoxesVisible);
    modelStatusBar_->setText(Qs(state.ModelStatus));
    if (preview_ != nullptr) preview_->SetGridShown(state.GridShown);
    ShowRecentFiles(state.RecentFiles);
    if (!shownLayout_ || !(*shownLayout_ == state.Layout)) ApplyLayout(state.Layout);
}

void TQX200AppForm::ApplyLayout(const ModelLayout& layout) {
    shownLayout_ = layout;
    const MainWindowRows& rows = layout.Rows;
    const int clientHeight = rows.WindowHeight - kMainWindowFrameHeight;
    client_->setFixedSize(kMainWindowClientWidth, clientHeight);
    pageGroupBox_->setGeometry(kPageGroupBox.Left, kPageGroupBox.Top, kPageGroupBox.Width,
                               rows.PageGroupBoxHeight);
    pageGrid_->setGeometry(kPageGridLeft, kPageGridTop, kPageGridWidth, rows.PageStringGridHeight);
    newPageButton_->setGeometry(kPageGridLeft, rows.PageButtonsTop, kPageButtonWidth, kPageButtonHeight);
    deletePageButton_->setGeometry(kDeletePageButtonLeft, rows.PageButtonsTop, kPageButtonWidth,
                                   kPageButtonHeight);
    viewImagePanel_->setGeometry(kViewImagePanel.Left, kViewImagePanel.Top, kViewImagePanel.Width,
                                 rows.ViewImagePanelHeight);
    image1_->setGeometry(layout.Image.Left, layout.Image.Top, layout.Image.Width, layout.Image.Height);
    for (std::size_t i = 0; i < sideMarkers_.size(); ++i)
        sideMarkers_[i]->setVisible(layout.SideMarkers[i]);
    speedButtonPanel_->setGeometry(kSpeedButtonPanel.Left, kSpeedButtonPanel.Top, kSpeedButtonPanel.Width,
                                   rows.ViewImagePanelHeight);
    for (std::size_t kind = 1; kind < elementButtons_.size(); ++kind)
        elementButtons_[kind]->setVisible(layout.ElementButtons[kind]);
    propertyArea_->setGeometry(kPropertyBoxesLeft, rows.PropertyBoxesTop, kPropertyBoxesWidth,
                               rows.StatusBarsTop - rows.PropertyBoxesTop - 2);
    // The status bar takes what the model's status bar leaves of the width.
    statusBar_->setGeometry(0, rows.StatusBarsTop, kMainWindowClientWidth - kQx200ModelStatusBarWidth,
                            kStatusBarHeight);
    modelStatusBar_->setGeometry(kMainWindowClientWidth - kQx200ModelStatusBarWidth, rows.StatusBarsTop,
                                 kQx200ModelStatusBarWidth, kStatusBarHeight);
    // A fixed frame, centred vertically on the screen.
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.left() + (available.width() - frameGeometry().width()) / 2,
             available.top() + (available.height() - frameGeometry().height()) / 2);
    }
}

void TQX200AppForm::CloseWindow() {
    close();
}

void TQX200AppForm::closeEvent(QCloseEvent* event) {
    if (logic_ != nullptr && !logic_->FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool TQX200AppForm::event(QEvent* event) {
    // The long part of a hint goes to the status bar, as the hint's control is under the mouse.
    if (event->type() == QEvent::StatusTip) {
        statusBar_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TQX200AppForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == modelStatusBar_ && event->type() == QEvent::MouseButtonDblClick && logic_ != nullptr) {
        logic_->Qx200ModelStatusBarDblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TQX200AppForm::ClipboardAction(ActionId id) {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) return;
    // On the preview the commands act on the selected element.
    if (focused == image1_ && clipboard_ != nullptr) {
        if (id == ActionId::EditCut1) clipboard_->Cut();
        if (id == ActionId::EditCopy1) clipboard_->Copy();
        if (id == ActionId::EditPaste1 && Action(ActionId::ToolNewPage)->isEnabled()) clipboard_->Paste();
        return;
    }
    // The text field does what its own keys do: cut, copy or paste.
    const QKeySequence::StandardKey key = id == ActionId::EditCut1    ? QKeySequence::Cut
                                          : id == ActionId::EditCopy1 ? QKeySequence::Copy
                                                                      : QKeySequence::Paste;
    const QKeyCombination combination = QKeySequence(key)[0];
    QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
    QApplication::sendEvent(focused, &press);
}

void TQX200AppForm::Execute(ActionId id) {
    if (logic_ == nullptr) return;
    switch (id) {
        case ActionId::FileNew:
            logic_->FileNewExecute();
            return;
        case ActionId::FileOpen:
            logic_->FileOpenExecute();
            return;
        case ActionId::FileSave:
            logic_->FileSaveExecute();
            return;
        case ActionId::FileSaveAs:
            logic_->FileSaveAsExecute();
            return;
        case ActionId::FileImport:
            logic_->FileImportExecute();
            return;
        case ActionId::FileOutport:
            logic_->FileOutportExecute();
            return;
        case ActionId::FileQx200Select:
            logic_->FileQx200SelectExecute();
            return;
        case ActionId::FilePlcSelect:
            logic_->FilePlcSelectExecute();
            return;
        case ActionId::FileSelectCommPort:
            logic_->FileSelectCommPortExecute();
            return;
        case ActionId::ToolVirtualPanel:
            logic_->ToolVirtualPanelExecute();
            return;
        case ActionId::FileDown:
            logic_->FileDownExecute();
            return;
        case ActionId::FileExit:
            logic_->FileExitExecute();
            return;
        case ActionId::EditCut1:
        case ActionId::EditCopy1:
        case ActionId::EditPaste1:
            ClipboardAction(id);
            return;
        case ActionId::EditUndo:
            logic_->EditUndoExecute();
            return;
        case ActionId::EditRedo:
            logic_->EditRedoExecute();
            return;
        case ActionId::ToolDispGrid:
            logic_->ToolDispGridExecute();
            return;
        case ActionId::HelpAbout:
            logic_->HelpAboutExecute();
            return;
        case ActionId::ToolNewPage:
            if (pages_ != nullptr) pages_->NewPageButtonClick();
            return;
        case ActionId::ToolPageAttr:
            if (pages_ != nullptr) pages_->PageStringGridDblClick();
            return;
        case ActionId::ToolCopyPage:
            if (pages_ != nullptr) pages_->ToolCopyPageExecute();
            return;
        case ActionId::ToolDelPage:
            if (pages_ != nullptr) pages_->DeletePageButtonClick();
            return;
        case ActionId::EditDel:
            if (placing_ != nullptr) placing_->EditDelExecute();
            return;
        case ActionId::ToolAlarmList:
            logic_->ToolAlarmListExecute();
            return;
        case ActionId::ToolSetQx200:
            logic_->ToolSetQx200Execute();
            return;
        case ActionId::ToolHFuncKey:
            logic_->ToolHFuncKeyExecute();
            return;
    }
}

}  // namespace qxed
