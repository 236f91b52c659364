// The title window's frame.
#include <gtest/gtest.h>

#include "ui/title_window.h"

TEST(TitleWindow, CaptionIsKestrune) {
    kestrune::ui::TitleWindow title;
    EXPECT_EQ(title.windowTitle().toStdString(), "Kestrune");
}
