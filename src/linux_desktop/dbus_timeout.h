#pragma once

namespace plimex::linux_desktop {

// How long a desktop service may take to answer before the GUI thread gives
// up on it. The call blocks without running the event loop, so that none of
// the program's handlers runs in the middle of another.
inline constexpr int kDBusTimeoutMs = 2500;

}  // namespace plimex::linux_desktop
