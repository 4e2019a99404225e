#include "win32/shape_box.h"

#include "gui_fixture.h"

namespace plimex::win32 {
namespace {

using ProgressShapeTest = testing::WindowTest;

constexpr RECT kBar{12, 483, 415, 495};  // Shape1 at 96 dpi: left 180, width 6040 twips
constexpr int kLeftTwips = 180;

TEST_F(ProgressShapeTest, AHiddenWindowIsNotRepaintedOnATick) {
    Win32ShapeBox shape(Window(), Twips(96, 96), kBar, kLeftTwips, RGB(0, 0, 192));
    shape.SetWidth(102.25f);
    EXPECT_TRUE(NothingToPaint());
    EXPECT_EQ(shape.Bar().right, 12 + 7);  // the new width is kept for the next paint
}

TEST_F(ProgressShapeTest, OnlyTheStripThatChangedIsRepainted) {
    Win32ShapeBox shape(Window(), Twips(96, 96), kBar, kLeftTwips, RGB(0, 0, 192));
    ShowPainted();

    shape.SetWidth(3067.5f);  // half-way: from 415 down to 12 + 205
    EXPECT_EQ(PendingPaint(), (std::array<LONG, 4>{217, 483, 415, 495}));
    ValidateRect(Window(), nullptr);

    shape.SetWidth(3070.0f);  // the same pixel column
    EXPECT_TRUE(NothingToPaint());

    shape.SetWidth(0.0f);
    EXPECT_EQ(PendingPaint(), (std::array<LONG, 4>{12, 483, 217, 495}));
}

TEST_F(ProgressShapeTest, PaintsTheBarInItsColour) {
    Win32ShapeBox shape(Window(), Twips(96, 96), RECT{2, 2, 10, 6}, 30, RGB(0, 0, 192));
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const UniqueBitmap canvas(CreateBitmap(20, 8, 1, 32, nullptr));
    const SelectedObject selected(dc.get(), canvas.get());
    PatBlt(dc.get(), 0, 0, 20, 8, WHITENESS);

    shape.Paint(dc.get());
    EXPECT_EQ(GetPixel(dc.get(), 2, 2), RGB(0, 0, 192));
    EXPECT_EQ(GetPixel(dc.get(), 9, 5), RGB(0, 0, 192));
    EXPECT_EQ(GetPixel(dc.get(), 10, 5), RGB(255, 255, 255));
}

}  // namespace
}  // namespace plimex::win32
