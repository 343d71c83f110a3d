#include "PixelTestUtil.h"
#include "graphics/qvFast24.h"
#include "graphics/qvFast32.h"
#include "graphics/qvFastSum24.h"

TEST(FastAccessors, AttachRefusesSmallOrWrongFormatBitmaps) {
    struct Case {
        int width, height, bpp;
        bool ok24, ok32;
    } cases[] = {
        {2, 2, 24, true, false},  {5, 3, 24, true, false},  {1, 5, 24, false, false},
        {5, 1, 24, false, false}, {0, 0, 24, false, false}, {2, 2, 32, false, true},
        {1, 2, 32, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bpp);
        const Bitmap b(c.width, c.height, c.bpp);
        TqvFast24 f24;
        f24.Width = 99;
        EXPECT_EQ(f24.Attach(b), c.ok24);
        EXPECT_EQ(f24.Width, c.ok24 ? c.width : 0);
        TqvFast32 f32;
        f32.Width = 99;
        EXPECT_EQ(f32.Attach(b), c.ok32);
        EXPECT_EQ(f32.Width, c.ok32 ? c.width : 0);
    }
    TqvFastSum24 sum;
    const Bitmap good(3, 3, 24), flat(3, 1, 24), wide(32, 2, 24);
    Bitmap dst(4, 5, 24), flatDst(3, 1, 24), dst32(4, 5, 32);
    EXPECT_FALSE(sum.Attach(flat, dst));
    EXPECT_FALSE(sum.Attach(good, flatDst));
    EXPECT_FALSE(sum.Attach(good, dst32));
    ASSERT_TRUE(sum.Attach(wide, dst));
    EXPECT_EQ(sum.Width, 4);
    EXPECT_EQ(sum.Height, 2);
}

TEST(FastAccessors, RowDeltaAndPixelAgreeForBothRowOrders) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const std::vector<COLORREF> px = {RGB(1, 2, 3),    RGB(4, 5, 6),    RGB(7, 8, 9),
                                          RGB(10, 11, 12), RGB(13, 14, 15), RGB(16, 17, 18)};
        const Bitmap b = MakeBitmap(3, 2, px, topDown);
        TqvFast24 f;
        ASSERT_TRUE(f.Attach(b));
        EXPECT_EQ(f.RowDelta, topDown ? b.Stride() : -b.Stride());
        EXPECT_EQ(f.Row0, b.ScanLine(0));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(COLORREF(f.Pixel(x, y)), px[size_t(y * 3 + x)]);

        const Bitmap b32 = MakeBitmap(3, 2, px, topDown, 32);
        TqvFast32 f32;
        ASSERT_TRUE(f32.Attach(b32));
        EXPECT_EQ(f32.RowDelta, topDown ? b32.Stride() : -b32.Stride());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(COLORREF(f32.Pixel(x, y)), px[size_t(y * 3 + x)]);
    }
}

TEST(FastAccessors, BlendRowsRefusesRectanglesOutsideTheBitmaps) {
    const Bitmap src = FilledBitmap(3, 3, RGB(0, 0, 0));
    Bitmap dst = FilledBitmap(3, 3, RGB(200, 200, 200));
    TqvFastSum24 sum;
    ASSERT_TRUE(sum.Attach(src, dst));
    sum.Alpha = 0;
    // Destination inside, but its source would start at column -1.
    sum.DstX1 = 0, sum.DstY1 = 0, sum.DstX2 = 3, sum.DstY2 = 3;
    sum.SrcX1 = -1, sum.SrcY1 = 0, sum.SrcX2 = 2, sum.SrcY2 = 3;
    sum.BlendRows();
    // Destination past the right edge.
    sum.DstX1 = 1, sum.DstX2 = 4, sum.SrcX1 = 0, sum.SrcX2 = 3;
    sum.BlendRows();
    ExpectPixels(dst, std::vector<COLORREF>(9, RGB(200, 200, 200)));
}
