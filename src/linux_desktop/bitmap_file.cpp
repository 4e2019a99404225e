#include "linux_desktop/bitmap_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <span>
#include <vector>

#include "linux_desktop/regular_file.h"
#include "linux_desktop/reserved_pixels.h"

namespace plimex::linux_desktop {
namespace {

DecodedBitmap Failure(std::string why) {
    DecodedBitmap bitmap;
    bitmap.failure = std::move(why);
    return bitmap;
}

std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// Reads where the decoder asks, into one buffer kept from read to read. It
// never reads past the file's end nor past the bytes the picture can use,
// so that a lying header costs no memory.
class FileReader : public BitmapFileReader {
  public:
    FileReader(int fd, std::size_t usableBytes) : fd_(fd), usableBytes_(usableBytes) {}

    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t bytes) override {
        if (failed_ || offset >= usableBytes_) return {};
        try {
            buffer_.resize(std::min(bytes, usableBytes_ - offset));
        } catch (const std::bad_alloc&) {
            failed_ = true;
            return {};
        }
        std::size_t filled = 0;
        while (filled < buffer_.size()) {
            const ssize_t got = ::pread(fd_, buffer_.data() + filled, buffer_.size() - filled,
                                        static_cast<off_t>(offset + filled));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) failed_ = true;
            if (got <= 0) break;
            filled += static_cast<std::size_t>(got);
        }
        return {buffer_.data(), filled};
    }
    bool failed() const { return failed_; }

  private:
    int fd_;
    std::size_t usableBytes_;
    std::vector<std::uint8_t> buffer_;
    bool failed_ = false;
};

}  // namespace

DecodedBitmap ReadBitmapFile(const std::string& path, const PixelFormat& format) {
    const UniqueFd fd = OpenRegularFile(path);
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0) {
        return Failure("not a regular file that can be read");
    }
    std::string head;
    if (!AppendFromFile(fd.get(), kBitmapHeadBytes, head)) return Failure("read error");
    const BitmapExtent extent = MeasureBitmap(AsBytes(head));
    if (!extent.failure.empty()) return Failure(extent.failure);
    FileReader reader(fd.get(),
                      std::min(extent.fileBytes, static_cast<std::size_t>(status.st_size)));
    DecodedBitmap bitmap =
        DecodeBitmap(AsBytes(head), reader, format, ReservedPixels(extent.pixels));
    if (reader.failed()) return Failure("read error or not enough memory");
    return bitmap;
}

}  // namespace plimex::linux_desktop
