#pragma once

#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace plimex::win32 {

// The order a sorted list box keeps: the user's locale, case ignored.
bool ListsBefore(const std::wstring& a, const std::wstring& b);

// Sorts the names as a sorted list box of that locale orders them. Names the
// box finds equal (equal but for case, say) keep one fixed order, by their
// exact characters, whatever order they came in. False, with the names left
// as they were, when the system cannot give a name's sort key.
bool SortIgnoringCase(std::vector<std::wstring>& names, LCID locale);

}  // namespace plimex::win32
