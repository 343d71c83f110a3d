// The form skinning component on live forms: the window procedure it takes over, the frame it
// composes from the skin and copies to the window, its answers to the skin commands, the
// region, the sizing rules and the way back to the plain frame.
#include <algorithm>
#include <gtest/gtest.h>

#include "ProviderTestFixture.h"
#include "paint/sBitmapDC.h"
#include "platform/gdi/Gdi.h"
#include "platform/menus/Menu.h"
#include "skin/sMessages.h"
#include "windows/qvProvider.h"
#include "windows/sMenuLineHost.h"

namespace {

constexpr TColor kFormColor = 0x604020;
constexpr TColor kBorderColor = 0xC00000;
constexpr TColor kTitleColor = 0x00A000;
constexpr TColor kTitleActive = 0x00E0E0;
constexpr TColor kBandColor = 0xC000C0;
constexpr TColor kMenuColor = 0x00C0C0;
constexpr TColor kItemColor = 0x0000F0;

bool Hooked(TForm* form) {
    return std::find(HookedForms.begin(), HookedForms.end(), form) != HookedForms.end();
}

LRESULT Command(TForm* form, unsigned code, unsigned low = 0, LPARAM lParam = 0) {
    return SendSkinCommand(form, SkinCommandWParam(code, low), lParam);
}

LRESULT HitTest(TForm* form, int x, int y) {
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    return SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

} // namespace

class SkinProviderTest : public ProviderTest {
  protected:
    // FORM: one colour with a one-pixel border of another; FORMTITLE: its own colour, another
    // one while the form is active.
    void AddFrameSkin() {
        AddPlainSection("FORM", kFormColor);
        AddBorder("FORM", "BORDERSMASK", 0, 0, 3, 1, kBorderColor);
        TsGeneralData& title = AddSection("FORMTITLE", kTitleColor);
        title.HotColor = kTitleActive;
    }
};

TEST_F(SkinProviderTest, TakesOverTheWindowProcedureAndGivesItBack) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSizeable, biSystemMenu | biMinimize | biMaximize);
    const HWND hwnd = form->Handle();
    const LONG_PTR plain = GetWindowLongPtr(hwnd, GWL_WNDPROC);
    {
        auto provider = std::make_unique<TsSkinProvider>(form);
        EXPECT_NE(GetWindowLongPtr(hwnd, GWL_WNDPROC), plain);
        EXPECT_TRUE(Hooked(form));
        EXPECT_EQ(Command(form, scGetProvider), LRESULT(static_cast<TComponent*>(provider.get())));
        EXPECT_EQ(TsMenuLineHost::OfForm(form), provider.get());
        EXPECT_EQ(Command(form, scIsSkinned), 1);

        // A second provider on the same form stays inert.
        auto second = std::make_unique<TsSkinProvider>(form);
        EXPECT_EQ(second->Form(), nullptr);
        EXPECT_EQ(TsSkinProvider::OfForm(form), provider.get());
        second.reset();
        EXPECT_EQ(Command(form, scGetProvider), LRESULT(static_cast<TComponent*>(provider.get())));
    }
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_WNDPROC), plain);
    EXPECT_FALSE(Hooked(form));
    EXPECT_EQ(Command(form, scIsSkinned), 0);
    EXPECT_EQ(HitTest(form, 150, 12), HTCAPTION);
}

// The main window's case: a fixed frame with only biMaximize shows no caption buttons, so the
// TITLEBAR band behind them is not painted; with biSystemMenu it is.
TEST_F(SkinProviderTest, FrameTitleAndClientComeFromTheSkin) {
    AddFrameSkin();
    AddBorder("FORM", "TITLEBAR", 20, 0, 9, 3, kBandColor, {}, 1);
    TForm* plain = ShownForm(bsSingle, biMaximize);
    TForm* framed = ShownForm(bsSingle, biSystemMenu | biMaximize);
    TsSkinProvider* p = Provide(plain);
    Provide(framed);
    ProcessPendingMessages();
    for (TForm* form : {plain, framed}) {
        SCOPED_TRACE(form == plain ? "biMaximize" : "biSystemMenu");
        const bool activeLook = TsSkinProvider::OfForm(form)->ShowsActive();
        const TColor expectedTitle = activeLook ? kTitleActive : kTitleColor;
        EXPECT_EQ(WindowPixel(form, 150, 199), kBorderColor); // the border's bottom row
        EXPECT_EQ(WindowPixel(form, 299, 100), kBorderColor); // its right column
        EXPECT_EQ(WindowPixel(form, 150, 1), expectedTitle);  // the title covers the border
        EXPECT_EQ(WindowPixel(form, 150, 21), expectedTitle); // down to caption + border
        EXPECT_EQ(WindowPixel(form, 150, 22), kFormColor);    // the client's first row
        EXPECT_EQ(WindowPixel(form, 150, 100), kFormColor);
        EXPECT_EQ(WindowPixel(form, 298, 5), form == framed ? kBandColor : expectedTitle);
    }
    // The cache holds the whole window.
    EXPECT_EQ(p->SkinData->CacheBitmap->Width(), 300);
    EXPECT_EQ(p->SkinData->CacheBitmap->Height(), 200);
}

TEST_F(SkinProviderTest, ActivationSwitchesTheTitleLook) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSingle, biMaximize);
    TsSkinProvider* p = Provide(form);
    SendMessage(form->Handle(), WM_NCACTIVATE, 0, 0);
    EXPECT_FALSE(p->ShowsActive());
    EXPECT_EQ(WindowPixel(form, 150, 1), kTitleColor);
    SendMessage(form->Handle(), WM_NCACTIVATE, 1, 0);
    EXPECT_TRUE(p->ShowsActive());
    EXPECT_EQ(WindowPixel(form, 150, 1), kTitleActive);
}

// Without a caption only the section's background layers are painted, never its border.
TEST_F(SkinProviderTest, FormWithoutCaptionGetsNoBorder) {
    AddFrameSkin();
    TForm* form = ShownForm(bsNone, 0, 200, 100);
    Provide(form);
    EXPECT_EQ(WindowPixel(form, 0, 0), kFormColor);
    EXPECT_EQ(WindowPixel(form, 199, 99), kFormColor);
    EXPECT_EQ(HitTest(form, 50, 5), HTCLIENT); // the form's own answer
}

TEST_F(SkinProviderTest, AnswersTheSkinCommands) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSingle, biMaximize);
    TsSkinProvider* p = Provide(form);

    // The cache as the children's parent background, at the client's place in the window.
    ParentCacheAnswer = ParentCacheInfo{};
    Command(form, scGetCache);
    EXPECT_EQ(ParentCacheAnswer.Bitmap, p->SkinData->CacheBitmap.get());
    EXPECT_EQ(ParentCacheAnswer.X, 3);
    EXPECT_EQ(ParentCacheAnswer.Y, 22);
    EXPECT_TRUE(ParentCacheAnswer.Usable);
    EXPECT_EQ(Command(form, scIsNotReady), 0);

    // Updating on: the cache is invalid until the next paint.
    Command(form, scSetUpdating, 1);
    EXPECT_TRUE(p->SkinData->UpdateLock);
    EXPECT_EQ(Command(form, scIsNotReady), 1);
    Command(form, scSetUpdating, 0);
    EXPECT_EQ(Command(form, scIsNotReady), 1);
    Command(form, scGetCache);
    EXPECT_EQ(Command(form, scIsNotReady), 0);

    EXPECT_EQ(Command(form, scHasImageBackground), 0);
    manager_->SectionsData[0].ImagePercent = 30;
    EXPECT_EQ(Command(form, scHasImageBackground), 1);

    ParentBgColor = KeyColor;
    Command(form, scGetBgColor);
    EXPECT_EQ(ParentBgColor, kFormColor);
    ParentBgColor = KeyColor;
    EXPECT_EQ(Command(form, scGetApplication), LRESULT(Application));
}

// Keyed corners of the border (a 9 x 9 frame with 3-pixel margins, top-left pixels (0,0),
// (1,0), (0,1) keyed) are cut out of the region, and the desktop shows through them. Removing
// the skin gives back the plain frame: the system menu style, no region, the system's own hit
// test, with the provider still chained in.
TEST_F(SkinProviderTest, RegionFromKeyedCornersAndTheWayBackToThePlainFrame) {
    AddPlainSection("FORM", kFormColor);
    AddBorder("FORM", "BORDERSMASK", 0, 0, 9, 3, kBorderColor, {{0, 0}, {1, 0}, {0, 1}});
    AddPlainSection("GLOBALINFO", 0x336699);
    TForm* form = ShownForm(bsSizeable, biSystemMenu | biMinimize | biMaximize);
    TForm* mainLike = ShownForm(bsSingle, biMaximize);
    const HWND hwnd = form->Handle();
    Provide(form);
    Provide(mainLike);
    const LONG_PTR chained = GetWindowLongPtr(hwnd, GWL_WNDPROC);
    EXPECT_FALSE(GetWindowLong(hwnd, GWL_STYLE) & WS_SYSMENU);
    EXPECT_EQ(form->Color(), TColor(0x336699));

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(hwnd, region), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_FALSE(PtInRegion(region, 0, 1));
    EXPECT_TRUE(PtInRegion(region, 2, 0));
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, 299, 0)); // the frame's right corner has no key pixels
    const Bitmap screen = Screenshot();
    const uint32_t desktop = screen.GetPixel(5, 5);
    EXPECT_EQ(screen.GetPixel(100, 50), desktop);
    EXPECT_EQ(screen.GetPixel(102, 50) & 0xFFFFFF, kBorderColor);

    manager_->StripSkinFromAll();
    ProcessPendingMessages();
    EXPECT_TRUE(GetWindowLong(hwnd, GWL_STYLE) & WS_SYSMENU);
    EXPECT_EQ(GetWindowRgn(hwnd, region), RGN_ERROR);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_WNDPROC), chained);
    EXPECT_EQ(form->Color(), SysColor(COLOR_BTNFACE));
    // The system's close button: caption (4, 4)..(296, 22), buttons 16 wide from x = 294.
    EXPECT_EQ(HitTest(form, 286, 12), HTCLOSE);
    EXPECT_NE(WindowPixel(form, 150, 100), kFormColor);
    // A form that never had the system menu does not get one.
    EXPECT_FALSE(GetWindowLong(mainLike->Handle(), GWL_STYLE) & WS_SYSMENU);
    DeleteObject(region);
}

// Moving the right edge to within 9 pixels of the work area's right edge puts it there; at 10
// pixels it stays.
TEST_F(SkinProviderTest, ScreenSnapPullsNearEdgesOnly) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSizeable, biSystemMenu);
    TsSkinProvider* p = Provide(form);
    p->ScreenSnap = true;
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const struct {
        int Gap, X;
    } cases[] = {
        {9, int(work.right) - 300}, {10, int(work.right) - 310}, {-9, int(work.right) - 300}};
    for (const auto& c : cases) {
        WINDOWPOS pos{form->Handle(), nullptr, int(work.right) - 300 - c.Gap, 400, 300, 200,
                      SWP_NOZORDER};
        SendMessage(form->Handle(), WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
        EXPECT_EQ(pos.x, c.X) << c.Gap;
        EXPECT_EQ(pos.y, 400);
    }
    // The top-left edges snap the same way.
    WINDOWPOS near{form->Handle(), nullptr, 7, 5, 300, 200, SWP_NOZORDER};
    SendMessage(form->Handle(), WM_WINDOWPOSCHANGING, 0, LPARAM(&near));
    EXPECT_EQ(near.x, 0);
    EXPECT_EQ(near.y, 0);
}

// The menu bar: the MENULINE band under the caption, kept as the items' background, and the
// items drawn by their own handlers into the frame while the provider is the painting host.
TEST_F(SkinProviderTest, MenuBarBandAndItemsAreDrawnIntoTheFrame) {
    AddFrameSkin();
    AddPlainSection("MENULINE", kMenuColor);
    TForm* form = ShownForm(bsSingle, biMaximize, 300, 200, true);
    TMenuItem* item = form->Menu()->Items().Items(0);
    std::vector<TsMenuLineHost*> hosts;
    item->OnAdvancedDrawItem = [&](TMenuItem*, TCanvas& canvas, const RECT& rect, TOwnerDrawState) {
        hosts.push_back(TsMenuLineHost::Painting);
        canvas.Brush.Color = kItemColor;
        canvas.FillRect(rect);
    };
    TsSkinProvider* p = Provide(form);
    ASSERT_FALSE(hosts.empty());
    EXPECT_EQ(hosts.front(), p);
    EXPECT_EQ(TsMenuLineHost::Painting, nullptr);
    EXPECT_EQ(p->MenuLineTop(), 22);
    ASSERT_NE(p->MenuLineCache(), nullptr);
    EXPECT_EQ(p->MenuLineCache()->Width(), 300);
    EXPECT_EQ(p->MenuLineCache()->Height(), 18); // one line of SM_CYMENU - 1
    EXPECT_EQ(p->MenuLineCache()->GetPixel(290, 9) & 0xFFFFFF, kMenuColor);

    RECT r{}, w{};
    ASSERT_TRUE(GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), 0, &r));
    GetWindowRect(form->Handle(), &w);
    const int itemX = (r.left + r.right) / 2 - w.left, itemY = (r.top + r.bottom) / 2 - w.top;
    EXPECT_EQ(CachePixel(p, itemX, itemY), kItemColor);
    EXPECT_EQ(CachePixel(p, 290, 30), kMenuColor);
    EXPECT_EQ(WindowPixel(form, 290, 30), kMenuColor);
    EXPECT_EQ(WindowPixel(form, itemX, itemY), kItemColor);
    EXPECT_EQ(WindowPixel(form, 150, 41), kFormColor); // the client starts below the bar
}

// What the window hook makes for a form it skins: a provider the form owns, without the
// skin-selection submenu for message forms.
TEST_F(SkinProviderTest, HookMadeProvidersBelongToTheirForms) {
    AddFrameSkin();
    TForm* form = ShownForm(bsDialog, biSystemMenu);
    auto wrapper = TsSkinManager::MakeFormProvider(form, manager_.get(), false);
    ASSERT_TRUE(wrapper && wrapper->Attached());
    EXPECT_EQ(wrapper->Window(), form->Handle());
    auto* made = static_cast<TqvProvider*>(wrapper.get());
    ASSERT_NE(made->FormProvider, nullptr);
    EXPECT_EQ(made->FormProvider->Owner(), form);
    EXPECT_FALSE(made->FormProvider->MakeSkinMenu());
    wrapper.reset();
    EXPECT_NE(TsSkinProvider::OfForm(form), nullptr);

    // Through the hook itself: a form activated without a provider gets one.
    TForm* other = ShownForm(bsSingle, biSystemMenu);
    manager_->HandleHookEvent(HCBT_ACTIVATE, other->Handle());
    EXPECT_EQ(manager_->HookedWrappers().size(), 1u);
    ASSERT_NE(TsSkinProvider::OfForm(other), nullptr);
    EXPECT_TRUE(TsSkinProvider::OfForm(other)->MakeSkinMenu());
    EXPECT_EQ(WindowPixel(other, 150, 199), kBorderColor);
}

namespace {

// A form whose window can be made again, as the toolkit does when a style changes.
class RecreatableForm : public TForm {
  public:
    using TForm::TForm;
    void Recreate() { RecreateWnd(); }
};

// Whether a row of the window, between two columns, holds any colour but `color`.
bool RowHasOtherThan(TForm* form, int y, int from, int to, TColor color) {
    const Bitmap shot = WindowShot(form->Handle());
    for (int x = from; x < to; ++x)
        if (TColor(shot.GetPixel(x, y) & 0xFFFFFF) != color) return true;
    return false;
}

} // namespace

TEST_F(SkinProviderTest, ANewWindowOfTheFormIsTakenOverAgain) {
    AddFrameSkin();
    auto* form = app_->CreateForm<RecreatableForm>();
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(100, 50, 300, 200);
    form->Show();
    ProcessPendingMessages();
    TsSkinProvider* p = Provide(form);
    const HWND first = form->Handle();
    form->Recreate();
    ProcessPendingMessages();
    ASSERT_NE(form->Handle(), first);
    ShowWindow(form->Handle(), SW_SHOW);
    ProcessPendingMessages();
    EXPECT_EQ(Command(form, scGetProvider), LRESULT(static_cast<TComponent*>(p)));
    EXPECT_FALSE(GetWindowLong(form->Handle(), GWL_STYLE) & WS_SYSMENU);
    EXPECT_EQ(WindowPixel(form, 150, 199), kBorderColor);
}

// A new caption is written into the title at once; the text lies in the caption rectangle
// (from x = 16 + 3 + 4), the rest of the title keeps its colour.
TEST_F(SkinProviderTest, CaptionChangesRedrawTheTitle) {
    AddFrameSkin();
    manager_->SectionsData[1].FontColor[0] = 0xFFFFFF;
    manager_->SectionsData[1].HotFontColor[0] = 0xFFFFFF;
    TForm* form = ShownForm(bsSingle, biMaximize);
    TsSkinProvider* p = Provide(form);
    const TColor title = p->ShowsActive() ? kTitleActive : kTitleColor;
    EXPECT_FALSE(RowHasOtherThan(form, 11, 23, 294, title));
    form->SetCaption("Statistics");
    bool text = false;
    for (int y = 3; y < 19 && !text; ++y) text = RowHasOtherThan(form, y, 23, 294, title);
    EXPECT_TRUE(text);
    EXPECT_FALSE(RowHasOtherThan(form, 1, 0, 300, title));
    EXPECT_FALSE(RowHasOtherThan(form, 11, 200, 294, title));
}

// The grip image sits FrameBorderWidth and FrameBorderHeight off the bottom-right corner,
// and the frame's hit test answers for it.
TEST_F(SkinProviderTest, SizeGripInTheBottomRightCorner) {
    AddFrameSkin();
    AddPlainSection("GLOBALINFO", 0x336699);
    AddBorder("GLOBALINFO", "GRIPIMAGE", 40, 0, 4, 0, 0x0080FF, {}, 1);
    TForm* form = ShownForm(bsSizeable, biSystemMenu);
    TsSkinProvider* p = Provide(form);
    p->GripModeValue = gmRightBottom;
    Command(form, scRefresh, 0, LPARAM(manager_.get()));
    ProcessPendingMessages();
    // x = 300 - 4 - 4, y = 200 - 4 - 4.
    EXPECT_EQ(CachePixel(p, 292, 192), TColor(0x0080FF));
    EXPECT_EQ(CachePixel(p, 295, 195), TColor(0x0080FF));
    EXPECT_EQ(CachePixel(p, 291, 192), kFormColor);
    EXPECT_EQ(HitTest(form, 294, 194), HTBOTTOMRIGHT);
}

// Border resize mode: a move drags an outline and moves the window once, on release.
TEST_F(SkinProviderTest, BorderModeMovesTheWindowToTheDraggedOutline) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSizeable, biSystemMenu);
    TsSkinProvider* p = Provide(form);
    p->ResizeModeValue = rmBorder;
    const HWND hwnd = form->Handle();
    MouseMoveTo(POINT{250, 60});
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(250, 60));
    EXPECT_EQ(GetCapture(), hwnd);
    POINT to{290, 100};
    ScreenToClient(hwnd, &to);
    SendMessage(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 100); // nothing moves while dragging
    SendMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{140, 90, 440, 290}));
    EXPECT_NE(GetCapture(), hwnd);
}

// A skin change repaints the hooked forms with the new look and sets their region again.
TEST_F(SkinProviderTest, SkinSwitchRebuildsTheFrame) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSizeable, biSystemMenu);
    Provide(form);
    ASSERT_TRUE(TsSkinManager::ProviderUsesManager(form, manager_.get()));
    manager_->SectionsData[0].Color = manager_->SectionsData[0].HotColor = 0x0000C0;
    manager_->RepaintAllForms();
    ProcessPendingMessages();
    EXPECT_EQ(WindowPixel(form, 150, 100), TColor(0x0000C0));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(form->Handle(), region), RGN_ERROR);
    DeleteObject(region);
    EXPECT_TRUE(IsRedrawEnabled(form->Handle()));
}

// An own title icon: a 2 x 2 glyph stretched to 16 x 16 (the icon size for the top area's
// 22 - 2 rows) at the icon rectangle's corner (3, 3); its KeyColor pixel lets the title through.
TEST_F(SkinProviderTest, OwnTitleIconIsStretchedWithItsKeyPixelsLeftOut) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSingle, biMaximize);
    TsSkinProvider* p = Provide(form);
    SendMessage(form->Handle(), WM_NCACTIVATE, 0, 0);
    p->TitleIcon.Glyph = std::make_unique<Bitmap>(2, 2, 24);
    Bitmap& glyph = *p->TitleIcon.Glyph;
    glyph.SetPixel(0, 0, 0x0000FF);
    glyph.SetPixel(1, 0, KeyColor);
    glyph.SetPixel(0, 1, 0x00FF00);
    glyph.SetPixel(1, 1, 0xFF0000);
    Command(form, scRefresh, 0, LPARAM(manager_.get()));
    const struct {
        int X, Y;
        TColor Color;
    } probes[] = {{3, 3, 0x0000FF},      {10, 10, 0x0000FF}, {11, 3, kTitleColor},
                  {18, 10, kTitleColor}, {3, 11, 0x00FF00},  {18, 18, 0xFF0000},
                  {19, 18, kTitleColor}};
    for (const auto& probe : probes)
        EXPECT_EQ(WindowPixel(form, probe.X, probe.Y), probe.Color) << probe.X << "," << probe.Y;
}

// WM_PRINT puts the frame and the client background into the given context.
TEST_F(SkinProviderTest, PrintDrawsFrameAndClient) {
    AddFrameSkin();
    TForm* form = ShownForm(bsSingle, biMaximize);
    TsSkinProvider* p = Provide(form);
    SendMessage(form->Handle(), WM_NCACTIVATE, 0, 0);
    Bitmap out(300, 200, 24, true);
    out.Fill(0);
    {
        TsBitmapDC dc(out);
        SendMessage(form->Handle(), WM_PRINT, WPARAM(dc.Handle()), PRF_NONCLIENT | PRF_CLIENT);
    }
    EXPECT_FALSE(p->ShowsActive());
    EXPECT_EQ(TColor(out.GetPixel(150, 1) & 0xFFFFFF), kTitleColor);
    EXPECT_EQ(TColor(out.GetPixel(150, 100) & 0xFFFFFF), kFormColor);
    EXPECT_EQ(TColor(out.GetPixel(150, 199) & 0xFFFFFF), kBorderColor);
    EXPECT_EQ(TColor(out.GetPixel(0, 100) & 0xFFFFFF), kBorderColor);
}
