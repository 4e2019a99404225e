#pragma once

#include <string>
#include <vector>

namespace plimex::posix {

// Alphabetical ignoring case; names that differ only in case keep one fixed
// order (by their exact characters), whatever order they came in.
void SortIgnoringCase(std::vector<std::wstring>& names);

}  // namespace plimex::posix
