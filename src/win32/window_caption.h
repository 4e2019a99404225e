#pragma once

#include <string>

#include "platform/controls.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

std::wstring WindowText(HWND window);

// The caption of a button or a label: its window text.
class WindowCaption : public CaptionedControl {
  public:
    explicit WindowCaption(HWND window) : window_(window) {}
    std::wstring Caption() const override { return WindowText(window_); }
    void SetCaption(const std::wstring& caption) override;

  private:
    HWND window_;
};

}  // namespace plimex::win32
