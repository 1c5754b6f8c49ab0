#include "console/console.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// Tests run from a terminal would paint it, so this one needs there to be
// no console, as under CI or a pipe under wine.
TEST(Console, WithoutAConsoleEveryOperationStoresEioAndGoesOn) {
    if (console_output_handle() != no_console) {
        GTEST_SKIP() << "this process has a console";
    }
    errno = 0;
    set_background_color(color_light_grey);
    EXPECT_EQ(errno, EIO);
    errno = 0;
    set_text_color(color_blue);
    EXPECT_EQ(errno, EIO);
    errno = 0;
    clear_screen();
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(console_output_handle(), no_console);
}

} // namespace
