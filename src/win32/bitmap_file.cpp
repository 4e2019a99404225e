#include "win32/bitmap_file.h"

#include <algorithm>
#include <span>

#include "core/positioned_bitmap_reader.h"

namespace plimex::win32 {
namespace {

std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// Opening a FIFO waits for a writer, and a device has no size: a file is
// opened only when it is not a folder and holds at least a bitmap's headers.
HANDLE OpenFileOfBitmapSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA found{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &found) == 0 ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        (found.nFileSizeHigh == 0 && found.nFileSizeLow < 14 + 12)) {
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class FileReader : public PositionedBitmapReader {
  public:
    FileReader(HANDLE file, std::size_t usableBytes)
        : PositionedBitmapReader(usableBytes), file_(file) {}

  private:
    std::ptrdiff_t ReadAt(std::uint8_t* into, std::size_t bytes, std::uint64_t offset) override {
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(offset);
        position.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes, 1u << 30));
        if (::ReadFile(file_, into, want, &got, &position) == 0) return -1;
        return static_cast<std::ptrdiff_t>(got);
    }

    HANDLE file_;
};

}  // namespace

BitmapFile::BitmapFile(const std::string& path) : file_(OpenFileOfBitmapSize(path)) {
    failure_ = Check();
}

std::string BitmapFile::Check() {
    LARGE_INTEGER size{};
    if (!file_.Valid() || GetFileType(file_.Get()) != FILE_TYPE_DISK ||
        GetFileSizeEx(file_.Get(), &size) == 0) {
        return "not a bitmap file that can be read";
    }
    fileBytes_ = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size.QuadPart), SIZE_MAX));
    head_.resize(std::min(kBitmapHeadBytes, fileBytes_));
    DWORD got = 0;
    if (::ReadFile(file_.Get(), head_.data(), static_cast<DWORD>(head_.size()), &got, nullptr) ==
        0) {
        return "read error";
    }
    head_.resize(got);
    extent_ = MeasureBitmap(AsBytes(head_));
    if (!extent_.failure.empty()) {
        return extent_.failure;
    }
    if (fileBytes_ < extent_.completeFileBytes) {
        return "the file is cut short: " + std::to_string(fileBytes_) + " of the " +
               std::to_string(extent_.completeFileBytes) + " bytes its header gives";
    }
    return {};
}

DecodedBitmap BitmapFile::Decode(const PixelFormat& format) {
    if (!failure_.empty()) {
        return {0, 0, {}, failure_};
    }
    FileReader reader(file_.Get(), std::min(extent_.fileBytes, fileBytes_));
    DecodedBitmap bitmap = DecodeBitmap(AsBytes(head_), reader, format, {});
    if (reader.failed()) {
        return {0, 0, {}, "read error or not enough memory"};
    }
    return bitmap;
}

}  // namespace plimex::win32
