#pragma once

#include <string>

#include "core/layout.h"
#include "win32/handles.h"
#include "win32/twips.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The system's message font: what every control without a font of its own shows.
UniqueFont MessageFont();
// Arial bold 12 point, for the About window's title lines.
UniqueFont TitleFont(const Twips& scale);
int LineHeight(HFONT font);

// Creates the standard control for a layout entry, placed by the scale;
// offset is the containing frame's corner in twips. Returns null for the
// kinds that have no window of their own (shapes, hidden pictures).
HWND CreateLayoutControl(HWND parent, const layout::Control& control, int id, const Twips& scale,
                         POINT offset, HFONT font);

// The pixel rectangle of a layout entry.
RECT LayoutRect(const layout::Control& control, const Twips& scale, POINT offset);

// A top-level window without owner whose client area has the layout's size,
// centred on the screen: a title bar with the system menu, no resizing.
HWND CreateLayoutWindow(const wchar_t* className, const layout::Window& window, const Twips& scale,
                        void* creationData);

}  // namespace plimex::win32
