#include "posix/reserved_pixels.h"

#include <sys/mman.h>

#include <new>

namespace plimex::posix {

namespace {

constexpr std::uintptr_t kHugePageBytes = std::uintptr_t{2} << 20;

}  // namespace

std::vector<std::uint32_t> ReservedPixels(std::size_t count) {
    std::vector<std::uint32_t> pixels;
    try {
        pixels.reserve(count);
    } catch (const std::bad_alloc&) {
        return pixels;
    }
    // Only whole huge pages inside the buffer: its ends share small pages
    // with whatever lies beside them.
    const auto begin = reinterpret_cast<std::uintptr_t>(pixels.data());
    const std::uintptr_t first = (begin + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const std::uintptr_t last = (begin + count * sizeof(std::uint32_t)) & ~(kHugePageBytes - 1);
    // Only advice: without huge pages the buffer works all the same.
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    return pixels;
}

}  // namespace plimex::posix
