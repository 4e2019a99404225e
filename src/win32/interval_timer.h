#pragma once

#include "platform/controls.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// A window timer whose ticks arrive as WM_TIMER with its identifier.
class Win32IntervalTimer : public Timer {
  public:
    Win32IntervalTimer(HWND window, UINT_PTR id, UINT intervalMs)
        : window_(window), id_(id), intervalMs_(intervalMs) {}
    // Switching on a running timer keeps its phase: SetTimer would restart it.
    void SetEnabled(bool enabled) override;

  private:
    HWND window_;
    UINT_PTR id_;
    UINT intervalMs_;
    bool enabled_ = false;
};

}  // namespace plimex::win32
