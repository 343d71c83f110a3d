#pragma once
// The window manager with the Win32 names and semantics: window classes and windows,
// messages and the queue, subclassing, properties, hooks, timers, activation, focus,
// capture, painting and the non-client area. Everything runs on one thread.
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "platform/core/Handles.h"
#include "platform/core/WinConst.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Region.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using HOOKPROC = LRESULT (*)(int code, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, uintptr_t, DWORD);
using HINSTANCE = void*;

constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr uintptr_t MAKELONG(WORD lo, WORD hi) { return uintptr_t(lo) | (uintptr_t(hi) << 16); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(MAKELONG(WORD(lo), WORD(hi))); }
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(MAKELONG(WORD(lo), WORD(hi))); }
constexpr int GET_X_LPARAM(LPARAM l) { return int(int16_t(LOWORD(uintptr_t(l)))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int(int16_t(HIWORD(uintptr_t(l)))); }

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr; // or a system colour index + 1
    std::string lpszClassName;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0, cx = 0, y = 0, x = 0;
    LONG style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{};
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3]{};
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    POINT ptReserved{};
    POINT ptMaxSize{};
    POINT ptMaxPosition{};
    POINT ptMinTrackSize{};
    POINT ptMaxTrackSize{};
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false;
    RECT rcPaint{};
};

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};

struct CBT_CREATEWND {
    CREATESTRUCT* lpcs = nullptr;
    HWND hwndInsertAfter = nullptr;
};

struct CBTACTIVATESTRUCT {
    bool fMouse = false;
    HWND hWndActive = nullptr;
};

struct NMHDR {
    HWND hwndFrom = nullptr;
    uintptr_t idFrom = 0;
    UINT code = 0;
};

// ---- Classes and windows
ATOM RegisterClass(const WNDCLASS& wc);
bool UnregisterClass(std::string_view className);
bool GetClassInfo(std::string_view className, WNDCLASS* wc);
// Registers a class unless one of that name exists already (the standard classes register on
// first use); a background may be a system colour index + 1.
void RegisterClassOnce(std::string_view className, WNDPROC proc, UINT style = 0,
                       HBRUSH background = nullptr, HCURSOR cursor = nullptr);
int GetClassName(HWND hwnd, char* buffer, int size);
std::string GetClassName(HWND hwnd);
uintptr_t GetClassLongPtr(HWND hwnd, int index);

constexpr int CW_USEDEFAULT = int(0x80000000);
HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                    HINSTANCE instance, void* param);
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
bool IsWindowVisible(HWND hwnd); // the window and all its ancestors are visible
bool IsWindowEnabled(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool IsChild(HWND parent, HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable); // returns whether it was disabled before
HWND GetParent(HWND hwnd);                 // the parent of a child, the owner of a pop-up
HWND SetParent(HWND hwnd, HWND parent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd); // null: the topmost top-level window
HWND GetDesktopWindow();
bool EnumChildWindows(HWND parent, const std::function<bool(HWND)>& visit); // any depth
bool EnumWindows(const std::function<bool(HWND)>& visit); // top-level, top of z-order first

using LONG_PTR = intptr_t;
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLong(HWND hwnd, int index) { return LONG(GetWindowLongPtr(hwnd, index)); }
inline LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    return LONG(SetWindowLongPtr(hwnd, index, value));
}
// Replaces a window's procedure (GWL_WNDPROC), returning the previous one for CallWindowProc.
WNDPROC SubclassWindow(HWND hwnd, WNDPROC proc);

bool SetProp(HWND hwnd, std::string_view name, void* data);
void* GetProp(HWND hwnd, std::string_view name);
void* RemoveProp(HWND hwnd, std::string_view name);

bool SetWindowText(HWND hwnd, std::string_view text);
int GetWindowText(HWND hwnd, char* buffer, int size);
std::string GetWindowText(HWND hwnd);
int GetWindowTextLength(HWND hwnd);

// ---- Geometry (window rectangles in screen coordinates, client rectangles from (0, 0))
bool GetWindowRect(HWND hwnd, RECT* rect);
bool GetClientRect(HWND hwnd, RECT* rect);
bool ClientToScreen(HWND hwnd, POINT* point);
bool ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
// The client rectangle in window coordinates (its offset inside the window rectangle).
RECT ClientRectInWindow(HWND hwnd);
bool ShowWindow(HWND hwnd, int cmd); // returns whether it was visible before
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool BringWindowToTop(HWND hwnd);
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);

// ---- Messages
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Blocks until a message arrives (the backend waits for input or time); false on WM_QUIT.
bool GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
bool PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
LRESULT DispatchMessage(const MSG* msg);
bool TranslateMessage(const MSG* msg); // WM_KEYDOWN of a character key posts WM_CHAR
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
UINT RegisterWindowMessage(std::string_view name);
// Handles everything waiting (posted and input messages, due timers, paints) and returns.
void ProcessPendingMessages();
DWORD GetMessageTime();
POINT GetMessagePos();

// ---- Activation, focus, capture, input state
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
bool TrackMouseEvent(TRACKMOUSEEVENT* tme);
bool GetCursorPos(POINT* point);
int16_t GetKeyState(int vk); // high bit set while down
int16_t GetAsyncKeyState(int vk);

// ---- Timers, driven by the backend's clock
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs, TIMERPROC proc);
bool KillTimer(HWND hwnd, uintptr_t id);
DWORD GetTickCount();
void Sleep(DWORD ms); // on the virtual clock this only advances time

// ---- Hooks
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// A hook on every message sent or posted to one window, seen before its procedure; returning
// true marks the message handled with *result.
using WindowMessageHook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT* result)>;
int AddWindowMessageHook(HWND hwnd, WindowMessageHook hook);
void RemoveWindowMessageHook(int id);

// ---- Painting
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
bool InvalidateRgn(HWND hwnd, HRGN region, bool erase);
bool ValidateRect(HWND hwnd, const RECT* rect);
bool ValidateRgn(HWND hwnd, HRGN region);
bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase);
int GetUpdateRgn(HWND hwnd, HRGN region, bool erase);
bool UpdateWindow(HWND hwnd);
bool RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);       // client area; null or the desktop: the screen, whose drawing stays
                            // over the windows until drawn away (ScreenOverlay)
HDC GetWindowDC(HWND hwnd); // whole window including the non-client area; the desktop: the screen
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
// Takes ownership of the region (window coordinates); null removes it.
int SetWindowRgn(HWND hwnd, HRGN region, bool redraw);
int GetWindowRgn(HWND hwnd, HRGN region);
// Whether painting of the window is currently allowed (WM_SETREDRAW).
bool IsRedrawEnabled(HWND hwnd);

// ---- Layered windows
constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;
bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);

// ---- Screen and system
int GetSystemMetrics(int index);
struct NONCLIENTMETRICS {
    int iBorderWidth = 1;
    int iCaptionWidth = 18;
    int iCaptionHeight = 18;
    LOGFONT lfCaptionFont;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth = 18;
    int iMenuHeight = 18;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};
bool SystemParametersInfo(UINT action, UINT param, void* out, UINT flags);
// Win32 MulDiv: a*b/c rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);
using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
// Visual styles do not exist here; switching them off always succeeds.
HRESULT SetWindowTheme(HWND hwnd, const char* subAppName, const char* subIdList);

// ---- Cursors
constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;
HCURSOR LoadCursor(HINSTANCE instance, int id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// Exceptions that escape a window procedure during DispatchMessage go to this handler (the
// application's default error handler); the rest of that handler is skipped and the message
// loop goes on. Without a handler they propagate.
void SetDispatchExceptionHandler(std::function<void(std::exception_ptr)> handler);
