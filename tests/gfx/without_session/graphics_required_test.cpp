// A test program whose main starts no graphics, as a program that forgot to would be: every gfx entry point
// that needs the graphics application must end the program with a message instead of making an application
// of its own, whatever its input.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/gfx_session.h"
#include "gfx/mono_bitmap.h"
#include "gfx/raster_image.h"
#include "gfx/text_render.h"

namespace qxed {
namespace {

FontDesc SomeFont() {
    FontDesc font;
    font.Name = "Sans";
    font.SetHeight(16);
    return font;
}

std::vector<uint8_t> SomeBmp() {
    MonoBitmap bitmap(5, 3);
    bitmap.Set(1, 1, true);
    return EncodeMonoBmp(bitmap);
}

struct GfxCall {
    const char* Name;
    std::function<void()> Call;
};

TEST(GraphicsRequired, EveryCallThatNeedsTheApplicationEndsTheProgramWithoutASession) {
    const std::vector<GfxCall> calls = {
        {"a picture that decodes", [] { (void)DecodeBmp(SomeBmp()); }},
        {"bytes that are no picture",
         [] {
             (void)DecodeBmp(std::vector<uint8_t>{'B', 'M', 1});
         }},
        {"a PNG of a picture",
         [] {
             (void)EncodePng(RasterImage{2, 1, {kWhite, kBlack}});
         }},
        {"a PNG of nothing", [] { (void)EncodePng(RasterImage{}); }},
        {"measuring a text", [] { (void)MeasureText(SomeFont(), "Ab", CodePage::Gbk); }},
        {"drawing a text",
         [] {
             (void)RenderTextInk(SomeFont(), "Ab", CodePage::Gbk, Rect{0, 0, 8, 8});
         }},
        {"the face in use", [] { (void)ResolvedFamily(SomeFont(), CodePage::Gbk); }},
        {"a text on a canvas",
         [] {
             Canvas canvas(20, 20);
             canvas.SetFont(SomeFont(), CodePage::Gbk);
             canvas.TextOut(0, 0, "Ab");
         }},
    };
    for (const GfxCall& call : calls) {
        EXPECT_DEATH(call.Call(), "needs the graphics session, which this program has not started")
            << call.Name;
    }
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(GraphicsRequired, ASessionNeedsTheApplicationFirst) {
    EXPECT_DEATH(GraphicsSession session, "started before the program's graphics application object exists");
}

// The whole start, as a headless program's main does it, then a call after the session has ended.
void StartMeasureAndEnd() {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("XDG_RUNTIME_DIR");
    PrepareOffscreenGraphics();
    int argc = 1;
    char name[] = "qxed-test";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    {
        const GraphicsSession session;
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        std::fprintf(stderr, "platform %s, runtime %s, running %d, measured %d\n",
                     QGuiApplication::platformName().toUtf8().constData(), runtime ? runtime : "none",
                     GraphicsSessionRunning(), MeasureText(SomeFont(), "Ab", CodePage::Gbk).Width > 0);
    }
    (void)MeasureText(SomeFont(), "Ab", CodePage::Gbk);
}

// In a fresh child process: whatever platform the environment asks for, a headless start is offscreen and
// gets a private runtime folder; calls work while the session runs and fail once it has ended.
TEST(GraphicsRequired, AHeadlessStartRunsOffscreenUntilTheSessionEnds) {
    EXPECT_EXIT(StartMeasureAndEnd(), ::testing::KilledBySignal(SIGABRT),
                "platform offscreen, runtime /tmp/qxed-runtime-[0-9]+, running 1, measured 1\n"
                "(.|\n)*text measuring and drawing needs the graphics session");
}

}  // namespace
}  // namespace qxed
