#include "win32/twips.h"

#include <gtest/gtest.h>

namespace plimex::win32 {
namespace {

TEST(Twips, FifteenTwipsAPixelAtNinetySixDpi) {
    const Twips scale(96, 96);
    const RECT drive1 = scale.Rect(120, 120, 2295, 315);
    EXPECT_EQ(drive1.left, 8);
    EXPECT_EQ(drive1.top, 8);
    EXPECT_EQ(drive1.right, 161);
    EXPECT_EQ(drive1.bottom, 29);
    EXPECT_EQ(scale.X(6345), 423);
    EXPECT_EQ(scale.Y(7530), 502);
}

TEST(Twips, ALargeDpiKeepsTheSizeInInches) {
    const Twips scale(192, 144);
    EXPECT_EQ(scale.X(6345), 846);
    EXPECT_EQ(scale.Y(7530), 753);
}

TEST(Twips, ControlsThatMeetInTwipsMeetInPixels) {
    const Twips scale(120, 120);  // 12 twips a pixel: sizes do not divide evenly
    const RECT left = scale.Rect(10, 0, 1003, 10);
    const RECT right = scale.Rect(1013, 0, 500, 10);
    EXPECT_EQ(left.right, right.left);
}

}  // namespace
}  // namespace plimex::win32
