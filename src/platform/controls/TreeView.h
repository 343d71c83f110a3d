#pragma once
// The tree-view control "SysTreeView32" with the Win32 messages, styles, notifications and
// semantics. Item texts are UTF-8; the A and W message forms are the same here.
#include "platform/controls/CustomDraw.h"
#include "platform/window/WindowSystem.h"

struct TREEITEM_;
using HTREEITEM = TREEITEM_*;

inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(intptr_t(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(intptr_t(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(intptr_t(-0x0FFFE));

// Styles
constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
constexpr DWORD TVS_TRACKSELECT = 0x0200;

// Messages
constexpr UINT TV_FIRST = 0x1100;
constexpr UINT TVM_INSERTITEMA = TV_FIRST + 0;
constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
constexpr UINT TVM_EXPAND = TV_FIRST + 2;
constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
constexpr UINT TVM_GETITEMA = TV_FIRST + 12;
constexpr UINT TVM_SETITEMA = TV_FIRST + 13;
constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
constexpr UINT TVM_HITTEST = TV_FIRST + 17;
constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
constexpr UINT TVM_SETITEMHEIGHT = TV_FIRST + 27;
constexpr UINT TVM_GETITEMHEIGHT = TV_FIRST + 28;
constexpr UINT TVM_SETBKCOLOR = TV_FIRST + 29;
constexpr UINT TVM_SETTEXTCOLOR = TV_FIRST + 30;
constexpr UINT TVM_GETBKCOLOR = TV_FIRST + 31;
constexpr UINT TVM_GETTEXTCOLOR = TV_FIRST + 32;
constexpr UINT TVM_INSERTITEMW = TV_FIRST + 50;
constexpr UINT TVM_GETITEMW = TV_FIRST + 62;
constexpr UINT TVM_SETITEMW = TV_FIRST + 63;
constexpr UINT TVM_INSERTITEM = TVM_INSERTITEMW;
constexpr UINT TVM_GETITEM = TVM_GETITEMW;
constexpr UINT TVM_SETITEM = TVM_SETITEMW;

// TVM_GETNEXTITEM
constexpr WPARAM TVGN_ROOT = 0;
constexpr WPARAM TVGN_NEXT = 1;
constexpr WPARAM TVGN_PREVIOUS = 2;
constexpr WPARAM TVGN_PARENT = 3;
constexpr WPARAM TVGN_CHILD = 4;
constexpr WPARAM TVGN_FIRSTVISIBLE = 5;
constexpr WPARAM TVGN_NEXTVISIBLE = 6;
constexpr WPARAM TVGN_PREVIOUSVISIBLE = 7;
constexpr WPARAM TVGN_CARET = 9;
constexpr WPARAM TVGN_LASTVISIBLE = 10;

// Item fields and states
constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;
constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_EXPANDED = 0x0020;

// TVM_EXPAND
constexpr WPARAM TVE_COLLAPSE = 1;
constexpr WPARAM TVE_EXPAND = 2;
constexpr WPARAM TVE_TOGGLE = 3;

// Hit-test flags
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL;

// Selection causes (NMTREEVIEW action)
constexpr UINT TVC_UNKNOWN = 0;
constexpr UINT TVC_BYMOUSE = 1;
constexpr UINT TVC_BYKEYBOARD = 2;

// Notifications
constexpr UINT TVN_SELCHANGINGA = UINT(-401);
constexpr UINT TVN_SELCHANGEDA = UINT(-402);
constexpr UINT TVN_ITEMEXPANDINGA = UINT(-405);
constexpr UINT TVN_ITEMEXPANDEDA = UINT(-406);
constexpr UINT NM_CLICK = UINT(-2);
constexpr UINT NM_DBLCLK = UINT(-3);

// Custom draw: NM_CUSTOMDRAW, CDDS_*, CDIS_*, CDRF_* and NMCUSTOMDRAW come from
// platform/CustomDraw.h.
constexpr COLORREF CLR_DEFAULT = 0xFFFFFFFF; // -1: the system colour

struct TVITEMA {
    UINT mask = 0;
    HTREEITEM hItem = nullptr;
    UINT state = 0;
    UINT stateMask = 0;
    char* pszText = nullptr; // UTF-8; TVM_GETITEM copies at most cchTextMax - 1 bytes
    int cchTextMax = 0;
    int iImage = 0;
    int iSelectedImage = 0;
    int cChildren = 0;
    LPARAM lParam = 0;
};
using TVITEM = TVITEMA;

struct TVINSERTSTRUCTA {
    HTREEITEM hParent = nullptr;
    HTREEITEM hInsertAfter = nullptr;
    TVITEMA item;
};
using TVINSERTSTRUCT = TVINSERTSTRUCTA;

struct TVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    HTREEITEM hItem = nullptr;
};

struct NMTREEVIEWA {
    NMHDR hdr;
    UINT action = 0;
    TVITEMA itemOld;
    TVITEMA itemNew;
    POINT ptDrag{};
};

// The custom-draw record of a tree view.
struct NMTVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd; // dwItemSpec: the item's handle
    COLORREF clrText = 0;
    COLORREF clrTextBk = 0;
    int iLevel = 0;
};

// Registers "SysTreeView32".
void RegisterTreeViewClass();
