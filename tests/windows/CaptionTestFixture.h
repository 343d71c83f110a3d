#pragma once
// What the caption-button tests share: a frame host over a plain form whose geometry the test
// sets, a hand-written skin with solid-coloured button images, and the system commands the
// form was sent (recorded, not run).
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "paint/CommonDataTestFixture.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Messages.h"
#include "windows/sCaptionButtons.h"

// The answer the form's own handler gives to a hit test, unlike any code of ours.
constexpr LRESULT kOwnHit = 77;

class FakeCaptionHost : public TsCaptionHost {
  public:
    TForm* Form = nullptr;
    TsSkinManager* Manager = nullptr;
    TsTitleMetrics Metrics;
    bool Active = true;
    std::unique_ptr<Bitmap> Cache;
    TsResizeMode Resize = rmStandard;
    TsGripMode Grip = gmNone;
    std::vector<UINT> OwnMessages; // what reached the form's own handler
    std::vector<int> DragStarts;

    TForm* HostForm() const override { return Form; }
    TsSkinManager* HostManager() const override { return Manager; }
    TsTitleMetrics TitleMetrics() const override { return Metrics; }
    bool ShowsActive() const override { return Active; }
    Bitmap* FrameCache() override { return Cache.get(); }
    void CallOwnHandler(TMessage& m) override {
        OwnMessages.push_back(m.Msg);
        m.Result = m.Msg == WM_NCHITTEST ? kOwnHit : 0;
    }
    TsResizeMode ResizeMode() const override { return Resize; }
    TsGripMode GripMode() const override { return Grip; }
    void StartOutlineDrag(int hit, POINT) override { DragStarts.push_back(hit); }
};

// Button colours: frame 0 normal, 1 hot, 2 pressed.
constexpr TColor kNormal = 200;        // RGB(200, 0, 0)
constexpr TColor kHot = 200 << 8;      // RGB(0, 200, 0)
constexpr TColor kPressed = 200 << 16; // RGB(0, 0, 200)
constexpr TColor kFrameGrey = 0x646464;

class CaptionTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        manager_->MasterBitmap = std::make_unique<Bitmap>(160, 100, 24);
        manager_->MasterBitmap->Fill(KeyColor);
        manager_->SkinData.ButtonSpacing = 1;
        AddSection("GLOBALINFO");
        AddSection("FORM");
        // Big images 18 high: close 16 wide, maximise, minimise and restore 14 wide.
        AddButtonImage("BICONCLOSE", 0, 0, 16, 18);
        AddButtonImage("BICONMAX", 0, 18, 14, 18);
        AddButtonImage("BICONMIN", 0, 36, 14, 18);
        AddButtonImage("BICONNORM", 48, 0, 14, 18);

        form_->SetBorderStyle(bsSizeable);
        form_->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
        form_->Handle();
        host_.Form = form_;
        host_.Manager = manager_.get();
        // A 200 x 150 window with 4-pixel borders, an 18-pixel caption and a 16-pixel icon.
        host_.Metrics.FrameWidth = 200;
        host_.Metrics.FrameHeight = 150;
        host_.Metrics.FrameBorderWidth = 4;
        host_.Metrics.FrameBorderHeight = 4;
        host_.Metrics.CaptionHeight = 18;
        host_.Metrics.TopAreaHeight = 22;
        host_.Metrics.IconWidth = 16;
        host_.Metrics.IconHeight = 16;
        host_.Metrics.IconRect = RECT{4, 3, 20, 19};
        host_.Cache = std::make_unique<Bitmap>(200, 150, 24);
        host_.Cache->Fill(kFrameGrey);
        buttons_ = std::make_unique<TsCaptionButtons>(host_);
        hook_ = AddWindowMessageHook(form_->Handle(),
                                     [this](HWND, UINT msg, WPARAM w, LPARAM, LRESULT* result) {
                                         if (msg != WM_SYSCOMMAND) return false;
                                         Commands.push_back(w);
                                         *result = 0;
                                         return true;
                                     });
    }
    void TearDown() override {
        RemoveWindowMessageHook(hook_);
        buttons_.reset();
        CommonDataTest::TearDown();
    }
    // A three-frame image of solid frames (normal, hot, pressed) at (x, y) of the master.
    int AddButtonImage(const char* property, int x, int y, int frameWidth, int height,
                       const char* section = "GLOBALINFO") {
        const TColor colours[3] = {kNormal, kHot, kPressed};
        for (int f = 0; f < 3; ++f)
            for (int row = y; row < y + height; ++row)
                for (int col = 0; col < frameWidth; ++col)
                    manager_->MasterBitmap->SetPixel(x + f * frameWidth + col, row, colours[f]);
        return AddImage(section, property, RECT{x, y, x + 3 * frameWidth, y + height}, 3, 0);
    }
    void Activate() { buttons_->UpdateButtonIndexes("FORM"); }
    void Paint() {
        buttons_->SaveBackground(*host_.Cache);
        buttons_->PaintCaptionButtons(*host_.Cache);
    }
    LPARAM At(int x, int y) const {
        RECT w{};
        GetWindowRect(form_->Handle(), &w);
        return MAKELPARAM(w.left + x, w.top + y);
    }
    LRESULT Hit(int x, int y) {
        TMessage m{WM_NCHITTEST, 0, At(x, y), 0};
        return buttons_->HitTest(m);
    }
    bool Mouse(UINT msg, WPARAM hit, int x, int y) {
        TMessage m{msg, hit, At(x, y), 0};
        return buttons_->HandleMouseMessage(m);
    }
    // A client-area mouse message at window point (x, y), as the form gets it while it holds
    // the mouse.
    bool ClientMouse(UINT msg, int x, int y) {
        POINT p{x, y};
        const RECT inWindow = ClientRectInWindow(form_->Handle());
        TMessage m{msg, 0, MAKELPARAM(p.x - inWindow.left, p.y - inWindow.top), 0};
        return buttons_->HandleMouseMessage(m);
    }
    TColor CachePixel(int x, int y) const { return TColor(host_.Cache->GetPixel(x, y)); }

    FakeCaptionHost host_;
    std::unique_ptr<TsCaptionButtons> buttons_;
    std::vector<WPARAM> Commands;
    int hook_ = 0;
};
