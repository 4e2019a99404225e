#include <gtest/gtest.h>

#include "core/layout.h"
#include "win32/icon_from_bitmap.h"
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

TEST(IconFromBitmap, IsANewIconOfTheImagesSize) {
    const UniqueIcon first =
        IconFromBitmap(GetModuleHandleW(nullptr), PLIMEX_IMAGELIST1_BITMAP, layout::kIconPixels);
    const UniqueIcon second =
        IconFromBitmap(GetModuleHandleW(nullptr), PLIMEX_IMAGELIST1_BITMAP, layout::kIconPixels);
    ASSERT_NE(first.get(), nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(IconSize(first.get()).cx, layout::kIconPixels);
    EXPECT_EQ(IconSize(first.get()).cy, layout::kIconPixels);
}

}  // namespace
}  // namespace plimex::win32
