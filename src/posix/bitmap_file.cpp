#include "posix/bitmap_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <span>

#include "core/positioned_bitmap_reader.h"
#include "posix/regular_file.h"
#include "posix/reserved_pixels.h"

namespace plimex::posix {
namespace {

DecodedBitmap Failure(std::string why) {
    DecodedBitmap bitmap;
    bitmap.failure = std::move(why);
    return bitmap;
}

std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

class FileReader : public PositionedBitmapReader {
  public:
    FileReader(int fd, std::size_t usableBytes) : PositionedBitmapReader(usableBytes), fd_(fd) {}

  private:
    std::ptrdiff_t ReadAt(std::uint8_t* into, std::size_t bytes, std::uint64_t offset) override {
        ssize_t got;
        do {
            got = ::pread(fd_, into, bytes, static_cast<off_t>(offset));
        } while (got < 0 && errno == EINTR);
        return got;
    }

    int fd_;
};

// Runs `decode` on the file's head and a reader of its pixels: its failure,
// or the reader's.
template <typename Decode>
std::string WithBitmapFile(const std::string& path, Decode decode) {
    const UniqueFd fd = OpenRegularFile(path);
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0) {
        return "not a regular file that can be read";
    }
    std::string head;
    if (!AppendFromFile(fd.get(), kBitmapHeadBytes, head)) return "read error";
    const BitmapExtent extent = MeasureBitmap(AsBytes(head));
    if (!extent.failure.empty()) return extent.failure;
    FileReader reader(fd.get(),
                      std::min(extent.fileBytes, static_cast<std::size_t>(status.st_size)));
    std::string failure = decode(AsBytes(head), reader, extent);
    if (failure.empty() && reader.failed()) return "read error or not enough memory";
    return failure;
}

}  // namespace

DecodedBitmap ReadBitmapFile(const std::string& path, const PixelFormat& format) {
    DecodedBitmap bitmap;
    std::string failure =
        WithBitmapFile(path, [&](std::span<const std::uint8_t> head, BitmapFileReader& reader,
                                 const BitmapExtent& extent) {
            bitmap = DecodeBitmap(head, reader, format, ReservedPixels(extent.pixels));
            return bitmap.failure;
        });
    if (!failure.empty()) return Failure(std::move(failure));
    return bitmap;
}

std::string CheckBitmapFile(const std::string& path) {
    return WithBitmapFile(path, [](std::span<const std::uint8_t> head, BitmapFileReader& reader,
                                   const BitmapExtent&) { return CheckBitmap(head, reader); });
}

std::string DecodeBitmapFileRows(const std::string& path, const PixelFormat& format,
                                 BitmapRowTarget& target) {
    return WithBitmapFile(
        path, [&](std::span<const std::uint8_t> head, BitmapFileReader& reader,
                  const BitmapExtent&) { return DecodeBitmapRows(head, reader, format, target); });
}

}  // namespace plimex::posix
