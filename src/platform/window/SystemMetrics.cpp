// System metrics, parameters and cursors, in the classic desktop scheme at 96 dots per inch.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/window/Backend.h"
#include "platform/window/WindowInternal.h"

namespace {

LOGFONT SystemFont(const char* face, LONG height, LONG weight) {
    LOGFONT f;
    f.lfHeight = height;
    f.lfWeight = weight;
    f.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(f.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

HCURSOR g_cursor = reinterpret_cast<HCURSOR>(uintptr_t(IDC_ARROW));

} // namespace

int GetSystemMetrics(int index) {
    const RECT screen = CurrentBackend().ScreenRect();
    const RECT work = CurrentBackend().WorkArea();
    switch (index) {
    case SM_CXSCREEN: return WidthOf(screen);
    case SM_CYSCREEN: return HeightOf(screen);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CXFULLSCREEN: return WidthOf(work);
    case SM_CYFULLSCREEN: return HeightOf(work) - 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 12;
    case SM_CXMAXIMIZED: return WidthOf(work) + 8;
    case SM_CYMAXIMIZED: return HeightOf(work) + 8;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    default: return 0;
    }
}

bool SystemParametersInfo(UINT action, UINT, void* out, UINT) {
    if (!out) return false;
    switch (action) {
    case SPI_GETWORKAREA: *static_cast<RECT*>(out) = CurrentBackend().WorkArea(); return true;
    case SPI_GETNONCLIENTMETRICS: {
        auto* m = static_cast<NONCLIENTMETRICS*>(out);
        *m = NONCLIENTMETRICS{};
        m->lfCaptionFont = SystemFont("Tahoma", -11, FW_BOLD);
        m->lfSmCaptionFont = SystemFont("Tahoma", -11, FW_BOLD);
        m->lfMenuFont = SystemFont("Tahoma", -11, FW_NORMAL);
        m->lfStatusFont = SystemFont("Tahoma", -11, FW_NORMAL);
        m->lfMessageFont = SystemFont("Tahoma", -11, FW_NORMAL);
        return true;
    }
    default: return false;
    }
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t p = int64_t(a) * b;
    // Rounded half away from zero, as Win32 does.
    const int64_t q = (std::llabs(p) + std::llabs(int64_t(c)) / 2) / std::llabs(int64_t(c));
    const int64_t r = ((p < 0) != (c < 0)) ? -q : q;
    return r > INT32_MAX || r < INT32_MIN ? -1 : int(r);
}

HRESULT SetWindowTheme(HWND, const char*, const char*) { return S_OK; }

HCURSOR LoadCursor(HINSTANCE, int id) { return reinterpret_cast<HCURSOR>(uintptr_t(id)); }

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR old = g_cursor;
    g_cursor = cursor;
    if (cursor != old) CurrentBackend().SetCursorShape(int(reinterpret_cast<uintptr_t>(cursor)));
    return old;
}

HCURSOR GetCursor() { return g_cursor; }
