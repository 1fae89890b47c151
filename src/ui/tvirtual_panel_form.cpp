#include "ui/tvirtual_panel_form.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "text/language.h"
#include "text/texts.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

constexpr int kTickMs = 100;
constexpr int kKeysPerRow = 8;

// The desktop key's name as the window logic maps it.
std::string KeyName(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Up:
            return "Up";
        case Qt::Key_Down:
            return "Down";
        case Qt::Key_Left:
            return "Left";
        case Qt::Key_Right:
            return "Right";
        case Qt::Key_Return:
            return "Return";
        case Qt::Key_Enter:
            return "Enter";
        case Qt::Key_Escape:
            return "Escape";
        case Qt::Key_Backspace:
            return "Backspace";
        case Qt::Key_Delete:
            return "Delete";
        case Qt::Key_Home:
            return "Home";
        case Qt::Key_PageUp:
            return "PageUp";
        case Qt::Key_PageDown:
            return "PageDown";
        default:
            break;
    }
    if (event.key() >= Qt::Key_F1 && event.key() <= Qt::Key_F10)
        return "F" + std::to_string(event.key() - Qt::Key_F1 + 1);
    const QString text = event.text().toUpper();
    return text.size() == 1 ? text.toStdString() : std::string();
}

// Seconds since 2000-01-01 00:00:00 of the desktop's local time, where the panel's clock starts.
int64_t DesktopSeconds() {
    const QDateTime epoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    QDateTime now = QDateTime::currentDateTime();
    now.setTimeSpec(Qt::UTC);
    return epoch.secsTo(now);
}

}  // namespace

TVirtualPanelForm::TVirtualPanelForm(VirtualPanel panel, const Language& language, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("VirtualPanelForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Qs(language.TextUtf8(texts::ToolVirtualPanelCaption)));
    setFocusPolicy(Qt::StrongFocus);
    panel.SetDateTimeStart(DesktopSeconds());

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    layout->addLayout(left);
    screenImage_ = new QLabel(this);
    screenImage_->setObjectName(QStringLiteral("ScreenImage"));
    screenImage_->installEventFilter(this);
    screenImage_->setFocusPolicy(Qt::NoFocus);
    left->addWidget(screenImage_, 0, Qt::AlignHCenter);
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("StatusLabel"));
    left->addWidget(statusLabel_);
    auto* keys = new QGridLayout;
    left->addLayout(keys);
    left->addStretch();

    operandGrid_ = new QTableWidget(0, 2, this);
    operandGrid_->setObjectName(QStringLiteral("OperandGrid"));
    operandGrid_->setHorizontalHeaderLabels({Qs(language.TextUtf8(texts::VirtualPanelOperandCol)),
                                             Qs(language.TextUtf8(texts::VarTextFixCol0Str))});
    operandGrid_->verticalHeader()->hide();
    operandGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    operandGrid_->setMinimumWidth(220);
    layout->addWidget(operandGrid_);
    connect(operandGrid_, &QTableWidget::cellChanged, this,
            [this](int row, int column) { OperandGridCellChanged(row, column); });

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, [this] { logic_->TimerTick(kTickMs); });

    PanelStatusTexts status;
    status.Page = language.TextUtf8(texts::FuncKeyJumpPageRadioButtonCaption);
    status.Password = language.TextUtf8(texts::FuncKeyJumpPasswordRadioButtonCaption);
    status.AlarmList = language.TextUtf8(texts::FuncKeyJumpAlarmListRadioButtonCaption);
    status.DateTime = language.TextUtf8(texts::FuncKeyJumpDateTimeRadioButtonCaption);
    status.ScreenSaver = language.TextUtf8(texts::VirtualPanelScreenSaver);
    status.PlcRun = "PLC " + language.TextUtf8(texts::FuncKeyPlcRunRadioButtonCaption);
    status.PlcStop = "PLC " + language.TextUtf8(texts::FuncKeyPlcStopRadioButtonCaption);
    logic_ = std::make_unique<VirtualPanelForm>(std::move(panel), *this, std::move(status));
    const std::vector<PanelButton>& buttons = logic_->Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* button = new QPushButton(Qs(buttons[i].Caption), this);
        button->setObjectName(QString::fromStdString("Key" + std::to_string(buttons[i].Code) + "Button"));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(44);
        const int code = buttons[i].Code;
        connect(button, &QPushButton::pressed, this, [this, code] { logic_->KeyButtonPress(code); });
        connect(button, &QPushButton::released, this, [this, code] { logic_->KeyButtonRelease(code); });
        keys->addWidget(button, static_cast<int>(i) / kKeysPerRow, static_cast<int>(i) % kKeysPerRow);
    }
    timer_->start();
}

TVirtualPanelForm::~TVirtualPanelForm() = default;

void TVirtualPanelForm::ShowScreen(const RasterImage& screen) {
    QImage image(screen.Width, screen.Height, QImage::Format_RGB32);
    for (int y = 0; y < screen.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < screen.Width; ++x) {
            const Color c = screen.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(screen.Width) +
                                          static_cast<std::size_t>(x)];
            line[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        }
    }
    screenImage_->setPixmap(QPixmap::fromImage(image));
    screenImage_->setFixedSize(screen.Width, screen.Height);
}

void TVirtualPanelForm::ShowOperands(const std::vector<OperandRow>& rows) {
    // Filling writes nothing: the table's own signal is held back meanwhile.
    const QSignalBlocker blocker(operandGrid_);
    operandGrid_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* name = operandGrid_->item(row, 0);
        if (name == nullptr) {
            name = new QTableWidgetItem;
            name->setFlags(Qt::ItemIsEnabled);
            operandGrid_->setItem(row, 0, name);
        }
        name->setText(QString::fromStdString(rows[i].Name));
        auto* value = operandGrid_->item(row, 1);
        if (value == nullptr) {
            value = new QTableWidgetItem;
            operandGrid_->setItem(row, 1, value);
        }
        // An open cell editor keeps what is typed into it; only the item's text follows the PLC.
        const QString shown = QString::fromStdString(rows[i].Value);
        if (value->text() != shown) value->setText(shown);
    }
}

void TVirtualPanelForm::ShowStatus(const std::string& text) {
    statusLabel_->setText(Qs(text));
}

void TVirtualPanelForm::OperandGridCellChanged(int row, int column) {
    if (column != 1 || row < 0) return;
    const QTableWidgetItem* item = operandGrid_->item(row, column);
    logic_->OperandGridSetEditText(static_cast<std::size_t>(row), item != nullptr ? item->text().toStdString() : "");
}

void TVirtualPanelForm::keyPressEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || !logic_->FormKeyDown(KeyName(*event))) QWidget::keyPressEvent(event);
}

void TVirtualPanelForm::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) logic_->FormKeyUp(KeyName(*event));
    QWidget::keyReleaseEvent(event);
}

bool TVirtualPanelForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == screenImage_ && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        logic_->ScreenMouseDown(mouse->position().toPoint().x(), mouse->position().toPoint().y());
        return true;
    }
    if (watched == screenImage_ && event->type() == QEvent::MouseButtonRelease) {
        logic_->ScreenMouseUp();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qxed
