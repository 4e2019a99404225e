#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/bitmap_decoder.h"

namespace plimex {

// Reads where the decoder asks, into one buffer kept from read to read. It
// never reads past the bytes the picture can use, so that a lying header
// costs no memory. Each system supplies only its positioned read.
class PositionedBitmapReader : public BitmapFileReader {
  public:
    explicit PositionedBitmapReader(std::size_t usableBytes) : usableBytes_(usableBytes) {}

    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t bytes) override;
    bool failed() const { return failed_; }

  protected:
    // Reads up to `bytes` at `offset`: how many were read, 0 at the file's
    // end, a negative number on an error.
    virtual std::ptrdiff_t ReadAt(std::uint8_t* into, std::size_t bytes, std::uint64_t offset) = 0;

  private:
    std::size_t usableBytes_;
    std::vector<std::uint8_t> buffer_;
    bool failed_ = false;
};

}  // namespace plimex
