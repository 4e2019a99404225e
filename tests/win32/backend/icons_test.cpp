#include <gtest/gtest.h>

#include "core/layout.h"
#include "win32/bitmap_image_list.h"
#include "win32/icon_box.h"
#include "win32/resource_ids.h"

namespace plimex::win32 {
namespace {

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return SIZE{0, 0};
    }
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour.get(), sizeof bitmap, &bitmap);
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

TEST(Win32BitmapImageList, EachExtractIsANewIconOfTheImagesSize) {
    Win32BitmapImageList list(GetModuleHandleW(nullptr), PLIMEX_IMAGELIST1_BITMAP,
                              layout::kIconPixels);
    const UniqueIcon first(ToIcon(list.ExtractIcon(1)));
    const UniqueIcon second(ToIcon(list.ExtractIcon(1)));
    ASSERT_NE(first.get(), nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(IconSize(first.get()).cx, layout::kIconPixels);
    EXPECT_EQ(IconSize(first.get()).cy, layout::kIconPixels);
    EXPECT_EQ(list.ExtractIcon(2), 0u);  // there is one image only
}

TEST(HeldIcon, TakesOwnershipAndFreesTheIconItReplaces) {
    HeldIcon box(
        IconFromBitmap(GetModuleHandleW(nullptr), PLIMEX_IMAGE3_BITMAP, layout::kIconPixels));
    const HICON designTime = ToIcon(box.Picture());
    ASSERT_NE(designTime, nullptr);

    Win32BitmapImageList list(GetModuleHandleW(nullptr), PLIMEX_IMAGELIST1_BITMAP,
                              layout::kIconPixels);
    const PictureHandle extracted = list.ExtractIcon(1);
    box.SetPicture(extracted);
    EXPECT_EQ(box.Picture(), extracted);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(designTime, &info));  // freed
    box.SetPicture(extracted);                     // the same icon again stays alive
    EXPECT_NE(IconSize(ToIcon(box.Picture())).cx, 0);
}

}  // namespace
}  // namespace plimex::win32
