// The dialog wrapper on real dialogs: button images by frame kind, the composed frame's
// pixels, the buttons' hot and pressed looks, the commands their clicks send, the menu.
#include "toolkit/MenuItem.h"
#include "windows/DialogTestFixture.h"
#include "windows/qvSystemMenu.h"

namespace {

TEST_F(DialogTest, ModalPopupTakesSmallImagesAndOffersMoveAndClose) {
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    TqvProvider& p = Attach(d);
    ASSERT_TRUE(p.Attached());
    ASSERT_TRUE(p.DialogWrapper);
    TqvDialogWnd& w = *p.DialogWrapper;
    EXPECT_EQ(w.FrameKind, fkModal);
    EXPECT_EQ(w.Close.ImageIndex, smallClose_);
    // The system draws no menu of its own any more; the saved style keeps it for us.
    EXPECT_EQ(GetWindowLong(d, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_NE(w.SavedStyle & WS_SYSMENU, 0u);

    const TqvSystemMenu& menu = *w.SystemMenu;
    EXPECT_TRUE(menu.miMove->Visible());
    EXPECT_TRUE(menu.miMove->Enabled());
    EXPECT_TRUE(menu.miClose->Visible());
    for (const TMenuItem* hidden : {menu.miRestore, menu.miSize, menu.miMinimize, menu.miMaximize})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name();
}

TEST_F(DialogTest, SizeableDialogTakesBigImagesAndShowsRestoreWhileMaximized) {
    const HWND d = MakeDialog(kSizeableStyle, 200, 100);
    TqvDialogWnd& w = *Attach(d).DialogWrapper;
    EXPECT_EQ(w.FrameKind, fkSizing);
    EXPECT_EQ(w.Close.ImageIndex, bigClose_);
    EXPECT_EQ(w.Maximize.ImageIndex, bigMax_);
    EXPECT_EQ(w.RestoreImage, restore_);
    EXPECT_TRUE(DialogCommandEnabled(w.Facts(), TqvDialogCommand::Maximize));

    ShowWindow(d, SW_MAXIMIZE);
    w.RefreshGeometry();
    const TqvDialogButtons b = w.Buttons();
    EXPECT_TRUE(b.Maximize.Drawable); // the restore image
    // 2 pixels inside the right edge, below the caption: the click goes through.
    LRESULT hit = SendMessage(d, WM_NCHITTEST, 0, At(d, w.W - 1, w.H / 2));
    EXPECT_EQ(hit, HTTRANSPARENT);
}

TEST_F(DialogTest, FrameCompositionPaintsSectionAndCloseButton) {
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    TqvDialogWnd& w = *Attach(d).DialogWrapper;
    w.RefreshGeometry();
    w.SkinData->CacheInvalid = true;
    w.PaintFrame();
    ASSERT_EQ(w.SkinData->CacheBitmap->Width(), w.W);
    // Close: 16 x 14 at x = W - 3 - 16, y = (19 + 3 - 14) / 2 + 2 = 6.
    const int left = w.W - 3 - 16;
    EXPECT_EQ(w.Close.Rect.left, left);
    EXPECT_EQ(w.Close.Rect.top, 6);
    EXPECT_EQ(Pixel(w, left, 6), kButtonNormal);
    EXPECT_EQ(Pixel(w, left + 15, 19), kButtonNormal);
    EXPECT_EQ(Pixel(w, left - 1, 10), kDialogColor);
    EXPECT_EQ(Pixel(w, left + 16, 10), kDialogColor);
    EXPECT_EQ(Pixel(w, left, 20), kDialogColor);
    // The rest of the frame and the client area are the section's colour.
    EXPECT_EQ(Pixel(w, 0, 0), kDialogColor);
    EXPECT_EQ(Pixel(w, w.W - 1, w.H - 1), kDialogColor);
    EXPECT_EQ(Pixel(w, w.W / 2, w.H / 2), kDialogColor);
    // The background kept under the buttons: (16 + 3) x 22 from x = W - 19 - 1.
    EXPECT_EQ(w.ButtonsBackground.Width(), 19);
    EXPECT_EQ(w.ButtonsBackground.Height(), w.H - 60 - 3);
}

TEST_F(DialogTest, PopupWithoutCaptionGetsNoRegionAndOnlyItsBackground) {
    const HWND popup = MakeDialog(WS_POPUP, 80, 40);
    const HWND framed = MakeDialog(kModalPopupStyle, 80, 40);
    TqvDialogWnd& w = *Attach(popup).DialogWrapper;
    Attach(framed);
    EXPECT_EQ(w.FrameKind, fkPopup);
    SendMessage(popup, WM_NCPAINT, 1, 0);
    SendMessage(framed, WM_NCPAINT, 1, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(popup, region), RGN_ERROR);
    EXPECT_NE(GetWindowRgn(framed, region), RGN_ERROR);
    DeleteObject(region);
    // The whole window is client: the section's colour everywhere, and the top-left corner is
    // the dialog's own (no system menu there).
    ASSERT_EQ(w.SkinData->CacheBitmap->Width(), 80);
    EXPECT_EQ(Pixel(w, 0, 0), kDialogColor);
    EXPECT_EQ(Pixel(w, 79, 39), kDialogColor);
    EXPECT_EQ(SendMessage(popup, WM_NCHITTEST, 0, At(popup, 5, 5)), HTCLIENT);
}

TEST_F(DialogTest, CloseGoesHotThenPressedThenCloses) {
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    TqvDialogWnd& w = *Attach(d).DialogWrapper;
    w.RefreshGeometry();
    w.SkinData->CacheInvalid = true;
    w.PaintFrame();
    const int x = w.W - 3 - 8, y = 10;
    EXPECT_EQ(SendMessage(d, WM_NCHITTEST, 0, At(d, x, y)), HTCLOSE);
    EXPECT_EQ(w.HotButton, HTCLOSE);
    EXPECT_EQ(Pixel(w, x, y), kButtonHot);
    SendMessage(d, WM_NCLBUTTONDOWN, HTCLOSE, At(d, x, y));
    EXPECT_EQ(w.Close.State, 2);
    EXPECT_EQ(Pixel(w, x, y), kButtonPressed);
    SendMessage(d, WM_NCLBUTTONUP, HTCLOSE, At(d, x, y));
    ASSERT_EQ(Commands.size(), 1u);
    EXPECT_EQ(Commands[0], SC_CLOSE);
    // Leaving the caption takes the hot look away.
    SendMessage(d, WM_NCHITTEST, 0, At(d, 40, 10));
    EXPECT_EQ(w.HotButton, 0);
    EXPECT_EQ(Pixel(w, x, y), kButtonNormal);
}

TEST_F(DialogTest, ClientReleaseActsOnlyForTheHeldButton) {
    const HWND d = MakeDialog(kSizeableStyle, 200, 100);
    TqvDialogWnd& w = *Attach(d).DialogWrapper;
    w.RefreshGeometry();
    w.SkinData->CacheInvalid = true;
    w.PaintFrame();
    // Ctrl held over the client (MK_CONTROL is 8, the minimize code): nothing of ours.
    w.Minimize.Rect = RECT{0, 0, 400, 400};
    SendMessage(d, WM_LBUTTONUP, 8, MAKELPARAM(5, 5));
    EXPECT_TRUE(Commands.empty());
    // Maximize held down, released after the mouse was captured into the client.
    const int x = w.Maximize.Rect.left + 2, y = w.Maximize.Rect.top + 2;
    SendMessage(d, WM_NCLBUTTONDOWN, HTMAXBUTTON, At(d, x, y));
    EXPECT_EQ(w.Maximize.State, 2);
    SendMessage(d, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(Commands.size(), 1u);
    EXPECT_EQ(Commands[0], SC_MAXIMIZE);
    EXPECT_EQ(w.HotButton, 0);
}

TEST_F(DialogTest, DoubleClickOnIconClosesAndOnCaptionMaximizes) {
    const HWND d = MakeDialog(kSizeableStyle, 200, 100);
    Attach(d);
    SendMessage(d, WM_NCLBUTTONDBLCLK, HTSYSMENU, At(d, 6, 10));
    SendMessage(d, WM_NCLBUTTONDBLCLK, HTCAPTION, At(d, 60, 10));
    ASSERT_EQ(Commands.size(), 2u);
    EXPECT_EQ(Commands[0], SC_CLOSE);
    EXPECT_EQ(Commands[1], SC_MAXIMIZE);
}

TEST_F(DialogTest, SkinCommandsOfTheDialog) {
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    TqvDialogWnd& w = *Attach(d).DialogWrapper;
    EXPECT_EQ(SendMessage(d, SM_ORVENCMD, SkinCommandWParam(scIsSkinned), 0), 1);
    // A plain section has no image background.
    EXPECT_EQ(SendMessage(d, SM_ORVENCMD, SkinCommandWParam(scHasImageBackground), 0), 0);
    // The children's background: the composed image from the client's corner (3, 3 + 19).
    w.SkinData->CacheInvalid = true;
    SendMessage(d, SM_ORVENCMD, SkinCommandWParam(scGetCache), 0);
    EXPECT_EQ(ParentCacheAnswer.Bitmap, w.SkinData->CacheBitmap.get());
    EXPECT_EQ(ParentCacheAnswer.X, 3);
    EXPECT_EQ(ParentCacheAnswer.Y, 22);
    EXPECT_TRUE(ParentCacheAnswer.Usable);
    EXPECT_FALSE(w.SkinData->CacheInvalid);
    w.SkinData->CacheInvalid = true;
    EXPECT_EQ(SendMessage(d, SM_ORVENCMD, SkinCommandWParam(scIsNotReady), 0), 1);
    // The dialog's brush is the skin's global colour, one brush for all requests.
    const LRESULT brush = SendMessage(d, WM_CTLCOLORDLG, 0, 0);
    EXPECT_NE(brush, 0);
    EXPECT_EQ(SendMessage(d, WM_CTLCOLORDLG, 0, 0), brush);
    ParentCacheAnswer = ParentCacheInfo{};
}

TEST_F(DialogTest, WrapperLetsTheWindowGoWhenFreed) {
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    const LONG_PTR ownProc = GetWindowLongPtr(d, GWL_WNDPROC);
    Attach(d);
    EXPECT_NE(TqvDialogWnd::FromWindow(d), nullptr);
    providers_.clear();
    EXPECT_EQ(TqvDialogWnd::FromWindow(d), nullptr);
    EXPECT_EQ(GetWindowLongPtr(d, GWL_WNDPROC), ownProc);
}

TEST_F(DialogTest, GoneDialogNamesNoWindow) {
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    TqvProvider& p = Attach(d);
    EXPECT_EQ(p.Window(), d);
    DestroyWindow(d);
    // A later window that gets the same handle is not taken for this one.
    EXPECT_EQ(p.Window(), nullptr);
    EXPECT_TRUE(p.DialogWrapper->Destroyed);
}

} // namespace
