#pragma once

#include <QRect>

#include "platform/controls.h"

namespace plimex::qt {

// Twips to the toolkit's pixels: 15 twips a pixel at 96 dots per inch,
// scaled with the screen's logical resolution.
class Twips : public Screen {
  public:
    explicit Twips(double logicalDotsPerInch);
    // The primary screen's logical resolution.
    static Twips OfPrimaryScreen();

    float TwipsPerPixelX() const override { return static_cast<float>(twipsPerPixel_); }
    int ToPixels(double twips) const;
    QRect ToPixels(int left, int top, int width, int height) const;

  private:
    double twipsPerPixel_;
};

}  // namespace plimex::qt
