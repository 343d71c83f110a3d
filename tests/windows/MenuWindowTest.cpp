// The popup menu window under the menu skinning: its procedure, its region with the skin's
// corner cut-outs, and a real popup opened from a skinned menu bar.
#include <algorithm>
#include <vector>

#include "MenuTestFixture.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/menus/Menu.h"
#include "skin/sMessages.h"
#include "windows/sMenuWindow.h"

namespace {

std::vector<UINT>& Heard() {
    static std::vector<UINT> heard;
    return heard;
}
bool g_reportShaped = false;

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Heard().push_back(msg);
    if (msg == SM_ORVENCMD && SkinCommandCode(wParam) == scSetUpdating) return g_reportShaped;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

bool Heard(UINT msg) { return std::count(Heard().begin(), Heard().end(), msg) > 0; }

// A form that is its own menu-bar host, as a skinned form's provider would be: it answers the
// get-provider command with itself and offers a band of one colour.
class LineHostForm : public TForm, public TsMenuLineHost {
  public:
    explicit LineHostForm(TComponent* owner) : TForm(owner), band_(400, 40, 24) {
        band_.Fill(RGB(10, 200, 90));
    }
    const Bitmap* MenuLineCache() const override { return &band_; }
    int MenuLineTop() const override { return Top; }
    TsSkinManager* MenuLineManager() const override { return PrimaryManager; }
    int Top = 0;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SM_ORVENCMD && SkinCommandCode(m.WParam) == scGetProvider) {
            m.Result = LRESULT(reinterpret_cast<uintptr_t>(static_cast<TComponent*>(this)));
            return;
        }
        TForm::WndProc(m);
    }

  private:
    Bitmap band_;
};

} // namespace

class MenuWindowTest : public MenuSkinTest {
  protected:
    void SetUp() override {
        MenuSkinTest::SetUp();
        RegisterClassOnce("MenuWindowTestPlain", PlainProc);
        Heard().clear();
        g_reportShaped = false;
        window_ = CreateWindowEx(0, "MenuWindowTestPlain", "", WS_POPUP, 10, 10, 40, 30, nullptr,
                                 nullptr, nullptr, nullptr);
        backdrop_.SetSize(40, 30);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        MenuSkinTest::TearDown();
    }
    // Whether the window's region holds the point (a window without one holds every point).
    bool InRegion(int x, int y) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(window_, region);
        const bool in = kind == RGN_ERROR || PtInRegion(region, x, y);
        DeleteObject(region);
        return in;
    }
    HWND window_ = nullptr;
    Bitmap backdrop_;
};

TEST_F(MenuWindowTest, ShapingTakesTheWindowOverOnceAndCutsTheCorners) {
    const TAOR corners = {RECT{0, 0, 2, 1}, RECT{0, 1, 1, 2}, RECT{38, 29, 40, 30}};
    bool shaping = false;
    ShapeMenuWindow(window_, &backdrop_, corners, shaping);
    ShapeMenuWindow(window_, &backdrop_, corners, shaping);
    EXPECT_FALSE(shaping);
    EXPECT_EQ(GetWindowLongPtr(window_, GWL_WNDPROC),
              LONG_PTR(reinterpret_cast<uintptr_t>(&MenuWindowProc)));
    // The saved procedure is the window's own, not the menu procedure itself.
    EXPECT_EQ(GetWindowLongPtr(window_, GWL_USERDATA),
              LONG_PTR(reinterpret_cast<uintptr_t>(&PlainProc)));
    struct Point {
        int x, y;
        bool in;
    };
    const Point points[] = {{0, 0, false},  {1, 0, false},  {2, 0, true},    {0, 1, false},
                            {1, 1, true},   {0, 2, true},   {39, 29, false}, {38, 29, false},
                            {37, 29, true}, {39, 28, true}, {20, 15, true}};
    for (const Point& p : points) EXPECT_EQ(InRegion(p.x, p.y), p.in) << p.x << "," << p.y;

    // Erasing and the frame are left to the item drawing; the rest reaches the window.
    Heard().clear();
    EXPECT_EQ(SendMessage(window_, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(SendMessage(window_, WM_NCPAINT, 1, 0), 1);
    SendMessage(window_, WM_SETTEXT, 0, LPARAM("x"));
    EXPECT_FALSE(Heard(WM_ERASEBKGND));
    EXPECT_FALSE(Heard(WM_NCPAINT));
    EXPECT_TRUE(Heard(WM_SETTEXT));
}

TEST_F(MenuWindowTest, WithoutCornersOnlyTheOriginIsCutAndAShapedWindowKeepsItsRegion) {
    bool shaping = false;
    ShapeMenuWindow(window_, &backdrop_, TAOR{}, shaping);
    EXPECT_FALSE(InRegion(0, 0));
    EXPECT_TRUE(InRegion(1, 0));
    EXPECT_TRUE(InRegion(39, 29));
    EXPECT_TRUE(Heard(SM_ORVENCMD));

    // A window that says it is shaped already is taken over but keeps its region.
    SetWindowRgn(window_, nullptr, false);
    g_reportShaped = true;
    ShapeMenuWindow(window_, &backdrop_, TAOR{}, shaping);
    EXPECT_TRUE(InRegion(0, 0));
    // So is a window shaped without a backdrop.
    g_reportShaped = false;
    ShapeMenuWindow(window_, nullptr, TAOR{}, shaping);
    EXPECT_TRUE(InRegion(0, 0));
}

TEST_F(MenuWindowTest, DestroyingAShapedWindowForgetsThePopup) {
    bool shaping = false;
    ShapeMenuWindow(window_, &backdrop_, TAOR{}, shaping);
    PopupState().Backdrop = std::make_unique<Bitmap>(4, 4, 24);
    PopupState().FirstItem = file_;
    PopupState().ExtraLineDecided = true;
    DestroyWindow(window_);
    EXPECT_EQ(PopupState().Backdrop, nullptr);
    EXPECT_EQ(PopupState().FirstItem, nullptr);
    EXPECT_FALSE(PopupState().ExtraLineDecided);
    EXPECT_TRUE(Heard(WM_DESTROY));
}

TEST_F(MenuWindowTest, TheBorderImageGivesTheFrameWidthAndTheCornerCutOuts) {
    // A 6 x 6 border with 2-pixel margins whose top-left and bottom-right pixels are key.
    Bitmap& master = *manager_->MasterBitmap;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) master.SetPixel(x, y, RGB(60, 60, 60));
    master.SetPixel(0, 0, KeyColor);
    master.SetPixel(5, 5, KeyColor);
    AddSection("MAINMENU", menutest::Backdrop);
    TsMaskData& md =
        manager_->MasksData[size_t(AddImage("MAINMENU", "BORDERSMASK", {0, 0, 6, 6}, 1, 0))];
    md.WL = md.WT = md.WR = md.WB = 2;
    // A border width of 0 counts as 3.
    EXPECT_EQ(menus_->SkinBorderWidth(), 3);
    md.BorderWidth = 4;
    EXPECT_EQ(menus_->SkinBorderWidth(), 3); // looked up once
    menus_->ResetBorderWidth();
    EXPECT_EQ(menus_->SkinBorderWidth(), 4);

    TMenuItem* first = Item(file_, "One");
    menus_->PrepareBackdrop(first, 50, 40, nullptr);
    const TAOR expected = {RECT{0, 0, 1, 1}, RECT{49, 39, 50, 40}};
    EXPECT_EQ(menus_->PopupCornerRects(), expected);
}

TEST_F(MenuWindowTest, APopupOpenedFromTheSkinnedBarIsShapedAndFramedFromTheBackdrop) {
    AddMenuSections();
    manager_->SkinData.Loaded = true;
    TMenuItem* open = Item(file_, "Open");
    Item(file_, "Save");
    form_->SetMenu(menu_);
    menus_->ApplyActive(true);
    form_->Show();
    ProcessPendingMessages();

    HWND popup = nullptr;
    RECT bar{};
    ASSERT_TRUE(GetMenuItemRect(form_->Handle(), menu_->Handle(), 0, &bar));
    Click(POINT{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2});
    EnumWindows([&](HWND h) {
        if (GetClassName(h) == "#32768" && IsWindowVisible(h)) popup = h;
        return popup == nullptr;
    });
    ASSERT_NE(popup, nullptr);
    ProcessPendingMessages();
    EXPECT_EQ(GetWindowLongPtr(popup, GWL_WNDPROC),
              LONG_PTR(reinterpret_cast<uintptr_t>(&MenuWindowProc)));
    RECT wr{};
    GetWindowRect(popup, &wr);
    ASSERT_NE(PopupState().Backdrop, nullptr);
    EXPECT_EQ(PopupState().Backdrop->Width(), WidthOf(wr));
    EXPECT_EQ(PopupState().Backdrop->Height(), HeightOf(wr));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(popup, region), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    DeleteObject(region);
    // The frame is the backdrop's, the first item starts inside it.
    const Bitmap shot = WindowShot(popup);
    EXPECT_EQ(shot.GetPixel(1, 1) & 0xFFFFFF, menutest::Backdrop);
    EXPECT_EQ(shot.GetPixel(WidthOf(wr) - 2, HeightOf(wr) - 2) & 0xFFFFFF, menutest::Backdrop);
    EXPECT_EQ(shot.GetPixel(3, 3) & 0xFFFFFF, menutest::ItemColor);

    // The application window's messages shape the popup again: 48308 names the window,
    // 48307 an item whose rectangle lies on it. A form is never taken for a popup.
    for (LPARAM named :
         {LPARAM(reinterpret_cast<uintptr_t>(popup)), LPARAM(reinterpret_cast<uintptr_t>(open))}) {
        SetWindowRgn(popup, nullptr, false);
        const UINT msg = named == LPARAM(reinterpret_cast<uintptr_t>(popup)) ? 48308 : 48307;
        EXPECT_TRUE(menus_->HandleApplicationMessage(msg, 0, named));
        region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(popup, region), RGN_ERROR) << msg;
        DeleteObject(region);
    }
    const LONG_PTR formProc = GetWindowLongPtr(form_->Handle(), GWL_WNDPROC);
    EXPECT_TRUE(menus_->HandleApplicationMessage(
        48308, 0, LPARAM(reinterpret_cast<uintptr_t>(form_->Handle()))));
    EXPECT_EQ(GetWindowLongPtr(form_->Handle(), GWL_WNDPROC), formProc);

    KeyPress(VK_ESCAPE);
    KeyPress(VK_ESCAPE);
    EndMenu();
    ProcessPendingMessages();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(PopupState().Backdrop, nullptr);
    // Without a backdrop the drawn-item message is left to others.
    EXPECT_FALSE(
        menus_->HandleApplicationMessage(48307, 0, LPARAM(reinterpret_cast<uintptr_t>(open))));
}

TEST_F(MenuWindowTest, BarItemsAreDrawnOverTheBandOfTheFormsHost) {
    AddMenuSections();
    manager_->SkinData.Loaded = true;
    auto* form = app_->CreateForm<LineHostForm>();
    form->SetBounds(0, 0, 300, 200);
    auto* menu = form->Make<TMainMenu>();
    TMenuItem* bar = form->Make<TMenuItem>();
    bar->SetCaption("File");
    menu->Items().Add(bar);
    TMenuItem* off = form->Make<TMenuItem>();
    off->SetCaption("Edit");
    off->SetEnabled(false);
    menu->Items().Add(off);
    form->SetMenu(menu);
    menus_->AttachMainMenu(menu, true);
    form->Show();
    ProcessPendingMessages();
    RECT wr{}, item{}, second{};
    GetWindowRect(form->Handle(), &wr);
    ASSERT_TRUE(GetMenuItemRect(form->Handle(), menu->Handle(), 0, &item));
    ASSERT_TRUE(GetMenuItemRect(form->Handle(), menu->Handle(), 1, &second));
    form->Top = item.top - wr.top;
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ProcessPendingMessages();
    const Bitmap shot = WindowShot(form->Handle());
    auto at = [&](LONG x, LONG y) {
        return TColor(shot.GetPixel(x - wr.left, y - wr.top) & 0xFFFFFF);
    };
    EXPECT_EQ(at(item.left, item.top), menutest::ItemColor);
    EXPECT_EQ(at(item.right - 1, item.bottom - 1), menutest::ItemColor);
    // The disabled one: (m*102 + band*153 + 127) >> 8 per channel.
    EXPECT_EQ(at(second.left, second.top), RGB(22, 151, 102));
}
