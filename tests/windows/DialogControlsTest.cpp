// The dialog control wrappers on real child windows of a skinned dialog face.
#include <cmath>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Static.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "windows/DialogControlsTestFixture.h"
#include "windows/qvCheckBoxWnd.h"
#include "windows/qvComboBoxWnd.h"
#include "windows/qvGroupBoxWnd.h"
#include "windows/qvIconWnd.h"
#include "windows/qvLinkWnd.h"
#include "windows/qvSizerWnd.h"
#include "windows/qvSpinWnd.h"
#include "windows/qvStaticWnd.h"
#include "windows/qvTransPanelWnd.h"

namespace {

constexpr TColor kFace = RGB(200, 190, 180);
constexpr TColor kHotFace = RGB(120, 110, 100);
constexpr TColor kMark[3] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0)};

} // namespace

class DialogWrapperTest : public DialogControlsTest {
  protected:
    void SetUp() override {
        DialogControlsTest::SetUp();
        AddSection("DIALOGFACE");
        AddSection("CHECKBOX", kFace).HotColor = kHotFace;
        AddSection("GLOBALINFO");
        AddSolidImage("GLOBALINFO", "BOXCHECKED", 0, 0, 10, 10, {kMark[0], kMark[1], kMark[2]});
        ShowDialog();
    }
    const Bitmap& CacheOf(const TqvMainWnd& w) const { return *w.SkinData->CacheBitmap; }
};

TEST_F(DialogWrapperTest, AMessageTextStaticKeepsItsOwnDrawingInTheMiddle) {
    // A black rectangle static: its own drawing shows wherever the skin leaves it.
    HWND kept = Child("Static", "", SS_BLACKRECT, {20, 30, 172, 79});
    HWND plain = Child("Static", "", SS_BLACKRECT, {20, 90, 170, 139});
    auto keptWrapper = Wrap<TqvStaticWnd>(kept, "CHECKBOX");
    auto plainWrapper = Wrap<TqvStaticWnd>(plain, "CHECKBOX");
    RedrawWindow(dialog_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const TColor own = TColor(GetSysColor(COLOR_WINDOWFRAME) & 0xFFFFFF);
    ASSERT_NE(own, kFace);
    // 152 x 49: (30, 6, 120, 41) of the window is its own.
    struct Case {
        int X, Y;
        TColor Want;
    };
    const Case cases[] = {{0, 0, kFace},  {29, 6, kFace},   {30, 5, kFace},   {30, 6, own},
                          {119, 40, own}, {120, 40, kFace}, {119, 41, kFace}, {151, 48, kFace}};
    for (const Case& k : cases)
        EXPECT_EQ(ScreenPixel(20 + k.X, 30 + k.Y), k.Want) << k.X << "," << k.Y;
    // Any other size is all skin.
    EXPECT_EQ(ScreenPixel(20 + 60, 90 + 20), kFace);
    EXPECT_EQ(CacheOf(*plainWrapper).Width(), 150);
}

TEST_F(DialogWrapperTest, ALinkPaintsItselfAndAStaticTakesNewText) {
    HWND link = Child("Static", "", SS_BLACKRECT, {20, 30, 60, 50});
    HWND text = Child("Static", "old", 0, {20, 60, 120, 80});
    auto linkWrapper = Wrap<TqvLinkWnd>(link, "CHECKBOX");
    auto textWrapper = Wrap<TqvStaticWnd>(text, "CHECKBOX");
    RedrawWindow(dialog_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(20 + 20, 30 + 10), TColor(GetSysColor(COLOR_WINDOWFRAME) & 0xFFFFFF));
    EXPECT_EQ(textWrapper->CaptionText, "old");
    SetWindowText(text, "new");
    EXPECT_EQ(textWrapper->CaptionText, "new");
    EXPECT_FALSE(textWrapper->SkinData->CacheInvalid);
    EXPECT_EQ(ScreenPixel(20 + 99, 60 + 19), kFace);
}

TEST_F(DialogWrapperTest, WithoutASkinAWrappedStaticPaintsItself) {
    HWND text = Child("Static", "", SS_GRAYRECT, {20, 30, 60, 50});
    auto wrapper = Wrap<TqvStaticWnd>(text, "CHECKBOX");
    manager_->SkinData.Loaded = false;
    RedrawWindow(text, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(20 + 20, 30 + 10), TColor(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF));
}

TEST_F(DialogWrapperTest, ANestedPanelPaintsItsBackgroundAroundItsChildren) {
    HWND panel = Child("#32770", "", 0, {10, 10, 110, 70});
    HWND inner = CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, 20, 20, 30,
                                20, panel, nullptr, nullptr, nullptr);
    auto wrapper = Wrap<TqvTransPanelWnd>(panel, "CHECKBOX");
    RedrawWindow(panel, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(10 + 5, 10 + 5), kFace);
    EXPECT_EQ(ScreenPixel(10 + 99, 10 + 59), kFace);
    EXPECT_EQ(ScreenPixel(10 + 30, 10 + 30), TColor(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF));
    EXPECT_EQ(CacheOf(*wrapper).Width(), 100);
    DestroyWindow(inner);
}

TEST_F(DialogWrapperTest, AStaticIconShowsItsIconOverTheSkin) {
    Bitmap picture(8, 8, 24); // 24 bits: an opaque icon
    picture.Fill(RGB(255, 0, 0));
    HICON icon = CreateIconFromBitmap(picture);
    HWND window = Child("Static", "", SS_ICON, {10, 10, 42, 42});
    SendMessage(window, STM_SETICON, WPARAM(icon), 0);
    SetWindowPos(window, nullptr, 0, 0, 32, 32, SWP_NOMOVE | SWP_NOZORDER);
    auto wrapper = Wrap<TqvIconWnd>(window, "CHECKBOX");
    SendMessage(window, WM_PAINT, 0, 0);
    EXPECT_EQ(At(CacheOf(*wrapper), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(CacheOf(*wrapper), 7, 7), RGB(255, 0, 0));
    EXPECT_EQ(At(CacheOf(*wrapper), 8, 0), kFace);
    EXPECT_EQ(ScreenPixel(10 + 3, 10 + 3), RGB(255, 0, 0));
    wrapper.reset();
    DestroyWindow(window);
    DestroyIcon(icon);
}

TEST_F(DialogWrapperTest, ACheckBoxFollowsItsCheckFocusAndHover) {
    HWND window = Child("Button", "", BS_AUTOCHECKBOX, {30, 20, 110, 36});
    SendMessage(window, BM_SETCHECK, BST_CHECKED, 0);
    auto wrapper = Wrap<TqvCheckBoxWnd>(window, "CHECKBOX");
    SendMessage(window, WM_PAINT, 0, 0);
    // 80 x 16: the 10 x 10 mark at (0, 3).
    EXPECT_EQ(At(CacheOf(*wrapper), 0, 3), kMark[0]);
    EXPECT_EQ(At(CacheOf(*wrapper), 9, 12), kMark[0]);
    EXPECT_EQ(At(CacheOf(*wrapper), 10, 12), kFace);
    EXPECT_EQ(ScreenPixel(30 + 5, 20 + 5), kMark[0]);

    // The hit test makes it the hovered window: the hot frame.
    SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(35, 25));
    EXPECT_EQ(TqvMainWnd::HotWindow, window);
    EXPECT_EQ(ScreenPixel(30 + 5, 20 + 5), kMark[1]);

    // Pushed wins over hot.
    SendMessage(window, BM_SETSTATE, 1, 0);
    EXPECT_EQ(ScreenPixel(30 + 5, 20 + 5), kMark[2]);
    SendMessage(window, BM_SETSTATE, 0, 0);

    // Focused with a caption: the dotted frame starts at (10 + 2, 2).
    SetWindowText(window, " ");
    SetFocus(window);
    EXPECT_EQ(At(CacheOf(*wrapper), 12, 2), TColor(0));
    EXPECT_EQ(At(CacheOf(*wrapper), 11, 1), TColor(0xFFFFFF));
    SetFocus(nullptr);
    EXPECT_EQ(At(CacheOf(*wrapper), 12, 2), kFace);
}

TEST_F(DialogWrapperTest, ADisabledCheckBoxShowsSixtyPercentOfTheDialog) {
    HWND window = Child("Button", "", BS_AUTOCHECKBOX, {30, 20, 110, 36});
    auto wrapper = Wrap<TqvCheckBoxWnd>(window, "CHECKBOX");
    EnableWindow(window, false);
    SendMessage(window, WM_PAINT, 0, 0);
    auto blend = [](int s, int d) { return int(std::nearbyint(s - 0.4 * (s - d))); };
    for (POINT p : {POINT{0, 0}, POINT{5, 5}, POINT{79, 15}}) {
        const TColor s = DialogPixel(30 + p.x, 20 + p.y);
        const TColor want =
            RGB(blend(GetRValue(s), GetRValue(kFace)), blend(GetGValue(s), GetGValue(kFace)),
                blend(GetBValue(s), GetBValue(kFace)));
        EXPECT_EQ(At(CacheOf(*wrapper), p.x, p.y), want) << p.x << "," << p.y;
    }
}

TEST_F(DialogWrapperTest, AnUpDownPressedOnItsLowerHalf) {
    constexpr TColor kUp[3] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)};
    constexpr TColor kDown[3] = {RGB(11, 12, 13), RGB(14, 15, 16), RGB(17, 18, 19)};
    AddSection("SPEEDBUTTON_SMALL", kFace).HotColor = kHotFace;
    AddSection("SCROLLBTNTOP");
    AddSection("SCROLLBTNBOTTOM");
    AddSolidImage("SCROLLBTNTOP", "GLYPHMASK", 0, 20, 4, 3, {kUp[0], kUp[1], kUp[2]});
    AddSolidImage("SCROLLBTNBOTTOM", "GLYPHMASK", 0, 23, 4, 3, {kDown[0], kDown[1], kDown[2]});
    manager_->LookupCachedIndexes();
    HWND window = Child("msctls_updown32", "", 0, {60, 40, 76, 60});
    auto wrapper = Wrap<TqvSpinWnd>(window, "SPEEDBUTTON_SMALL");
    RECT r{};
    GetWindowRect(window, &r);
    const POINT lower{r.left + 8, r.top + 15};
    MouseMoveTo(lower);
    MouseDown(lower);
    ProcessPendingMessages();
    EXPECT_TRUE(wrapper->ButtonDown);
    EXPECT_EQ(wrapper->UpperState, 0);
    EXPECT_EQ(wrapper->LowerState, 2);
    // Halves (0, 0, 16, 10) and (0, 10, 16, 20); the arrows at (6, 3) and (6, 13).
    EXPECT_EQ(ScreenPixel(60 + 0, 40 + 0), kFace);
    EXPECT_EQ(ScreenPixel(60 + 6, 40 + 3), kUp[0]);
    EXPECT_EQ(ScreenPixel(60 + 0, 40 + 10), kHotFace);
    EXPECT_EQ(ScreenPixel(60 + 9, 40 + 15), kDown[2]);
    MouseUp(lower);
    ProcessPendingMessages();
    EXPECT_FALSE(wrapper->ButtonDown);
    EXPECT_EQ(wrapper->LowerState, 1);
    EXPECT_EQ(ScreenPixel(60 + 9, 40 + 15), kDown[1]);
}

TEST_F(DialogWrapperTest, ASizeGripResizesFromTheCornerAndClearsTheHover) {
    HWND other = Child("Button", "", BS_AUTOCHECKBOX, {30, 20, 110, 36});
    auto otherWrapper = Wrap<TqvCheckBoxWnd>(other, "CHECKBOX");
    SendMessage(other, WM_NCHITTEST, 0, 0);
    ASSERT_EQ(TqvMainWnd::HotWindow, other);
    HWND grip = Child("Static", "", 0, {220, 140, 236, 156});
    auto wrapper = Wrap<TqvSizerWnd>(grip, "CHECKBOX");
    EXPECT_EQ(SendMessage(grip, WM_NCHITTEST, 0, 0), LRESULT(HTBOTTOMRIGHT));
    EXPECT_EQ(TqvMainWnd::HotWindow, nullptr);
    SendMessage(grip, WM_PAINT, 0, 0);
    EXPECT_EQ(ScreenPixel(225, 145), kFace);
}

TEST_F(DialogWrapperTest, AComboBoxIsAFieldWithTheSkinsDownButton) {
    constexpr TColor kBorder = RGB(0, 0, 200), kButton = RGB(90, 80, 70),
                     kHotButton = RGB(70, 60, 50);
    constexpr TColor kDown[3] = {RGB(11, 12, 13), RGB(14, 15, 16), RGB(17, 18, 19)};
    manager_->SkinData.BorderColor = int32_t(kBorder);
    AddSection("COMBOBOX", kFace);
    AddSection("SCROLLBTNBOTTOM", kButton).HotColor = kHotButton;
    AddSolidImage("SCROLLBTNBOTTOM", "GLYPHMASK", 0, 23, 4, 3, {kDown[0], kDown[1], kDown[2]});
    manager_->LookupCachedIndexes();
    HWND combo = Child("ComboBox", "", CBS_DROPDOWNLIST, {20, 30, 140, 130});
    SendMessage(combo, CB_ADDSTRING, 0, LPARAM("PDF"));
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    TqvMainWnd::WrappingDialogChild = true; // as the dialog skinning makes it
    auto wrapper = Wrap<TqvComboBoxWnd>(combo, "COMBOBOX");
    TqvMainWnd::WrappingDialogChild = false;
    ASSERT_TRUE(wrapper->DialogMode);
    RECT r{};
    GetWindowRect(combo, &r);
    const int w = WidthOf(r), h = HeightOf(r);
    // The button: (w - 2 - A, 2, w - 2, h - 2), A the arrow width; its 4 x 3 arrow centred.
    const int a = GetSystemMetrics(SM_CXVSCROLL);
    const POINT button{20 + w - 2 - a, 30 + 2};
    const POINT arrow{button.x + (a - 4) / 2, button.y + (h - 4 - 3) / 2};
    const auto expectLook = [&](TColor face, TColor glyph, const char* when) {
        RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(ScreenPixel(20, 30), kBorder) << when;
        EXPECT_EQ(ScreenPixel(20 + w - 1, 30 + h - 1), kBorder) << when;
        EXPECT_EQ(ScreenPixel(21, 31), TColor(GetSysColor(COLOR_WINDOW))) << when;
        EXPECT_EQ(ScreenPixel(button.x, button.y), face) << when;
        EXPECT_EQ(ScreenPixel(arrow.x + 3, arrow.y + 2), glyph) << when;
        EXPECT_EQ(ScreenPixel(button.x - 1, button.y), TColor(GetSysColor(COLOR_WINDOW))) << when;
    };
    expectLook(kButton, kDown[0], "at rest");
    SendMessage(combo, WM_NCHITTEST, 0, 0);
    EXPECT_EQ(TqvMainWnd::HotWindow, combo);
    expectLook(kHotButton, kDown[1], "hot");
    SendMessage(combo, CB_SHOWDROPDOWN, 1, 0);
    ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    expectLook(kHotButton, kDown[2], "dropped");
    SendMessage(combo, CB_SHOWDROPDOWN, 0, 0);
    // Focused with its list closed, the field is highlighted inside a focus frame.
    SetFocus(combo);
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(20 + 4, 30 + 4), TColor(GetSysColor(COLOR_HIGHLIGHT)));
    // Let go, the box paints itself again.
    wrapper.reset();
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(ScreenPixel(20, 30), kBorder);
}

TEST_F(DialogWrapperTest, AComboBoxHeldBackByItsDialogPaintsOnTheRepaintCommand) {
    constexpr TColor kBorder = RGB(0, 0, 200);
    manager_->SkinData.BorderColor = int32_t(kBorder);
    AddSection("COMBOBOX", kFace);
    HWND combo = Child("ComboBox", "", CBS_DROPDOWNLIST, {20, 30, 140, 130});
    TqvMainWnd::WrappingDialogChild = true;
    auto wrapper = Wrap<TqvComboBoxWnd>(combo, "COMBOBOX");
    TqvMainWnd::WrappingDialogChild = false;
    dialog_->SkinData->CacheInvalid = true; // the dialog is not ready to be painted over
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(ScreenPixel(20, 30), kBorder);
    dialog_->SkinData->CacheInvalid = false;
    SendMessage(combo, SM_ORVENCMD, SkinCommandWParam(scRepaintNow), 0);
    ProcessPendingMessages();
    EXPECT_EQ(ScreenPixel(20, 30), kBorder);
}

class GroupBoxWrapperTest : public DialogWrapperTest {
  protected:
    static constexpr TColor kBorder = RGB(0, 0, 250);
    void SetUp() override {
        DialogWrapperTest::SetUp();
        AddSection("GROUPBOX", kFace);
        // One 6 x 6 frame with 2-pixel margins and a face-coloured centre.
        Bitmap& m = *manager_->MasterBitmap;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                m.SetPixel(40 + x, y, x >= 2 && x < 4 && y >= 2 && y < 4 ? kFace : kBorder);
        const int i = AddImage("GROUPBOX", "BORDERSMASK", {40, 0, 46, 6}, 1, 0);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = 2;
    }
    HWND GroupBox() { return Child("Button", "", BS_GROUPBOX, {20, 20, 120, 80}); }
};

TEST_F(GroupBoxWrapperTest, AToolkitGroupBoxIsPaintedEntirely) {
    HWND window = GroupBox();
    auto wrapper = Wrap<TqvGroupBoxWnd>(window, "GROUPBOX");
    const RECT band = wrapper->CaptionBand();
    const int half = HeightOf(band) / 2;
    EXPECT_EQ(SendSkinCommand(window, SkinCommandWParam(scGetCaptionHeight), 0), HeightOf(band));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // Above the body the dialog, then the border from half the band down, the face inside.
    EXPECT_EQ(ScreenPixel(20 + 50, 20 + half - 1), DialogPixel(20 + 50, 20 + half - 1));
    EXPECT_EQ(ScreenPixel(20 + 50, 20 + half), kBorder);
    EXPECT_EQ(ScreenPixel(20 + 0, 20 + 30), kBorder);
    EXPECT_EQ(ScreenPixel(20 + 50, 20 + 30), kFace);
    EXPECT_EQ(ScreenPixel(20 + 99, 20 + 59), kBorder);
}

TEST_F(GroupBoxWrapperTest, ADialogGroupBoxKeepsItsOwnInterior) {
    TqvMainWnd::WrappingDialogChild = true;
    HWND window = Child("Button", "Group", BS_GROUPBOX, {20, 20, 120, 80});
    auto wrapper = Wrap<TqvGroupBoxWnd>(window, "GROUPBOX");
    ASSERT_TRUE(wrapper->DialogMode);
    const int bandHeight = HeightOf(wrapper->CaptionBand());
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    // The window fills its own middle with the face colour; the skin keeps to the strips
    // (2 pixels at the left, right and bottom) and the band, even after the window painted.
    const TColor own = TColor(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
    ASSERT_NE(own, kFace);
    EXPECT_EQ(ScreenPixel(20 + 50, 20 + 30), own);
    EXPECT_EQ(ScreenPixel(20 + 2, 20 + bandHeight), own);
    EXPECT_EQ(ScreenPixel(20 + 97, 20 + 57), own);
    EXPECT_EQ(ScreenPixel(20 + 1, 20 + 30), kBorder);
    EXPECT_EQ(ScreenPixel(20 + 98, 20 + 30), kBorder);
    EXPECT_EQ(ScreenPixel(20 + 50, 20 + 58), kBorder);
    EXPECT_EQ(ScreenPixel(20 + 99, 20 + 0), DialogPixel(20 + 99, 20));
    // Outside a dialog the same box is all skin.
    TqvMainWnd::WrappingDialogChild = false;
    HWND plain = Child("Button", "Group", BS_GROUPBOX, {130, 20, 230, 80});
    auto plainWrapper = Wrap<TqvGroupBoxWnd>(plain, "GROUPBOX");
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(130 + 50, 20 + 30), kFace);
}
