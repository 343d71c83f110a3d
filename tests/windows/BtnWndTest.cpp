// The button wrappers: the state a button is drawn in, and its cache for a state worked out
// from a border image whose frames are single colours.
#include "platform/controls/Button.h"
#include "windows/AdapterTestFixture.h"
#include "windows/qvBitBtnWnd.h"

namespace {

class BtnWndTest : public AdapterTest {
  protected:
    static constexpr TColor kNormal = 0x101010, kHot = 0x202080, kPushed = 0x208020;

    // "BUTTON" with a 3-frame border (margins 2) of the given frame colours, font white.
    void AddButtonSection(TColor hot, TColor pushed) {
        TsGeneralData& gd = AddPlainSection("BUTTON", kNormal);
        gd.FontColor[0] = gd.HotFontColor[0] = 0xFFFFFF;
        AddBorder("BUTTON", "BORDERSMASK", 0, 16, 8, 2, kNormal, {}, 3);
        Bitmap& m = *manager_->MasterBitmap;
        for (int y = 16; y < 24; ++y)
            for (int x = 0; x < 8; ++x) {
                m.SetPixel(8 + x, y, hot);
                m.SetPixel(16 + x, y, pushed);
            }
        manager_->SkinData.BorderColor = int32_t(KeyColor);
    }
    TBitBtn* WrappedButton(const std::string& caption, RECT bounds = {20, 20, 80, 44}) {
        auto* b = Put<TBitBtn>(form_, "BitBtn1", bounds);
        b->SetCaption(caption);
        ProvideAndWrap();
        return b;
    }
    static TqvBtnWnd& Wrapper(TBitBtn* b) { return *dynamic_cast<TqvBtnWnd*>(WrapperOf(b)); }
    static TColor CachePixelOf(TBitBtn* b, int x, int y) {
        return TColor(Wrapper(b).SkinData->CacheBitmap->GetPixel(x, y) & 0xFFFFFF);
    }
};

TEST_F(BtnWndTest, StateFollowsPushFocusDefaultAndEnabling) {
    AddButtonSection(kHot, kPushed);
    TBitBtn* b = WrappedButton("OK");
    TqvBtnWnd& w = Wrapper(b);
    SetFocus(form_->Handle());
    EXPECT_EQ(w.ButtonState(), 0);
    SetFocus(b->Handle());
    EXPECT_EQ(w.ButtonState(), 1);
    SetFocus(form_->Handle());
    b->SetDefault(true);
    EXPECT_EQ(w.ButtonState(), 1);
    SendMessage(b->Handle(), BM_SETSTATE, 1, 0);
    EXPECT_EQ(w.ButtonState(), 2);
    SendMessage(b->Handle(), BM_SETSTATE, 0, 0);
    EnableWindow(b->Handle(), false);
    EXPECT_EQ(w.ButtonState(), 0);
}

TEST_F(BtnWndTest, APushedButtonIsDrawnFromTheThirdFrame) {
    AddButtonSection(kHot, kPushed);
    TBitBtn* b = WrappedButton("");
    SetFocus(form_->Handle());
    SendMessage(b->Handle(), BM_SETSTATE, 1, 0);
    Wrapper(b).UpdateCache();
    // No caption: the whole 60 x 24 cache is the pushed frame's colour.
    for (const POINT p : {POINT{0, 0}, POINT{59, 0}, POINT{0, 23}, POINT{59, 23}, POINT{30, 12}})
        EXPECT_EQ(CachePixelOf(b, p.x, p.y), kPushed) << p.x << "," << p.y;
    SendMessage(b->Handle(), BM_SETSTATE, 0, 0);
    Wrapper(b).UpdateCache();
    EXPECT_EQ(CachePixelOf(b, 30, 12), kNormal);
    // On the screen the window shows its cache.
    EXPECT_EQ(ScreenPixel(b, 30, 12), kNormal);
}

TEST_F(BtnWndTest, APushedCaptionMovesOnePixelRightAndDown) {
    // Hot and pushed frames alike, so that only the caption's place differs.
    AddButtonSection(kHot, kHot);
    TBitBtn* b = WrappedButton("Exit");
    SetFocus(form_->Handle());
    b->SetDefault(true); // state 1
    Wrapper(b).UpdateCache();
    const Bitmap hot = *Wrapper(b).SkinData->CacheBitmap;
    SendMessage(b->Handle(), BM_SETSTATE, 1, 0);
    Wrapper(b).UpdateCache();
    const Bitmap& pushed = *Wrapper(b).SkinData->CacheBitmap;
    int textPixels = 0;
    for (int y = 0; y + 1 < 24; ++y)
        for (int x = 0; x + 1 < 60; ++x) {
            const bool inHot = (hot.GetPixel(x, y) & 0xFFFFFF) != kHot;
            const bool inPushed = (pushed.GetPixel(x + 1, y + 1) & 0xFFFFFF) != kHot;
            textPixels += inHot;
            ASSERT_EQ(inHot, inPushed) << x << "," << y;
        }
    EXPECT_GT(textPixels, 0);
}

TEST_F(BtnWndTest, TheGlyphIsCentredAndTakesThePushedFrame) {
    AddButtonSection(kHot, kHot);
    constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kKey = 0x00FF00;
    Bitmap glyph(16, 8, 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) glyph.SetPixel(x, y, x < 8 ? kRed : kBlue);
    glyph.SetPixel(0, 0, kKey);                                 // the transparent colour
    auto* b = Put<TBitBtn>(form_, "BitBtn1", {20, 20, 60, 44}); // 40 x 24
    b->SetGlyph(glyph);
    b->SetNumGlyphs(2);
    ProvideAndWrap();
    SetFocus(form_->Handle());
    Wrapper(b).UpdateCache();
    // Frame 0 at ((40 - 8) / 2, (24 - 8) / 2) = (16, 8); its key pixel shows the background.
    EXPECT_EQ(CachePixelOf(b, 16, 8), kNormal);
    EXPECT_EQ(CachePixelOf(b, 17, 8), kRed);
    EXPECT_EQ(CachePixelOf(b, 23, 15), kRed);
    EXPECT_EQ(CachePixelOf(b, 24, 15), kNormal);
    // Pushed: frame min(2, 4) - 1 = 1, moved to (17, 9); only the key colour is transparent.
    SendMessage(b->Handle(), BM_SETSTATE, 1, 0);
    Wrapper(b).UpdateCache();
    EXPECT_EQ(CachePixelOf(b, 16, 8), kHot);
    EXPECT_EQ(CachePixelOf(b, 17, 9), kBlue);
    EXPECT_EQ(CachePixelOf(b, 24, 16), kBlue);
    EXPECT_EQ(CachePixelOf(b, 25, 16), kHot);
}

TEST(BitBtnGlyphFrame, FrameByState) {
    struct Case {
        int NumGlyphs;
        bool Enabled, Pushed;
        int Frame;
    };
    const Case cases[] = {{4, true, false, 0}, {4, true, true, 3},   {2, true, true, 1},
                          {1, true, true, 0},  {4, false, false, 0}, {3, false, true, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(TqvBitBtnWnd::GlyphFrame(c.NumGlyphs, c.Enabled, c.Pushed), c.Frame)
            << c.NumGlyphs << " " << c.Enabled << " " << c.Pushed;
}

} // namespace
