// A tick of the rotation timer while the window is hidden in the tray must
// cost no allocation: the program sits there for days. Every malloc, calloc
// and realloc of this test program is counted while the ticks run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimerEvent>
#include <atomic>
#include <clocale>
#include <cstdlib>

#include "core/form1.h"
#include "fakes/fake_platform.h"
#include "qt/form1_window.h"
#include "qt/form2_dialog.h"
#include "qt/locale_code_page.h"
#include "qt/posix_file_system.h"
#include "scratch_folder.h"
#include "working_folder.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void CountAllocation() {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

}  // namespace

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);

void* malloc(std::size_t size) {
    CountAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    CountAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) {
    CountAllocation();
    return __libc_realloc(pointer, size);
}
}

namespace plimex::qt {
namespace {

using plimex::testing::CallLog;
using plimex::testing::FakeDesktop;
using plimex::testing::FakeNotificationArea;
using plimex::testing::FakeRandom;
using testing::ScratchFolder;
using testing::WorkingFolder;

void Tick(QTimer& timer) {
    QTimerEvent event(timer.timerId());
    QApplication::sendEvent(&timer, &event);
}

TEST(HiddenTickTest, AllocatesNothing) {
    ScratchFolder cwd;
    ScratchFolder pictures;
    pictures.Write("a.bmp");
    cwd.Write("Plimex.ini", "[options]\r\nRep=" + pictures.Folder() + "\r\nTps=5\r\nEtat=1\r\n");
    const WorkingFolder working(cwd.Folder());
    CallLog log;
    FakeDesktop desktop(log);
    FakeNotificationArea tray(log);
    FakeRandom random;
    const LocaleCodePage codePage;
    PosixFileSystem fileSystem(codePage);
    Twips twips(96);
    IconRegistry icons;
    Form1Window window(codePage, twips, icons, {"/"});
    AboutLauncher form2(twips);
    Form1 form(Platform{desktop, tray, fileSystem, random, codePage}, window.Controls(form2));
    window.Connect(form);
    form.Form_Load();
    QTimer& timer = window.tmr().timer();
    ASSERT_TRUE(timer.isActive());
    ASSERT_FALSE(window.isVisible());
    Tick(timer);

    counting = true;
    constexpr int kTicks = 100;
    for (int tick = 0; tick < kTicks; ++tick) {
        Tick(timer);
    }
    counting = false;

    EXPECT_EQ(form.tickCount(), kTicks + 1);
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(window.shape1().drawnWidth(), 0);
}

}  // namespace
}  // namespace plimex::qt

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::setlocale(LC_ALL, "C.UTF-8");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
