#pragma once
// What the dialog skinning tests share: a hand-written skin with a plain "DIALOG" section and
// solid-coloured caption button images, and real "#32770" dialogs built from templates whose
// system commands are recorded instead of run.
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "paint/CommonDataTestFixture.h"
#include "platform/dialogs/Dialog.h"
#include "platform/window/WindowSystem.h"
#include "windows/qvDialogWnd.h"
#include "windows/qvProvider.h"

// Button colours: frame 0 normal, 1 hot, 2 pressed.
constexpr TColor kButtonNormal = 200;        // RGB(200, 0, 0)
constexpr TColor kButtonHot = 200 << 8;      // RGB(0, 200, 0)
constexpr TColor kButtonPressed = 200 << 16; // RGB(0, 0, 200)
constexpr TColor kDialogColor = 0x336699;
constexpr DWORD kModalFrameStyle = 0x80;
constexpr DWORD kModalPopupStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | kModalFrameStyle;
constexpr DWORD kSizeableStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

class DialogTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        RegisterDialogClass();
        manager_->MasterBitmap = std::make_unique<Bitmap>(200, 100, 24);
        manager_->MasterBitmap->Fill(KeyColor);
        AddSection("GLOBALINFO");
        TsGeneralData& dialog = AddSection("DIALOG", kDialogColor);
        dialog.HotColor = kDialogColor;
        // Small images 16 x 14, big ones 20 x 18 (close) and 18 x 18.
        smallClose_ = AddButtonImage("SICONCLOSE", 0, 0, 16, 14);
        AddButtonImage("SICONMAX", 0, 14, 16, 14);
        AddButtonImage("SICONMIN", 0, 28, 16, 14);
        bigClose_ = AddButtonImage("BICONCLOSE", 0, 42, 20, 18);
        bigMax_ = AddButtonImage("BICONMAX", 0, 60, 18, 18);
        AddButtonImage("BICONMIN", 60, 0, 18, 18);
        restore_ = AddButtonImage("BICONNORM", 60, 18, 18, 18);
    }
    void TearDown() override {
        providers_.clear();
        for (HWND d : dialogs_)
            if (IsWindow(d)) DestroyWindow(d);
        for (int hook : hooks_) RemoveWindowMessageHook(hook);
        CommonDataTest::TearDown();
    }
    int AddButtonImage(const char* property, int x, int y, int frameWidth, int height) {
        const TColor colours[3] = {kButtonNormal, kButtonHot, kButtonPressed};
        for (int f = 0; f < 3; ++f)
            for (int row = y; row < y + height; ++row)
                for (int col = 0; col < frameWidth; ++col)
                    manager_->MasterBitmap->SetPixel(x + f * frameWidth + col, row, colours[f]);
        return AddImage("GLOBALINFO", property, RECT{x, y, x + 3 * frameWidth, y + height}, 3, 0);
    }
    static intptr_t QuietProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
    // A visible modeless dialog of the client size with the given children; its system
    // commands are recorded in Commands.
    HWND MakeDialog(DWORD style, int cx, int cy, std::vector<DialogItemTemplate> items = {}) {
        DialogTemplate t;
        t.style = style | WS_VISIBLE;
        t.x = 50;
        t.y = 40;
        t.cx = cx;
        t.cy = cy;
        t.caption = "T";
        t.items = std::move(items);
        const HWND d = CreateDialogIndirectParam(nullptr, t, nullptr, &DialogTest::QuietProc, 0);
        dialogs_.push_back(d);
        hooks_.push_back(
            AddWindowMessageHook(d, [this](HWND, UINT msg, WPARAM w, LPARAM, LRESULT* result) {
                if (msg != WM_SYSCOMMAND) return false;
                Commands.push_back(w & 0xFFF0);
                *result = 0;
                return true;
            }));
        return d;
    }
    TqvProvider& Attach(HWND dialog) {
        providers_.push_back(std::make_unique<TqvProvider>(dialog, manager_.get()));
        return *providers_.back();
    }
    LPARAM At(HWND dialog, int x, int y) const {
        RECT w{};
        GetWindowRect(dialog, &w);
        return MAKELPARAM(w.left + x, w.top + y);
    }
    static TColor Pixel(const TqvDialogWnd& wnd, int x, int y) {
        return TColor(wnd.SkinData->CacheBitmap->GetPixel(x, y));
    }

    int smallClose_ = -1, bigClose_ = -1, bigMax_ = -1, restore_ = -1;
    std::vector<WPARAM> Commands;
    std::vector<std::unique_ptr<TqvProvider>> providers_;
    std::vector<HWND> dialogs_;
    std::vector<int> hooks_;
};
