// The editor as a person uses it: the preview with the mouse and the keys, the element clipboard between two
// editors, undo. The whole editor runs on the example project, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "document/document.h"
#include "support/temp_folder.h"
#include "text/settings_paths.h"
#include "ui/editor.h"
#include "ui/timage1.h"
#include "ui/tqx200_app_form.h"

namespace qxed {
namespace {

struct RunningEditor {
    RunningEditor() : editor(ProgramFolder(), folder.File("Qx200.Ini")) {
        editor.Show({QXED_EXAMPLE_QX2});
        QApplication::setActiveWindow(&editor.MainWindow());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor.MainWindow()));
    }
    TImage1* Image() { return editor.MainWindow().Image1(); }
    const Page& Page1() { return editor.Doc().CurrentPage(); }
    // A click on the preview at (x, y).
    void Click(int x, int y) { QTest::mouseClick(Image(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y)); }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    testing::TempFolder folder;
    Editor editor;
};

TEST(Editing, ThePreviewShowsTheCurrentPageAndTakesTheMouseAndTheKeys) {
    RunningEditor running;
    const QImage shown = running.Image()->Picture();
    ASSERT_EQ(shown.size(), QSize(432, 144));  // QX223
    // Black text on white: the page is drawn.
    int black = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 432; ++x)
            black += shown.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_GT(black, 100);

    const std::size_t elements = running.Page1().Elements.size();
    running.Click(10, 10);  // the title text at 0, 0
    ASSERT_TRUE(running.editor.Doc().ElementSelected());
    const Element title = running.Page1().Elements.front();
    EXPECT_EQ(title.Y, 0);
    EXPECT_EQ(QApplication::focusWidget(), running.Image());

    running.Keys(Qt::Key_Down);
    EXPECT_EQ(running.Page1().Elements.front().Y, 9);
    running.Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(running.Page1().Elements.front().Y, 0);

    // Copy and paste on the preview: a second element, one undo step.
    running.Keys(Qt::Key_C, Qt::ControlModifier);
    running.Keys(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(running.Page1().Elements.size(), elements + 1);
    EXPECT_EQ(running.Page1().Elements[0].As<TextFields>().Content, title.As<TextFields>().Content);
    running.Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(running.Page1().Elements.size(), elements);

    // Dragging 20 pixels right on the 9-pixel grid moves two steps; Delete removes the element.
    running.Click(10, 10);
    QTest::mousePress(running.Image(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 10), QPointF(30, 10), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(running.Image(), &move);
    QTest::mouseRelease(running.Image(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_EQ(running.Page1().Elements.front().X, 18);
    running.Keys(Qt::Key_Delete);
    EXPECT_EQ(running.Page1().Elements.size(), elements - 1);
}

TEST(Editing, InATextFieldTheClipboardKeysActOnTheTextOnly) {
    RunningEditor running;
    running.Click(10, 10);
    auto* field = new QLineEdit(QStringLiteral("hello"), &running.editor.MainWindow());
    field->show();
    field->setFocus();
    field->selectAll();
    const std::size_t elements = running.Page1().Elements.size();
    running.Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "hello");
    running.Keys(Qt::Key_Delete);  // deletes the text, not the element
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(running.Page1().Elements.size(), elements);
}

TEST(Editing, AnElementCopiedInOneEditorIsPastedWithItsFieldsInAnother) {
    RunningEditor first;
    // The register on page 1 of the example ("1234.5" after "温度:").
    const auto& page = first.Page1().Elements;
    const auto reg =
        std::find_if(page.begin(), page.end(), [](const Element& e) { return e.Is(ElementKind::Reg); });
    ASSERT_NE(reg, page.end());
    const Element original = *reg;
    first.Click(original.X + 2, original.Y + 2);
    first.Keys(Qt::Key_C, Qt::ControlModifier);

    RunningEditor second;
    second.Click(420, 140);  // an empty spot: the preview has the focus, nothing is selected
    second.Keys(Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(second.editor.Doc().ElementSelected());
    EXPECT_EQ(*second.editor.Doc().SelectedElement(), original);
}

}  // namespace
}  // namespace qxed
