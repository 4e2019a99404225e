#pragma once

#include <string>

#include "core/bitmap_decoder.h"
#include "win32/handles.h"

namespace plimex::win32 {

// A bitmap file checked by the program's own decoder before the system sees
// it. The system's reader trusts the header: a file cut short makes it read
// past the file's end, inside the desktop and inside our window procedure,
// and a huge one exhausts memory. Only a file on disk that holds every byte
// its header promises, of a size the decoder takes, passes; a FIFO or a
// device in a file's place is never read.
class BitmapFile {
  public:
    explicit BitmapFile(const std::string& path);

    // Empty when the file can be shown.
    const std::string& failure() const { return failure_; }
    // The pixels, a band of rows at a time, so that the file is never held
    // whole beside them.
    DecodedBitmap Decode(const PixelFormat& format);

  private:
    std::string Check();

    UniqueFile file_;
    std::size_t fileBytes_ = 0;
    std::string head_;
    BitmapExtent extent_;
    std::string failure_;
};

}  // namespace plimex::win32
