#include "win32/preview_box.h"

#include <cstdint>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "test_files.h"
#include "win32/bitmap_file.h"

namespace plimex::win32 {
namespace {

class StretchedPreviewTest : public testing::WindowTest {
  protected:
    // As the program shows a file: read by the file system, shown by the box.
    static void Show(Win32PreviewBox& box, const std::string& path) {
        box.ShowPicture(BitmapFile(path).Decode(kOpaqueArgb32));
    }
    COLORREF DrawnPixel(const Win32PreviewBox& preview, int x, int y) const {
        const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const UniqueBitmap canvas(CreateBitmap(40, 30, 1, 32, nullptr));
        const SelectedObject selected(dc.get(), canvas.get());
        DRAWITEMSTRUCT item{};
        item.hDC = dc.get();
        item.rcItem = RECT{0, 0, 40, 30};
        preview.Draw(item);
        return GetPixel(dc.get(), x, y);
    }

    HWND PictureSizedBox() const {
        return CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_OWNERDRAW, 0, 0, 1920, 1080,
                               Window(), nullptr, nullptr, nullptr);
    }

    testing::ScratchFolder folder_;
};

TEST_F(StretchedPreviewTest, StretchesTheBitmapOverTheWholeBox) {
    Win32PreviewBox preview(Child(WC_STATICW, SS_OWNERDRAW));
    Show(preview, folder_.Write("red.bmp", testing::BitmapFile(3, 2, RGB(255, 0, 0))));
    ASSERT_NE(preview.Picture(), nullptr);
    EXPECT_EQ(DrawnPixel(preview, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(DrawnPixel(preview, 39, 29), RGB(255, 0, 0));
}

TEST_F(StretchedPreviewTest, AFileThatIsNoBitmapGivesAnEmptyBox) {
    Win32PreviewBox preview(Child(WC_STATICW, SS_OWNERDRAW));
    Show(preview, folder_.Write("red.bmp", testing::BitmapFile(3, 2, RGB(255, 0, 0))));
    Show(preview, folder_.Write("broken.bmp", "BM not really a bitmap"));
    EXPECT_EQ(preview.Picture(), nullptr);
    EXPECT_EQ(DrawnPixel(preview, 20, 15), GetSysColor(COLOR_BTNFACE));

    const std::string whole = testing::BitmapFile(300, 200, RGB(255, 0, 0));
    for (const std::string& path :
         {folder_.Path() + "deleted since it was listed.bmp",
          folder_.Write("cut short.bmp", whole.substr(0, whole.size() / 2))}) {
        Show(preview, folder_.Write("red.bmp", whole));
        Show(preview, path);
        EXPECT_EQ(preview.Picture(), nullptr) << path;
    }
}

TEST_F(StretchedPreviewTest, EveryReplacedPictureIsFreed) {
    Win32PreviewBox preview(Child(WC_STATICW, SS_OWNERDRAW));
    const std::string files[] = {
        folder_.Write("a.bmp", testing::BitmapFile(64, 48, RGB(0, 255, 0))),
        folder_.Write("b.bmp", testing::BitmapFile(64, 48, RGB(0, 0, 255)))};
    std::vector<HBITMAP> shown;
    for (int i = 0; i < 100; ++i) {
        Show(preview, files[i % 2]);
        shown.push_back(preview.Picture());
        DrawnPixel(preview, 0, 0);
    }
    const auto alive = std::count_if(shown.begin(), shown.end(),
                                     [](HBITMAP bitmap) { return GetObjectType(bitmap) != 0; });
    EXPECT_EQ(alive, 1);
    EXPECT_NE(GetObjectType(shown.back()), 0u);
}

// The picture's pixels, top row first.
std::vector<std::uint32_t> Pixels(HBITMAP picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) *
                                      static_cast<std::size_t>(info.bmHeight));
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    GetDIBits(dc.get(), picture, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format,
              DIB_RGB_COLORS);
    return pixels;
}

// The sample wallpapers the packages install are 8-bit run-length encoded
// bitmaps, a form decoders get wrong more often than 24-bit ones: the preview
// reads each one as ImageMagick does.
TEST_F(StretchedPreviewTest, ReadsEverySampleWallpaperExactly) {
    const std::string folder = PLIMEX_SAMPLE_BACKGROUNDS "/";
    WIN32_FIND_DATAA found{};
    const UniqueFind search(FindFirstFileA((folder + "*.bmp").c_str(), &found));
    ASSERT_NE(search.get(), INVALID_HANDLE_VALUE);
    int samples = 0;
    do {
        // Boxes of the pictures' own size: stretching then changes no pixel.
        Win32PreviewBox sample(PictureSizedBox());
        Win32PreviewBox decoded(PictureSizedBox());
        Show(sample, folder + found.cFileName);
        Show(decoded, PLIMEX_DECODED_SAMPLES "/" + std::string(found.cFileName));
        ASSERT_NE(decoded.Picture(), nullptr) << found.cFileName;
        ASSERT_NE(sample.Picture(), nullptr) << found.cFileName;
        EXPECT_TRUE(Pixels(sample.Picture()) == Pixels(decoded.Picture())) << found.cFileName;
        ++samples;
    } while (FindNextFileA(search.get(), &found));
    EXPECT_GE(samples, 5);
}

}  // namespace
}  // namespace plimex::win32
