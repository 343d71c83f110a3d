// The popup menu windows' wrapper: made by the window hook for "#32768" windows, it tells
// the menu skinning whether the window is shaped and forgets the popup when it goes.
#include "paint/sBitmapDC.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuInternal.h"
#include "windows/AdapterTestFixture.h"
#include "windows/qvMnuWnd.h"
#include "windows/sMenuBackdrop.h"
#include "windows/sMenuWindow.h"

namespace {

class MnuWndTest : public AdapterTest {
  protected:
    // A real popup menu window of one item, not shown.
    HWND MenuWindow() {
        menu_ = CreatePopupMenu();
        AppendMenu(menu_, MF_STRING, 1, "Item");
        return CreatePopupMenuWindow(form_->Handle(), menu_, POINT{10, 10}, nullptr);
    }
    void TearDown() override {
        if (menu_) DestroyMenu(menu_);
        AdapterTest::TearDown();
    }
    HMENU menu_ = nullptr;
};

TEST_F(MnuWndTest, TheHookWrapsMenuWindowsOnce) {
    AddPlainSection("MAINMENU", 0xC0C0C0);
    const HWND window = MenuWindow();
    ASSERT_TRUE(IsWindow(window));
    manager_->HandleHookEvent(HCBT_CREATEWND, window);
    ASSERT_EQ(manager_->HookedWrappers().size(), 1u);
    EXPECT_NE(dynamic_cast<TqvMnuWnd*>(manager_->HookedWrappers()[0].get()), nullptr);
    EXPECT_EQ(TqvMainWnd::FromWindow(window), manager_->HookedWrappers()[0].get());
    // It answers is-skinned now, so it is not wrapped again.
    manager_->HandleHookEvent(HCBT_CREATEWND, window);
    EXPECT_EQ(manager_->HookedWrappers().size(), 1u);
    DestroyWindow(window);
}

TEST_F(MnuWndTest, ShapedFlagAndDestruction) {
    AddPlainSection("MAINMENU", 0xC0C0C0);
    const HWND window = MenuWindow();
    TqvMnuWnd wrapper(window, manager_.get());
    wrapper.Start();
    EXPECT_EQ(SendSkinCommand(window, SkinCommandWParam(scIsSkinned), 0), 1);
    EXPECT_EQ(SendSkinCommand(window, SkinCommandWParam(scSetUpdating), 0), 0);
    // Shaped only while visible.
    ShowWindow(window, SW_HIDE);
    SendSkinCommand(window, SkinCommandWParam(kMenuWindowShaped), 0);
    EXPECT_FALSE(wrapper.Shaped);
    ShowWindow(window, SW_SHOWNA);
    SendSkinCommand(window, SkinCommandWParam(kMenuWindowShaped), 0);
    EXPECT_TRUE(wrapper.Shaped);
    EXPECT_EQ(SendSkinCommand(window, SkinCommandWParam(scSetUpdating), 0), 1);

    PopupState().Measuring = true;
    DestroyWindow(window);
    EXPECT_FALSE(PopupState().Measuring);
    EXPECT_FALSE(wrapper.Shaped);
    EXPECT_TRUE(wrapper.Destroyed);
}

TEST_F(MnuWndTest, WhileAMenuIsShownTheBackgroundComesFromTheSection) {
    AddPlainSection("MAINMENU", 0x3060C0);
    const HWND window = MenuWindow();
    TqvMnuWnd wrapper(window, manager_.get());
    wrapper.Start();
    ShowWindow(window, SW_SHOWNA);
    PopupState().Measuring = true;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(window, &r);
    // The section is one plain colour: the frame shows it, and erasing fills the client
    // with it (the items are drawn over that afterwards).
    EXPECT_EQ(TColor(Screenshot().GetPixel(r.left + 1, r.top + 1) & 0xFFFFFF), 0x3060C0);
    Bitmap erased(8, 8, 24);
    erased.Fill(0);
    {
        TsBitmapDC dc(erased);
        EXPECT_EQ(SendMessage(window, WM_ERASEBKGND, WPARAM(dc.Handle()), 0), 1);
    }
    EXPECT_EQ(TColor(erased.GetPixel(0, 0) & 0xFFFFFF), 0x3060C0);
    EXPECT_EQ(TColor(erased.GetPixel(7, 7) & 0xFFFFFF), 0x3060C0);
    PopupState().Measuring = false;
    DestroyWindow(window);
}

} // namespace
