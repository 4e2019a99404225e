#include "core/form1.h"
#include "core/rotation.h"

namespace plimex {

void Form1::Tmr_Timer() {
    if (rotationWaitsForList_) {
        return;
    }
    TickCount = NextTickCount(TickCount);
    const std::optional<int> limit = IntervalLimit(IntervalCode);
    if (!limit) {
        return;
    }
    if (TickCount >= *limit) {
        RotateWallpaper();
        TickCount = 0;
    }
    c_.Shape1.SetWidth(ProgressBarWidth(TickCount, *limit));
}

void Form1::Option1_Click() {
    IntervalCode = L"1";
}
void Form1::Option2_Click() {
    IntervalCode = L"2";
}
void Form1::Option3_Click() {
    IntervalCode = L"3";
}
void Form1::Option4_Click() {
    IntervalCode = L"4";
}
void Form1::Option5_Click() {
    IntervalCode = L"5";
}

void Form1::RotateWallpaper() {
    // Never a pick from a folder or a list still being read: the rotation waits for it.
    if (readingFolder_ || listing_) {
        rotationWaitsForList_ = true;
        return;
    }
    platform_.random.RandomizeFromTimeOfDay();
    const float r = platform_.random.Rnd();
    const int count = c_.LstFic.ListCount();
    // A folder without bitmaps has nothing to show: keep the wallpaper.
    if (count <= 0) {
        return;
    }
    ApplyWallpaper(ImageFolder + c_.LstFic.List(RandomIndex(count, r)));
}

}  // namespace plimex
