#pragma once
// What the control tests share: a fresh headless screen and application per test, a shown
// form to put controls on, screen points of controls, and a picture of a window's client.
#include <gtest/gtest.h>
#include <memory>

#include "platform/backends/HeadlessBackend.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
    }
    void TearDown() override {
        app_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    TForm* MakeForm(int clientWidth, int clientHeight) {
        TForm* form = app_->CreateForm<TForm>();
        form->SetBorderStyle(bsSingle);
        form->SetClientSize(clientWidth, clientHeight);
        form->SetBounds(100, 50, form->Width(), form->Height());
        return form;
    }
    template <typename T>
    T* Child(TWinControl* parent, int l, int t, int w, int h, TAlign align = alNone) {
        T* c = parent->Make<T>();
        c->SetBounds(l, t, w, h);
        c->SetAlign(align);
        c->SetParent(parent);
        return c;
    }
    static void ShowAndSettle(TForm* form) {
        form->Show();
        ProcessPendingMessages();
    }
    // The screen point of (x, y) in the control's client area, through the nearest window.
    static POINT ScreenPoint(TControl* control, int x, int y) {
        if (auto* w = dynamic_cast<TWinControl*>(control); w && w->HandleAllocated()) {
            POINT p{x, y};
            ::ClientToScreen(w->Handle(), &p);
            return p;
        }
        return ScreenPoint(control->Parent(), x + control->Left(), y + control->Top());
    }
    // The control's client area as painted now (children included), in a 24-bit bitmap.
    static Bitmap ClientShot(TWinControl* control) {
        const int w = control->ClientWidth(), h = control->ClientHeight();
        const HDC dc = CreateCompatibleDC(nullptr);
        const HBITMAP bmp = CreateDIBSection(w, h, 24, true);
        const HGDIOBJ old = SelectObject(dc, bmp);
        control->PaintTo(dc, 0, 0);
        SelectObject(dc, old);
        Bitmap copy = *BitmapOf(bmp);
        DeleteObject(bmp);
        DeleteDC(dc);
        return copy;
    }
    static COLORREF Pixel(const Bitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; }

    std::unique_ptr<TApplication> app_;
};
