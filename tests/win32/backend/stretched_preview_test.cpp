#include "win32/stretched_preview.h"

#include "gui_fixture.h"
#include "test_files.h"

namespace plimex::win32 {
namespace {

class StretchedPreviewTest : public testing::WindowTest {
  protected:
    COLORREF DrawnPixel(const StretchedPreview& preview, int x, int y) const {
        const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const UniqueBitmap canvas(CreateBitmap(40, 30, 1, 32, nullptr));
        const SelectedObject selected(dc.get(), canvas.get());
        DRAWITEMSTRUCT item{};
        item.hDC = dc.get();
        item.rcItem = RECT{0, 0, 40, 30};
        preview.Draw(item);
        return GetPixel(dc.get(), x, y);
    }

    testing::ScratchFolder folder_;
};

TEST_F(StretchedPreviewTest, StretchesTheBitmapOverTheWholeBox) {
    StretchedPreview preview(Child(WC_STATICW, SS_OWNERDRAW));
    preview.LoadPicture(folder_.Write("red.bmp", testing::BitmapFile(3, 2, RGB(255, 0, 0))));
    ASSERT_NE(preview.Picture(), nullptr);
    EXPECT_EQ(DrawnPixel(preview, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(DrawnPixel(preview, 39, 29), RGB(255, 0, 0));
}

TEST_F(StretchedPreviewTest, AFileThatIsNoBitmapGivesAnEmptyBox) {
    StretchedPreview preview(Child(WC_STATICW, SS_OWNERDRAW));
    preview.LoadPicture(folder_.Write("red.bmp", testing::BitmapFile(3, 2, RGB(255, 0, 0))));
    preview.LoadPicture(folder_.Write("broken.bmp", "BM not really a bitmap"));
    EXPECT_EQ(preview.Picture(), nullptr);
    EXPECT_EQ(DrawnPixel(preview, 20, 15), GetSysColor(COLOR_BTNFACE));

    preview.LoadPicture(folder_.Path() + "deleted since it was listed.bmp");
    EXPECT_EQ(preview.Picture(), nullptr);
}

TEST_F(StretchedPreviewTest, EveryReplacedPictureIsFreed) {
    StretchedPreview preview(Child(WC_STATICW, SS_OWNERDRAW));
    const std::string files[] = {
        folder_.Write("a.bmp", testing::BitmapFile(64, 48, RGB(0, 255, 0))),
        folder_.Write("b.bmp", testing::BitmapFile(64, 48, RGB(0, 0, 255)))};
    std::vector<HBITMAP> shown;
    for (int i = 0; i < 100; ++i) {
        preview.LoadPicture(files[i % 2]);
        shown.push_back(preview.Picture());
        DrawnPixel(preview, 0, 0);
    }
    const auto alive = std::count_if(shown.begin(), shown.end(),
                                     [](HBITMAP bitmap) { return GetObjectType(bitmap) != 0; });
    EXPECT_EQ(alive, 1);
    EXPECT_NE(GetObjectType(shown.back()), 0u);
}

// The sample wallpapers the packages install are 8-bit run-length encoded
// bitmaps, a form less common than 24-bit: the preview reads each one whole.
TEST_F(StretchedPreviewTest, ReadsEverySampleWallpaper) {
    const std::string folder = PLIMEX_SAMPLE_BACKGROUNDS "/";
    WIN32_FIND_DATAA found{};
    const UniqueFind search(FindFirstFileA((folder + "*.bmp").c_str(), &found));
    ASSERT_NE(search.get(), INVALID_HANDLE_VALUE);
    int samples = 0;
    do {
        StretchedPreview preview(Child(WC_STATICW, SS_OWNERDRAW));
        preview.LoadPicture(folder + found.cFileName);
        BITMAP info{};
        ASSERT_NE(GetObjectW(preview.Picture(), sizeof info, &info), 0) << found.cFileName;
        EXPECT_EQ(info.bmWidth, 1920) << found.cFileName;
        EXPECT_EQ(info.bmHeight, 1080) << found.cFileName;
        ++samples;
    } while (FindNextFileA(search.get(), &found));
    EXPECT_GE(samples, 5);
}

}  // namespace
}  // namespace plimex::win32
