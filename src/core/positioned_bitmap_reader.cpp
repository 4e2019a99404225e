#include "core/positioned_bitmap_reader.h"

#include <algorithm>
#include <new>

namespace plimex {

std::span<const std::uint8_t> PositionedBitmapReader::Read(std::size_t offset, std::size_t bytes) {
    if (failed_ || offset >= usableBytes_) return {};
    try {
        buffer_.resize(std::min(bytes, usableBytes_ - offset));
    } catch (const std::bad_alloc&) {
        failed_ = true;
        return {};
    }
    std::size_t filled = 0;
    while (filled < buffer_.size()) {
        const std::ptrdiff_t got =
            ReadAt(buffer_.data() + filled, buffer_.size() - filled, offset + filled);
        if (got < 0) failed_ = true;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return {buffer_.data(), filled};
}

}  // namespace plimex
