#pragma once

#include <gtest/gtest.h>

#include <array>

#include "win32/handles.h"
#include "win32/windows_api.h"

namespace plimex::win32::testing {

// A top-level window to put controls in, shown or not, and its update region.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.reset(CreateWindowExW(0, WC_STATICW, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                      nullptr, nullptr, nullptr, nullptr));
        ASSERT_NE(window_.get(), nullptr) << "the tests need a display";
    }

    HWND Window() const { return window_.get(); }

    HWND Child(const wchar_t* className, DWORD style) const {
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 200,
                               window_.get(), nullptr, nullptr, nullptr);
    }

    // Shows the window with nothing left to paint.
    void ShowPainted() const {
        ShowWindow(window_.get(), SW_SHOWNA);
        UpdateWindow(window_.get());
        ValidateRect(window_.get(), nullptr);
    }

    // The part of the window waiting to be painted: left, top, right, bottom.
    std::array<LONG, 4> PendingPaint() const {
        RECT pending{};
        GetUpdateRect(window_.get(), &pending, FALSE);
        return {pending.left, pending.top, pending.right, pending.bottom};
    }

    bool NothingToPaint() const {
        RECT pending{};
        return GetUpdateRect(window_.get(), &pending, FALSE) == FALSE;
    }

  private:
    UniqueWindow window_;
};

}  // namespace plimex::win32::testing
