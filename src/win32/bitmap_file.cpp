#include "win32/bitmap_file.h"

#include <algorithm>
#include <new>
#include <span>
#include <vector>

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

// Reads where the decoder asks, into one buffer kept from read to read,
// never past the bytes the picture can use.
class FileReader : public BitmapFileReader {
  public:
    FileReader(HANDLE file, std::size_t usableBytes) : file_(file), usableBytes_(usableBytes) {}

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
            const std::uint64_t at = offset + filled;
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(at);
            position.OffsetHigh = static_cast<DWORD>(at >> 32);
            DWORD got = 0;
            const auto want =
                static_cast<DWORD>(std::min<std::size_t>(buffer_.size() - filled, 1u << 30));
            if (::ReadFile(file_, buffer_.data() + filled, want, &got, &position) == 0) {
                failed_ = true;
            }
            if (failed_ || got == 0) break;
            filled += got;
        }
        return {buffer_.data(), filled};
    }
    bool failed() const { return failed_; }

  private:
    HANDLE file_;
    std::size_t usableBytes_;
    std::vector<std::uint8_t> buffer_;
    bool failed_ = false;
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
