#include "PanelTestFixture.h"
#include "controls/sPanel.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "toolkit/Canvas.h"

namespace {

constexpr TColor Face = RGB(40, 80, 120);
constexpr TColor Edge = RGB(200, 10, 10);
constexpr TColor Ink = RGB(0, 250, 0);
constexpr TColor Sentinel = RGB(1, 2, 3);

// The bounding box of the pixels of one colour; empty when there are none.
RECT PixelsOf(const Bitmap& b, TColor color) {
    RECT box{b.Width(), b.Height(), -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) == uint32_t(color)) {
                box.left = std::min(box.left, int(x));
                box.top = std::min(box.top, int(y));
                box.right = std::max(box.right, int(x) + 1);
                box.bottom = std::max(box.bottom, int(y) + 1);
            }
    return box.right < 0 ? RECT{} : box;
}

} // namespace

class SkinnedPanelTest : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        AddSection("GLOBALINFO");
        TsGeneralData& panel = AddSection("PANEL", Face);
        panel.FontColor = {Ink, -1, -1, -1, -1};
        AddSolidBorder("PANEL", 0, {Edge});
        form_->HandleNeeded();
    }
    TsPanel* MakePanel(int w, int h) {
        auto* p = form_->Make<TsPanel>();
        p->SetParent(form_);
        p->SetBounds(10, 10, w, h);
        p->SetBevelOuter(bvNone);
        p->HandleNeeded();
        return p;
    }
    // The panel printed into a fresh bitmap: the cache as the screen gets it.
    static void Print(TsPanel* p, PaintTarget& t) { p->Perform(WM_PRINT, WPARAM(t.Handle()), 0); }
};

TEST_F(SkinnedPanelTest, TakesTheDefaultSectionAndIsSkinned) {
    TsPanel* p = MakePanel(30, 20);
    EXPECT_STREQ(p->ClassName(), "TsPanel");
    EXPECT_EQ(p->SkinData->SkinSection(), "PANEL");
    EXPECT_EQ(p->SkinData->SectionIndex, 1);
    EXPECT_TRUE(p->ControlStyle() & csOpaque);
    EXPECT_TRUE(AskSkinCommand(p, scIsSkinned));
}

// Without a caption the cache is the section colour inside a one-pixel border of the edge
// colour (the border's centre is not filled, so the face shows through it).
TEST_F(SkinnedPanelTest, AnEmptyCaptionStillPaintsBackgroundAndBorder) {
    TsPanel* p = MakePanel(12, 8);
    PaintTarget t(12, 8, Sentinel);
    Print(p, t);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool edge = x == 0 || y == 0 || x == 11 || y == 7;
            ASSERT_EQ(t.Pixels.GetPixel(x, y), edge ? Edge : Face) << x << "," << y;
        }
    EXPECT_FALSE(p->SkinData->CacheInvalid);
}

// The caption sits in the client shrunk by BorderWidth plus BevelWidth for each bevel that is
// not bvNone, in a band one text height tall centred vertically: top = (t + b - H) div 2.
TEST_F(SkinnedPanelTest, TheCaptionBoxShrinksByBorderAndEachBevel) {
    struct Case {
        TBevelCut Outer, Inner;
        int BevelWidth, BorderWidth;
        int Inset;
    };
    const Case cases[] = {
        {bvNone, bvNone, 3, 0, 0},    {bvRaised, bvNone, 3, 0, 3}, {bvRaised, bvLowered, 3, 0, 6},
        {bvNone, bvLowered, 2, 4, 6}, {bvNone, bvNone, 5, 4, 4},
    };
    constexpr int W = 80, H = 40;
    int baseLeft = -1;
    for (const Case& k : cases) {
        TsPanel* p = MakePanel(W, H);
        p->SetAlignment(taLeftJustify);
        p->SetBevelOuter(k.Outer);
        p->SetBevelInner(k.Inner);
        p->SetBevelWidth(k.BevelWidth);
        p->SetBorderWidth(k.BorderWidth);
        p->SetCaption("Wg");
        PaintTarget t(W, H, Sentinel);
        Print(p, t);
        const RECT ink = PixelsOf(t.Pixels, Ink);
        ASSERT_GT(ink.right, 0) << "inset " << k.Inset;
        // No bevel is drawn: outside the border only face and caption pixels.
        EXPECT_EQ(t.Pixels.GetPixel(1, 1), Face);
        PaintTarget measure(4, 4, 0);
        TCanvas canvas(measure.Handle());
        canvas.Font = p->Font();
        const int textHeight = canvas.TextHeight("W");
        const int top = (k.Inset + (H - k.Inset) - textHeight) / 2;
        EXPECT_GE(ink.top, top) << "inset " << k.Inset;
        EXPECT_LE(ink.bottom, top + textHeight) << "inset " << k.Inset;
        if (baseLeft < 0) baseLeft = ink.left; // the glyph's own bearing, same every time
        EXPECT_EQ(ink.left - baseLeft, k.Inset);
        p->SetParent(nullptr);
    }
}

TEST_F(SkinnedPanelTest, ACaptionSetLaterRebuildsAndAnAmpersandIsPrinted) {
    TsPanel* p = MakePanel(60, 20);
    p->SetAlignment(taLeftJustify);
    PaintTarget before(60, 20, Sentinel);
    Print(p, before);
    EXPECT_EQ(PixelsOf(before.Pixels, Ink).right, 0);
    p->SetCaption("W");
    EXPECT_TRUE(p->SkinData->CacheInvalid);
    PaintTarget plain(60, 20, Sentinel);
    Print(p, plain);
    const RECT w = PixelsOf(plain.Pixels, Ink);
    ASSERT_GT(w.right, 0);
    // "&W" as an accelerator would show an underlined W of the same extent; printed, the
    // ampersand comes first and the ink reaches further right.
    p->SetCaption("&W");
    PaintTarget amp(60, 20, Sentinel);
    Print(p, amp);
    EXPECT_GT(PixelsOf(amp.Pixels, Ink).right, w.right);
}

// Only a look that needs the parent's picture remembers a clipped paint and rebuilds.
TEST_F(SkinnedPanelTest, APartlyCoveredPaintIsRebuiltOnlyWhenTheParentShowsThrough) {
    TsGeneralData& shaded = AddSection("SHADED", RGB(9, 9, 9));
    shaded.GradientPercent = 100;
    manager_->SectionsData[1].Transparency = 50; // PANEL
    auto* parent = Host(form_, "parent", 51, "SHADED");
    parent->SetBounds(0, 0, 60, 60);
    parent->HandleNeeded();
    parent->SkinData->CacheInvalid = false; // a parent that is painted and ready
    parent->SkinData->UpdateLock = false;
    struct Case {
        bool SeeThrough;
        bool Clipped;
        bool Incomplete;
    };
    const Case cases[] = {
        {true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const Case& k : cases) {
        manager_->SectionsData[1].Transparency = k.SeeThrough ? 50 : 0;
        auto* p = parent->Make<TsPanel>();
        p->SetParent(parent);
        p->SetBounds(5, 5, 20, 10);
        p->HandleNeeded();
        p->SkinData->UpdateLock = false;
        PaintTarget t(20, 10, Sentinel);
        if (k.Clipped) IntersectClipRect(t.Handle(), 0, 0, 10, 10);
        p->PresentCache(t.Handle(), false);
        EXPECT_EQ(p->SkinData->CacheIncomplete, k.Incomplete)
            << "see-through " << k.SeeThrough << " clipped " << k.Clipped;
        p->SetParent(nullptr);
    }
}

TEST_F(SkinnedPanelTest, ARepaintRequestWhileNotUpdatingLeavesTheLockAlone) {
    TsPanel* p = MakePanel(20, 10);
    p->SkinData->UpdateLock = false;
    SendSkinCommand(p, SkinCommandWParam(scRepaintNow), 0);
    EXPECT_FALSE(p->SkinData->UpdateLock);
    p->SkinData->UpdateLock = true;
    SendSkinCommand(p, SkinCommandWParam(scRepaintNow), 0);
    EXPECT_FALSE(p->SkinData->UpdateLock);
}

TEST_F(SkinnedPanelTest, AfterTheSkinGoesItPaintsAsAPlainPanel) {
    TsPanel* p = MakePanel(20, 10);
    SendSkinCommand(p, SkinCommandWParam(scRemoveSkin), LPARAM(manager_.get()));
    EXPECT_EQ(p->SkinData->SectionIndex, -1);
    p->SetColor(RGB(7, 70, 170));
    PaintTarget t(20, 10, Sentinel);
    p->Perform(WM_ERASEBKGND, WPARAM(t.Handle()), 0);
    EXPECT_EQ(t.Pixels.GetPixel(5, 5), RGB(7, 70, 170));
    SendSkinCommand(p, SkinCommandWParam(scRefresh), LPARAM(manager_.get()));
    p->SkinData->RefreshSkinIndexes();
    EXPECT_EQ(p->SkinData->SectionIndex, 1);
}

// Unskinned, a paint handler replaces the plain painting: no erasing, and a print request
// is drawn through the handler.
TEST_F(PanelTest, AnUnskinnedPanelWithAHandlerPaintsOnlyThroughIt) {
    form_->HandleNeeded();
    auto* p = form_->Make<TsPanel>();
    p->SetParent(form_);
    p->SetBounds(0, 0, 10, 10);
    p->HandleNeeded();
    ASSERT_FALSE(p->SkinData->SkinActive());
    int calls = 0;
    p->OnPaint = [&](TComponent* sender, TCanvas& canvas) {
        EXPECT_EQ(sender, p);
        ++calls;
        canvas.Brush.Color = RGB(0, 0, 255);
        canvas.FillRect(RECT{0, 0, 2, 2});
    };
    PaintTarget t(10, 10, Sentinel);
    p->Perform(WM_ERASEBKGND, WPARAM(t.Handle()), 0);
    EXPECT_EQ(t.Pixels.GetPixel(5, 5), Sentinel);
    p->Perform(WM_PRINT, WPARAM(t.Handle()), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t.Pixels.GetPixel(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(t.Pixels.GetPixel(5, 5), Sentinel);
}

// Loads, removals and refreshes reach every child exactly once, whichever manager sends
// them; only the panel's own manager changes the panel.
TEST_F(SkinnedPanelTest, SkinChangesReachTheChildrenOnce) {
    TsPanel* p = MakePanel(30, 20);
    Host<SkinnedGraphic>(p, "child", 0, "PANEL");
    TsSkinManager other(nullptr);
    struct Case {
        unsigned Code;
        bool Ours;
        const char* Heard;
        int SectionAfter;
    };
    const Case cases[] = {
        {scRefresh, false, "child:3", 1},    {scRefresh, true, "child:3", 1},
        {scSkinLoaded, true, "child:1", 1},  {scRemoveSkin, false, "child:2", 1},
        {scRemoveSkin, true, "child:2", -1},
    };
    for (const Case& k : cases) {
        log_.Entries.clear();
        const LPARAM manager = k.Ours ? LPARAM(manager_.get()) : LPARAM(&other);
        SendSkinCommand(p, SkinCommandWParam(k.Code), manager);
        EXPECT_EQ(log_.Entries, std::vector<std::string>{k.Heard}) << k.Code << " ours " << k.Ours;
        EXPECT_EQ(p->SkinData->SectionIndex, k.SectionAfter) << k.Code << " ours " << k.Ours;
    }
}

// Skinned, the handler draws on the cache, over the composed look, once per rebuild.
TEST_F(SkinnedPanelTest, APaintHandlerDrawsOnTheCache) {
    TsPanel* p = MakePanel(12, 8);
    int calls = 0;
    p->OnPaint = [&](TComponent*, TCanvas& canvas) {
        ++calls;
        canvas.Brush.Color = RGB(0, 0, 255);
        canvas.FillRect(RECT{4, 4, 5, 5});
    };
    PaintTarget t(12, 8, Sentinel);
    Print(p, t);
    EXPECT_EQ(t.Pixels.GetPixel(4, 4), uint32_t(RGB(0, 0, 255)));
    EXPECT_EQ(t.Pixels.GetPixel(3, 3), uint32_t(Face));
    const int composed = calls;
    EXPECT_GE(composed, 1);
    PaintTarget again(12, 8, Sentinel);
    p->PresentCache(again.Handle(), false);
    EXPECT_EQ(calls, composed); // the cache was still valid and complete
    EXPECT_EQ(again.Pixels.GetPixel(4, 4), uint32_t(RGB(0, 0, 255)));
}
