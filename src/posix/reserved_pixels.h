#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plimex::posix {

// Room for `count` pixels, reserved but not yet touched, which the kernel is
// asked to back with huge pages: a whole picture's buffer then costs a few
// dozen page faults instead of thousands, the larger part of the time it
// takes to decode one. No room when memory runs out; filling it then fails
// the same way.
std::vector<std::uint32_t> ReservedPixels(std::size_t count);

}  // namespace plimex::posix
