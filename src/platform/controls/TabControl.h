#pragma once
// The tab control window class "SysTabControl32": a row (or rows) of tabs on one side of a
// page (above; TCS_BOTTOM below; TCS_VERTICAL left, with TCS_RIGHT right), reporting
// selection changes to its parent. Tabs may show an image from a TabImageSource.
#include "platform/window/WindowSystem.h"

constexpr char WC_TABCONTROL[] = "SysTabControl32";

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCIF_STATE = 0x0010;

struct TCITEM {
    UINT mask = 0;
    DWORD dwState = 0;
    DWORD dwStateMask = 0;
    char* pszText = nullptr; // UTF-8; on TCM_GETITEMA a buffer of cchTextMax bytes
    int cchTextMax = 0;
    int iImage = -1;
    LPARAM lParam = 0;
};

// Where the tabs take their images from (TCM_SETIMAGELIST); whoever sets one keeps it alive
// until it is replaced or the window is gone.
class TabImageSource {
  public:
    virtual ~TabImageSource() = default;
    virtual SIZE ImageSize() const = 0;
    virtual int ImageCount() const = 0;
    virtual void DrawImage(HDC dc, int x, int y, int index, bool enabled) const = 0;
};

struct TCHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
};
constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

constexpr UINT TCM_GETIMAGELIST = 0x1302;
constexpr UINT TCM_SETIMAGELIST = 0x1303; // lParam: a TabImageSource* or null
constexpr UINT TCM_GETITEMCOUNT = 0x1304;
constexpr UINT TCM_GETITEMA = 0x1305;
constexpr UINT TCM_SETITEMA = 0x1306;
constexpr UINT TCM_INSERTITEMA = 0x1307;
constexpr UINT TCM_DELETEITEM = 0x1308;
constexpr UINT TCM_DELETEALLITEMS = 0x1309;
constexpr UINT TCM_GETITEMRECT = 0x130A;
constexpr UINT TCM_GETCURSEL = 0x130B;
constexpr UINT TCM_SETCURSEL = 0x130C;
constexpr UINT TCM_HITTEST = 0x130D;
constexpr UINT TCM_ADJUSTRECT = 0x1328;
constexpr UINT TCM_SETITEMSIZE = 0x1329;
constexpr UINT TCM_GETROWCOUNT = 0x132C;
constexpr UINT TCM_GETCURFOCUS = 0x132F;
constexpr UINT TCM_SETCURFOCUS = 0x1330;

constexpr DWORD TCS_BOTTOM = 0x0002;
constexpr DWORD TCS_RIGHT = 0x0002; // with TCS_VERTICAL
constexpr DWORD TCS_FLATBUTTONS = 0x0008;
constexpr DWORD TCS_HOTTRACK = 0x0040;
constexpr DWORD TCS_VERTICAL = 0x0080; // tabs on the left; always in as many columns as needed
constexpr DWORD TCS_BUTTONS = 0x0100;
constexpr DWORD TCS_MULTILINE = 0x0200;
constexpr DWORD TCS_FIXEDWIDTH = 0x0400;
constexpr DWORD TCS_OWNERDRAWFIXED = 0x2000;

constexpr UINT TCN_SELCHANGE = UINT(-551);
constexpr UINT TCN_SELCHANGING = UINT(-552);

constexpr UINT ODT_TAB = 101;

// Registers the class (again is harmless).
void RegisterTabControlClass();
