#include <array>

#include "PanelTestFixture.h"
#include "controls/sLabel.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"

namespace {

constexpr TColor Ink = RGB(0, 250, 0);
constexpr TColor Paper = RGB(255, 255, 255);

RECT PixelsOf(const Bitmap& b, TColor color) {
    RECT box{b.Width(), b.Height(), -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) == uint32_t(color)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.right < 0 ? RECT{} : box;
}

// The label painted by itself onto a target, as its parent would paint it.
void PaintLabel(TControl* label, PaintTarget& t) {
    label->Perform(WM_PAINT, WPARAM(t.Handle()), 0);
}

} // namespace

class SkinnedLabelTest : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        AddSection("GLOBALINFO").FontColor = {SkinInk, -1, -1, -1, -1};
        form_->HandleNeeded();
    }
    template <typename T>
    T* MakeLabel(const char* caption) {
        auto* l = form_->Make<T>();
        l->SetParent(form_);
        l->SetCaption(caption);
        return l;
    }
    static constexpr TColor SkinInk = RGB(12, 34, 56);
};

// The one-pixel fixture: a 3 x 3 shadow image whose centre is the text. The grid is 5 x 5
// with a zero border; each pass stamps the centre at 255, then averages every inner cell
// from up, down, left and right in row order, in place. One pass, row by row:
//   (1,1) = 0;          (2,1) = 255/4 = 63;           (3,1) = 63/4 = 15
//   (1,2) = 255/4 = 63; (2,2) = (63+63)/4 = 31;       (3,2) = (15+31)/4 = 11
//   (1,3) = 63/4 = 15;  (2,3) = (31+15)/4 = 11;       (3,3) = (11+11)/4 = 5
// A second pass starts from those values with the centre stamped at 255 again:
//   (1,1) = (63+63)/4 = 31;  (2,1) = (255+31+15)/4 = 75;  (3,1) = (11+75)/4 = 21
//   (1,2) = (31+15+255)/4 = 75; (2,2) = (75+11+75+11)/4 = 43; (3,2) = (21+5+43)/4 = 17
//   (1,3) = (75+11)/4 = 21;  (2,3) = (43+21+5)/4 = 17;    (3,3) = (17+17)/4 = 8
TEST(LabelShadowTest, TheBlurOfOnePixelMatchesTheHandWorkedGrid) {
    Bitmap image(3, 3, 32, true);
    image.SetPixel(1, 1, RGB(255, 255, 255));
    struct Case {
        int Passes;
        std::array<int, 9> Cells;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {1, {0, 63, 15, 63, 31, 11, 15, 11, 5}},
        {2, {31, 75, 21, 75, 43, 17, 21, 17, 8}},
    };
    for (const Case& k : cases) {
        std::vector<uint8_t> cells(3); // too small: it grows
        TsLabelFX::BlurShadow(image, k.Passes, cells);
        ASSERT_GE(cells.size(), 25u);
        for (int i = 0; i < 5; ++i) // the border stays zero
            EXPECT_EQ(cells[size_t(i)] + cells[size_t(20 + i)] + cells[size_t(5 * i)] +
                          cells[size_t(5 * i + 4)],
                      0);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(cells[size_t((y + 1) * 5 + x + 1)], k.Cells[size_t(y * 3 + x)])
                    << k.Passes << " passes at " << x << "," << y;
    }
    std::vector<uint8_t> big(100, 7);
    TsLabelFX::BlurShadow(image, 1, big);
    EXPECT_EQ(big.size(), 100u); // never shrinks
}

// Composing: channel = (under x (255 - a) + shadow x a) >> 8. Over an opaque white label
// with a black shadow: a = 0 -> 65025 >> 8 = 254, 63 -> 48960 >> 8 = 191, 31 -> 223, 15 -> 239,
// 11 -> 243, 5 -> 249. Over grey 100 already painted (transparent label) with a shadow of
// blue 200: a = 63 -> blue (19200 + 12600) >> 8 = 124, green and red 19200 >> 8 = 75.
TEST(LabelShadowTest, TheShadowIsMixedOverTheBackgroundByTheBlur) {
    Bitmap image(3, 3, 32, true);
    image.SetPixel(1, 1, RGB(255, 255, 255));
    std::vector<uint8_t> cells;
    TsLabelFX::BlurShadow(image, 1, cells);
    const uint8_t black[3] = {0, 0, 0};
    Bitmap opaque = image;
    TsLabelFX::ComposeShadow(opaque, cells, black, false, RGB(255, 255, 255));
    const int expected[9] = {254, 191, 239, 191, 223, 243, 239, 243, 249};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const int v = expected[y * 3 + x];
            EXPECT_EQ(opaque.GetPixel(x, y), RGB(v, v, v)) << x << "," << y;
        }
    Bitmap over(3, 3, 32, true);
    over.Fill(RGB(100, 100, 100));
    const uint8_t blue[3] = {200, 0, 0}; // blue, green, red
    TsLabelFX::ComposeShadow(over, cells, blue, true, RGB(255, 255, 255));
    EXPECT_EQ(over.GetPixel(1, 0), RGB(75, 75, 124));
    EXPECT_EQ(over.GetPixel(0, 0), RGB(99, 99, 99)); // a = 0: 100 x 255 >> 8
}

// Measured, the label makes room for its shadow: top-left margin min(0, D - B), bottom-right
// max(0, D + B), and grows by their difference both ways.
TEST_F(SkinnedLabelTest, AnAutoSizedLabelGrowsByItsShadowMargins) {
    struct Case {
        TsShadowMode Mode;
        TColor Color;
        int Distance, Blur;
        int SkinBlur, SkinOffset;
        int TopLeft, BottomRight;
    };
    const Case cases[] = {
        {smCustom, 0, 2, 4, -1, 0, -2, 6},
        {smCustom, 0, 5, 2, -1, 0, 0, 7},
        {smCustom, 0, 2, 0, -1, 0, 0, 0},
        {smCustom, clNone, 2, 4, -1, 0, 0, 0},
        {smNone, 0, 2, 4, -1, 0, 0, 0},
        // The skin gives no shadow: the label's own settings.
        {smSkin1, 0, 1, 4, -1, 0, -3, 5},
        // The skin's blur 2 and offset 3 win over the stored ones.
        {smSkin1, 0, 1, 4, 2, 3, 0, 5},
    };
    auto* plain = MakeLabel<TLabel>("Shadow");
    for (const Case& k : cases) {
        manager_->SkinData.Shadow1Blur = k.SkinBlur;
        manager_->SkinData.Shadow1Offset = k.SkinOffset;
        auto* l = form_->Make<TsLabelFX>();
        l->Shadow->SetMode(k.Mode);
        l->Shadow->SetColor(k.Color);
        l->Shadow->SetDistance(k.Distance);
        l->Shadow->SetBlurCount(k.Blur);
        l->SetParent(form_);
        l->SetCaption("Shadow");
        EXPECT_EQ(l->ShadowMarginTopLeft, k.TopLeft) << "case D" << k.Distance << " B" << k.Blur;
        EXPECT_EQ(l->ShadowMarginBottomRight, k.BottomRight);
        const int grow = k.BottomRight - k.TopLeft;
        EXPECT_EQ(l->Width(), plain->Width() + grow);
        EXPECT_EQ(l->Height(), plain->Height() + grow);
        l->SetParent(nullptr);
    }
}

// D = 2, B = 4: the text is drawn 2 pixels right of and below where a plain label puts it,
// with the shadow around it.
TEST_F(SkinnedLabelTest, TheTextSitsInsideTheShadowMargin) {
    auto* plain = MakeLabel<TLabel>("Wg");
    plain->Font().SetColor(Ink);
    auto* fx = form_->Make<TsLabelFX>();
    fx->Shadow->SetMode(smCustom);
    fx->Shadow->SetColor(RGB(0, 0, 200));
    fx->Shadow->SetDistance(2);
    fx->Kind->SetKindType(ktCustom);
    fx->Kind->SetColor(Ink);
    fx->SetParent(form_);
    fx->SetCaption("Wg");
    PaintTarget a(60, 40, Paper), b(60, 40, Paper);
    PaintLabel(plain, a);
    PaintLabel(fx, b);
    const RECT inkPlain = PixelsOf(a.Pixels, Ink), inkFx = PixelsOf(b.Pixels, Ink);
    ASSERT_GT(inkPlain.right, 0);
    EXPECT_EQ(inkFx.left, inkPlain.left + 2);
    EXPECT_EQ(inkFx.top, inkPlain.top + 2);
    // Somewhere the shadow darkened the paper toward its blue.
    bool shaded = false;
    for (int y = 0; y < fx->Height(); ++y)
        for (int x = 0; x < fx->Width(); ++x) {
            const uint32_t p = b.Pixels.GetPixel(x, y);
            shaded = shaded ||
                     (p != uint32_t(Ink) && GetRValue(p) < 255 && GetRValue(p) == GetGValue(p));
        }
    EXPECT_TRUE(shaded);
}

// The skin's global font colour goes into the font on every paint (for TsLabel only with
// UseSkinColor); removing the skin gives back the window-text colour on the same terms.
TEST_F(SkinnedLabelTest, TheFontFollowsTheSkinUnlessTheLabelKeepsItsColour) {
    const TColor own = RGB(90, 0, 0);
    struct Case {
        bool UseSkinColor;
        TColor AfterPaint, AfterRemoval;
    };
    const Case cases[] = {{true, SkinInk, SysColor(COLOR_WINDOWTEXT)}, {false, own, own}};
    for (const Case& k : cases) {
        auto* l = MakeLabel<TsLabel>("Text");
        l->SetUseSkinColor(k.UseSkinColor);
        l->Font().SetColor(own);
        PaintTarget t(80, 30, Paper);
        PaintLabel(l, t);
        EXPECT_EQ(l->Font().Color(), k.AfterPaint) << "UseSkinColor " << k.UseSkinColor;
        SendSkinCommand(l, SkinCommandWParam(scRemoveSkin), LPARAM(manager_.get()));
        EXPECT_EQ(l->Font().Color(), k.AfterRemoval) << "UseSkinColor " << k.UseSkinColor;
        l->SetParent(nullptr);
    }
    auto* fx = MakeLabel<TsLabelFX>("Text");
    PaintTarget t(80, 30, Paper);
    PaintLabel(fx, t);
    EXPECT_EQ(fx->Font().Color(), SkinInk);
}

// Disabled under a skin: a TsLabel writes once in 40% font colour over 60% of the parent's
// background: font (200, 0, 0) over (0, 0, 100) gives (80, 0, 60). A TsLabelFX is embossed
// in the highlight and shadow colours and casts no shadow.
TEST_F(SkinnedLabelTest, DisabledTextIsBlendedOrEmbossed) {
    form_->SetColor(RGB(0, 0, 100));
    auto* l = MakeLabel<TsLabel>("Wg");
    l->SetUseSkinColor(false);
    l->Font().SetColor(RGB(200, 0, 0));
    l->SetEnabled(false);
    PaintTarget t(60, 30, Paper);
    PaintLabel(l, t);
    EXPECT_GT(PixelsOf(t.Pixels, RGB(80, 0, 60)).right, 0);
    EXPECT_EQ(PixelsOf(t.Pixels, RGB(200, 0, 0)).right, 0);

    auto* fx = MakeLabel<TsLabelFX>("Wg");
    fx->Shadow->SetMode(smCustom);
    fx->Shadow->SetColor(RGB(0, 0, 200));
    fx->SetEnabled(false);
    PaintTarget e(60, 30, Paper);
    PaintLabel(fx, e);
    const TColor highlight = TColor(ColorToRGB(SysColor(COLOR_BTNHIGHLIGHT)));
    const TColor shade = TColor(ColorToRGB(SysColor(COLOR_BTNSHADOW)));
    const RECT dark = PixelsOf(e.Pixels, shade);
    ASSERT_GT(dark.right, 0);
    if (highlight != Paper) {
        EXPECT_EQ(PixelsOf(e.Pixels, highlight).left, dark.left + 1);
    }
    int bluish = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const uint32_t p = e.Pixels.GetPixel(x, y);
            if (GetBValue(p) > GetRValue(p) + 20) ++bluish;
        }
    EXPECT_EQ(bluish, 0); // no shadow
}

// Only a section the skin has, other than its first, and spelt exactly, is painted behind.
TEST_F(SkinnedLabelTest, OnlyAnExactlyNamedSectionOtherThanTheFirstIsPaintedBehind) {
    AddSection("PANEL", RGB(0, 120, 240));
    struct Case {
        const char* Section;
        bool Painted;
    };
    const Case cases[] = {
        {"PANEL", true}, {"panel", false}, {"GLOBALINFO", false}, {"NONE", false}};
    for (const Case& k : cases) {
        auto* l = MakeLabel<TsCustomLabel>("");
        l->SetAutoSize(false);
        l->SetBounds(0, 0, 20, 10);
        l->SetSkinSection(k.Section);
        EXPECT_EQ(l->SkinSection(), k.Section);
        PaintTarget t(20, 10, Paper);
        PaintLabel(l, t);
        EXPECT_EQ(t.Pixels.GetPixel(10, 5), k.Painted ? RGB(0, 120, 240) : Paper) << k.Section;
        l->SetParent(nullptr);
    }
}

TEST_F(SkinnedLabelTest, AnEmptyAutoSizedCaptionMeasuresAsOneSpace) {
    auto* empty = MakeLabel<TsLabel>("");
    auto* space = MakeLabel<TLabel>(" ");
    EXPECT_EQ(empty->Width(), space->Width());
    EXPECT_EQ(empty->Height(), space->Height());
    EXPECT_GT(empty->Height(), 0);
}
