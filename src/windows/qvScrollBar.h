#pragma once
// One skinned scroll bar of a wrapped window: the system's scroll record it mirrors, what the
// window style and the system say about it, and its geometry along the bar (arrows, track,
// thumb and the part under a point). The geometry is pure arithmetic on the record, so that
// it can be checked apart from any window.
#include "platform/window/ScrollBars.h"

class TqvMainWnd;
class TsSkinManager;

// The parts of a bar; their codes are the scroll requests they send.
enum TqvScrollPart : int {
    spNone = -1,
    spLineUp = 0,   // left or up arrow
    spLineDown = 1, // right or down arrow
    spPageUp = 2,   // track before the thumb
    spPageDown = 3, // track after the thumb
    spThumb = 5,
};

// Bits of TqvScrollBar::StyleFlags.
enum TqvScrollBarFlag : unsigned {
    sbfFirstArrowDisabled = 1,
    sbfSecondArrowDisabled = 2,
    sbfRangeDisabled = 4,
    sbfHasStyle = 8, // the window style has WS_HSCROLL / WS_VSCROLL for this bar
};

// The thumb along a bar of some length, all counted from the bar's start.
struct TqvThumb {
    int Track = 0;  // the bar less its two arrows; negative when the arrows overlap
    int Length = 0; // 0: no thumb
    int Offset = 0; // from the track's start
    int Start(int arrow) const { return arrow + Offset; }
};

class TqvScrollBar {
  public:
    TqvScrollBar(int orientation, TqvMainWnd* owner) : Orientation(orientation), Owner(owner) {}

    int Orientation = 0; // 0 horizontal, 1 vertical
    TqvMainWnd* Owner = nullptr;
    SCROLLINFO ScrollInfo{};
    unsigned StyleFlags = 0;
    bool Shown = false; // laid out by the last non-client size calculation
    int ThicknessOverride = -1;
    int ArrowOverride = -1;
    int MinThumbLength = 0;

    bool Vertical() const { return Orientation == 1; }
    // maximum - minimum; negative for an empty range.
    int Range() const;
    // Neither both arrows nor the range disable the bar (what the style flags know).
    bool FlagsEnabled() const;

    // Across the bar: the override, else the system's scroll-bar height or width.
    int Thickness() const;
    // Along the bar, each arrow button: the override, else the system arrow width, widened
    // to the skin's arrow border when the skin asks for that.
    int ArrowLength(const TsSkinManager* manager) const;
    // The pixels each arrow button takes in a bar of `length`: half the bar when two arrows
    // do not fit.
    static int ArrowRoom(int length, int arrow) { return 2 * arrow < length ? arrow : length / 2; }

    TqvThumb Thumb(int length, int arrow) const;
    // The part at `along` pixels from the bar's start (spNone outside the bar).
    int PartAt(int along, int length, int arrow) const;
    int PartAt(int along, int length, int arrow, const TqvThumb& thumb) const;
    // The scroll position for a thumb dragged to `thumbOffset` from the track's start.
    int PositionForThumb(int thumbOffset, const TqvThumb& thumb) const;
};
