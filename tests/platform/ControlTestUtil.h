#pragma once
// A dialog-like parent for the standard control classes: it records the notifications and
// colour questions it receives and can answer the colour questions with a brush of its own.
#include <functional>
#include <vector>

#include "WindowTestUtil.h"
#include "platform/controls/ControlSupport.h"

struct ParentEvent {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    UINT notifyCode = 0; // WM_NOTIFY: the code of the NMHDR
    UINT drawState = 0;  // WM_DRAWITEM: the item state
    UINT drawType = 0;   // WM_DRAWITEM: the control type
};

struct ParentConfig {
    std::vector<ParentEvent> events;
    HBRUSH colorBrush = nullptr; // answer to WM_CTLCOLOR... when set
    COLORREF textColor = 0;
    bool setTextColor = false;
    std::function<void(UINT msg, WPARAM, LPARAM)> onMessage; // runs after recording
    LRESULT notifyAnswer = 0;
};

inline ParentConfig& Parent() {
    static ParentConfig config;
    return config;
}

inline bool IsColorQuestion(UINT msg) { return msg >= 0x0132 && msg <= 0x0138; }

inline LRESULT ControlParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ParentConfig& p = Parent();
    if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM || msg == WM_VSCROLL ||
        msg == WM_HSCROLL || IsColorQuestion(msg)) {
        ParentEvent e{msg, wParam, lParam};
        if (msg == WM_NOTIFY) e.notifyCode = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (msg == WM_DRAWITEM) {
            e.drawState = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->itemState;
            e.drawType = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType;
        }
        p.events.push_back(e);
        if (p.onMessage) p.onMessage(msg, wParam, lParam);
    }
    if (msg == WM_NOTIFY) return p.notifyAnswer;
    if (IsColorQuestion(msg) && p.colorBrush) {
        if (p.setTextColor) SetTextColor(reinterpret_cast<HDC>(wParam), p.textColor);
        return LRESULT(reinterpret_cast<uintptr_t>(p.colorBrush));
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class ControlTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Parent() = ParentConfig{};
        WNDCLASS wc;
        wc.lpszClassName = "ControlParent";
        wc.lpfnWndProc = ControlParentProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        parent_ =
            Track(CreateWindowEx(0, "ControlParent", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                 100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr));
        SetActiveWindow(parent_);
        ProcessPendingMessages();
    }
    void TearDown() override {
        WindowTest::TearDown();
        if (Parent().colorBrush) DeleteObject(Parent().colorBrush);
        Parent() = ParentConfig{};
    }
    HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
               DWORD ex = 0) {
        return CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent_,
                              reinterpret_cast<HMENU>(uintptr_t(id)), nullptr, nullptr);
    }
    // A point of a child's client area in screen coordinates.
    static POINT At(HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return p;
    }
    static POINT Centre(HWND hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        return At(hwnd, r.right / 2, r.bottom / 2);
    }
    // The notifications of one kind the parent received, as (code, control) pairs.
    static std::vector<std::pair<int, HWND>> Commands() {
        std::vector<std::pair<int, HWND>> out;
        for (const ParentEvent& e : Parent().events)
            if (e.msg == WM_COMMAND)
                out.push_back({HIWORD(e.wParam), reinterpret_cast<HWND>(e.lParam)});
        return out;
    }
    static int CountOf(UINT msg) {
        int n = 0;
        for (const ParentEvent& e : Parent().events) n += e.msg == msg;
        return n;
    }
    // The colour of a pixel of a child's client area as shown on the screen.
    static COLORREF ScreenPixel(HWND hwnd, int x, int y) {
        ProcessPendingMessages();
        const POINT p = At(hwnd, x, y);
        return COLORREF(Screenshot().GetPixel(p.x, p.y));
    }
    HWND parent_ = nullptr;
};
