#include "win32/interval_timer.h"

namespace plimex::win32 {

void Win32IntervalTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled) {
        SetTimer(window_, id_, intervalMs_, nullptr);
    } else {
        KillTimer(window_, id_);
    }
}

}  // namespace plimex::win32
