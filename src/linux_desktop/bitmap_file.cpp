#include "linux_desktop/bitmap_file.h"

#include <span>

#include "linux_desktop/regular_file.h"

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

}  // namespace

DecodedBitmap ReadBitmapFile(const std::string& path, const PixelFormat& format) {
    const UniqueFd fd = OpenRegularFile(path);
    if (!fd.valid()) return Failure("not a regular file that can be read");
    std::string bytes;
    if (!AppendFromFile(fd.get(), kBitmapHeadBytes, bytes)) return Failure("read error");
    const BitmapExtent extent = MeasureBitmap(AsBytes(bytes));
    if (!extent.failure.empty()) return Failure(extent.failure);
    if (bytes.size() == kBitmapHeadBytes && extent.fileBytes > bytes.size() &&
        !AppendFromFile(fd.get(), extent.fileBytes - bytes.size(), bytes)) {
        return Failure("read error or not enough memory");
    }
    return DecodeBitmap(AsBytes(bytes), format);
}

}  // namespace plimex::linux_desktop
