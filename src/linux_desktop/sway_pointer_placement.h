#pragma once

#include <QString>

#include "platform/diagnostics.h"

namespace plimex::linux_desktop {

// Under sway, moves a floating window of this process to where a popup menu
// opened at the pointer would be: its top left corner at the pointer (its
// bottom left corner where it would run off the bottom), inside the area the
// output leaves to windows, so never over the bar, and without the border
// and title bar sway gives floating windows. The window is the one of this
// process with that title, so no other window moves. Outside sway it does
// nothing; when sway cannot be asked the window stays where sway put it, and
// diagnostics hears why.
void PlaceAtPointer(const QString& title, Diagnostics& diagnostics);

}  // namespace plimex::linux_desktop
