// The main of the test programs: GoogleTest, with the graphics started the way the command line starts them,
// so that any test may draw, measure text or decode pictures.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "gfx/gfx_session.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qxed::PrepareOffscreenGraphics();
    // The application sees none of the test program's arguments: they are GoogleTest's.
    int applicationArgc = 1;
    char name[] = "qxed-test";
    char* applicationArgv[] = {name, nullptr};
    QGuiApplication application(applicationArgc, applicationArgv);
    const qxed::GraphicsSession graphics;
    return RUN_ALL_TESTS();
}
