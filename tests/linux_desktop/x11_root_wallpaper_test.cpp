// The bare X11 setter on a private Xvfb, checked with the usual X tools.

#include "linux_desktop/x11_root_wallpaper.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_platform.h"
#include "linux_desktop/linux_desktop.h"
#include "posix/scratch_folder.h"
#include "x11_probe.h"

extern char** environ;

namespace plimex::linux_desktop {
namespace {

// Output of a fixed command line of ours; the picture paths never go into it.
std::string CommandOutput(const std::string& command) {
    std::string output;
    const std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe) return output;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) output += buffer.data();
    return output;
}

// An X server of its own on a free display number, as Xvfb picks it. The
// suite runs again on servers that share no memory with the program: one
// without the extension, one in an IPC namespace of its own, as in a
// container (PLIMEX_X_SERVER_SHARES = none or elsewhere).
std::vector<const char*> XServerCommand() {
    const char* const shares = std::getenv("PLIMEX_X_SERVER_SHARES");
    const std::string_view mode = shares != nullptr ? shares : "";
    std::vector<const char*> command;
    if (mode == "elsewhere") command = {"unshare", "--ipc"};
    for (const char* word :
         {"Xvfb", "-displayfd", "3", "-screen", "0", "640x480x24", "-nolisten", "tcp"}) {
        command.push_back(word);
    }
    if (mode == "none") command.insert(command.end(), {"-extension", "MIT-SHM"});
    command.push_back(nullptr);
    return command;
}

class PrivateXServer {
  public:
    PrivateXServer() {
        std::array<int, 2> ends{};
        if (pipe(ends.data()) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const std::vector<const char*> argv = XServerCommand();
        const int error = posix_spawnp(&pid_, argv[0], &actions, nullptr,
                                       const_cast<char* const*>(argv.data()), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(ends[1]);
        std::string number;
        char c = 0;
        while (error == 0 && read(ends[0], &c, 1) == 1 && c != '\n') number += c;
        close(ends[0]);
        if (error != 0 || number.empty()) return;
        display_ = ":" + number;
        setenv("DISPLAY", display_.c_str(), 1);
    }
    ~PrivateXServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    const std::string& display() const { return display_; }

  private:
    pid_t pid_ = 0;
    std::string display_;
};

class X11RootWallpaperTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<PrivateXServer>();
        session_ = std::make_unique<SessionClient>();
    }
    static void TearDownTestSuite() {
        session_.reset();
        server_.reset();
    }

    void SetUp() override { ASSERT_TRUE(session_->connected()) << "Xvfb did not start"; }

    std::string Bitmap(const std::string& leaf, std::uint32_t left, std::uint32_t right) const {
        const std::string path = pictures_ / (leaf);
        WriteWholeFile(path, TwoPixelBitmap(left, right));
        return path;
    }

    static std::string PixelOfScreen(int x, int y) {
        const std::string text =
            CommandOutput("import -display " + server_->display() + " -window root -crop 1x1+" +
                          std::to_string(x) + "+" + std::to_string(y) + " -depth 8 txt:-");
        std::smatch match;
        return std::regex_search(text, match, std::regex("#[0-9A-F]{6}")) ? match.str()
                                                                          : "<no pixel>";
    }

    static std::optional<unsigned long> RootPixmap(const std::string& property) {
        const std::string text =
            CommandOutput("xprop -display " + server_->display() + " -root " + property);
        std::smatch match;
        if (!std::regex_search(text, match, std::regex("pixmap id # (0x[0-9a-f]+)"))) {
            return std::nullopt;
        }
        return std::stoul(match[1].str(), nullptr, 16);
    }

    // Shows the picture from a process of its own that ends right after.
    static bool ShowFromAnotherProcess(const std::string& path) {
        pid_t child = 0;
        const std::array<const char*, 3> argv{SHOW_ROOT_WALLPAPER, path.c_str(), nullptr};
        if (posix_spawn(&child, argv[0], nullptr, nullptr, const_cast<char* const*>(argv.data()),
                        environ) != 0) {
            return false;
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    static inline std::unique_ptr<PrivateXServer> server_;
    static inline std::unique_ptr<SessionClient> session_;
    ScratchFolder pictures_;
};

TEST_F(X11RootWallpaperTest, ThePictureFillsTheScreenAndStaysAfterTheSetterEnds) {
    const std::string path = Bitmap(kAwkwardLeaf + "\xe9", 0xcc3311, 0x1166cc);
    ASSERT_TRUE(ShowFromAnotherProcess(path));

    EXPECT_EQ(PixelOfScreen(5, 5), "#CC3311");
    EXPECT_EQ(PixelOfScreen(5, 475), "#CC3311");
    EXPECT_EQ(PixelOfScreen(634, 5), "#1166CC");
    EXPECT_EQ(PixelOfScreen(634, 475), "#1166CC");
    const std::optional<unsigned long> pixmap = RootPixmap("_XROOTPMAP_ID");
    ASSERT_TRUE(pixmap.has_value());
    EXPECT_EQ(RootPixmap("ESETROOT_PMAP_ID"), pixmap);
    EXPECT_TRUE(PixmapExists(*pixmap));
}

TEST_F(X11RootWallpaperTest, EachMonitorShowsTheWholePicture) {
    const std::string xrandr = "xrandr -display " + server_->display();
    CommandOutput(xrandr + " --setmonitor left 320/100x480/100+0+0 screen");
    CommandOutput(xrandr + " --setmonitor right 320/100x480/100+320+0 none");
    const std::string monitors = CommandOutput(xrandr + " --listmonitors");

    const bool shown = X11RootWallpaper().Show(Bitmap("halves.bmp", 0xcc3311, 0x1166cc));
    CommandOutput(xrandr + " --delmonitor right");
    CommandOutput(xrandr + " --delmonitor left");
    ASSERT_NE(monitors.find("Monitors: 2"), std::string::npos) << monitors;
    ASSERT_TRUE(shown);

    EXPECT_EQ(PixelOfScreen(5, 240), "#CC3311");
    EXPECT_EQ(PixelOfScreen(314, 240), "#1166CC");
    EXPECT_EQ(PixelOfScreen(325, 240), "#CC3311");
    EXPECT_EQ(PixelOfScreen(634, 240), "#1166CC");
}

TEST_F(X11RootWallpaperTest, EachNewPictureFreesThePixmapOfTheOneBefore) {
    ASSERT_TRUE(ShowFromAnotherProcess(Bitmap("first.bmp", 0xff0000, 0xff0000)));
    const std::optional<unsigned long> first = RootPixmap("_XROOTPMAP_ID");
    ASSERT_TRUE(first.has_value());

    ASSERT_TRUE(ShowFromAnotherProcess(Bitmap("second.bmp", 0x00ff00, 0x00ff00)));
    EXPECT_EQ(PixelOfScreen(320, 240), "#00FF00");
    const std::optional<unsigned long> second = RootPixmap("_XROOTPMAP_ID");
    ASSERT_TRUE(second.has_value());
    EXPECT_NE(second, first);
    EXPECT_FALSE(PixmapExists(*first)) << "the server keeps every wallpaper ever shown";
    EXPECT_TRUE(PixmapExists(*second));
}

TEST_F(X11RootWallpaperTest, APixmapOfAnotherRunningProgramIsLeftAlone) {
    // A desktop program that draws the root itself publishes its pixmap in
    // _XROOTPMAP_ID only, and still needs it.
    const ForeignRootPixmap theirs;
    ASSERT_TRUE(PixmapExists(theirs.pixmap()));

    ASSERT_TRUE(X11RootWallpaper().Show(Bitmap("ours.bmp", 0x010203, 0x010203)));
    EXPECT_TRUE(PixmapExists(theirs.pixmap()));
    EXPECT_EQ(PixelOfScreen(320, 240), "#010203");
}

TEST_F(X11RootWallpaperTest, AFileThatIsNoPictureChangesNothing) {
    ASSERT_TRUE(X11RootWallpaper().Show(Bitmap("before.bmp", 0x090909, 0x090909)));
    const std::optional<unsigned long> before = RootPixmap("_XROOTPMAP_ID");
    const std::string text = pictures_ / "notes.bmp";
    WriteWholeFile(text, "not a bitmap");

    EXPECT_FALSE(X11RootWallpaper().Show(text));
    EXPECT_FALSE(X11RootWallpaper().Show(pictures_ / "missing.bmp"));
    EXPECT_EQ(RootPixmap("_XROOTPMAP_ID"), before);
    EXPECT_EQ(PixelOfScreen(320, 240), "#090909");
}

TEST_F(X11RootWallpaperTest, TheDesktopKeepsThePathInTheUsersFileAndShowsThePicture) {
    ScratchFolder config;
    plimex::testing::FakeDiagnostics diagnostics;
    LinuxDesktop desktop(WallpaperKind::kX11Root, config.path(), diagnostics);
    const std::string path = Bitmap(kAwkwardLeaf, 0x204060, 0x204060);
    EXPECT_TRUE(desktop.SetWallpaper(path));

    EXPECT_EQ(ReadWholeFile((config.path() / "wallpaper").string()), path);
    EXPECT_EQ(PixelOfScreen(320, 240), "#204060");
}

// A FIFO, a device and a picture too large to show each fail at once; the
// wallpaper and its stored path stay as they were, and one line says which
// file failed and why. A huge file behind a small picture shows at once.
TEST_F(X11RootWallpaperTest, PicturesThatCannotBeShownFailAtOnceAndChangeNothing) {
    ScratchFolder config;
    plimex::testing::FakeDiagnostics diagnostics;
    LinuxDesktop desktop(WallpaperKind::kX11Root, config.path(), diagnostics);
    const auto apply = [&desktop](const std::string& path) { return desktop.SetWallpaper(path); };
    const std::string shown = Bitmap("shown.bmp", 0x336699, 0x336699);
    ASSERT_TRUE(apply(shown));

    const std::string fifo = pictures_ / "fifo.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = pictures_ / "zero.bmp";
    std::filesystem::create_symlink("/dev/zero", device);
    // A valid 2x1 header whose file goes on for 6 GB, and a 16000x16000 one.
    const std::string huge = Bitmap("huge.bmp", 0xff0000, 0xff0000);
    std::filesystem::resize_file(huge, std::uintmax_t{6} << 30);
    const std::string tooLarge = Bitmap("large.bmp", 0xff0000, 0xff0000);
    std::string header = ReadWholeFile(tooLarge);
    header.replace(18, 8, std::string("\x80\x3e\0\0\x80\x3e\0\0", 8));
    WriteWholeFile(tooLarge, header);

    for (const std::string& path : {fifo, device, tooLarge}) {
        EXPECT_FALSE(apply(path)) << path;
        EXPECT_EQ(ReadWholeFile((config.path() / "wallpaper").string()), shown);
        ASSERT_FALSE(diagnostics.lines.empty());
        EXPECT_NE(diagnostics.lines.back().find("X11 root wallpaper: " + path + ": "),
                  std::string::npos)
            << diagnostics.lines.back();
    }
    EXPECT_EQ(diagnostics.lines.size(), 3u);
    EXPECT_EQ(PixelOfScreen(320, 240), "#336699");

    // Only the bytes the picture needs are read: the huge file shows at once.
    EXPECT_TRUE(apply(huge));
    EXPECT_EQ(PixelOfScreen(320, 240), "#FF0000");
}

}  // namespace
}  // namespace plimex::linux_desktop
