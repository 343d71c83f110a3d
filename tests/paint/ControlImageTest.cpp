#include <gtest/gtest.h>

#include "graphics/sAlphaGraph.h"
#include "paint/sControlImage.h"
#include "skin/sMessages.h"
#include "toolkit/Control.h"
#include "toolkit/ImageList.h"

namespace {

Bitmap Solid(int w, int h, TColor color) {
    Bitmap b(w, h, 24);
    b.Fill(color);
    return b;
}

} // namespace

TEST(DisabledLook, GreyedTakesTheChannelAverage) {
    Bitmap b = Solid(3, 3, RGB(30, 60, 91));
    ApplyDisabledLook(b, dkGrayed, nullptr, POINT{0, 0}, ParentCacheInfo{});
    EXPECT_EQ(b.GetPixel(2, 2), RGB(60, 60, 60)); // (30 + 60 + 91) div 3
}

TEST(DisabledLook, BlendedShowsSixtyPercentOfTheParentAtItsOffset) {
    // The parent's pixel at (x, y) has red 10x + 20y, so the offset read is visible.
    Bitmap parent(6, 6, 24);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) parent.SetPixel(x, y, RGB(10 * x + 20 * y, 100, 0));
    Bitmap b = Solid(2, 2, RGB(200, 200, 200));
    const ParentCacheInfo cache{&parent, 1, 0, true};
    ApplyDisabledLook(b, dkBlended, nullptr, POINT{1, 2}, cache);
    // Control pixel (1, 1) lies over parent (1 + 1 + 1, 0 + 2 + 1) = (3, 3): red 90.
    // d = round(s - 0.4 (s - d)): red 90 - 0.4 (90 - 200) = 134, green 100 + 40 = 140,
    // blue 0 + 80 = 80.
    EXPECT_EQ(b.GetPixel(1, 1), RGB(134, 140, 80));
    // Control pixel (0, 0) lies over parent (2, 2): red 60 - 0.4 (60 - 200) = 116.
    EXPECT_EQ(b.GetPixel(0, 0), RGB(116, 140, 80));
}

TEST(DisabledLook, WithoutAParentItTintsHalfwayToTheParentColourOrItsOwn) {
    TControl control(nullptr);
    control.SetColor(RGB(0, 0, 0));
    Bitmap own = Solid(2, 2, RGB(200, 201, 10));
    ApplyDisabledLook(own, dkBlended, &control, POINT{0, 0}, ParentCacheInfo{});
    // round(0.5 c): 100, 100.5 -> 100 (ties to even), 5.
    EXPECT_EQ(own.GetPixel(1, 1), RGB(100, 100, 5));

    ParentBgColor = RGB(255, 255, 255);
    Bitmap overParent = Solid(2, 2, RGB(100, 0, 1));
    ApplyDisabledLook(overParent, dkBlended, &control, POINT{0, 0}, ParentCacheInfo{});
    ParentBgColor = KeyColor;
    // round(0.5 c + 127.5): 177.5 -> 178, 127.5 -> 128, 128.
    EXPECT_EQ(overParent.GetPixel(0, 0), RGB(178, 128, 128));
}

TEST(ImageToBitmap, TakesTheListSizeAndDrawsTheImageOverItsTransparentColour) {
    TImageList list(nullptr, 2, 2);
    Bitmap strip(4, 2, 24);
    strip.Fill(RGB(1, 2, 3));
    strip.SetPixel(2, 0, RGB(10, 20, 30));
    strip.SetPixel(3, 1, RGB(255, 0, 255)); // transparent in the list
    ASSERT_EQ(list.Add(strip), 0);
    Bitmap b(7, 9, 24);
    ImageToBitmap(b, list, 1);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.GetPixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(b.GetPixel(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(b.GetPixel(1, 1), RGB(255, 0, 255));
    ImageToBitmap(b, list, 5);
    EXPECT_EQ(b.GetPixel(0, 0), RGB(255, 0, 255)); // a bad index: the fill alone
}
