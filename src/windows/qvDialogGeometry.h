#pragma once
// The frame of a system dialog that is skinned from outside: what kind of frame its style
// asks for, the sizes of borders and caption from the system metrics, which window commands
// it offers, where its caption buttons go and what a point on the frame hits. Pure functions
// over a snapshot of the window, so that the dialog wrapper and its tests share one rule set.
#include "platform/core/WinTypes.h"

// 0 modal frame, 1 not yet initialized, 2 popup without a full caption, 3 sizing or other.
enum TqvFrameKind : unsigned char {
    fkModal = 0,
    fkUninitialized = 1,
    fkPopup = 2,
    fkSizing = 3,
};

// What the geometry is computed from.
struct TqvDialogFacts {
    unsigned char FrameKind = fkUninitialized;
    DWORD SavedStyle = 0; // the style read at initialization: it decides the commands
    DWORD SavedExStyle = 0;
    DWORD CurrentStyle = 0; // the style now (the caption bits decide the caption height)
    UINT ClassStyle = 0;
    bool Iconic = false;
    bool Maximized = false;
    int WindowWidth = 0; // of the window rectangle
    int WindowHeight = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
    int VScrollWidth = 0; // skinned scroll bars that show; 0 without
    int HScrollHeight = 0;
};

unsigned char DialogFrameKind(DWORD style);

int DialogFrameBorderWidth(const TqvDialogFacts& f);
int DialogFrameBorderHeight(const TqvDialogFacts& f);
int DialogCaptionHeight(const TqvDialogFacts& f);
int DialogTopAreaHeight(const TqvDialogFacts& f);
POINT DialogClientOrigin(const TqvDialogFacts& f);

enum class TqvDialogCommand { Restore, Move, Size, Minimize, Maximize, Close, Help };
bool DialogCommandVisible(const TqvDialogFacts& f, TqvDialogCommand command);
bool DialogCommandEnabled(const TqvDialogFacts& f, TqvDialogCommand command);

// One caption button as the layout sees it: the size of the record's own image (21 x 21
// without one), whether the image it would show now exists, and where it was placed.
struct TqvButtonSlot {
    SIZE Size{21, 21};
    bool Drawable = false;
    RECT Rect{}; // empty: not placed
};
struct TqvDialogButtons {
    TqvButtonSlot Minimize, Maximize, Close, Help;
};

// Width of the shown buttons side by side (no spacing); 0 without the system menu style.
int DialogButtonsWidth(const TqvDialogFacts& f, const TqvDialogButtons& b);
// Places the drawable buttons from the right border leftward; the others get empty rects.
void LayoutDialogButtons(const TqvDialogFacts& f, TqvDialogButtons& b);
// The button top for an image of the given height (lower images sit two pixels lower).
int DialogButtonTop(const TqvDialogFacts& f, int height);

// What the frame answers for a point in window coordinates. smallIconWidth is SM_CXSMICON;
// grip is the size of the skin's grip image, 0 x 0 without one. MakesHot: the answer is a
// button that becomes the hot one.
struct TqvDialogHit {
    int Code = 0;
    bool MakesHot = false;
};
TqvDialogHit DialogHitTest(const TqvDialogFacts& f, const TqvDialogButtons& b, POINT p,
                           int smallIconWidth, SIZE grip);
