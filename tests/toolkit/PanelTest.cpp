// The panel: bevels nest from the outside in, with the border between them.
#include "toolkit/Panel.h"

#include "ControlTestFixture.h"
#include "platform/gdi/SysColors.h"

namespace {

TEST_F(ControlTest, PanelDrawsOuterBevelBorderThenInnerBevel) {
    TForm* form = MakeForm(100, 60);
    auto* panel = Child<TPanel>(form, 10, 10, 40, 20);
    panel->SetColor(RGB(10, 200, 10));
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(1);
    panel->SetBevelInner(bvLowered);
    ShowAndSettle(form);

    const COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW),
                   face = RGB(10, 200, 10);
    const Bitmap shot = ClientShot(form);
    // Rings counted from the panel's edge (at 10,10, 40x20), sampled at the middle of each side:
    // both bevels are BevelWidth (2) wide: 0-1 raised outer bevel, 2 border (panel colour),
    // 3-4 lowered inner bevel, then the face.
    struct Ring {
        int depth;
        COLORREF topLeft, bottomRight;
    };
    const Ring rings[] = {{0, hi, sh}, {1, hi, sh}, {2, face, face},
                          {3, sh, hi}, {4, sh, hi}, {5, face, face}};
    for (const Ring& ring : rings) {
        SCOPED_TRACE(ring.depth);
        EXPECT_EQ(Pixel(shot, 30, 10 + ring.depth), ring.topLeft);
        EXPECT_EQ(Pixel(shot, 10 + ring.depth, 20), ring.topLeft);
        EXPECT_EQ(Pixel(shot, 30, 29 - ring.depth), ring.bottomRight);
        EXPECT_EQ(Pixel(shot, 49 - ring.depth, 20), ring.bottomRight);
    }
    EXPECT_EQ(panel->InnerRect(), (RECT{5, 5, 35, 15}));
}

TEST_F(ControlTest, PanelWithoutBevelsIsAllFaceAndCentresItsCaption) {
    TForm* form = MakeForm(200, 60);
    auto* panel = Child<TPanel>(form, 0, 0, 200, 40);
    panel->SetColor(RGB(255, 255, 255));
    panel->SetBevelOuter(bvNone);
    panel->Font().SetColor(RGB(0, 0, 0));
    panel->SetCaption("MMMM");
    ShowAndSettle(form);

    const Bitmap shot = ClientShot(form);
    // The edges stay face-coloured; the ink lies symmetric about the centre column (100).
    EXPECT_EQ(Pixel(shot, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(shot, 199, 39), RGB(255, 255, 255));
    int first = -1, last = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 40; ++y)
            if (Pixel(shot, x, y) != RGB(255, 255, 255)) {
                if (first < 0) first = x;
                last = x;
            }
    ASSERT_GE(first, 0) << "the caption left no ink";
    EXPECT_NEAR(first + last, 199, 3);
}

} // namespace
