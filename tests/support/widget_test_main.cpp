// The main of the widget tests: as the other test programs', but with the widget application the editor has.
#include <gtest/gtest.h>

#include <QApplication>

#include "gfx/gfx_session.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qxed::PrepareOffscreenGraphics();
    int applicationArgc = 1;
    char name[] = "qxed-test";
    char* applicationArgv[] = {name, nullptr};
    QApplication application(applicationArgc, applicationArgv);
    const qxed::GraphicsSession graphics;
    return RUN_ALL_TESTS();
}
