#pragma once

#include <string_view>

namespace plimex {

class Form1;

// What happened to a control, a menu item or the timer of the main window.
enum class ControlEvent { Click, DblClick, Change, Timer };

// Runs the handler of Form1 that the event of the named control raises. Both
// backends go through here, so that which handler answers which event is
// decided once. False when the event raises no handler.
bool RaiseEvent(Form1& form, std::string_view control, ControlEvent event);

}  // namespace plimex
