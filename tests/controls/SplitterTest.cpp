#include "PanelTestFixture.h"
#include "controls/sSplitter.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "toolkit/Application.h"

namespace {

// Border frames by state: normal, hot, pressed; each with its own centre colour (the
// splitter fills the centre).
constexpr TColor Edge[3] = {RGB(10, 0, 0), RGB(0, 10, 0), RGB(0, 0, 10)};
constexpr TColor Middle[3] = {RGB(100, 0, 0), RGB(0, 100, 0), RGB(0, 0, 100)};

} // namespace

class SkinnedSplitterTest : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        AddSection("GLOBALINFO");
        AddSection("SPLITTER", RGB(50, 50, 50)).HotColor = RGB(150, 150, 150);
        Bitmap& m = *manager_->MasterBitmap;
        for (int f = 0; f < 3; ++f)
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x)
                    m.SetPixel(3 * f + x, y, (x == 1 && y == 1) ? Middle[f] : Edge[f]);
        const int i = AddImage("SPLITTER", "BORDERSMASK", {0, 0, 9, 3}, 3, 0);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = 1;
        form_->HandleNeeded();
    }
    TsSplitter* MakeSplitter() {
        auto* s = form_->Make<TsSplitter>();
        s->SetParent(form_);
        s->SetAlign(alNone);
        s->SetBounds(40, 10, 6, 20);
        return s;
    }
    // The look the splitter paints now, told by the frame its pixels come from; -1: none.
    static int LookOf(TsSplitter* s) {
        PaintTarget t(6, 20, RGB(1, 2, 3));
        s->Perform(WM_PAINT, WPARAM(t.Handle()), 0);
        for (int f = 0; f < 3; ++f)
            if (t.Pixels.GetPixel(0, 0) == uint32_t(Edge[f]) &&
                t.Pixels.GetPixel(3, 10) == uint32_t(Middle[f]))
                return f;
        return -1;
    }
    static void Mouse(TsSplitter* s, UINT msg) {
        s->Perform(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(2, 2));
    }
    static void Hover(TsSplitter* s, bool over) {
        s->Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, LPARAM(s));
    }
};

TEST_F(SkinnedSplitterTest, ANewSplitterIsSixPixelsWideAndSkinned) {
    auto* s = form_->Make<TsSplitter>();
    EXPECT_EQ(s->Width(), 6);
    EXPECT_STREQ(s->ClassName(), "TsSplitter");
    EXPECT_EQ(s->SkinData->SkinSection(), "SPLITTER");
    EXPECT_EQ(s->ControlStyle(), unsigned(csAcceptsControls | csCaptureMouse | csClickEvents |
                                          csOpaque | csDoubleClicks));
    s->SetParent(form_);
    EXPECT_TRUE(AskSkinCommand(s, scIsSkinned));
    EXPECT_EQ(s->SkinData->CacheBitmap, nullptr);
}

// Hot while the mouse is over it; pressed from mouse down to mouse up only with live
// resizing; a disabled splitter stays normal whatever the mouse does.
TEST_F(SkinnedSplitterTest, TheLookFollowsTheMouse) {
    struct Case {
        bool Enabled;
        TResizeStyle Style;
        int Idle, Over, Pressed, Released, Left;
    };
    const Case cases[] = {
        {true, rsUpdate, 0, 1, 2, 1, 0},
        {true, rsPattern, 0, 1, 1, 1, 0},
        {false, rsUpdate, 0, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        TsSplitter* s = MakeSplitter();
        s->SetResizeStyle(k.Style);
        s->SetEnabled(k.Enabled);
        const char* what = k.Enabled ? (k.Style == rsUpdate ? "live" : "pattern") : "disabled";
        EXPECT_EQ(LookOf(s), k.Idle) << what;
        Hover(s, true);
        EXPECT_EQ(LookOf(s), k.Over) << what;
        Mouse(s, WM_LBUTTONDOWN);
        EXPECT_EQ(LookOf(s), k.Pressed) << what;
        Mouse(s, WM_LBUTTONUP);
        EXPECT_EQ(LookOf(s), k.Released) << what;
        Hover(s, false);
        EXPECT_EQ(LookOf(s), k.Left) << what;
        EXPECT_EQ(s->SkinData->CacheBitmap, nullptr); // no cache kept between paints
        s->SetParent(nullptr);
    }
}

TEST_F(SkinnedSplitterTest, APressSuppressesHintsUntilTheRelease) {
    TsSplitter* s = MakeSplitter();
    Application->SetShowHint(true);
    Mouse(s, WM_LBUTTONDOWN);
    EXPECT_FALSE(Application->ShowHint());
    Mouse(s, WM_LBUTTONUP);
    EXPECT_TRUE(Application->ShowHint());
}

TEST_F(SkinnedSplitterTest, WithoutTheSkinItPaintsAsAPlainSplitter) {
    TsSplitter* s = MakeSplitter();
    s->SetColor(RGB(7, 70, 170));
    SendSkinCommand(s, SkinCommandWParam(scRemoveSkin), LPARAM(manager_.get()));
    EXPECT_EQ(s->SkinData->SectionIndex, -1);
    PaintTarget t(6, 20, RGB(1, 2, 3));
    s->Perform(WM_PAINT, WPARAM(t.Handle()), 0);
    EXPECT_EQ(t.Pixels.GetPixel(0, 0), uint32_t(RGB(7, 70, 170)));
}
