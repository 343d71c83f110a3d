#pragma once
// The skinned scroll bars of one wrapped window. The window keeps the system's scroll state
// (range, page, position); these bars hide the system's own bars from the non-client size
// calculation, reserve their room, paint arrows, tracks and thumb from the skin, answer hit
// tests and turn clicks, holds and drags into the window's ordinary scroll messages.
//
// Pressing, hovering and dragging share one process-wide tracking state: only one bar of the
// program can be pressed or hovered at a time.
#include <memory>

#include "platform/core/WinTypes.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Messages.h"
#include "windows/qvScrollBar.h"

class TqvMainWnd;
class Bitmap;
struct ParentCacheInfo;

// The timers of the bars, on the wrapped window.
constexpr uintptr_t kScrollHoverTimer = 0xFFF2;
constexpr uintptr_t kScrollDelayTimer = 0xFFFD;
constexpr uintptr_t kScrollRepeatTimer = 0xFFFE;
constexpr UINT kScrollHoverMs = 20;
constexpr UINT kScrollDelayMs = 300;
constexpr UINT kScrollRepeatMs = 55;

class TqvScrollBars {
  public:
    explicit TqvScrollBars(TqvMainWnd& owner);
    ~TqvScrollBars();
    TqvScrollBars(const TqvScrollBars&) = delete;
    TqvScrollBars& operator=(const TqvScrollBars&) = delete;

    // The owner's message first: true when answered (not passed on). Messages handled
    // around the window's own handling (WM_NCCALCSIZE, WM_NCPAINT, WM_MOUSEWHEEL, timers,
    // style changes) are passed on from here, and answered.
    bool HandleMessage(TMessage& m);
    // Re-reads the scroll state and repaints the bars.
    void Refresh();
    // The shown bars and the square between them, onto the window's device context.
    void PaintBars(HDC windowDC);
    bool Dragging() const;
    // (width of a shown vertical bar, height of a shown horizontal bar)
    SIZE Reserved() const;

    TqvScrollBar Horizontal, Vertical;

    // Edge widths the last non-client size calculation measured (window to client, without
    // the bars), and whether the vertical bar stands on the left.
    RECT Edges{};
    bool LeftScrollBar = false;
    bool ThumbTracking = false;
    bool InternalScroll = false;
    bool IgnoreStyleChange = false;

    // Window coordinates.
    RECT BarRect(const TqvScrollBar& bar) const;
    RECT SquareRect() const;
    // A bar the system reports, with not both arrows disabled, not disabled by its range
    // and not marked unavailable.
    bool BarEnabled(const TqvScrollBar& bar) const;
    // Reads both scroll records and the system's disabled states.
    void ReadScrollInfo();

  private:
    HWND Window() const;
    TqvScrollBar& BarOf(int orientation) { return orientation == 1 ? Vertical : Horizontal; }
    int ArrowOf(const TqvScrollBar& bar) const;
    static int LengthOf(const TqvScrollBar& bar, const RECT& r);
    int AlongBar(const TqvScrollBar& bar, const RECT& r, POINT windowPoint) const;
    POINT CursorInWindow() const;
    int PartUnder(const TqvScrollBar& bar, POINT windowPoint) const;

    void CalcSize(TMessage& m);
    LRESULT HitTest(POINT screen) const;
    bool InCornerOfTopLevel() const;

    void RepaintBars();
    bool CanPaint() const;
    void PaintBar(TqvScrollBar& bar, HDC dc, const ParentCacheInfo& parent);
    void PaintPart(Bitmap& bitmap, RECT partRect, const RECT& barRect, int partCode,
                   const TqvScrollBar& bar, const ParentCacheInfo& parent, int state);
    int PartState(const TqvScrollBar& bar, int part) const;
    void PaintDisabled(Bitmap& bitmap, const RECT& barRect, const ParentCacheInfo& parent) const;
    void PaintSquare(HDC dc, const ParentCacheInfo& parent);

    void StartHover(int orientation);
    void HoverTick();
    bool Press(int hitCode, POINT screen);
    void DelayTick();
    void RepeatTick();
    void DragThumb(POINT client);
    void Release();
    // False when the window or this object went away during the send.
    bool SendRequest(int code, int position);
    void StopTracking();

    TqvMainWnd& owner_;
    bool releasing_ = false; // our own release of the capture is not a loss of it
    // Cleared when this object goes, so that code running after a send can tell.
    std::shared_ptr<bool> alive_;
};
