// The skinned cool bar: its background from its cache, band headers with their grips from
// "GRIPH" or "PROGRESSV", and the tool bar in its band composed over the cool bar's cache.
#include "BarsTestFixture.h"
#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"

using namespace bars;

namespace {

constexpr TColor GripH = RGB(0, 120, 240);
constexpr TColor GripProgress = RGB(240, 120, 0);

class SkinnedCoolBarTest : public BarsTest {
  protected:
    void MakeBars(bool bandVisible = true) {
        form_->BeginLoading();
        cool_ = form_->Make<TsCoolBar>();
        cool_->SetName("cool");
        cool_->SetParent(form_);
        cool_->SetBounds(0, 0, 300, 41);
        tool_ = form_->Make<TsToolBar>();
        tool_->SetName("tool");
        tool_->SetButtonHeight(30);
        tool_->SetBounds(9, 0, 280, 37);
        tool_->SetParent(cool_);
        TCoolBand band;
        band.Control = tool_;
        band.MinHeight = 37;
        band.Visible = bandVisible;
        cool_->AddBand(band);
        form_->EndLoading();
        Show();
    }
    TsCoolBar* cool_ = nullptr;
    TsToolBar* tool_ = nullptr;
};

TEST_F(SkinnedCoolBarTest, GripComesFromGriphOrElseProgressv) {
    enum Grip { None, Own, Progress };
    struct Case {
        bool HasGriph, HasProgressv;
        Grip Expected;
    } const cases[] = {
        {true, true, Own}, {false, true, Progress}, {false, false, None}, {true, false, Own}};
    for (const Case& c : cases) {
        manager_->SectionsData.resize(4); // the fixture's own sections
        if (c.HasGriph) AddSection("GRIPH", GripH);
        if (c.HasProgressv) AddSection("PROGRESSV", GripProgress);
        MakeBars();
        const std::string name = c.Expected == Own        ? "GRIPH"
                                 : c.Expected == Progress ? "PROGRESSV"
                                                          : "";
        EXPECT_EQ(cool_->GripIndex(), name.empty() ? -1 : manager_->GetSectionIndex(name));
        if (!name.empty()) {
            EXPECT_EQ(cool_->GripName(), name);
        }

        // The header lies left of the tool bar, as wide as the grip (9); the grip is painted
        // into its first 7 columns, the last 2 show the cool bar's background.
        const RECT header = cool_->BandHeaderRect(0);
        EXPECT_EQ(header.left, tool_->Left() - 9);
        EXPECT_EQ(header.right, tool_->Left());
        const int y = (header.top + header.bottom) / 2;
        const TColor grip = c.Expected == Own        ? GripH
                            : c.Expected == Progress ? GripProgress
                                                     : BarColor;
        EXPECT_EQ(WindowPixel(cool_, header.left + 3, y), grip) << c.HasGriph << c.HasProgressv;
        EXPECT_EQ(WindowPixel(cool_, header.left + 8, y), BarColor);
        delete cool_;
        delete tool_;
    }
}

TEST_F(SkinnedCoolBarTest, BackgroundAndTheToolBarOverItAreSkinned) {
    MakeBars();
    EXPECT_STREQ(cool_->ClassName(), "TsCoolBar");
    EXPECT_EQ(cool_->SkinData->SkinSection(), "TOOLBAR");
    // The cool bar's border frame shows at its edges; its client area has no frame.
    EXPECT_EQ(WindowPixel(cool_, 150, 0), BarEdge);
    EXPECT_EQ(WindowPixel(cool_, 150, 40), BarEdge);
    EXPECT_EQ(WindowPixel(cool_, 5, 39), BarColor);
    // The tool bar's gap shows its own section's colour; its cache starts at (0, 2).
    EXPECT_EQ(WindowPixel(tool_, 200, 20), BarColor);
    ParentCacheAnswer = ParentCacheInfo{};
    SendSkinCommand(tool_, SkinCommandWParam(scGetCache), 0);
    EXPECT_TRUE(ParentCacheAnswer.Usable);
    EXPECT_EQ(ParentCacheAnswer.Y, 2);
    EXPECT_FALSE(AskSkinCommand(cool_, scIsNotReady));
    EXPECT_EQ(SendSkinCommand(cool_, SkinCommandWParam(scGetApplication), 0), LRESULT(Application));
}

TEST_F(SkinnedCoolBarTest, PrintingGivesTheBarWithItsBandControl) {
    AddSection("GRIPH", RGB(0, 120, 240));
    MakeBars();
    auto out = NewBitmap24(cool_->Width(), cool_->Height());
    out->Fill(RGB(1, 1, 1));
    {
        TsBitmapDC dc(*out);
        cool_->Perform(WM_PRINT, WPARAM(dc.Handle()), PRF_CLIENT | PRF_NONCLIENT);
    }
    const RECT header = cool_->BandHeaderRect(0);
    const int y = (header.top + header.bottom) / 2;
    struct Case {
        POINT At;
        TColor Expected;
    } const cases[] = {
        {{150, 0}, BarEdge},                      // the cool bar's border
        {{header.left + 3, y}, RGB(0, 120, 240)}, // the grip
        // The tool bar's frame row 0 and a gap of its client area, at its place.
        {{tool_->Left() + 200, tool_->Top()}, BarEdge},
        {{tool_->Left() + 200, tool_->Top() + 2 + 20}, BarColor},
    };
    for (const Case& c : cases)
        EXPECT_EQ(out->GetPixel(c.At.x, c.At.y) & 0xFFFFFF, c.Expected) << c.At.x << "," << c.At.y;
}

TEST_F(SkinnedCoolBarTest, TheCacheIsComposedOnceUntilItIsInvalid) {
    MakeBars();
    const RECT header = cool_->BandHeaderRect(0);
    const POINT at{header.left + 8, (header.top + header.bottom) / 2}; // beside the grip
    const POINT co = cool_->ClientOffset();
    const TColor marker = RGB(7, 77, 177);
    cool_->SkinData->CacheBitmap->SetPixel(at.x + co.x, at.y + co.y, marker);
    cool_->Invalidate();
    ProcessPendingMessages();
    EXPECT_EQ(WindowPixel(cool_, at.x + co.x, at.y + co.y), marker);
    cool_->SkinData->CacheInvalid = true;
    cool_->Invalidate();
    ProcessPendingMessages();
    EXPECT_EQ(WindowPixel(cool_, at.x + co.x, at.y + co.y), BarColor);
}

TEST_F(SkinnedCoolBarTest, ABandWithAHiddenControlHasNoHeader) {
    MakeBars(false);
    EXPECT_FALSE(tool_->Visible());
    EXPECT_TRUE(IsRectEmpty(cool_->BandHeaderRect(0)));
}

TEST_F(SkinnedCoolBarTest, WithoutTheSkinNoGripIsLookedUp) {
    AddSection("GRIPH", GripH);
    MakeBars();
    ASSERT_GE(cool_->GripIndex(), 0);
    SendSkinCommand(cool_, SkinCommandWParam(scRemoveSkin), LPARAM(manager_.get()));
    EXPECT_EQ(cool_->GripIndex(), -1);
    EXPECT_EQ(cool_->GripMaskIndex(), -1);
    EXPECT_EQ(cool_->GripTextureIndex(), -1);
    EXPECT_FALSE(bool(tool_->OnAdvancedCustomDraw)); // the command went on to the tool bar
}

} // namespace
