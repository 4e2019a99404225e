#include "core/rotation.h"

#include <cmath>

#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

class RotationTest : public Form1Test {
  protected:
    // Start-up with the rotation on and three bitmaps in the saved folder.
    void StartWith(const std::string& interval) {
        AddFolder("C:\\Images\\", {"c.bmp", "a.bmp", "b.bmp"});
        WriteOptions("[options]\r\nRep=C:\\Images\\\r\nTps=" + interval + "\r\nEtat=1\r\n");
        form.Form_Load();
        desktop.wallpapers.clear();
    }
    std::vector<std::string> Rotations() const { return desktop.wallpapers; }
};

TEST_F(RotationTest, OneMinuteBarGrowsEachTickAndEmptiesOnTheRotatingTick) {
    StartWith("1");
    Tick(1);
    EXPECT_FLOAT_EQ(shape1.width, 102.25f);
    Tick(1);
    EXPECT_FLOAT_EQ(shape1.width, 204.5f);
    Tick(57);
    EXPECT_FLOAT_EQ(shape1.width, 6032.75f);
    EXPECT_TRUE(Rotations().empty());
    Tick(1);
    EXPECT_EQ(Rotations().size(), 1u);
    EXPECT_EQ(form.tickCount(), 0);
    EXPECT_FLOAT_EQ(shape1.width, 0.0f);
}

TEST_F(RotationTest, EveryIntervalIsHalfFullAtHalfItsLimitAndRotatesAtItsLimit) {
    const std::array<int, 5> limits{60, 300, 900, 1800, 2700};
    for (int code = 1; code <= 5; ++code) {
        const int limit = limits[code - 1];
        EXPECT_EQ(IntervalLimit(std::to_wstring(code)), limit);
        EXPECT_FLOAT_EQ(ProgressBarWidth(static_cast<std::int16_t>(limit / 2), limit), 3067.5f);
    }
    EXPECT_FLOAT_EQ(ProgressBarWidth(300, 900), 2045.0f);
    EXPECT_NEAR(ProgressBarWidth(899, 900), 6128.18f, 0.01f);
    EXPECT_FALSE(IntervalLimit(L"01"));
    EXPECT_FALSE(IntervalLimit(L""));

    StartWith("5");
    Tick(2699);
    EXPECT_TRUE(Rotations().empty());
    Tick(1);
    EXPECT_EQ(Rotations().size(), 1u);
}

TEST_F(RotationTest, ShorterIntervalRotatesAtTheNextTickWhenTheCountIsPastIt) {
    StartWith("3");
    Tick(200);
    form.Option1_Click();
    EXPECT_EQ(form.tickCount(), 200);  // choosing an interval does not reset the count
    Tick(1);
    EXPECT_EQ(Rotations().size(), 1u);
    EXPECT_EQ(form.tickCount(), 0);
}

TEST_F(RotationTest, LongerIntervalRescalesTheBarAtTheNextTick) {
    StartWith("1");
    Tick(50);
    const int setsBefore = shape1.sets;
    form.Option5_Click();
    EXPECT_EQ(shape1.sets, setsBefore);  // no redraw before the next tick
    Tick(1);
    EXPECT_NEAR(shape1.width, 115.88f, 0.01f);
    Tick(2700 - 51 - 1);
    EXPECT_TRUE(Rotations().empty());
    Tick(1);
    EXPECT_EQ(Rotations().size(), 1u);
}

TEST_F(RotationTest, TheDrawPicksEveryEntryOfTheSortedList) {
    StartWith("1");
    const std::array<std::pair<float, const char*>, 3> draws{
        {{0.0f, "C:\\Images\\a.bmp"},
         {0.5f, "C:\\Images\\b.bmp"},
         {std::nextafter(1.0f, 0.0f), "C:\\Images\\c.bmp"}}};
    for (const auto& [r, expected] : draws) {
        random.next = r;
        desktop.wallpapers.clear();
        Tick(60);
        ASSERT_EQ(Rotations().size(), 1u);
        EXPECT_EQ(Rotations()[0], expected) << "r = " << r;
    }
    EXPECT_EQ(RandomIndex(3, 1.0f), 2);  // a generator that overshoots stays in the list
    EXPECT_EQ(random.reseeds, 4);        // start-up and every rotation re-seed
}

TEST_F(RotationTest, AnEmptyFolderRotatesNothingButTheCountStillRestarts) {
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=1\r\n");
    form.Form_Load();
    Tick(60);
    EXPECT_TRUE(desktop.wallpapers.empty());
    EXPECT_EQ(lblPap.caption, L"");
    EXPECT_EQ(form.tickCount(), 0);
}

TEST_F(RotationTest, AnUnknownIntervalOnlyCountsAndTheCountNeverOverflows) {
    StartWith("9");
    const float width = shape1.width;
    Tick(40000);
    EXPECT_EQ(form.tickCount(), 32767);
    EXPECT_EQ(shape1.width, width);
    EXPECT_TRUE(Rotations().empty());
    form.Option1_Click();
    Tick(1);
    EXPECT_EQ(Rotations().size(), 1u);
    EXPECT_EQ(form.tickCount(), 0);
}

TEST_F(RotationTest, SwitchingOffAndOnKeepsTheCount) {
    StartWith("2");
    Tick(100);
    form.Command1_Click();
    EXPECT_FALSE(tmr.enabled);
    form.Activer_Click();
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(form.tickCount(), 100);
    EXPECT_TRUE(Rotations().empty());  // switching on waits for the timer
    Tick(200);
    EXPECT_EQ(Rotations().size(), 1u);
}

}  // namespace
}  // namespace plimex::testing
