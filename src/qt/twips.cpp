#include "qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace plimex::qt {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kStandardDotsPerInch = 96.0;

}  // namespace

Twips::Twips(double logicalDotsPerInch)
    : twipsPerPixel_(kTwipsPerInch /
                     (logicalDotsPerInch > 0 ? logicalDotsPerInch : kStandardDotsPerInch)) {}

Twips Twips::OfPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchX() : kStandardDotsPerInch);
}

int Twips::ToPixels(double twips) const {
    return static_cast<int>(std::lround(twips / twipsPerPixel_));
}

QRect Twips::ToPixels(int left, int top, int width, int height) const {
    return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}

}  // namespace plimex::qt
