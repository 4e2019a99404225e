#include "win32/twips.h"

#include <cmath>

#include "win32/handles.h"

namespace plimex::win32 {

Twips::Twips() {
    const ScreenDc screen;
    dpiX_ = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int Twips::X(double twips) const {
    return static_cast<int>(std::lround(twips * dpiX_ / kTwipsPerInch));
}

int Twips::Y(double twips) const {
    return static_cast<int>(std::lround(twips * dpiY_ / kTwipsPerInch));
}

RECT Twips::Rect(int left, int top, int width, int height) const {
    return RECT{X(left), Y(top), X(left + width), Y(top + height)};
}

}  // namespace plimex::win32
