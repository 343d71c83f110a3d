#pragma once
// The cool bar window class "ReBarWindow32": rows of bands, each holding a child window
// behind a grip, sized to the bands' height along the top of its parent. A band header may
// show an image from the bar's image list (RB_SETBARINFO), the same source tabs draw from.
#include "platform/controls/CustomDraw.h"
#include "platform/controls/StatusBar.h"  // the shared CCS_* styles
#include "platform/controls/TabControl.h" // TabImageSource
#include "platform/window/WindowSystem.h"

constexpr char REBARCLASSNAME[] = "ReBarWindow32";

constexpr UINT RBBIM_STYLE = 0x0001;
constexpr UINT RBBIM_COLORS = 0x0002;
constexpr UINT RBBIM_TEXT = 0x0004;
constexpr UINT RBBIM_IMAGE = 0x0008;
constexpr UINT RBBIM_CHILD = 0x0010;
constexpr UINT RBBIM_CHILDSIZE = 0x0020;
constexpr UINT RBBIM_SIZE = 0x0040;
constexpr UINT RBBIM_ID = 0x0100;

constexpr UINT RBBS_BREAK = 0x0001;
constexpr UINT RBBS_FIXEDSIZE = 0x0002;
constexpr UINT RBBS_GRIPPERALWAYS = 0x0080;
constexpr UINT RBBS_NOGRIPPER = 0x0100;

struct REBARBANDINFO {
    UINT cbSize = sizeof(REBARBANDINFO);
    UINT fMask = 0;
    UINT fStyle = 0;
    COLORREF clrFore = 0;
    COLORREF clrBack = 0;
    char* lpText = nullptr; // UTF-8; on RB_GETBANDINFOA a buffer of cch bytes
    UINT cch = 0;
    int iImage = -1; // in the bar's image list; -1 none
    HWND hwndChild = nullptr;
    UINT cxMinChild = 0;
    UINT cyMinChild = 0;
    UINT cx = 0;
    UINT wID = 0;
};

constexpr UINT RBIM_IMAGELIST = 0x0001;

// Whoever sets an image list keeps it alive until it is replaced or the window is gone.
struct REBARINFO {
    UINT cbSize = sizeof(REBARINFO);
    UINT fMask = 0;
    const TabImageSource* himl = nullptr;
};

constexpr UINT RB_INSERTBANDA = WM_USER + 1;
constexpr UINT RB_DELETEBAND = WM_USER + 2;
constexpr UINT RB_GETBARINFO = WM_USER + 3;
constexpr UINT RB_SETBARINFO = WM_USER + 4;
constexpr UINT RB_SETBANDINFOA = WM_USER + 6;
constexpr UINT RB_GETRECT = WM_USER + 9;
constexpr UINT RB_GETBANDCOUNT = WM_USER + 12;
constexpr UINT RB_GETROWCOUNT = WM_USER + 13;
constexpr UINT RB_GETBARHEIGHT = WM_USER + 27;
constexpr UINT RB_GETBANDINFOA = WM_USER + 29;

constexpr UINT RBN_HEIGHTCHANGE = UINT(-831);

// The width of a band's grip area, which holds the left half of its etched frame.
constexpr int REBAR_GRIP_WIDTH = 9;

// Registers the class (again is harmless).
void RegisterCoolBarClass();
