#pragma once

#include "win32/windows_api.h"

namespace plimex::win32 {

// Turns the layout's twips into pixels through the screen's DPI, so that the
// windows keep their size in inches on a large-DPI screen.
class Twips {
  public:
    static constexpr int kTwipsPerInch = 1440;

    Twips();  // the screen's DPI
    Twips(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

    int X(double twips) const;
    int Y(double twips) const;
    // Edges are converted, not sizes, so that controls meeting in twips meet in pixels.
    RECT Rect(int left, int top, int width, int height) const;
    int DpiY() const { return dpiY_; }

  private:
    int dpiX_;
    int dpiY_;
};

}  // namespace plimex::win32
