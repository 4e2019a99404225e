#pragma once

#include <QtGlobal>

namespace plimex::qt {

// Qt ends a program that can open no display with abort(), a core dump and
// the advice to reinstall it. While one of these lives (around the making of
// the application object), such a fatal message becomes one plain line on
// stderr, naming the display that was tried, and an ordinary failure exit.
class NoDisplayExit {
  public:
    NoDisplayExit();
    ~NoDisplayExit();
    NoDisplayExit(const NoDisplayExit&) = delete;
    NoDisplayExit& operator=(const NoDisplayExit&) = delete;

  private:
    QtMessageHandler previous_;
};

}  // namespace plimex::qt
