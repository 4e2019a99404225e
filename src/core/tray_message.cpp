#include "core/tray_message.h"

#include <cmath>
#include <limits>

namespace plimex {

std::int32_t DecodeTrayMessage(float xTwips, float twipsPerPixel) {
    const double pixels = std::nearbyint(static_cast<double>(xTwips) / twipsPerPixel);
    if (!std::isfinite(pixels) || pixels < std::numeric_limits<std::int32_t>::min() ||
        pixels > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(pixels);
}

TrayIntent TrayIntentOf(std::int32_t message) {
    switch (message) {
        case kWmLButtonDblClk:
            return TrayIntent::OpenWindow;
        case kWmRButtonUp:
            return TrayIntent::ShowMenu;
        default:
            return TrayIntent::None;
    }
}

}  // namespace plimex
