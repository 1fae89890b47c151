#include <gtest/gtest.h>

#include "gfx/gfx_session.h"

namespace qxed {
namespace {

TEST(GraphicsSession, TheTestProgramsRunOneAndASecondIsRefused) {
    EXPECT_TRUE(GraphicsSessionRunning());
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(GraphicsSession second, "a second graphics session was started while one runs");
    EXPECT_TRUE(GraphicsSessionRunning());
}

}  // namespace
}  // namespace qxed
