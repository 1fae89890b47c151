#include "ui/panel_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include "model/element.h"
#include "panels/control_state.h"
#include "ui/qt_text.h"

namespace qxed {

namespace {

constexpr int kRowHeight = 22;
constexpr int kStateGridRowHeight = 18;

template <class W>
W* Named(W* widget, const std::string& name) {
    widget->setObjectName(Qs(name));
    return widget;
}

void ApplySpin(QSpinBox& spin, const ControlState& state) {
    if (spin.minimum() != state.Min || spin.maximum() != state.Max) spin.setRange(state.Min, state.Max);
    if (spin.singleStep() != state.Step) spin.setSingleStep(state.Step);
    if (spin.value() != state.Value) spin.setValue(state.Value);
}

void ApplyButton(QAbstractButton& button, const ControlState& state) {
    if (button.isChecked() == state.Checked()) return;
    // An exclusive group keeps one radio checked: a state that checks none is set outside the rule.
    QButtonGroup* group = button.group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive && !state.Checked()) group->setExclusive(false);
    button.setChecked(state.Checked());
    if (exclusive && !state.Checked()) group->setExclusive(true);
}

void ApplyCombo(QComboBox& combo, const ControlState& state) {
    QStringList items;
    for (const std::string& item : state.Items)
        items << Qs(item);
    QStringList shown;
    for (int i = 0; i < combo.count(); ++i)
        shown << combo.itemText(i);
    if (shown != items) {
        combo.clear();
        combo.addItems(items);
    }
    if (combo.currentIndex() != state.Value) combo.setCurrentIndex(state.Value);
}

void ApplyEdit(QLineEdit& edit, const ControlState& state, CodePage codePage) {
    if (state.MaxLength > 0 && edit.maxLength() != state.MaxLength) edit.setMaxLength(state.MaxLength);
    const QString text = TextOf(state.Text, codePage);
    if (edit.text() != text) edit.setText(text);
}

void SetCell(QTableWidget& grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem(text);
        if (column == 0) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        grid.setItem(row, column, item);
    } else if (item->text() != text) {
        item->setText(text);
    }
}

void ApplyGrid(QTableWidget& grid, const ControlState& state, CodePage codePage) {
    for (int row = 0; row < static_cast<int>(state.Rows.size()) && row < grid.rowCount(); ++row) {
        const auto& [number, text] = state.Rows[static_cast<size_t>(row)];
        SetCell(grid, row, 0, Qs(number));
        SetCell(grid, row, 1, TextOf(text, codePage));
    }
}

}  // namespace

void PanelLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (OnFocusIn) OnFocusIn();
}

void PanelLineEdit::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && OnReturn) {
        OnReturn();
        return;
    }
    if (event->key() == Qt::Key_Escape && OnEscape) {
        OnEscape();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QGroupBox* MakeGroupBox(QWidget* parent, const std::string& name, const std::string& caption,
                        const QRect& place) {
    auto* box = Named(new QGroupBox(Qs(caption), parent), name);
    box->setGeometry(place);
    return box;
}

QLabel* MakePanelLabel(QWidget* parent, const std::string& name, const std::string& text, int x, int y,
                       int width) {
    auto* label = Named(new QLabel(Qs(text), parent), name);
    label->setGeometry(x, y, width, kRowHeight);
    return label;
}

QSpinBox* MakeSpin(QWidget* parent, const std::string& name, int x, int y, int width) {
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setGeometry(x, y, width, kRowHeight);
    spin->setKeyboardTracking(false);
    spin->setRange(kUnboundedMin, kUnboundedMax);
    return spin;
}

QCheckBox* MakeCheck(QWidget* parent, const std::string& name, const std::string& text, int x, int y,
                     int width) {
    auto* check = Named(new QCheckBox(Qs(text), parent), name);
    check->setGeometry(x, y, width, kRowHeight);
    return check;
}

QRadioButton* MakeRadio(QWidget* parent, QButtonGroup* group, const std::string& name,
                        const std::string& text, int x, int y, int width) {
    auto* radio = Named(new QRadioButton(Qs(text), parent), name);
    radio->setGeometry(x, y, width, kRowHeight);
    if (group != nullptr) group->addButton(radio);
    return radio;
}

QComboBox* MakeCombo(QWidget* parent, const std::string& name, int x, int y, int width) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->setGeometry(x, y, width, kRowHeight);
    combo->setMaxVisibleItems(16);
    return combo;
}

PanelLineEdit* MakeEdit(QWidget* parent, const std::string& name, CodePage codePage, int x, int y,
                        int width) {
    auto* edit = Named(new PanelLineEdit(parent), name);
    edit->setGeometry(x, y, width, kRowHeight);
    LimitToCodePage(*edit, codePage);
    return edit;
}

QPushButton* MakePanelButton(QWidget* parent, const std::string& name, const std::string& text, int x, int y,
                             int width) {
    auto* button = Named(new QPushButton(Qs(text), parent), name);
    button->setGeometry(x, y, width, kRowHeight + 2);
    button->setAutoDefault(false);
    return button;
}

QTableWidget* MakeStateGrid(QWidget* parent, const std::string& name, const std::string& numberHeading,
                            const std::string& textHeading, const QRect& place) {
    auto* grid = Named(new QTableWidget(kVarTextEntries, 2, parent), name);
    grid->setGeometry(place);
    grid->setHorizontalHeaderLabels({Qs(numberHeading), Qs(textHeading)});
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(kStateGridRowHeight);
    grid->horizontalHeader()->setFixedHeight(kStateGridRowHeight + 2);
    grid->setColumnWidth(0, 44);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

void ApplyPanelState(QWidget& root, const PanelState& state, CodePage codePage) {
    for (const auto& [name, control] : state.Controls) {
        QWidget* widget = root.findChild<QWidget*>(Qs(name));
        if (widget == nullptr) continue;
        const QSignalBlocker blocker(widget);
        widget->setHidden(!control.Visible);
        widget->setEnabled(control.Enabled);
        if (auto* spin = qobject_cast<QSpinBox*>(widget))
            ApplySpin(*spin, control);
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            ApplyButton(*check, control);
        else if (auto* radio = qobject_cast<QRadioButton*>(widget))
            ApplyButton(*radio, control);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            ApplyCombo(*combo, control);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            ApplyEdit(*edit, control, codePage);
        else if (auto* grid = qobject_cast<QTableWidget*>(widget))
            ApplyGrid(*grid, control, codePage);
        else if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && control.Caption)
            label->setText(Qs(*control.Caption));
    }
}

}  // namespace qxed
