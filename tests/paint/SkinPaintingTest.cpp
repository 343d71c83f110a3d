#include "CommonDataTestFixture.h"
#include "paint/sBitmapDC.h"
#include "platform/controls/Button.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr TColor Sentinel = RGB(1, 1, 1);
constexpr TColor Grey50 = RGB(50, 50, 50);

// The parent's background: red 10x, green 20y, so that the offset read shows.
TColor Picture(int x, int y) { return RGB(10 * x, 20 * y, 100); }
void Paint(Bitmap& b) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, Picture(x, y));
}

// A windowless child that paints one pixel of `Dot` at its corner and nothing else.
class DotGraphic : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    TColor Dot = RGB(9, 99, 199);

  protected:
    void Paint() override {
        Canvas().Brush.Color = Dot;
        Canvas().FillRect(RECT{0, 0, 1, 1});
    }
};

} // namespace

class SkinPaintingTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        // A 3 x 3 masked border frame at (0, 0) with its (black) mask below: its four corner
        // pixels are KeyColor.
        Bitmap& m = *manager_->MasterBitmap;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) m.SetPixel(x, y, (x != 1 && y != 1) ? KeyColor : Grey50);
    }
    int AddFramedBorder(const char* section) {
        const int i = AddImage(section, "BORDERSMASK", {0, 0, 3, 6}, 1, 1);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = 1;
        return i;
    }
};

TEST_F(SkinPaintingTest, CornersTakeTheParentsPixelsOrItsColour) {
    AddSection("SHADED", RGB(30, 60, 90)).GradientPercent = 100;
    AddSection("PLAIN", RGB(30, 60, 90));
    AddSection("FRAMED");
    AddFramedBorder("FRAMED");
    enum Source { Pixels, SectionColour, OwnColour };
    struct Case {
        const char* ParentSection;
        bool ParentCache;
        unsigned Corners;
        Source From;
    };
    const Case cases[] = {
        {"SHADED", true, kAllCorners, Pixels},
        {"PLAIN", true, kAllCorners, SectionColour},
        {"PLAIN", false, kAllCorners, OwnColour},
        {"SHADED", true, crnTopRight, Pixels},
        {"SHADED", true, crnBottomLeft | crnBottomRight, Pixels},
    };
    for (const Case& k : cases) {
        auto* parent = Host(form_, "parent", 51, k.ParentSection);
        parent->SetBounds(0, 0, 12, 10);
        parent->SetColor(RGB(5, 6, 7));
        parent->HandleNeeded();
        if (k.ParentCache) {
            parent->SkinData->SizeCacheBitmap();
            Paint(*parent->SkinData->CacheBitmap);
        }
        auto* c = Host<SkinnedGraphic>(parent, "c", 51, "FRAMED");
        c->SetBounds(3, 2, 6, 5);
        c->SkinData->SizeCacheBitmap();
        Bitmap& cache = *c->SkinData->CacheBitmap;
        cache.Fill(Sentinel);
        FillTransparentCorners(*c->SkinData, 0, k.Corners);

        struct Corner {
            unsigned Bit;
            int X, Y;
        };
        for (const Corner corner : {Corner{crnTopLeft, 0, 0}, Corner{crnTopRight, 5, 0},
                                    Corner{crnBottomLeft, 0, 4}, Corner{crnBottomRight, 5, 4}}) {
            TColor expected = Sentinel;
            if (k.Corners & corner.Bit) {
                // The parent's pixel under the corner: the control lies at (3, 2) in it.
                expected = k.From == Pixels          ? Picture(3 + corner.X, 2 + corner.Y)
                           : k.From == SectionColour ? RGB(30, 60, 90)
                                                     : RGB(5, 6, 7);
            }
            EXPECT_EQ(cache.GetPixel(corner.X, corner.Y), expected)
                << k.ParentSection << " corner " << corner.Bit;
        }
        // Pixels the border image does not key stay as they were.
        EXPECT_EQ(cache.GetPixel(1, 0), Sentinel);
        EXPECT_EQ(cache.GetPixel(0, 1), Sentinel);
        EXPECT_EQ(cache.GetPixel(3, 2), Sentinel);
        EXPECT_EQ(ParentBgColor, KeyColor);
        parent->SetParent(nullptr);
    }
}

TEST_F(SkinPaintingTest, WithoutParentTheCornersStayKeyed) {
    AddSection("FRAMED");
    AddFramedBorder("FRAMED");
    SkinnedGraphic c(nullptr, nullptr, 51);
    c.SkinData->SetSkinSection("FRAMED");
    c.SetBounds(0, 0, 4, 4);
    c.SkinData->SizeCacheBitmap();
    c.SkinData->CacheBitmap->Fill(KeyColor);
    FillAllCorners(*c.SkinData, 0);
    EXPECT_EQ(c.SkinData->CacheBitmap->GetPixel(0, 0), KeyColor);
}

TEST_F(SkinPaintingTest, ABorderBitmapWithoutCountsIsThreeMaskedFrames) {
    // Own bitmap 9 x 4: three 3 x 2 frames over their masks; only frame 1 keys its top-left.
    AddSection("OWN");
    const int i = AddImage("OWN", "BORDERSMASK", {0, 0, 0, 0}, 0, 0);
    TsMaskData& md = manager_->MasksData[size_t(i)];
    md.Bmp = std::make_unique<Bitmap>(9, 4, 24);
    md.Bmp->Fill(Grey50);
    md.Bmp->SetPixel(3, 0, KeyColor);
    md.WL = md.WT = md.WR = md.WB = 1;
    auto* parent = Host(form_, "parent", 51, "OWN");
    parent->SetColor(RGB(5, 6, 7));
    parent->HandleNeeded();
    auto* c = Host<SkinnedGraphic>(parent, "c", 51, "OWN");
    c->SkinData->SizeCacheBitmap();
    for (int state : {0, 1}) {
        c->SkinData->CacheBitmap->Fill(Sentinel);
        FillAllCorners(*c->SkinData, state);
        EXPECT_EQ(c->SkinData->CacheBitmap->GetPixel(0, 0), state == 1 ? RGB(5, 6, 7) : Sentinel);
    }
}

TEST_F(SkinPaintingTest, CornerPicturesGoToTheCornersOfTheRectangle) {
    constexpr TColor A = RGB(200, 10, 10), B = RGB(10, 200, 10);
    Bitmap& m = *manager_->MasterBitmap;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            m.SetPixel(4 + x, y, A);
            m.SetPixel(6 + x, y, B);
        }
    AddSection("CORNERED");
    AddImage("CORNERED", "IMGTOPLEFT", {4, 0, 6, 2}, 1, 0, itisaGlyph);
    AddImage("CORNERED", "IMGBTMRIGHT", {6, 0, 8, 2}, 1, 0, itisaGlyph);
    SkinnedGraphic c(nullptr);
    c.SkinData->SetSkinSection("CORNERED");
    Bitmap b(8, 8, 24);
    b.Fill(Sentinel);
    PaintCornerImages(*c.SkinData, b, RECT{1, 1, 7, 7}, 0);
    EXPECT_EQ(b.GetPixel(1, 1), A);
    EXPECT_EQ(b.GetPixel(2, 2), A);
    EXPECT_EQ(b.GetPixel(5, 5), B);
    EXPECT_EQ(b.GetPixel(6, 6), B);
    EXPECT_EQ(b.GetPixel(0, 0), Sentinel);
    EXPECT_EQ(b.GetPixel(3, 3), Sentinel);
    EXPECT_EQ(b.GetPixel(5, 1), Sentinel); // no top-right picture
    EXPECT_EQ(b.GetPixel(7, 7), Sentinel);
}

TEST_F(SkinPaintingTest, AMenuItemHasItsBorderOnlyWhenHot) {
    // An unmasked two-frame border: frame 0 all C0, frame 1 all C1.
    constexpr TColor C0 = RGB(0, 0, 120), C1 = RGB(120, 0, 0);
    Bitmap& m = *manager_->MasterBitmap;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            m.SetPixel(8 + x, y, C0);
            m.SetPixel(11 + x, y, C1);
        }
    for (const char* name : {"MENUITEM", "PANEL"}) {
        TsGeneralData& s = AddSection(name, RGB(200, 200, 200));
        s.HotColor = RGB(100, 100, 100);
        const int i = AddImage(name, "BORDERSMASK", {8, 0, 14, 3}, 2, 0);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = 1;
    }
    struct Case {
        const char* Section;
        int State;
        TColor Corner, Middle;
    };
    const Case cases[] = {
        {"MENUITEM", 0, RGB(200, 200, 200), RGB(200, 200, 200)},
        {"MENUITEM", 1, C1, RGB(100, 100, 100)},
        {"PANEL", 0, C0, RGB(200, 200, 200)},
        {"PANEL", 1, C1, RGB(100, 100, 100)},
    };
    for (const Case& k : cases) {
        auto* c = Host<SkinnedGraphic>(form_, "c", 51, k.Section);
        c->SetBounds(0, 0, 6, 6);
        c->SkinData->SizeCacheBitmap();
        c->SkinData->CacheBitmap->Fill(Sentinel);
        RenderSkinItem(*c->SkinData, ParentCacheInfo{}, false, true, c->SkinData->CacheBitmap.get(),
                       POINT{0, 0}, RECT{0, 0, 6, 6}, k.State);
        const Bitmap& b = *c->SkinData->CacheBitmap;
        EXPECT_EQ(b.GetPixel(0, 0), k.Corner) << k.Section << " state " << k.State;
        EXPECT_EQ(b.GetPixel(3, 0), k.Corner) << k.Section << " state " << k.State;
        EXPECT_EQ(b.GetPixel(2, 2), k.Middle) << k.Section << " state " << k.State;
        EXPECT_EQ(ParentBgColor, KeyColor);
        EXPECT_EQ(ParentFillColor, KeyColor);
        c->SetParent(nullptr);
    }
}

TEST_F(SkinPaintingTest, NothingIsRenderedOutsideTheBitmapOrWithoutSkin) {
    AddSection("PANEL", RGB(200, 200, 200));
    auto* c = Host<SkinnedGraphic>(form_, "c", 51, "PANEL");
    Bitmap b(4, 4, 24);
    b.Fill(Sentinel);
    RenderSkinItem(*c->SkinData, {}, true, true, &b, {0, 0}, RECT{0, 0, 5, 4}, 0);
    RenderSkinItem(*c->SkinData, {}, true, true, nullptr, {0, 0}, RECT{0, 0, 4, 4}, 0);
    manager_->SkinData.Loaded = false;
    RenderSkinItem(*c->SkinData, {}, true, true, &b, {0, 0}, RECT{0, 0, 4, 4}, 0);
    EXPECT_EQ(b.GetPixel(0, 0), Sentinel);
    manager_->SkinData.Loaded = true;
    RenderSkinItem(*c->SkinData, {}, true, true, &b, {0, 0}, RECT{0, 0, 4, 4}, 0);
    EXPECT_EQ(b.GetPixel(0, 0), RGB(200, 200, 200));
}

TEST_F(SkinPaintingTest, TheCacheCopyLeavesOutChildrenThatPaintThemselves) {
    auto* container = Host(form_, "container", 51);
    container->SetBounds(0, 0, 10, 10);
    container->SkinData->SizeCacheBitmap();
    Paint(*container->SkinData->CacheBitmap);
    auto* graphic = container->Make<TGraphicControl>();
    graphic->SetBounds(2, 2, 3, 3);
    graphic->SetParent(container);
    auto* windowed = container->Make<TCustomControl>();
    windowed->SetBounds(6, 6, 2, 2);
    windowed->SetParent(container);
    auto* opaque = container->Make<TCustomControl>();
    opaque->SetBounds(0, 6, 2, 2);
    opaque->SetControlStyle(opaque->ControlStyle() | csOpaque);
    opaque->SetParent(container);

    Bitmap target(10, 10, 24);
    target.Fill(Sentinel);
    TsBitmapDC dc(target);
    CopyCacheToDC(container, *container->SkinData, POINT{0, 0}, 0, 0, false, dc.Handle(),
                  RECT{0, 0, 10, 10});
    EXPECT_EQ(target.GetPixel(3, 3), Sentinel); // windowless
    EXPECT_EQ(target.GetPixel(0, 6), Sentinel); // opaque
    EXPECT_EQ(target.GetPixel(6, 6), Picture(6, 6));
    EXPECT_EQ(target.GetPixel(9, 9), Picture(9, 9));
    EXPECT_EQ(target.GetPixel(1, 1), Picture(1, 1));

    // From another origin, into part of the context only.
    target.Fill(Sentinel);
    CopyCacheToDC(container, *container->SkinData, POINT{1, 1}, 0, 0, false, dc.Handle(),
                  RECT{0, 0, 2, 2});
    EXPECT_EQ(target.GetPixel(0, 0), Picture(1, 1));
    EXPECT_EQ(target.GetPixel(1, 1), Picture(2, 2));
    EXPECT_EQ(target.GetPixel(2, 2), Sentinel);
}

TEST_F(SkinPaintingTest, WindowlessChildrenAreDrawnOverTheContainersCache) {
    auto* container = Host(form_, "container", 51);
    container->SetBounds(0, 0, 10, 10);
    container->HandleNeeded();
    container->SkinData->SizeCacheBitmap();
    Paint(*container->SkinData->CacheBitmap);
    auto child = [&](RECT r) {
        auto* g = container->Make<DotGraphic>();
        g->SetBounds(r.left, r.top, WidthOf(r), HeightOf(r));
        g->SetParent(container);
        return g;
    };
    DotGraphic* dotted = child({2, 2, 5, 5});
    DotGraphic* keyed = child({6, 6, 8, 8});
    keyed->Dot = KeyColor;
    DotGraphic* opaque = child({0, 7, 2, 9});
    opaque->SetControlStyle(opaque->ControlStyle() | csOpaque);
    opaque->SetColor(RGB(44, 55, 66));
    opaque->Dot = RGB(44, 55, 66);
    (void)dotted;

    Bitmap target(12, 12, 24);
    target.Fill(Sentinel);
    TsBitmapDC dc(target);
    PaintGraphicChildren(dc.Handle(), container, POINT{1, 1});
    EXPECT_EQ(target.GetPixel(3, 3), RGB(9, 99, 199)); // the child's own pixel, moved by 1
    EXPECT_EQ(target.GetPixel(4, 4), Picture(3, 3));   // the cache under the child
    EXPECT_EQ(target.GetPixel(7, 7), Sentinel);        // its corner is KeyColor: not copied
    EXPECT_EQ(target.GetPixel(2, 9), RGB(44, 55, 66)); // the opaque child's own colour
    EXPECT_EQ(target.GetPixel(1, 1), Sentinel);        // no child there

    // An empty clip: nothing drawn, the container hears it was not fully painted.
    container->SkinData->CacheIncomplete = false;
    target.Fill(Sentinel);
    IntersectClipRect(dc.Handle(), 0, 0, 0, 0);
    PaintGraphicChildren(dc.Handle(), container, POINT{0, 0});
    EXPECT_TRUE(container->SkinData->CacheIncomplete);
    EXPECT_EQ(target.GetPixel(3, 3), Sentinel);
}

TEST_F(SkinPaintingTest, TheWindowCopyLeavesOutChildWindowsAndOnlyTheFrameOfAGroupBox) {
    AddSection("GROUPBOX");
    AddFramedBorder("GROUPBOX"); // left, right and bottom widths 1
    auto* container = Host(form_, "container", 51);
    container->SetBounds(0, 0, 20, 20);
    form_->Show();
    const HWND window = container->Handle();
    container->SkinData->SizeCacheBitmap();
    Paint(*container->SkinData->CacheBitmap);
    const HWND group = CreateWindowEx(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 2, 2, 8,
                                      8, window, nullptr, nullptr, nullptr);
    const HWND button = CreateWindowEx(0, "Button", "", WS_CHILD | WS_VISIBLE, 12, 12, 4, 4, window,
                                       nullptr, nullptr, nullptr);
    ASSERT_TRUE(group && button);

    Bitmap target(20, 20, 24);
    target.Fill(Sentinel);
    TsBitmapDC dc(target);
    CopyCacheToDC(window, *container->SkinData, POINT{0, 0}, 0, 0, false, dc.Handle(),
                  RECT{0, 0, 20, 20});
    EXPECT_EQ(target.GetPixel(0, 0), Picture(0, 0));
    EXPECT_EQ(target.GetPixel(13, 13), Sentinel); // a child window
    EXPECT_EQ(target.GetPixel(2, 5), Sentinel);   // the group box's left frame
    EXPECT_EQ(target.GetPixel(9, 5), Sentinel);   // right
    EXPECT_EQ(target.GetPixel(5, 9), Sentinel);   // bottom
    EXPECT_EQ(target.GetPixel(5, 5), Picture(5, 5));
    // The box reports no caption band, so its top row shows the cache.
    EXPECT_EQ(target.GetPixel(5, 2), Picture(5, 2));
    DestroyWindow(group);
    DestroyWindow(button);
}
