// A tick of the rotation timer while the window is hidden in the tray must
// cost no allocation: the program sits there for days. Every malloc, calloc
// and realloc of this test program is counted while the ticks run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimerEvent>
#include <atomic>
#include <cstddef>

#include "program_under_test.h"

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

void Tick(QTimer& timer) {
    QTimerEvent event(timer.timerId());
    QApplication::sendEvent(&timer, &event);
}

TEST(HiddenTickTest, AllocatesNothing) {
    testing::ProgramUnderTest program;
    program.pictures.Write("a.bmp");
    program.WriteOptions(5, 1);
    program.form.Form_Load();
    QTimer& timer = program.window.tmr().timer();
    ASSERT_TRUE(timer.isActive());
    ASSERT_FALSE(program.window.isVisible());
    Tick(timer);

    counting = true;
    constexpr int kTicks = 100;
    for (int tick = 0; tick < kTicks; ++tick) {
        Tick(timer);
    }
    counting = false;

    EXPECT_EQ(program.form.tickCount(), kTicks + 1);
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(program.window.shape1().drawnWidth(), 0);
}

}  // namespace
}  // namespace plimex::qt
