// The form's window state, size constraints, paint event and border width.
#include "ControlTestFixture.h"
#include "platform/backends/HeadlessBackend.h"

namespace {

class FormStateTest : public ControlTest {
  protected:
    TForm* MakeSizeable() {
        TForm* form = app_->CreateForm<TForm>();
        form->SetBounds(100, 50, 300, 200);
        return form;
    }
    static RECT WorkArea() {
        RECT work{};
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    // The sizeable frame's width on each side.
    static int FrameWidth(TForm* form) {
        RECT wr{}, cr{};
        GetWindowRect(form->Handle(), &wr);
        GetClientRect(form->Handle(), &cr);
        return (WidthOf(wr) - WidthOf(cr)) / 2;
    }
};

TEST_F(FormStateTest, WindowStateMaximisesMinimisesAndRestores) {
    TForm* form = MakeSizeable();
    ShowAndSettle(form);
    const int b = FrameWidth(form);
    const RECT work = WorkArea();
    // Maximised: the work area with the frame just outside it.
    form->SetWindowState(wsMaximized);
    ProcessPendingMessages();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(),
              (RECT{work.left - b, work.top - b, work.right + b, work.bottom + b}));
    form->SetWindowState(wsMinimized);
    ProcessPendingMessages();
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(form->WindowState(), wsMinimized);
    form->SetWindowState(wsNormal);
    ProcessPendingMessages();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), (RECT{100, 50, 400, 250}));
    // The user's choice is the state from then on.
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    EXPECT_EQ(form->WindowState(), wsMaximized);

    // Staying on top: the window is kept in front of the others.
    form->SetFormStyle(fsStayOnTop);
    EXPECT_NE(GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    // Set before the window shows: it first shows that way.
    TForm* other = MakeSizeable();
    other->SetWindowState(wsMaximized);
    EXPECT_EQ(other->WindowState(), wsMaximized);
    ShowAndSettle(other);
    EXPECT_TRUE(IsZoomed(other->Handle()));
}

TEST_F(FormStateTest, ConstraintsLimitCodeTheUsersDragAndMaximising) {
    TForm* form = MakeSizeable();
    ShowAndSettle(form);
    form->SetConstraints(TSizeConstraints{200, 150, 400, 300});
    form->SetBounds(100, 50, 100, 100);
    EXPECT_EQ(form->BoundsRect(), (RECT{100, 50, 300, 200}));
    form->SetBounds(100, 50, 1000, 1000);
    EXPECT_EQ(form->BoundsRect(), (RECT{100, 50, 500, 350}));
    // Dragging the bottom-right corner 300 further out stops at the maximum.
    form->SetBounds(100, 50, 300, 200);
    const POINT corner{398, 248};
    ASSERT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)),
              HTBOTTOMRIGHT);
    MouseDown(corner);
    MouseMoveTo(POINT{corner.x + 150, corner.y + 150});
    MouseMoveTo(POINT{corner.x + 300, corner.y + 300});
    MouseUp(POINT{corner.x + 300, corner.y + 300});
    EXPECT_EQ(form->BoundsRect(), (RECT{100, 50, 500, 350}));
    form->SetWindowState(wsMaximized);
    ProcessPendingMessages();
    EXPECT_EQ(form->Width(), 400);
    EXPECT_EQ(form->Height(), 300);
}

TEST_F(FormStateTest, OnPaintDrawsTheClientAndBorderWidthInsetsIt) {
    TForm* form = MakeForm(200, 100);
    int painted = 0;
    COLORREF colour = RGB(200, 0, 0);
    unsigned state = 0;
    form->OnPaint = [&](TComponent*) {
        ++painted;
        state = form->ControlState();
        form->Canvas().Brush.Color = colour;
        form->Canvas().FillRect(RECT{0, 0, 10, 10});
    };
    ShowAndSettle(form);
    EXPECT_GT(painted, 0);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    Bitmap shot = Screenshot();
    EXPECT_EQ(Pixel(shot, origin.x + 5, origin.y + 5), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(shot, origin.x + 15, origin.y + 5), ColorToRGB(form->Color()));
    EXPECT_EQ(state & csPaintCopy, 0u);

    // Double-buffered: drawn into a bitmap first, the same picture reaches the screen.
    form->SetDoubleBuffered(true);
    colour = RGB(0, 150, 0);
    form->Invalidate();
    ProcessPendingMessages();
    EXPECT_NE(state & csPaintCopy, 0u);
    shot = Screenshot();
    EXPECT_EQ(Pixel(shot, origin.x + 5, origin.y + 5), RGB(0, 150, 0));
    EXPECT_EQ(Pixel(shot, origin.x + 15, origin.y + 5), ColorToRGB(form->Color()));
    form->SetDoubleBuffered(false);
    colour = RGB(200, 0, 0);

    // A 6-pixel band inside the frame: the client is 12 smaller and starts 6 further in.
    form->SetBorderWidth(6);
    ProcessPendingMessages();
    EXPECT_EQ(form->ClientWidth(), 200 - 12);
    EXPECT_EQ(form->ClientHeight(), 100 - 12);
    POINT inner{0, 0};
    ClientToScreen(form->Handle(), &inner);
    EXPECT_EQ(inner.x, origin.x + 6);
    EXPECT_EQ(inner.y, origin.y + 6);
    shot = Screenshot();
    EXPECT_EQ(Pixel(shot, origin.x + 2, origin.y + 2), ColorToRGB(form->Color())) << "the band";
    EXPECT_EQ(Pixel(shot, inner.x + 5, inner.y + 5), RGB(200, 0, 0));
}

} // namespace
