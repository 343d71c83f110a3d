#pragma once
// Functions the window system's implementation files share; not for use above it.
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WindowSystem.h"

// Asks the window for its client rectangle (WM_NCCALCSIZE) and stores it.
void RecalcClientRect(HWND hwnd);
// Invalidates the area of the window's parent that the window covers now.
void InvalidateParentArea(HWND hwnd);
// Minimize, maximize or restore (ShowWindow commands).
void ChangeWindowState(HWND hwnd, int cmd);
void ForgetWindowTimers(HWND hwnd);
void TopLevelChangedNotice(HWND topLevel);
void WindowDestroyedNotice(HWND topLevel);
LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam);

// What a window may paint, in its top-level window's coordinates: its window (or client)
// area, cut by its window region, its ancestors' client areas, the siblings above it that
// clip it and, when asked, its children.
Region VisibleRegion(HWND hwnd, bool clientOnly, bool clipChildren);

// The window and every window it lies in are enabled: only then may it take mouse or keyboard
// input (a disabled window disables all it contains, windowless controls included).
bool AcceptsInput(HWND hwnd);
// A press landed on a window that a modal window disables: the modal window comes to the
// front and flashes instead.
void ActivateBlockingWindow(HWND disabled);

// The character TranslateMessage makes of a key pressed with these modifiers, 0 for none.
uint32_t KeyCharacter(UINT vk, bool shift, bool ctrl);

// WindowFromPoint that passes over the given windows (those that answered HTTRANSPARENT), so
// the point reaches the window beneath them: a sibling lower in z-order, or the parent.
HWND WindowFromPointExcept(POINT screen, const std::vector<HWND>& skip);

// Paints the visible top-level windows, back to front, into a screen-sized bitmap, and
// what was drawn straight onto the screen over them.
void ComposeScreen(Bitmap& screen);
// The windows alone.
void ComposeWindows(Bitmap& screen);
// The pixels of one top-level window as shown (its region and colour key applied over black).
void ComposeWindow(HWND topLevel, Bitmap& out);

// Moving and sizing by mouse (the WM_SYSCOMMAND SC_MOVE and SC_SIZE loops): while one runs,
// mouse input moves or sizes the window instead of becoming messages. `hit` is HTCAPTION for
// a move or one of HTLEFT..HTBOTTOMRIGHT for a size. anchor (screen coordinates): the point
// that follows the mouse; null for the cursor's own position.
void StartMoveSize(HWND hwnd, int hit, const POINT* anchor = nullptr);
bool MoveSizeActive();
// A caption button pressed with the mouse: the command goes out when the button is released
// over the same button.
void StartCaptionButtonTracking(HWND hwnd, int hit);

// The classic frame: its border width, the caption height and drawing.
int FrameBorderWidth(DWORD style, DWORD exStyle);
// The sizes the system proposes before it asks the window (WM_GETMINMAXINFO): a maximised
// window covers the work area with its frame just outside it.
MINMAXINFO DefaultMinMaxInfo(HWND hwnd);
void PaintClassicFrame(HWND hwnd, HDC windowDC);

// A top-level window's menu bar and system menu belong to the menu layer, which sits above
// this one: it hands the default non-client handling these calls when it is first used. Until
// then no window has a menu bar and the caption icon does nothing.
struct NonClientMenu {
    int (*barHeight)(HWND hwnd);                                // 0 without a menu bar
    void (*paintBar)(HWND hwnd, HDC windowDC, const RECT& bar); // bar in window coordinates
    void (*barMouseDown)(HWND hwnd, POINT screen);              // WM_NCLBUTTONDOWN on HTMENU
    void (*barKey)(HWND hwnd, WPARAM keyMenuParam);             // WM_SYSCOMMAND SC_KEYMENU
    void (*systemMenuMouseDown)(HWND hwnd, POINT screen);       // WM_NCLBUTTONDOWN on HTSYSMENU
};
void SetNonClientMenu(const NonClientMenu& menu);

// The scroll bars of a window with WS_VSCROLL / WS_HSCROLL, drawn and operated by their own
// unit; the default non-client handling calls them.
void ScrollBarsCalcSize(HWND hwnd, RECT& client); // reserves the bars' space
void PaintScrollBars(HWND hwnd, HDC windowDC);
int ScrollBarHitTest(HWND hwnd, POINT inWindow);           // HTVSCROLL, HTHSCROLL or HTNOWHERE
void ScrollBarMouseDown(HWND hwnd, int hit, POINT screen); // WM_NCLBUTTONDOWN on a bar
