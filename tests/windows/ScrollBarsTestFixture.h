#pragma once
// What the skinned scroll-bar tests share: a plain child window of a borderless top-level
// window, with a window procedure that scrolls the way a list does (one line per arrow
// request, a page per track request, the thumb's position as sent) and records every scroll
// message and scroll-start / scroll-end skin command it receives, with the virtual time.
// The child is wrapped by a scroll wrapper whose bars draw from plain colour sections.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "paint/CommonDataTestFixture.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/window/ScrollBars.h"
#include "windows/qvScrollBars.h"
#include "windows/qvScrollWnd.h"

struct ScrollRecord {
    UINT Message = 0; // WM_VSCROLL, WM_HSCROLL or SM_ORVENCMD
    int Code = 0;     // the request, or the skin command
    int Position = 0; // the request's position, or the skin command's lParam
    DWORD Time = 0;
    bool operator==(const ScrollRecord& o) const {
        return Message == o.Message && Code == o.Code && Position == o.Position;
    }
};

inline std::vector<ScrollRecord>& ScrollLog() {
    static std::vector<ScrollRecord> log;
    return log;
}

constexpr uintptr_t kOwnTimer = 7;

inline LRESULT ScrollingWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        const int code = LOWORD(wParam), position = HIWORD(wParam);
        ScrollLog().push_back({msg, code, position, GetTickCount()});
        const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd, bar, &si);
        int next = si.nPos;
        switch (code) {
        case SB_LINEUP: next -= 1; break;
        case SB_LINEDOWN: next += 1; break;
        case SB_PAGEUP: next -= int(si.nPage); break;
        case SB_PAGEDOWN: next += int(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: next = position; break;
        default: break;
        }
        SetScrollPos(hwnd, bar, next, true);
        return 0;
    }
    if (msg == WM_TIMER && wParam == kOwnTimer) {
        // A timer of the window's own that scrolls it without repainting anything.
        SetScrollPos(hwnd, SB_VERT, 40, false);
        return 0;
    }
    if (msg == SM_ORVENCMD) {
        const unsigned code = SkinCommandCode(wParam);
        if (code == scScrollStart || code == scScrollEnd)
            ScrollLog().push_back({msg, int(code), int(lParam), GetTickCount()});
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class ScrollBarsTest : public CommonDataTest {
  protected:
    static constexpr TColor kTopColor = 0x0000FF, kTopHot = 0x000080;
    static constexpr TColor kBottomColor = 0x00FF00, kBottomHot = 0x008000;
    static constexpr TColor kTrack1Color = 0xFF0000, kTrack2Color = 0xFFFF00;
    static constexpr TColor kThumbColor = 0x00FFFF, kThumbHot = 0x008080;
    static constexpr TColor kTrack1HColor = 0x505050;
    static constexpr TColor kEditColor = 0x202020;

    void SetUp() override {
        CommonDataTest::SetUp();
        ScrollLog().clear();
        AddPart("SCROLLBTNTOP", kTopColor, kTopHot);
        AddPart("SCROLLBTNBOTTOM", kBottomColor, kBottomHot);
        AddPart("SCROLLBAR1V", kTrack1Color, kTrack1Color);
        AddPart("SCROLLBAR2V", kTrack2Color, kTrack2Color);
        AddPart("SCROLLSLIDERV", kThumbColor, kThumbHot);
        AddPart("SCROLLBAR1H", kTrack1HColor, kTrack1HColor);
        // The wrapper's own section: its cache is the background behind the bars.
        AddPart("EDIT", kEditColor, kEditColor);
        manager_->LookupCachedIndexes();
        RegisterClassOnce("ScrollBarsTestWindow", &ScrollingWindowProc);
        top_ = CreateWindowEx(0, "ScrollBarsTestWindow", "", WS_POPUP | WS_VISIBLE, 100, 100, 300,
                              250, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        wrapper_.reset();
        if (IsWindow(top_)) DestroyWindow(top_);
        ProcessPendingMessages();
        CommonDataTest::TearDown();
    }

    void AddPart(const std::string& name, TColor color, TColor hot) {
        AddSection(name, color).HotColor = hot;
    }

    // A child at (10, 10) of the top window; its window rectangle starts at screen (110, 110).
    // Range 0..99 with a page of 20 by default.
    HWND Wrapped(int width, int height, DWORD style = WS_VSCROLL, int x = 10, int y = 10) {
        child_ = CreateWindowEx(0, "ScrollBarsTestWindow", "", WS_CHILD | WS_VISIBLE | style, x, y,
                                width, height, top_, nullptr, nullptr, nullptr);
        // A scrollable range shows the system's bar: only the bars of the style get one.
        if (style & WS_VSCROLL) SetRange(SB_VERT, 0, 99, 20, 0);
        if (style & WS_HSCROLL) SetRange(SB_HORZ, 0, 99, 20, 0);
        wrapper_ = std::make_unique<TqvScrollWnd>(child_, true, "EDIT", manager_.get(), nullptr);
        wrapper_->Start();
        SetWindowPos(child_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ProcessPendingMessages();
        ScrollLog().clear();
        return child_;
    }
    void SetRange(int bar, int minimum, int maximum, int page, int position) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = minimum;
        si.nMax = maximum;
        si.nPage = UINT(page);
        si.nPos = position;
        SetScrollInfo(child_, bar, &si, true);
    }
    TqvScrollBars& Bars() { return *wrapper_->ScrollBars(); }
    // The wrapper answers no background for its bars until its cache is rebuilt.
    void WithoutBackground() {
        wrapper_->SkinData->CacheBitmap->SetSize(0, 0);
        wrapper_->SkinData->CacheInvalid = false;
    }
    int Position(int bar = SB_VERT) const { return GetScrollPos(child_, bar); }
    // A pixel of the child as the screen shows it, in window coordinates.
    TColor Pixel(int x, int y) const {
        RECT c{}, t{};
        GetWindowRect(child_, &c);
        GetWindowRect(top_, &t);
        return TColor(WindowShot(top_).GetPixel(c.left - t.left + x, c.top - t.top + y) & 0xFFFFFF);
    }
    // The requests (message, code, position) the child received, in order.
    std::vector<ScrollRecord> Requests() const {
        std::vector<ScrollRecord> r;
        for (const ScrollRecord& e : ScrollLog())
            if (e.Message != SM_ORVENCMD) r.push_back(e);
        return r;
    }
    static ScrollRecord V(int code, int position) { return {WM_VSCROLL, code, position, 0}; }

    HWND top_ = nullptr;
    HWND child_ = nullptr;
    std::unique_ptr<TqvScrollWnd> wrapper_;
};
