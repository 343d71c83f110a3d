#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "graphics/PixelTestUtil.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "platform/text/Text.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Canvas.h"

namespace {

constexpr COLORREF Sentinel = RGB(1, 1, 1);
constexpr COLORREF SectionColor = RGB(0, 200, 100);
constexpr COLORREF FlatGradient = RGB(200, 100, 40);
// The 2 x 2 texture tile in the master bitmap.
constexpr COLORREF TexA = RGB(250, 0, 0), TexB = RGB(0, 250, 0), TexC = RGB(0, 0, 250),
                   TexD = RGB(100, 100, 100);
constexpr COLORREF GripColor = RGB(20, 30, 40);
constexpr COLORREF ShadeColor = RGB(100, 0, 200);
constexpr COLORREF Border0 = RGB(90, 0, 90), Border1 = RGB(0, 90, 90);
constexpr COLORREF PictureColor = RGB(7, 77, 177);

int Ch(COLORREF c, int shift) { return int(c >> shift) & 255; }

// BlendImages per channel: d = (d*W + s*(255 - W) + 127) >> 8, W the share d keeps.
COLORREF Blend(COLORREF d, COLORREF s, int w) {
    auto ch = [&](int shift) {
        return COLORREF((Ch(d, shift) * w + Ch(s, shift) * (255 - w) + 127) >> 8) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

// TintRectToColor per channel: round(P*p + (1 - P)*c), ties to even.
COLORREF Tint(COLORREF p, COLORREF c, int percent) {
    const double k = percent / 100.0;
    auto ch = [&](int shift) {
        return COLORREF(std::nearbyint(k * Ch(p, shift) + (1 - k) * Ch(c, shift))) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

// The parent's background: red 10x, green 20y, so that the offset read shows.
Bitmap ParentPicture() {
    Bitmap b(8, 8, 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) b.SetPixel(x, y, RGB(10 * x, 20 * y, 100));
    return b;
}

COLORREF TextureAt(int x, int y) {
    const COLORREF tile[4] = {TexA, TexB, TexC, TexD};
    return tile[(y % 2) * 2 + x % 2];
}

void SetGradient(std::string& text, TsGradArray& steps, COLORREF from, COLORREF to) {
    text = std::to_string(from) + ";" + std::to_string(to) + ";100;0;0";
    ParseGradientData(text, steps);
}

struct SkinItemsTest : ::testing::Test {
    std::unique_ptr<TsSkinManager> manager;
    int texture = -1, grip = -1, border = -1;

    void SetUp() override {
        manager = std::make_unique<TsSkinManager>(nullptr);
        ASSERT_EQ(PrimaryManager, manager.get());
        // Master: the texture tile at (0, 0); a shade tile at (2, 0) with its mid-grey mask
        // below; the grip image at (4, 0) with its black mask below; two 3 x 3 border frames
        // at (6, 0) and (9, 0).
        Bitmap master(12, 4, 24);
        for (int y = 0; y < 2; ++y)
            for (int x = 2; x < 4; ++x) {
                master.SetPixel(x, y, ShadeColor);
                master.SetPixel(x, y + 2, Grey(128));
            }
        master.SetPixel(0, 0, TexA), master.SetPixel(1, 0, TexB);
        master.SetPixel(0, 1, TexC), master.SetPixel(1, 1, TexD);
        for (int y = 0; y < 2; ++y)
            for (int x = 4; x < 6; ++x) master.SetPixel(x, y, GripColor);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                master.SetPixel(6 + x, y, Border0);
                master.SetPixel(9 + x, y, Border1);
            }
        manager->MasterBitmap = std::make_unique<Bitmap>(std::move(master));
        texture = AddMask("TEXTURED", "PATTERN", {0, 0, 2, 2}, 1, 0, 0);
        grip = AddMask("GRIP", "PATTERN", {4, 0, 6, 4}, 1, 1, 10);
        AddMask("SHADE", "PATTERN", {2, 0, 4, 4}, 1, 1, 0);
        border = AddMask("FRAMED", "BORDERSMASK", {6, 0, 12, 3}, 2, 0, 0);
        TsMaskData& b = manager->MasksData[size_t(border)];
        b.WL = b.WT = b.WR = b.WB = 1;
    }
    void TearDown() override {
        ParentBgColor = KeyColor;
        ParentFillColor = KeyColor;
    }

    int AddMask(const char* section, const char* property, RECT r, int frames, int maskType,
                int mode) {
        TsMaskData md;
        md.SectionName = section;
        md.PropertyName = property;
        md.R = r;
        md.ImageCount = int16_t(frames);
        md.MaskType = int16_t(maskType);
        md.StretchMode = int16_t(mode);
        md.ImgType = frames > 1 ? itisaBorder : itisaTexture;
        md.Manager = manager.get();
        manager->MasksData.push_back(std::move(md));
        return int(manager->MasksData.size()) - 1;
    }
    // A section of colour SectionColor with nothing else, for the test to fill in.
    TsGeneralData& AddSection(const char* name) {
        TsGeneralData gd;
        gd.SectionName = name;
        gd.Color = SectionColor;
        gd.HotColor = SectionColor;
        manager->SectionsData.push_back(gd);
        return manager->SectionsData.back();
    }
    int IndexOf(const char* name) const { return manager->GetSectionIndex(name); }

    Bitmap Background(const char* name, const ParentCacheInfo& parent, int pattern = -1,
                      int hotPattern = -1, bool hot = false, POINT offset = {0, 0}) {
        // One column and row more than the item, to show that nothing is painted past it.
        Bitmap b = FilledBitmap(5, 5, Sentinel);
        RenderItemBackground(IndexOf(name), name, parent, KeyColor, hotPattern, pattern,
                             manager.get(), b, offset, {0, 0, 4, 4}, hot);
        return b;
    }
};

void ExpectEvery(const Bitmap& b, const std::function<COLORREF(int, int)>& want) {
    std::vector<COLORREF> expected;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) expected.push_back(want(x, y));
    ExpectPixels(b, expected);
}

// A 4 x 4 item painted by Background: its own pixels as wanted, the margin untouched.
void ExpectItem(const Bitmap& b, const std::function<COLORREF(int, int)>& want) {
    ExpectEvery(b, [&](int x, int y) { return x < 4 && y < 4 ? want(x, y) : Sentinel; });
}

} // namespace

// ---- Transparency over the parent's background

TEST_F(SkinItemsTest, TransparencyBlendsTheLayersOverTheParentAtItsOffset) {
    TsGeneralData& gd = AddSection("GLASS");
    gd.Transparency = 26;
    gd.GradientPercent = 100;
    SetGradient(gd.GradientData, gd.GradientSteps, RGB(200, 100, 40), RGB(230, 100, 40));
    const Bitmap parent = ParentPicture();
    const Bitmap b = Background("GLASS", {&parent, 2, 1, true}, -1, -1, false, {1, 0});
    // W = 26*255 div 100 = 66. Pixel (0, 0) lies over parent (3, 1) = (30, 20, 100) and the
    // gradient's first row (200, 100, 40): ((30*66 + 200*189 + 127) >> 8, ...) = (155, 79, 55).
    EXPECT_EQ(b.GetPixel(0, 0), RGB(155, 79, 55));
    // Pixel (3, 3): parent (6, 4) = (60, 80, 100), last gradient row (230, 100, 40).
    EXPECT_EQ(b.GetPixel(3, 3), RGB(185, 94, 55));
    // Rows step by (230 - 200) / 3 = 10 red.
    ExpectItem(b, [&](int x, int y) {
        return Blend(parent.GetPixel(3 + x, 1 + y), RGB(200 + 10 * y, 100, 40), 66);
    });
}

TEST_F(SkinItemsTest, FullTransparencyShowsOnlyTheParent) {
    TsGeneralData& gd = AddSection("CLEAR");
    gd.Transparency = 100;
    gd.GradientPercent = 60;
    gd.ImagePercent = 40;
    SetGradient(gd.GradientData, gd.GradientSteps, FlatGradient, FlatGradient);
    const Bitmap parent = ParentPicture();
    ExpectItem(Background("CLEAR", {&parent, 2, 1, true}, texture, -1, false, {1, 2}),
               [&](int x, int y) { return parent.GetPixel(3 + x, 3 + y); });

    // A parent known to be a plain colour is filled in, not copied.
    ParentBgColor = RGB(9, 8, 7);
    ExpectItem(Background("CLEAR", {&parent, 2, 1, true}), [](int, int) { return RGB(9, 8, 7); });
    ParentBgColor = KeyColor;

    // Without a ready parent the layers are painted as if opaque: the gradient goes over the
    // texture, which keeps W = 40*255 div 100 = 102; 60 + 40 = 100 leaves no colour tint.
    ExpectItem(Background("CLEAR", {&parent, 2, 1, false}, texture),
               [](int x, int y) { return Blend(TextureAt(x, y), FlatGradient, 102); });
}

TEST_F(SkinItemsTest, ABitmapThatIsTheParentKeepsItsPixelsUnderTheLayers) {
    TsGeneralData& gd = AddSection("OVER");
    gd.GradientPercent = 100;
    SetGradient(gd.GradientData, gd.GradientSteps, FlatGradient, FlatGradient);
    Bitmap own = ParentPicture();
    const Bitmap before = ParentPicture();
    const ParentCacheInfo self{&own, 0, 0, true};
    ParentBgColor = RGB(9, 8, 7); // neither filled nor copied over itself

    gd.Transparency = 100;
    RenderItemBackground(IndexOf("OVER"), "OVER", self, KeyColor, -1, -1, manager.get(), own,
                         {2, 2}, {2, 2, 6, 6}, false);
    ExpectPixels(own, PixelsOf(before));

    gd.Transparency = 26;
    RenderItemBackground(IndexOf("OVER"), "OVER", self, KeyColor, -1, -1, manager.get(), own,
                         {2, 2}, {2, 2, 6, 6}, false);
    ExpectEvery(own, [&](int x, int y) {
        const COLORREF p = before.GetPixel(x, y);
        return x >= 2 && x < 6 && y >= 2 && y < 6 ? Blend(p, FlatGradient, 66) : p;
    });
}

// ---- The layers: texture, gradient and colour

TEST_F(SkinItemsTest, LayersMixByTheirPercentages) {
    struct Case {
        const char* what;
        int gradient, image, transparency;
        bool blankGradient;
        TColor parentBg;
        std::function<COLORREF(COLORREF texture)> want;
    };
    const Case cases[] = {
        {"gradient 40% then 60% of the colour", 40, 0, 0, false, KeyColor,
         [](COLORREF) { return Tint(FlatGradient, SectionColor, 40); }},
        {"gradient and texture half and half, no tint", 50, 50, 0, false, KeyColor,
         [](COLORREF t) { return Blend(t, FlatGradient, 127); }},
        {"texture alone", 0, 100, 0, false, KeyColor, [](COLORREF t) { return t; }},
        {"texture 60% then 40% of the colour", 0, 60, 0, false, KeyColor,
         [](COLORREF t) { return Tint(t, SectionColor, 60); }},
        {"blank gradient text paints the colour", 100, 0, 0, true, KeyColor,
         [](COLORREF) { return SectionColor; }},
        {"no layers: the colour", 0, 0, 0, false, KeyColor, [](COLORREF) { return SectionColor; }},
        {"no layers, opaque: the colour even with a parent colour", 0, 0, 0, false, RGB(9, 8, 7),
         [](COLORREF) { return SectionColor; }},
        {"no layers, transparent: the parent colour", 0, 0, 30, false, RGB(9, 8, 7),
         [](COLORREF) { return RGB(9, 8, 7); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        manager->SectionsData.clear();
        TsGeneralData& gd = AddSection("MIX");
        gd.GradientPercent = c.gradient;
        gd.ImagePercent = c.image;
        gd.Transparency = c.transparency;
        SetGradient(gd.GradientData, gd.GradientSteps, FlatGradient, FlatGradient);
        if (c.blankGradient) gd.GradientData = " ";
        ParentBgColor = c.parentBg;
        // No ready parent: the transparency only matters for the parent colour.
        ExpectItem(Background("MIX", {}, texture),
                   [&](int x, int y) { return c.want(TextureAt(x, y)); });
        ParentBgColor = KeyColor;
    }
}

TEST_F(SkinItemsTest, WhatATextureLetsThroughIsTheColourNotThePixelsBefore) {
    // A masked texture is found by name (a given masked entry would be the grip dots).
    AddSection("SHADE").ImagePercent = 100;
    // The mask formula over the colour: ((C - i)*128 + i*256) >> 8 = (50, 100, 150).
    const COLORREF through = RGB(50, 100, 150);
    ExpectItem(Background("SHADE", {}), [&](int, int) { return through; });
    AddSection("SHADED").ImagePercent = 100;

    // Whole tiles only (and a cut last column): the row below them shows the colour.
    manager->MasksData[size_t(texture)].StretchMode = 10;
    Bitmap b = FilledBitmap(6, 6, Sentinel);
    RenderItemBackground(IndexOf("SHADED"), "SHADED", {}, KeyColor, -1, texture, manager.get(), b,
                         {0, 0}, {0, 0, 5, 5}, false);
    ExpectEvery(b, [](int x, int y) {
        if (x == 5 || y == 5) return Sentinel;
        return y < 4 ? TextureAt(x, y) : SectionColor;
    });
}

TEST_F(SkinItemsTest, TexturesAreFoundByNameWhenNoneIsGiven) {
    AddSection("TEXTURED").ImagePercent = 100;
    auto picture = std::make_shared<Bitmap>(FilledBitmap(2, 2, PictureColor));
    manager->PatternsData.push_back({picture, "PICTURED", "PATTERN"});
    AddSection("PICTURED").ImagePercent = 100;

    ExpectItem(Background("TEXTURED", {}), TextureAt);
    ExpectItem(Background("PICTURED", {}), [](int, int) { return PictureColor; });

    // The quick form never looks a pattern up: the colour alone.
    Bitmap b = FilledBitmap(4, 4, Sentinel);
    RenderItemQuick(IndexOf("TEXTURED"), -1, -1, -1, manager.get(), b, {0, 0}, {0, 0, 4, 4}, false,
                    true, {}, "TEXTURED");
    ExpectEvery(b, [](int, int) { return SectionColor; });
}

TEST_F(SkinItemsTest, TheHotStateTakesTheHotValues) {
    TsGeneralData& gd = AddSection("HOTTY");
    gd.HotColor = RGB(5, 6, 7);
    gd.HotGradientPercent = 100;
    SetGradient(gd.HotGradientData, gd.HotGradientSteps, FlatGradient, FlatGradient);
    gd.HotTransparency = 100;
    const Bitmap parent = ParentPicture();

    ExpectItem(Background("HOTTY", {}, -1, -1, true), [](int, int) { return FlatGradient; });
    ExpectItem(Background("HOTTY", {&parent, 0, 0, true}, -1, -1, true),
               [&](int x, int y) { return parent.GetPixel(x, y); });
    ExpectItem(Background("HOTTY", {&parent, 0, 0, true}), [](int, int) { return SectionColor; });

    gd.HotImagePercent = 100;
    gd.HotGradientPercent = 0;
    gd.HotTransparency = 0;
    ExpectItem(Background("HOTTY", {}, -1, texture, true), TextureAt);
}

// ---- Grip dots

TEST_F(SkinItemsTest, GripDotsGoOverTheNormalStateOnly) {
    // Image 100%: a given masked entry is the overlay, never the texture.
    AddSection("GRIPPED").ImagePercent = 100;
    ParentFillColor = RGB(3, 3, 3);
    struct Case {
        int pattern, hotPattern;
        bool hot, quick, dots;
    };
    const Case cases[] = {
        {grip, -1, false, false, true},      {-1, grip, false, false, true},
        {texture, grip, false, false, true}, {grip, -1, true, false, false},
        {-1, grip, false, true, false},      {-1, -1, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pattern << " " << c.hotPattern << " hot " << c.hot
                                          << " quick " << c.quick);
        Bitmap b = FilledBitmap(5, 5, Sentinel);
        if (c.quick)
            RenderItemQuick(IndexOf("GRIPPED"), -1, c.pattern, c.hotPattern, manager.get(), b,
                            {0, 0}, {0, 0, 5, 5}, c.hot, true, {}, "GRIPPED");
        else
            RenderItemBackground(IndexOf("GRIPPED"), "GRIPPED", {}, KeyColor, c.hotPattern,
                                 c.pattern, manager.get(), b, {0, 0}, {0, 0, 5, 5}, c.hot);
        const bool textured = c.pattern == texture && !c.hot;
        ExpectEvery(b, [&](int x, int y) {
            if (c.dots) {
                // Whole 2 x 2 tiles over 4 x 4 (black mask: the image itself); the strips
                // right and below take the parent's fill colour.
                return x < 4 && y < 4 ? GripColor : RGB(3, 3, 3);
            }
            return textured ? TextureAt(x, y) : SectionColor;
        });
    }
}

// ---- Borders, the context form and what paints nothing

TEST_F(SkinItemsTest, SectionItemsPutTheStateFrameOfTheBorderOnTop) {
    AddSection("FRAMED");
    for (const bool hot : {false, true})
        for (const bool fill : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "hot " << hot << " fill " << fill);
            Bitmap b = FilledBitmap(4, 4, Sentinel);
            RenderSectionItem(IndexOf("FRAMED"), "FRAMED", {}, -1, -1, manager.get(), b, {0, 0},
                              {0, 0, 4, 4}, hot, fill);
            const COLORREF frame = hot ? Border1 : Border0;
            ExpectEvery(b, [&](int x, int y) {
                const bool edge = x == 0 || y == 0 || x == 3 || y == 3;
                return edge || fill ? frame : SectionColor;
            });
        }
    // The quick form takes the border it is given.
    Bitmap b = FilledBitmap(4, 4, Sentinel);
    RenderItemQuick(IndexOf("FRAMED"), border, -1, -1, manager.get(), b, {0, 0}, {0, 0, 4, 4}, true,
                    false, {}, "FRAMED");
    EXPECT_EQ(b.GetPixel(0, 0), Border1);
    EXPECT_EQ(b.GetPixel(1, 1), SectionColor);
}

TEST_F(SkinItemsTest, TheContextFormCopiesTheItemIntoItsRectangle) {
    TsGeneralData& gd = AddSection("CLEAR");
    gd.Transparency = 100;
    const Bitmap parent = ParentPicture();
    Bitmap target = FilledBitmap(8, 8, Sentinel);
    {
        TsBitmapDC dc(target);
        RenderItemToDC(IndexOf("CLEAR"), "CLEAR", {&parent, 1, 0, true}, manager.get(), dc.Handle(),
                       {2, 3}, {2, 3, 6, 5}, false, true);
    }
    ExpectEvery(target, [&](int x, int y) {
        // Item pixel (i, j) at target (2 + i, 3 + j) shows parent (1 + 2 + i, 0 + 3 + j).
        const bool inside = x >= 2 && x < 6 && y >= 3 && y < 5;
        return inside ? parent.GetPixel(1 + x, y) : Sentinel;
    });
}

TEST_F(SkinItemsTest, NothingIsPaintedWithoutASectionAManagerOrARectangleInTheBitmap) {
    AddSection("FRAMED");
    const Bitmap sentinel = FilledBitmap(4, 4, Sentinel);
    struct Case {
        const char* what;
        int section;
        RECT rect;
    };
    const Case cases[] = {
        {"no section", -1, {0, 0, 4, 4}},
        {"section out of range", 5, {0, 0, 4, 4}},
        {"rectangle beside the bitmap", 0, {4, 0, 8, 4}},
        {"empty rectangle", 0, {2, 2, 2, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap b = FilledBitmap(4, 4, Sentinel);
        RenderItemBackground(c.section, "FRAMED", {}, KeyColor, -1, -1, manager.get(), b, {0, 0},
                             c.rect, false);
        RenderSectionItem(c.section, "FRAMED", {}, -1, -1, manager.get(), b, {0, 0}, c.rect, false,
                          true);
        RenderItemQuick(c.section, border, -1, -1, manager.get(), b, {0, 0}, c.rect, false, true,
                        {}, "FRAMED");
        ExpectPixels(b, PixelsOf(sentinel));
    }
    Bitmap target = FilledBitmap(4, 4, Sentinel);
    {
        TsBitmapDC dc(target);
        RenderItemToDC(-1, "FRAMED", {}, manager.get(), dc.Handle(), {0, 0}, {0, 0, 4, 4}, false,
                       true);
    }
    ExpectPixels(target, PixelsOf(sentinel));

    manager.reset(); // no default manager left
    Bitmap b = FilledBitmap(4, 4, Sentinel);
    RenderItemBackground(0, "FRAMED", {}, KeyColor, -1, -1, nullptr, b, {0, 0}, {0, 0, 4, 4},
                         false);
    ExpectPixels(b, PixelsOf(sentinel));
}

TEST_F(SkinItemsTest, TheQuickFormAlwaysUsesTheParentsPixels) {
    TsGeneralData& gd = AddSection("CLEAR");
    gd.Transparency = 100;
    const Bitmap parent = ParentPicture();
    ParentBgColor = RGB(9, 8, 7);
    Bitmap b = FilledBitmap(4, 4, Sentinel);
    RenderItemQuick(IndexOf("CLEAR"), -1, -1, -1, manager.get(), b, {1, 1}, {0, 0, 4, 4}, false,
                    true, {&parent, 2, 0, true}, "CLEAR");
    ExpectEvery(b, [&](int x, int y) { return parent.GetPixel(3 + x, 1 + y); });

    // Without layers and without a parent it paints the colour, not the parent's colour.
    gd.Transparency = 30;
    RenderItemQuick(IndexOf("CLEAR"), -1, -1, -1, manager.get(), b, {0, 0}, {0, 0, 4, 4}, false,
                    true, {}, "CLEAR");
    ExpectEvery(b, [](int, int) { return SectionColor; });
}

// ---- Text

namespace {

struct TextRun {
    int row = -1, first = -1, last = -1; // the text colour's first and last column in a row
};

// The row with the widest run of exactly `color`.
TextRun WidestRun(const Bitmap& b, COLORREF color) {
    TextRun best;
    for (int y = 0; y < b.Height(); ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) == color) {
                if (first < 0) first = x;
                last = x;
            }
        if (first >= 0 && (best.row < 0 || last - first > best.last - best.first))
            best = {y, first, last};
    }
    return best;
}

} // namespace

TEST_F(SkinItemsTest, SectionTextTakesTheContoursAndTheDisabledBlend) {
    TsGeneralData& gd = AddSection("LABELLED");
    gd.Color = RGB(250, 100, 0);
    gd.FontColor = {RGB(0, 0, 200), RGB(0, 255, 0), -1, -1, -1};
    Bitmap b = FilledBitmap(60, 60, RGB(255, 255, 255));
    TsBitmapDC dc(b);
    TCanvas canvas(dc.Handle());
    canvas.Font.SetHeight(40);
    RECT r{0, 0, 60, 60};
    const UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;

    WriteSectionText(canvas, "H", true, manager.get(), false, IndexOf("LABELLED"), flags, r);
    const TextRun run = WidestRun(b, RGB(0, 0, 200));
    ASSERT_GE(run.row, 0) << "no fully covered text pixel";
    // The left contour is the text moved one pixel left: green shows just left of the text,
    // under at most some of the text's own edge. No other contour is drawn.
    const COLORREF left = b.GetPixel(run.first - 1, run.row);
    EXPECT_TRUE(Ch(left, 0) == 0 && Ch(left, 8) > 0) << std::hex << left;
    // Right of the text only its own edge over white, at some coverage k: red and green
    // 255 - k, blue (255*(255 - k) + 200*k + 127) / 255.
    const COLORREF right = b.GetPixel(run.last + 1, run.row);
    const int k = 255 - Ch(right, 0);
    EXPECT_EQ(Ch(right, 8), Ch(right, 0)) << std::hex << right;
    EXPECT_NEAR(Ch(right, 16), (255 * (255 - k) + 200 * k + 127) / 255, 1) << std::hex << right;

    // Disabled: round(0.4*(font - colour) + colour) = (150, 60, 80), and no contour.
    b.Fill(RGB(255, 255, 255));
    WriteSectionText(canvas, "H", false, manager.get(), false, IndexOf("LABELLED"), flags, r);
    EXPECT_GE(WidestRun(b, RGB(150, 60, 80)).row, 0);
    EXPECT_LT(WidestRun(b, RGB(0, 255, 0)).row, 0);
    EXPECT_LT(WidestRun(b, RGB(0, 0, 200)).row, 0);
}
