#include "win32/tray_report.h"

#include "gui_fixture.h"

namespace plimex::win32 {
namespace {

using TrayReportTest = testing::WindowTest;

DWORD ScreenPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return MAKELONG(point.x, point.y);
}

TEST_F(TrayReportTest, EveryMoveReportedToAHiddenWindowComesFromTheTray) {
    EXPECT_TRUE(IsTrayReport(Window(), MAKELPARAM(517, 0), ScreenPoint(Window(), 517, 0)));
    EXPECT_TRUE(IsTrayReport(Window(), MAKELPARAM(515, 0), ScreenPoint(Window(), 3, 4)));
}

TEST_F(TrayReportTest, AMoveWhereTheMouseIsOverAShownWindowIsTheMouse) {
    ShowWindow(Window(), SW_SHOWNA);
    // A window 600 pixels wide on a large-DPI screen: X can reach 515 and 517.
    EXPECT_FALSE(IsTrayReport(Window(), MAKELPARAM(517, 7), ScreenPoint(Window(), 517, 7)));
    EXPECT_TRUE(IsTrayReport(Window(), MAKELPARAM(517, 0), ScreenPoint(Window(), 1000, 700)));
}

TEST(TrayIntentOfReport, TheLeftDoubleClickOpensTheWindowTheRightButtonUpTheMenu) {
    EXPECT_EQ(TrayIntentOfReport(MAKELPARAM(515, 0)), TrayIntent::OpenWindow);
    EXPECT_EQ(TrayIntentOfReport(MAKELPARAM(517, 9)), TrayIntent::ShowMenu);
    for (const int message : {0, 512, 513, 514, 516, 518, 519, 520, 521, 0xFFFF}) {
        EXPECT_EQ(TrayIntentOfReport(static_cast<LPARAM>(message)), TrayIntent::None) << message;
    }
}

}  // namespace
}  // namespace plimex::win32
