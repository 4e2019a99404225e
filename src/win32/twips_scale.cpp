#include "win32/twips_scale.h"

#include <cmath>

#include "win32/handles.h"

namespace plimex::win32 {

TwipsScale::TwipsScale() {
    const ScreenDc screen;
    dpiX_ = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int TwipsScale::X(double twips) const {
    return static_cast<int>(std::lround(twips * dpiX_ / kTwipsPerInch));
}

int TwipsScale::Y(double twips) const {
    return static_cast<int>(std::lround(twips * dpiY_ / kTwipsPerInch));
}

RECT TwipsScale::Rect(int left, int top, int width, int height) const {
    return RECT{X(left), Y(top), X(left + width), Y(top + height)};
}

}  // namespace plimex::win32
