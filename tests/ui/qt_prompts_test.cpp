#include "ui/qt_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "text/language.h"

namespace qxed {
namespace {

// What the message box showed, read from inside its own loop, and the answer pressed.
struct Shown {
    QString Text;
    QString Detailed;
};

Shown ShowAndRead(QtPrompts& prompts, const std::string& detail, bool detailed) {
    Shown shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = {box->text(), box->detailedText()};
        box->buttons().front()->click();
    });
    if (detailed)
        prompts.ShowDetailedMessage("该文件格式不正确！", detail, "demo.qx2 - QXED", MessageIcon::Error);
    else
        prompts.ShowMessage("该文件格式不正确！", "demo.qx2 - QXED", MessageIcon::Error);
    return shown;
}

// The message keeps its exact text; the detail is the box's detailed text, and only a detail makes one.
TEST(QtPrompts, TheDetailIsTheBoxsDetailedTextBesideTheExactMessage) {
    const Language language;
    QtPrompts prompts(language);
    const struct {
        bool Detailed;
        std::string Detail;
        QString Expected;
    } cases[] = {
        {true, "/tmp/demo.qx2: No such file or directory", "/tmp/demo.qx2: No such file or directory"},
        {true, "", ""},
        {false, "", ""},
    };
    for (const auto& c : cases) {
        const Shown shown = ShowAndRead(prompts, c.Detail, c.Detailed);
        EXPECT_EQ(shown.Text, QString::fromUtf8("该文件格式不正确！"));
        EXPECT_EQ(shown.Detailed, c.Expected) << c.Detail;
    }
}

}  // namespace
}  // namespace qxed
