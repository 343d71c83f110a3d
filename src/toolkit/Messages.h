#pragma once
// Messages of the toolkit: the message record every control's WndProc takes, and the
// toolkit's own notifications (CM_*) and reflected control notifications (CN_*). The numbers
// keep clear of 0xA100, 0xBC4D, 0xBCB3 and 0xBCB4, which other parts of the program own.
#include <string>

#include "platform/window/WindowSystem.h"

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

class TControl;

// What a hint about to show will show, and where; the control it belongs to may change both
// when it gets CM_HINTSHOW.
struct THintInfo {
    TControl* HintControl = nullptr;
    POINT CursorPos{}; // the mouse, in the control's client coordinates
    POINT HintPos{};   // the hint's top-left corner, on the screen
    std::string HintStr;
};

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 1;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 2;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 3;
constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
constexpr UINT CM_COLORCHANGED = CM_BASE + 5;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 6;
constexpr UINT CM_MOUSEENTER = CM_BASE + 7;        // lParam: the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 8;        // lParam: the control
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 9; // wParam: the control, lParam: inserted
constexpr UINT CM_MENUCHANGED = CM_BASE + 10;
constexpr UINT CM_HINTSHOW = CM_BASE + 11; // lParam: THintInfo*; a non-zero result shows no hint
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 12; // wParam: group index, lParam: the button
constexpr UINT CM_ENTER = CM_BASE + 13;
constexpr UINT CM_EXIT = CM_BASE + 14;
constexpr UINT CM_BOUNDSCHANGED = CM_BASE + 15; // a windowless control moved or was resized
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 17;

// Notifications a parent reflects back to the control that sent them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_DROPDOWNCLOSED = CN_BASE + 0x0140;
