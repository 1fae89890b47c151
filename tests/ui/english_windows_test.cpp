// With the shipped English language file, every text the windows show is English: no caption, item or hint
// keeps a Chinese built-in text.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

#include "document/document.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "text/language.h"
#include "ui/qt_editor_dialogs.h"
#include "ui/tqx200_app_form.h"
#include "workbench/about_box.h"

namespace qxed {
namespace {

bool IsAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x7F) return false;
    return true;
}

// Every visible text of a window and its children that is not ASCII.
std::vector<std::string> NonEnglishTexts(const QWidget& window) {
    std::vector<std::string> found;
    const auto check = [&](const QObject& owner, const QString& text) {
        if (!IsAscii(text)) found.push_back(owner.objectName().toStdString() + ": " + text.toStdString());
    };
    check(window, window.windowTitle());
    for (const QLabel* label : window.findChildren<QLabel*>())
        check(*label, label->text());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        check(*button, button->text());
        check(*button, button->toolTip());
    }
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        check(*box, box->title());
    for (const QAction* action : window.findChildren<QAction*>()) {
        check(*action, action->text());
        check(*action, action->toolTip());
        check(*action, action->statusTip());
    }
    for (const QMenu* menu : window.findChildren<QMenu*>())
        check(*menu, menu->title());
    for (const QTableWidget* table : window.findChildren<QTableWidget*>())
        for (int column = 0; column < table->columnCount(); ++column)
            if (const QTableWidgetItem* heading = table->horizontalHeaderItem(column))
                check(*table, heading->text());
    return found;
}

TEST(EnglishWindows, EveryCaptionOfTheMainWindowAndItsDialogsIsEnglish) {
    const Language english = Language::Load(QXED_LANGUAGES_DIR "/en");
    ASSERT_EQ(english.Version(), "En");
    Document document(EditorDefaultsOf(english));
    AboutBox about(english, AboutConfig{});
    testing::RecordingPrompts prompts;
    TQX200AppForm window(english);
    QtEditorDialogs dialogs(document, english, about, prompts, &window);

    std::vector<std::string> found = NonEnglishTexts(window);
    for (const QWidget* dialog : window.findChildren<QDialog*>()) {
        const std::vector<std::string> more = NonEnglishTexts(*dialog);
        found.insert(found.end(), more.begin(), more.end());
    }
    EXPECT_TRUE(found.empty()) << found.size() << " texts, first: " << (found.empty() ? "" : found.front());
    EXPECT_EQ(window.Action(ActionId::FileOpen)->text().contains('&'), true);
}

}  // namespace
}  // namespace qxed
