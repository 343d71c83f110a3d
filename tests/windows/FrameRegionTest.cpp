// The window region cut from the key-coloured corners of the frame's borders.
#include <gtest/gtest.h>

#include "ProviderTestFixture.h"
#include "platform/gdi/Gdi.h"
#include "windows/sFrameRegion.h"

namespace {

bool Inside(HRGN region, int x, int y) { return PtInRegion(region, x, y); }

} // namespace

// A 9 x 9 border with 3-pixel margins: key pixels (0,0), (1,0), (0,1) top left, (7,0), (8,0)
// top right and (0,8) bottom left; placed on a 100 x 50 window.
TEST_F(ProviderTest, CornerRunsBecomeOnePixelRectanglesAtTheWindowCorners) {
    AddPlainSection("FORM", 0x404040);
    const int border = AddBorder("FORM", "BORDERSMASK", 0, 0, 9, 3, 0x808080,
                                 {{0, 0}, {1, 0}, {0, 1}, {7, 0}, {8, 0}, {0, 8}}, 1);
    const TAOR rects = FrameCornerRects(*manager_, border, -1, 100, 50);
    // Right corners move by 100 - 9; the bottom margin's row 2 lies at 50 - 3 + 2.
    const TAOR expected{{0, 0, 2, 1}, {98, 0, 100, 1}, {0, 1, 1, 2}, {0, 49, 1, 50}};
    EXPECT_EQ(rects, expected);

    HRGN region = MakeFrameRegion(rects, 100, 50);
    const struct {
        int X, Y;
        bool In;
    } probes[] = {{0, 0, false}, {1, 0, false},  {2, 0, true},   {0, 1, false},
                  {1, 1, true},  {99, 0, false}, {97, 0, true},  {0, 49, false},
                  {1, 49, true}, {99, 49, true}, {50, 25, true}, {100, 0, false}};
    for (const auto& p : probes) EXPECT_EQ(Inside(region, p.X, p.Y), p.In) << p.X << "," << p.Y;
    DeleteObject(region);
}

// The title bar's border cuts the window's top corners only.
TEST_F(ProviderTest, TitleBorderCutsOnlyTheTopCorners) {
    AddPlainSection("FORMTITLE", 0x404040);
    const int title = AddBorder("FORMTITLE", "BORDERSMASK", 20, 0, 6, 2, 0x808080,
                                {{0, 0}, {5, 0}, {0, 5}, {5, 5}}, 1);
    const TAOR rects = FrameCornerRects(*manager_, -1, title, 40, 30);
    const TAOR expected{{0, 0, 1, 1}, {39, 0, 40, 1}};
    EXPECT_EQ(rects, expected);
    EXPECT_TRUE(FrameCornerRects(*manager_, -1, -1, 40, 30).empty());
}
