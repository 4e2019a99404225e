#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_tools.h"
#include "fakes/fake_platform.h"
#include "linux_desktop/pcmanfm_wallpaper.h"
#include "linux_desktop/sway_wallpaper.h"
#include "posix/scratch_folder.h"

namespace plimex::linux_desktop {
namespace {

using Argv = std::vector<std::string>;

class ProcessWallpaper : public ::testing::Test {
  protected:
    ScratchFolder pictures_;
    FakeTools tools_;
    plimex::testing::FakeDiagnostics diagnostics_;
    // The raw bytes of a file name; the last one is not UTF-8.
    const std::string path_ = pictures_ / (kAwkwardLeaf + "\xe9");
    // pcmanfm takes no control characters (see below).
    const std::string oneLinePath_ = pictures_ /
                                     "Mon \"fond\" d'\xe9"
                                     "cran\\ $(touch pwned) #1.bmp";

    // A detached program records itself a moment after it starts.
    void WaitForInvocations(std::size_t count) const {
        for (int i = 0; i < 500 && tools_.Invocations().size() < count; ++i) usleep(10'000);
    }
};

TEST_F(ProcessWallpaper, PcmanfmGetsThePathAsOneArgumentUnchanged) {
    tools_.Install("pcmanfm");
    tools_.Install("pcmanfm-qt");
    EXPECT_TRUE(PcmanfmWallpaper::Lxde().Show(oneLinePath_));
    EXPECT_TRUE(PcmanfmWallpaper::Lxqt(pictures_.path()).Show(oneLinePath_));

    const auto invocations = tools_.Invocations();
    ASSERT_EQ(invocations.size(), 2u);
    EXPECT_EQ(invocations[0].argv, (Argv{"pcmanfm", "--set-wallpaper=" + oneLinePath_}));
    EXPECT_EQ(invocations[1].argv, (Argv{"pcmanfm-qt", "--set-wallpaper=" + oneLinePath_}));
}

TEST_F(ProcessWallpaper, PcmanfmFailuresAreReportedAndAHangingOneIsCutShort) {
    EXPECT_FALSE(PcmanfmWallpaper::Lxde().Show(oneLinePath_)) << "not installed";

    tools_.Install("pcmanfm", "exit 1");
    EXPECT_FALSE(PcmanfmWallpaper::Lxde().Show(oneLinePath_));

    tools_.Install("pcmanfm", "exec /bin/sleep 60");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(PcmanfmWallpaper::Lxde().Show(oneLinePath_));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const std::string hung = tools_.Invocations().back().pid;
    EXPECT_NE(kill(std::stoi(hung), 0), 0) << "the hanging process was left running";
}

// pcmanfm writes the name into a file of one setting a line.
TEST_F(ProcessWallpaper, PcmanfmIsGivenNoNameWithAControlCharacter) {
    tools_.Install("pcmanfm");
    tools_.Install("pcmanfm-qt");
    for (const char* leaf :
         {"a\nwallpaper_mode=color\n.bmp", "a\r.bmp", "a\t.bmp", "a\x1b.bmp", "a\x7f.bmp"}) {
        for (PcmanfmWallpaper pcmanfm :
             {PcmanfmWallpaper::Lxde(), PcmanfmWallpaper::Lxqt(pictures_.path())}) {
            EXPECT_FALSE(pcmanfm.Show(pictures_ / leaf)) << leaf;
            EXPECT_NE(pcmanfm.failure().find("control character"), std::string::npos);
        }
    }
    EXPECT_TRUE(tools_.Invocations().empty());
}

TEST_F(ProcessWallpaper, SwaymsgIsHandedAPlainLinkToThePicture) {
    tools_.Install("swaymsg");
    const std::filesystem::path link = pictures_.path() / "config" / "sway-wallpaper";
    SwayWallpaper sway(SwayWallpaper::Route::kSwaymsg, {link}, diagnostics_);

    ASSERT_TRUE(sway.Show(path_));
    const auto invocations = tools_.Invocations();
    ASSERT_EQ(invocations.size(), 1u);
    // sway joins these into one command line and expands the file name like
    // a shell would: the picture's own name must not reach it.
    EXPECT_EQ(invocations[0].argv,
              (Argv{"swaymsg", "output", "*", "bg", link.string(), "stretch"}));
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), path_);

    const std::string second = pictures_ / "second.bmp";
    ASSERT_TRUE(sway.Show(second));
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), second);
}

TEST_F(ProcessWallpaper, TheLinkGoesToTheFirstPlainPlaceAndWithoutOneSwaybgDraws) {
    tools_.Install("swaymsg");
    tools_.Install("swaybg", "exec /bin/sleep 60");
    const std::filesystem::path plain = pictures_.path() / "run" / "sway-wallpaper";
    SwayWallpaper sway(SwayWallpaper::Route::kSwaymsg,
                       {pictures_.path() / "user@example.org" / "sway-wallpaper", plain},
                       diagnostics_);
    ASSERT_TRUE(sway.Show(path_));
    ASSERT_EQ(tools_.Invocations().size(), 1u);
    EXPECT_EQ(tools_.Invocations()[0].argv.at(4), plain.string());

    SwayWallpaper nowherePlain(SwayWallpaper::Route::kSwaymsg,
                               {pictures_.path() / "my config" / "sway-wallpaper"}, diagnostics_);
    ASSERT_TRUE(nowherePlain.Show(path_));
    WaitForInvocations(2);
    const auto invocations = tools_.Invocations();
    ASSERT_EQ(invocations.size(), 2u);
    EXPECT_EQ(invocations[1].argv, (Argv{"swaybg", "-m", "stretch", "-i", path_}));
    ASSERT_EQ(diagnostics_.lines.size(), 1u);
    EXPECT_TRUE(diagnostics_.lines[0].starts_with("sway wallpaper: " + path_ + ": "))
        << diagnostics_.lines[0];
    kill(std::stoi(invocations[1].pid), SIGKILL);
    waitpid(std::stoi(invocations[1].pid), nullptr, 0);

    EXPECT_FALSE(sway.Show("relative.bmp")) << "a relative link target would point elsewhere";
    EXPECT_EQ(tools_.Invocations().size(), 2u);
}

TEST_F(ProcessWallpaper, SwaymsgFailureIsReportedWithoutFallingBackToSwaybg) {
    tools_.Install("swaymsg", "exit 2");
    tools_.Install("swaybg", "exec /bin/sleep 60");
    SwayWallpaper sway(SwayWallpaper::Route::kSwaymsg, {pictures_.path() / "sway-wallpaper"},
                       diagnostics_);
    EXPECT_FALSE(sway.Show(path_));
    ASSERT_EQ(tools_.Invocations().size(), 1u);
    EXPECT_EQ(tools_.Invocations()[0].argv[0], "swaymsg");
}

TEST_F(ProcessWallpaper, WithoutSwaymsgEachSwaybgReplacesTheOneBefore) {
    tools_.Install("swaybg", "exec /bin/sleep 60");
    SwayWallpaper sway(SwayWallpaper::Route::kSwaymsg, {pictures_.path() / "sway-wallpaper"},
                       diagnostics_);
    const std::string second = pictures_ / "second.bmp";

    ASSERT_TRUE(sway.Show(path_));
    WaitForInvocations(1);
    ASSERT_TRUE(sway.Show(second));
    WaitForInvocations(2);

    const auto invocations = tools_.Invocations();
    ASSERT_EQ(invocations.size(), 2u);
    EXPECT_EQ(invocations[0].argv, (Argv{"swaybg", "-m", "stretch", "-i", path_}));
    EXPECT_EQ(invocations[1].argv, (Argv{"swaybg", "-m", "stretch", "-i", second}));
    const pid_t first = std::stoi(invocations[0].pid);
    const pid_t last = std::stoi(invocations[1].pid);
    EXPECT_NE(kill(first, 0), 0) << "the replaced swaybg still runs";
    EXPECT_EQ(kill(last, 0), 0) << "the current swaybg must keep running";
    EXPECT_EQ(getsid(last), last) << "swaybg must not die with our session";
    kill(last, SIGKILL);
    waitpid(last, nullptr, 0);
}

// The real swaybg, where there is one, cannot reach a compositor here.
TEST_F(ProcessWallpaper, ASwaybgThatEndsAtOnceFailsAndTheOneBeforeKeepsDrawing) {
    tools_.Install("swaybg", "exec /bin/sleep 60");
    SwayWallpaper sway(SwayWallpaper::Route::kSwaybg, {}, diagnostics_);
    ASSERT_TRUE(sway.Show(path_));
    WaitForInvocations(1);
    tools_.Install(
        "swaybg",
        "export WAYLAND_DISPLAY=plimex-none; [ -x /usr/bin/swaybg ] && exec /usr/bin/swaybg "
        "\"$@\"; exit 1");
    EXPECT_FALSE(sway.Show(pictures_ / "second.bmp"));
    EXPECT_EQ(sway.failure(), "swaybg ended at once; the wallpaper before stays");
    const pid_t first = std::stoi(tools_.Invocations().at(0).pid);
    EXPECT_EQ(kill(first, 0), 0) << "the swaybg drawing before was stopped";
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
}

}  // namespace
}  // namespace plimex::linux_desktop
