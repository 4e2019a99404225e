#pragma once

#include <QTimer>

#include "platform/controls.h"

namespace plimex::qt {

// Tmr: switching it on while it runs keeps its rhythm.
class QtIntervalTimer : public Timer {
  public:
    explicit QtIntervalTimer(int intervalMs) { timer_.setInterval(intervalMs); }

    void SetEnabled(bool enabled) override {
        if (enabled && !timer_.isActive()) {
            timer_.start();
        }
        if (!enabled) {
            timer_.stop();
        }
    }
    QTimer& timer() { return timer_; }

  private:
    QTimer timer_;
};

}  // namespace plimex::qt
