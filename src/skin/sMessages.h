#pragma once
// The skin command message: the sub-command codes carried in the high word of SM_ORVENCMD's
// wParam, the helpers that send, ask and broadcast it, and the shared answers that some
// commands fill in instead of returning a result.
#include <cstdint>

#include "graphics/ParentCacheInfo.h"
#include "graphics/sAlphaGraph.h"
#include "platform/window/WindowSystem.h"

class TControl;
class TWinControl;
struct TMessage;

enum TsSkinCommand : uint16_t {
    scSkinLoaded = 1,
    scRemoveSkin = 2,
    scRefresh = 3,
    scGetProvider = 4,
    scGetCache = 5,
    scRepaintNow = 6,
    scIsSkinned = 7,
    scSetUpdating = 8,
    scLockCache = 9,
    scIsNotReady = 10,
    scIsIncomplete = 11,
    scParentChanged = 12,
    scSetPaintingChild = 15,
    scStopFading = 16,
    scInvalidate = 17,
    scHasImageBackground = 19,
    scRefreshTree = 20,
    scGetBgColor = 21,
    scNotFullyPainted = 22,
    scRepaintFrame = 23,
    scChildChanged = 25,
    scGetSectionIndex = 26,
    scGetCaptionHeight = 27,
    scMouseEntered = 29,
    scMouseLeft = 30,
    scBeginUpdate = 31,
    scEndUpdate = 32,
    scScrollStart = 51,
    scScrollEnd = 52,
    scGetApplication = 60,
};

// wParam of SM_ORVENCMD: the code in the high word, the small argument in the low word.
constexpr WPARAM SkinCommandWParam(unsigned code, unsigned lowWord = 0) {
    return WPARAM(((code & 0xFFFFu) << 16) | (lowWord & 0xFFFFu));
}
constexpr unsigned SkinCommandCode(WPARAM wParam) { return unsigned(wParam >> 16) & 0xFFFFu; }
constexpr unsigned SkinCommandLowWord(WPARAM wParam) { return unsigned(wParam) & 0xFFFFu; }
// Whether a message is the skin command `code`.
bool IsSkinCommand(const TMessage& m, unsigned code);

// Single process-wide answers: the record scGetCache fills and the colour scGetBgColor
// writes. Read them right after the send that filled them.
extern ParentCacheInfo ParentCacheAnswer;
extern TColor ParentBgColor; // KeyColor when nothing is known

LRESULT SendSkinCommand(HWND window, WPARAM wParam, LPARAM lParam);
// A windowed control without a window, or one being destroyed, gets nothing and gives 0; a
// windowless control is reached through its window procedure.
LRESULT SendSkinCommand(TControl* control, WPARAM wParam, LPARAM lParam);
// True when the control wrote 1 into lParam, or else when its window answered 1.
bool AskSkinCommand(TControl* control, unsigned code);
bool AskWindowSkinCommand(HWND window, unsigned code);
// Passes the message on to every child: skinned windows and windowless children get it, any
// other windowed child is descended into. A child that throws is skipped.
void BroadcastToChildren(TWinControl* container, TMessage& message);
// Tells the control's form that the control changed (scChildChanged).
void NotifyForm(TControl* control);
// scRepaintNow to every windowed child with a window; a child that throws ends the loop.
void RepaintChildren(TWinControl* container);
// The same for every child window of a window handle.
void RepaintChildWindows(HWND window);
// The plain background colour the parent reports (scGetBgColor), or else its own colour.
TColor GetParentBgColor(TControl* parent);
