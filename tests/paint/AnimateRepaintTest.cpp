// The animated repaint: what the cover over the form shows frame by frame and how long each
// frame stays, the cover window itself, and rendering a control tree into a bitmap.
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "paint/sAnimateRepaint.h"
#include "paint/sOutputWindow.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/SkinManagerTestFixture.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

namespace {

constexpr const char* kCoverCaption = "qvOutputWindow";

std::string Rgb(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c));
}

bool IsCover(HWND hwnd) { return IsWindow(hwnd) && GetWindowText(hwnd) == kCoverCaption; }

// The virtual clock, noting each frame copied into the cover (its pixel at `Probe`) and each
// pause; the clock still only moves when told.
class FrameRecorder : public HeadlessBackend {
  public:
    void SurfaceChanged(HWND topLevel, const RECT&) override {
        if (!Watch(topLevel)) return;
        Events.push_back("frame " +
                         Rgb(WindowShot(topLevel).GetPixel(Probe.x, Probe.y) & 0xFFFFFF));
    }
    void Sleep(DWORD ms) override {
        if (OnWait) OnWait();
        Events.push_back("wait " + std::to_string(ms));
        HeadlessBackend::Sleep(ms);
    }
    std::vector<std::string> Events;
    // The top-level windows whose frames count, and where in them the pixel is read.
    std::function<bool(HWND)> Watch = IsCover;
    POINT Probe{5, 5};
    std::function<void()> OnWait;
};

// The cross-fade of one channel: (a*(f - s) + s*256) >> 8, f from the old look.
int Fade(int f, int s, int a) { return (a * (f - s) + s * 256) >> 8; }

std::string Faded(COLORREF old, COLORREF now, int a) {
    return Rgb(RGB(Fade(GetRValue(old), GetRValue(now), a), Fade(GetGValue(old), GetGValue(now), a),
                   Fade(GetBValue(old), GetBValue(now), a)));
}

// A windowed control of one colour that may answer scIsSkinned and notes the print messages.
class Solid : public RecordingWinControl {
  public:
    using RecordingWinControl::RecordingWinControl;
    std::vector<UINT> Prints;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_PRINT) Prints.push_back(m.Msg);
        RecordingWinControl::WndProc(m);
    }
};

// A windowless control that fills itself with its colour.
class Swatch : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;

  protected:
    void Paint() override {
        const RECT r{0, 0, Width(), Height()};
        const HBRUSH b = CreateSolidBrush(Color());
        FillRect(Canvas().Handle(), &r, b);
        DeleteObject(b);
    }
};

class AnimateRepaintTest : public SkinWindowTest {
  protected:
    void SetUp() override {
        auto recorder = std::make_unique<FrameRecorder>();
        recorder_ = recorder.get();
        SetBackend(std::move(recorder));
        SkinWindowTest::SetUp();
    }
    void TearDown() override {
        SkinWindowTest::TearDown();
        SetBackend(std::make_unique<HeadlessBackend>());
    }
    TForm* ShownForm(TColor color, TFormBorderStyle border = bsNone) {
        TForm* form = app_->CreateForm<TForm>();
        form->SetBorderStyle(border);
        form->SetBounds(100, 50, 60, 40);
        form->SetColor(color);
        form->Show();
        ProcessPendingMessages();
        return form;
    }
    static bool AnyCover() {
        bool found = false;
        EnumWindows([&](HWND h) {
            found |= IsCover(h);
            return true;
        });
        return found;
    }
    FrameRecorder* recorder_ = nullptr;
};

TEST_F(AnimateRepaintTest, FramesFadeFromTheOldLookToTheNewEightMillisecondsApart) {
    const COLORREF oldLook = RGB(200, 100, 0), newLook = RGB(40, 60, 250);
    struct Case {
        int time;
        std::vector<int> weights; // the old look's weight in each frame
    };
    const Case cases[] = {
        {32, {255, 192, 129, 66, 3}}, // 4 steps of 255 div 4 = 63
        {20, {255, 128, 1}},          // 2 steps of 127
        {8, {255, 0}},                // 1 step of 255
        {7, {}},                      // at once
        {0, {}},
    };
    for (const Case& c : cases) {
        TForm* form = ShownForm(oldLook);
        form->SetColor(newLook); // not painted yet: the screen still shows the old look
        recorder_->Events.clear();
        const DWORD start = GetTickCount();
        AnimateRepaint(form, c.time);

        std::vector<std::string> expected;
        for (int w : c.weights) {
            expected.push_back("frame " + Faded(oldLook, newLook, w));
            expected.push_back("wait 8");
        }
        expected.push_back("frame " + Rgb(newLook));
        EXPECT_EQ(recorder_->Events, expected) << "time " << c.time;
        EXPECT_EQ(GetTickCount() - start, DWORD(8 * c.weights.size())) << "time " << c.time;
        EXPECT_FALSE(AnyCover()) << "time " << c.time;
        EXPECT_EQ(form->ComponentCount(), 0) << "the cover is freed";
        EXPECT_TRUE(IsRedrawEnabled(form->Handle()));
        ProcessPendingMessages();
        EXPECT_EQ(Screenshot().GetPixel(110, 60) & 0xFFFFFF, newLook);
        delete form;
    }
}

TEST_F(AnimateRepaintTest, TheFirstFrameIsWorkedOutByHand) {
    TForm* form = ShownForm(RGB(200, 100, 0));
    form->SetColor(RGB(40, 60, 250));
    AnimateRepaint(form, 8);
    // Weight 255: red (255*160 + 40*256) >> 8 = 51040 >> 8 = 199, green 25560 >> 8 = 99,
    // blue (255*-250 + 64000) >> 8 = 250 >> 8 = 0; weight 0 gives the new look.
    EXPECT_EQ(recorder_->Events,
              (std::vector<std::string>{"frame 199,99,0", "wait 8", "frame 40,60,250", "wait 8",
                                        "frame 40,60,250"}));
}

TEST_F(AnimateRepaintTest, TheCoverLiesJustAboveTheFormWithoutTakingTheActivation) {
    TForm* form = ShownForm(RGB(1, 2, 3), bsSingle);
    TForm* other = ShownForm(RGB(4, 5, 6));
    other->SetBounds(400, 400, 30, 30);
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(other->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const HWND active = GetActiveWindow();
    bool checked = false;
    recorder_->OnWait = [&] {
        if (checked) return;
        checked = true;
        const HWND cover = GetWindow(other->Handle(), GW_HWNDNEXT);
        ASSERT_TRUE(IsCover(cover));
        EXPECT_EQ(GetWindow(cover, GW_HWNDNEXT), form->Handle());
        EXPECT_TRUE(IsWindowVisible(cover));
        EXPECT_EQ(GetWindow(cover, GW_OWNER), Application->Handle());
        EXPECT_FALSE(GetWindowLong(cover, GWL_STYLE) & WS_CHILD);
        RECT coverRect{}, formRect{};
        GetWindowRect(cover, &coverRect);
        GetWindowRect(form->Handle(), &formRect);
        EXPECT_EQ(coverRect, formRect);
        EXPECT_EQ(GetActiveWindow(), active);
        EXPECT_FALSE(IsRedrawEnabled(form->Handle())) << "the form waits under the cover";
    };
    AnimateRepaint(form, 8);
    EXPECT_TRUE(checked);
}

TEST_F(AnimateRepaintTest, ASkinnedFormLendsTheCoverItsWindowRegion) {
    auto* form = app_->CreateForm<RecordingForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 50, 60, 40);
    form->Heard = [&](const TMessage& m) {
        if (SkinCommandCode(m.WParam) == scGetProvider) const_cast<TMessage&>(m).Result = 1;
    };
    form->Show();
    ProcessPendingMessages();
    SetWindowRgn(form->Handle(), CreateRectRgn(0, 0, 30, 20), false);
    int rebuilt = 0;
    TsSkinManager::RebuildProviderFrame = [&](TForm* f) { rebuilt += f == form; };
    bool checked = false;
    recorder_->OnWait = [&] {
        if (checked) return;
        checked = true;
        HWND cover = nullptr;
        EnumWindows([&](HWND h) {
            if (IsCover(h)) cover = h;
            return true;
        });
        const HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(cover, region), RGN_ERROR);
        RECT box{};
        GetRgnBox(region, &box);
        DeleteObject(region);
        EXPECT_EQ(box, (RECT{0, 0, 30, 20}));
    };
    AnimateRepaint(form, 8);
    TsSkinManager::RebuildProviderFrame = nullptr;
    EXPECT_TRUE(checked);
    EXPECT_EQ(rebuilt, 1);
}

TEST_F(AnimateRepaintTest, AChildControlIsCoveredByASiblingJustAboveIt) {
    const COLORREF oldLook = RGB(0, 0, 0), newLook = RGB(255, 255, 255);
    TForm* form = ShownForm(RGB(9, 9, 9));
    auto* page = form->Make<Solid>(&log_, false);
    page->SetBounds(10, 10, 30, 20);
    page->SetColor(oldLook);
    page->SetParent(form);
    auto* front = form->Make<Solid>(&log_, false);
    front->SetBounds(35, 0, 20, 20);
    front->SetParent(form);
    ProcessPendingMessages();

    // Covered and then given up: nothing of the cover stays.
    PrepareAnimateRepaint(page);
    const HWND cover = GetWindow(front->Handle(), GW_HWNDNEXT);
    ASSERT_TRUE(IsCover(cover));
    EXPECT_EQ(GetParent(cover), form->Handle());
    EXPECT_EQ(GetWindow(cover, GW_HWNDNEXT), page->Handle());
    RECT coverRect{}, pageRect{};
    GetWindowRect(cover, &coverRect);
    GetWindowRect(page->Handle(), &pageRect);
    EXPECT_EQ(coverRect, pageRect);
    EXPECT_FALSE(IsRedrawEnabled(page->Handle()));
    CancelAnimateRepaint(page);
    EXPECT_FALSE(IsWindow(cover));
    EXPECT_TRUE(IsRedrawEnabled(page->Handle()));
    EXPECT_EQ(page->ComponentCount(), 0);

    // Prepared before the change, faded after it: the frames land in the form's window.
    PrepareAnimateRepaint(page);
    page->SetColor(newLook);
    recorder_->Watch = [&](HWND h) { return h == form->Handle(); };
    recorder_->Probe = POINT{15, 15};
    recorder_->Events.clear();
    AnimateRepaint(page, 8);
    // Weight 255 from black to white: (255*-255 + 255*256) >> 8 = 255 >> 8 = 0.
    EXPECT_EQ(recorder_->Events,
              (std::vector<std::string>{"frame 0,0,0", "wait 8", "frame 255,255,255", "wait 8",
                                        "frame 255,255,255"}));
    EXPECT_EQ(page->ComponentCount(), 0);
    EXPECT_TRUE(IsRedrawEnabled(page->Handle()));
}

TEST(OutputWindow, IsAnInvisiblePurplePopUpOfTheApplicationThatNeverErases) {
    UseHeadlessBackend();
    TApplication app;
    app.Initialize();
    struct Case {
        TFormStyle style;
        bool topmost;
    };
    for (const Case c : {Case{fsNormal, false}, Case{fsStayOnTop, true}}) {
        TForm* form = app.CreateForm<TForm>();
        form->SetFormStyle(c.style);
        auto* cover = form->Make<TOutputWindow>();
        EXPECT_EQ(cover->Caption(), kCoverCaption);
        EXPECT_FALSE(cover->Visible());
        EXPECT_EQ(cover->Color(), TColor(0x800080));
        const HWND h = cover->Handle();
        ASSERT_NE(h, nullptr);
        EXPECT_FALSE(IsWindowVisible(h));
        EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_POPUP);
        EXPECT_EQ(GetWindow(h, GW_OWNER), app.Handle());
        EXPECT_EQ(bool(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST), c.topmost);
        EXPECT_EQ(cover->Perform(WM_ERASEBKGND, 0, 0), 1);
        delete form;
    }
}

class PaintControlTreeTest : public SkinWindowTest {};

TEST_F(PaintControlTreeTest, ChildrenAppearAtTheirPlacesInTheWindowWithTheFrame) {
    auto* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsSingle);
    form->SetBounds(100, 50, 120, 90);
    form->SetColor(RGB(10, 10, 10));
    auto* plain = form->Make<Solid>(&log_, false);
    plain->SetBounds(5, 6, 40, 30);
    plain->SetColor(RGB(200, 0, 0));
    plain->SetParent(form);
    auto* skinned = plain->Make<Solid>(&log_, true);
    skinned->SetBounds(10, 12, 20, 10);
    skinned->SetColor(RGB(0, 200, 0));
    skinned->SetParent(plain);
    auto* swatch = form->Make<Swatch>();
    swatch->SetBounds(60, 4, 8, 8);
    swatch->SetColor(RGB(0, 0, 200));
    swatch->SetParent(form);
    form->Show();
    ProcessPendingMessages();

    Bitmap out(form->Width(), form->Height(), 24);
    PaintControlTree(out, form);
    // The client area's corner inside the window, where the frame ends.
    const RECT client = ClientRectInWindow(form->Handle());
    ASSERT_GT(client.top, 0);
    auto at = [&](int x, int y) {
        return out.GetPixel(client.left + x, client.top + y) & 0xFFFFFF;
    };
    EXPECT_EQ(at(0, 0), RGB(10, 10, 10));
    EXPECT_EQ(at(5, 6), RGB(200, 0, 0));
    EXPECT_EQ(at(44, 35), RGB(200, 0, 0));
    EXPECT_EQ(at(45, 36), RGB(10, 10, 10));
    EXPECT_EQ(at(5 + 10, 6 + 12), RGB(0, 200, 0));
    EXPECT_EQ(at(5 + 29, 6 + 21), RGB(0, 200, 0));
    EXPECT_EQ(at(5 + 30, 6 + 22), RGB(200, 0, 0));
    EXPECT_EQ(at(60, 4), RGB(0, 0, 200)) << "a windowless child comes with its parent's print";
    EXPECT_EQ(at(67, 11), RGB(0, 0, 200));
    // The frame matches what the window system shows on the screen.
    const Bitmap shot = Screenshot();
    EXPECT_EQ(out.GetPixel(0, 0) & 0xFFFFFF, shot.GetPixel(100, 50) & 0xFFFFFF);
    EXPECT_EQ(out.GetPixel(client.left + 3, client.top - 1) & 0xFFFFFF,
              shot.GetPixel(100 + client.left + 3, 50 + client.top - 1) & 0xFFFFFF);
    EXPECT_FALSE(skinned->Prints.empty()) << "a skinned control prints itself";

    // A form whose redraw is stopped, as under the animation's cover, renders the same.
    SendMessage(form->Handle(), WM_SETREDRAW, 0, 0);
    Bitmap stopped(form->Width(), form->Height(), 24);
    PaintControlTree(stopped, form);
    SendMessage(form->Handle(), WM_SETREDRAW, 1, 0);
    EXPECT_EQ(stopped.GetPixel(0, 0) & 0xFFFFFF, shot.GetPixel(100, 50) & 0xFFFFFF);
    EXPECT_EQ(stopped.GetPixel(client.left + 3, client.top - 1) & 0xFFFFFF,
              shot.GetPixel(100 + client.left + 3, 50 + client.top - 1) & 0xFFFFFF);
    EXPECT_EQ(stopped.GetPixel(client.left + 5, client.top + 6) & 0xFFFFFF, RGB(200, 0, 0));
}

TEST_F(PaintControlTreeTest, AWindowlessControlPaintsAtTheOriginAndHiddenChildrenAreLeftOut) {
    auto* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 50, 50);
    form->SetColor(RGB(9, 9, 9));
    auto* hidden = form->Make<Solid>(&log_, false);
    hidden->SetBounds(0, 0, 20, 20);
    hidden->SetColor(RGB(200, 0, 0));
    hidden->SetParent(form);
    hidden->Hide();
    auto* swatch = form->Make<Swatch>();
    swatch->SetBounds(30, 30, 6, 6);
    swatch->SetColor(RGB(0, 0, 200));
    swatch->SetParent(form);
    form->Show();
    ProcessPendingMessages();

    Bitmap whole(50, 50, 24);
    PaintControlTree(whole, form);
    EXPECT_EQ(whole.GetPixel(5, 5) & 0xFFFFFF, RGB(9, 9, 9));

    Bitmap alone(10, 10, 24);
    alone.Fill(RGB(1, 1, 1));
    PaintControlTree(alone, swatch);
    EXPECT_EQ(alone.GetPixel(0, 0) & 0xFFFFFF, RGB(0, 0, 200));
    EXPECT_EQ(alone.GetPixel(5, 5) & 0xFFFFFF, RGB(0, 0, 200));
    EXPECT_EQ(alone.GetPixel(6, 6) & 0xFFFFFF, RGB(1, 1, 1)) << "clipped to the control's size";
}

} // namespace
