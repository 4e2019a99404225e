#pragma once

#include <QRect>

namespace plimex::qt {

// Twips to the toolkit's pixels: 15 twips a pixel at 96 dots per inch,
// scaled with the screen's logical resolution.
class Twips {
  public:
    explicit Twips(double logicalDotsPerInch);
    // The primary screen's logical resolution.
    static Twips OfPrimaryScreen();

    int ToPixels(double twips) const;
    QRect ToPixels(int left, int top, int width, int height) const;

  private:
    double twipsPerPixel_;
};

}  // namespace plimex::qt
