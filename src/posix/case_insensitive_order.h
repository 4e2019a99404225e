#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ansi_code_page.h"
#include "platform/packed_names.h"

namespace plimex::posix {

// Alphabetical ignoring case; names that differ only in case keep one fixed
// order (by their exact characters), whatever order they came in.
void SortIgnoringCase(std::vector<std::wstring>& names);
// The same order for names in the code page, decoded by it: the indexes of
// the names in sorted order.
std::vector<std::uint32_t> OrderIgnoringCase(const PackedNames& names,
                                             const AnsiCodePage& codePage);

}  // namespace plimex::posix
