#pragma once

#include <cstdint>

#include "core/tray_intent.h"

namespace plimex {

inline constexpr std::int32_t kWmLButtonDblClk = 515;
inline constexpr std::int32_t kWmRButtonUp = 517;

// The shell reports a tray mouse action as a mouse move whose X, in pixels, is
// the number of the mouse message. X arrives in twips: divide and round to the
// nearest integer, a half going to the even neighbour. A value outside the
// 32-bit range or not a number gives 0, which stands for no message.
std::int32_t DecodeTrayMessage(float xTwips, float twipsPerPixel);

// 515 opens the window, 517 the menu; every other message does nothing.
TrayIntent TrayIntentOf(std::int32_t message);

}  // namespace plimex
