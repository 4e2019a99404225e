#pragma once

#include "platform/controls.h"
#include "win32/twips.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The progress bar, painted by its window. The timer sets its width every
// second, so only the strip that changed is repainted, and nothing at all
// while the window is hidden: showing the window paints it whole anyway.
class Win32ShapeBox : public Shape {
  public:
    Win32ShapeBox(HWND window, const Twips& scale, RECT bar, int leftTwips, COLORREF colour);
    void SetWidth(float twips) override;
    void Paint(HDC dc) const;
    const RECT& Bar() const { return bar_; }

  private:
    HWND window_;
    Twips scale_;
    RECT bar_;
    int leftTwips_;
    COLORREF colour_;
};

// A rectangle outline one pixel wide in the window-text colour.
void PaintOutline(HDC dc, const RECT& outline);

}  // namespace plimex::win32
