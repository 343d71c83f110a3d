#pragma once
// The tool bar window class "ToolbarWindow32": a row of text buttons and separators that
// reports clicks to its parent and lets the parent take over painting through custom draw.
#include <cstdint>

#include "platform/controls/CustomDraw.h"
#include "platform/controls/StatusBar.h" // the shared CCS_* styles
#include "platform/window/WindowSystem.h"

constexpr char TOOLBARCLASSNAME[] = "ToolbarWindow32";

struct TBBUTTON {
    int iBitmap = 0; // a separator's width (0: the default 8)
    int idCommand = 0;
    BYTE fsState = 0;
    BYTE fsStyle = 0;
    uintptr_t dwData = 0;
    intptr_t iString = 0; // a UTF-8 const char* (copied), or 0 for none
};

constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;
constexpr UINT TB_CHECKBUTTON = WM_USER + 2;
constexpr UINT TB_SETSTATE = WM_USER + 17;
constexpr UINT TB_GETSTATE = WM_USER + 18;
constexpr UINT TB_ADDBUTTONSA = WM_USER + 20;
constexpr UINT TB_INSERTBUTTONA = WM_USER + 21;
constexpr UINT TB_DELETEBUTTON = WM_USER + 22;
constexpr UINT TB_GETBUTTON = WM_USER + 23;
constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;
constexpr UINT TB_GETITEMRECT = WM_USER + 29;
constexpr UINT TB_BUTTONSTRUCTSIZE = WM_USER + 30;
constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31;
constexpr UINT TB_AUTOSIZE = WM_USER + 33;
constexpr UINT TB_GETBUTTONSIZE = WM_USER + 58;
constexpr UINT TB_GETHOTITEM = WM_USER + 71;
constexpr UINT TB_SETHOTITEM = WM_USER + 72;

constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr BYTE TBSTYLE_DROPDOWN = 0x08;

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
// A separator whose place holds a control the owner puts over it: no line is drawn there.
constexpr BYTE TBSTATE_HOLDSCONTROL = 0x80;

constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;

constexpr LRESULT TBCDRF_NOEDGES = 0x00010000;
constexpr LRESULT TBCDRF_HILITEHOTTRACK = 0x00020000; // named for owners; drawn as usual
constexpr LRESULT TBCDRF_NOOFFSET = 0x00040000;       // named for owners; drawn as usual
constexpr LRESULT TBCDRF_NOMARK = 0x00080000;         // named for owners; drawn as usual
constexpr LRESULT TBCDRF_NOETCHEDEFFECT = 0x00100000;

struct NMTBCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    HBRUSH hbrMonoDither = nullptr;
    HBRUSH hbrLines = nullptr;
    HPEN hpenLines = nullptr;
    COLORREF clrText = 0; // the item's text colour; the parent may change it
    COLORREF clrMark = 0;
    COLORREF clrTextHighlight = 0;
    COLORREF clrBtnFace = 0;
    COLORREF clrBtnHighlight = 0;
    COLORREF clrHighlightHotTrack = 0;
    RECT rcText{};
    int nStringBkMode = 0;
    int nHLStringBkMode = 0;
    int iListGap = 0;
};

constexpr UINT TBN_DROPDOWN = UINT(-710);
constexpr UINT TBN_DELETINGBUTTON = UINT(-715);

struct NMTOOLBAR {
    NMHDR hdr;
    int iItem = 0; // the button's command id
    TBBUTTON tbButton;
    int cchText = 0;
    const char* pszText = nullptr;
    RECT rcButton{};
};

// Button and separator sizes when nobody sets them.
constexpr int TOOLBAR_DEFAULT_BUTTON_WIDTH = 24;
constexpr int TOOLBAR_DEFAULT_BUTTON_HEIGHT = 22;
constexpr int TOOLBAR_DEFAULT_SEPARATOR_WIDTH = 8;

// Registers the class (again is harmless).
void RegisterToolBarClass();
