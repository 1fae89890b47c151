// One drag step as a person feels it: from the mouse move over the preview to the repainted widget, on a
// page of 255 elements of every kind, on the offscreen platform. Aim: under 8 ms, half a 60 Hz frame.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "document/page_commands.h"
#include "files/project_file.h"
#include "gfx/gfx_session.h"
#include "preview_bench_page.h"
#include "text/settings_paths.h"
#include "ui/editor.h"
#include "ui/timage1.h"
#include "ui/tqx200_app_form.h"

namespace {

constexpr double kLimitMilliseconds = 8.0;

class ConfirmingPrompts : public qxed::UserPrompts {
  public:
    qxed::MessageResult ShowMessage(const std::string& text, const std::string&, qxed::MessageIcon,
                                    qxed::MessageButtons) override {
        std::fprintf(stderr, "bench_drag_step: %s\n", text.c_str());
        return qxed::MessageResult::Ok;
    }
};

}  // namespace

int main(int argc, char** argv) {
    qxed::PrepareOffscreenGraphics();
    QApplication application(argc, argv);
    const qxed::GraphicsSession graphics;

    const std::string folder = "/tmp/qxed-drag-bench-" + std::to_string(getpid());
    const std::string file = folder + ".qx2";
    int failures = 0;
    for (const int model : {6, 2}) {
        qxed::Project project;
        qxed::Page page = qxed::bench::MixedElementsPage(project, model);
        project.ClearPages();
        project.AppendPage(std::move(page));
        ConfirmingPrompts prompts;
        if (!qxed::SaveProject(project, file, qxed::Language(), prompts)) return 1;

        qxed::Editor editor(qxed::ProgramFolder(), folder + ".ini");
        editor.Show({file});
        qxed::TImage1* image = editor.MainWindow().Image1();
        // Select the front element and hold the button down on it.
        const qxed::Element front = editor.Doc().CurrentPage().Elements.front();
        const QPoint start(front.X + 1, front.Y + 1);
        QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, start);
        const int step = qxed::FindPanelModel(model)->GridStep;
        // One step right (half a step of travel would do), then one back (a step and a half of travel).
        bool right = true;
        const double microseconds = qxed::bench::MedianMicroseconds(100, [&] {
            const QPointF to(right ? start.x() + step : start.x() - step / 2, start.y());
            right = !right;
            QMouseEvent move(QEvent::MouseMove, to, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(image, &move);
            image->repaint();
        });
        QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, start);
        // Every step moved the element: one undo step for the whole drag, and the element back where it was.
        if (editor.Doc().Steps().Steps() != 1 || editor.Doc().CurrentPage().Elements.front().X != front.X) {
            std::fprintf(stderr, "bench_drag_step: the drag did not move the element as expected\n");
            ++failures;
        }
        const double milliseconds = microseconds / 1000.0;
        std::printf("drag step on a page of 255 elements, model %d: median %.2f ms (limit %.0f ms)\n", model,
                    milliseconds, kLimitMilliseconds);
        if (milliseconds > kLimitMilliseconds) ++failures;
        std::remove((folder + ".ini").c_str());
    }
    std::remove(file.c_str());
    return failures == 0 ? 0 : 1;
}
