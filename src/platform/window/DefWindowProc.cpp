// The default behaviour of windows: the classic non-client area (size, hit test, painting),
// system commands, activation and focus defaults, text, fonts, icons, erasing and printing.
#include <algorithm>
#include <cstring>

#include "platform/gdi/DeviceContext.h"
#include "platform/text/Text.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

bool g_altAlone = false;
NonClientMenu g_menu{};

int MenuBarHeight(HWND hwnd) { return g_menu.barHeight ? g_menu.barHeight(hwnd) : 0; }
void PaintMenuBar(HWND hwnd, HDC dc, const RECT& bar) {
    if (g_menu.paintBar) g_menu.paintBar(hwnd, dc, bar);
}
void MenuBarMouseDown(HWND hwnd, POINT screen) {
    if (g_menu.barMouseDown) g_menu.barMouseDown(hwnd, screen);
}
void MenuBarKey(HWND hwnd, WPARAM keyMenuParam) {
    if (g_menu.barKey) g_menu.barKey(hwnd, keyMenuParam);
}
void SystemMenuMouseDown(HWND hwnd, POINT screen) {
    if (g_menu.systemMenuMouseDown) g_menu.systemMenuMouseDown(hwnd, screen);
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int CaptionHeight(DWORD style, DWORD exStyle) {
    if (!HasCaption(style)) return 0;
    return (exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION)
                                        : GetSystemMetrics(SM_CYCAPTION);
}

// The caption bar in window coordinates.
RECT CaptionRect(const WindowObject& w) {
    const int b = FrameBorderWidth(w.style, w.exStyle) - ((w.exStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    const int h = CaptionHeight(w.style, w.exStyle);
    return Rect(b, b, WidthOf(w.rect) - b, b + h - 1);
}

struct CaptionButton {
    int hit;
    RECT rect;
};

// Close, maximize (or restore), minimize and help buttons from the right, as the styles ask.
std::vector<CaptionButton> CaptionButtons(const WindowObject& w) {
    std::vector<CaptionButton> buttons;
    if (!HasCaption(w.style) || !(w.style & WS_SYSMENU)) return buttons;
    const RECT cap = CaptionRect(w);
    const int bw = GetSystemMetrics(SM_CXSIZE) - 2, bh = HeightOf(cap) - 4;
    int right = cap.right - 2;
    auto add = [&](int hit) {
        buttons.push_back({hit, Rect(right - bw, cap.top + 2, right, cap.top + 2 + bh)});
        right -= bw;
    };
    add(HTCLOSE);
    right -= 2;
    if (w.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
        add(HTMAXBUTTON);
        add(HTMINBUTTON);
    } else if (w.exStyle & WS_EX_CONTEXTHELP) {
        add(HTHELP);
    }
    return buttons;
}

void Frame3D(HDC dc, RECT r, COLORREF topLeft, COLORREF bottomRight) {
    HBRUSH tl = CreateSolidBrush(topLeft), br = CreateSolidBrush(bottomRight);
    RECT e = Rect(r.left, r.top, r.right - 1, r.top + 1);
    FillRect(dc, &e, tl);
    e = Rect(r.left, r.top, r.left + 1, r.bottom - 1);
    FillRect(dc, &e, tl);
    e = Rect(r.left, r.bottom - 1, r.right, r.bottom);
    FillRect(dc, &e, br);
    e = Rect(r.right - 1, r.top, r.right, r.bottom);
    FillRect(dc, &e, br);
    DeleteObject(tl);
    DeleteObject(br);
}

void RaisedEdge(HDC dc, RECT r, bool pressed) {
    if (pressed) {
        Frame3D(dc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Frame3D(dc, InflateRect(r, -1, -1), GetSysColor(COLOR_BTNSHADOW),
                GetSysColor(COLOR_3DLIGHT));
    } else {
        Frame3D(dc, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Frame3D(dc, InflateRect(r, -1, -1), GetSysColor(COLOR_BTNHIGHLIGHT),
                GetSysColor(COLOR_BTNSHADOW));
    }
}

void FillSolid(HDC dc, RECT r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void DrawButtonGlyph(HDC dc, int hit, RECT r, bool maximized, bool pressed) {
    const int ox = pressed ? 1 : 0;
    const int cx = (r.left + r.right) / 2 + ox, cy = (r.top + r.bottom) / 2 + ox;
    const COLORREF ink = 0;
    auto px = [&](int x, int y) { SetPixel(dc, x, y, ink); };
    switch (hit) {
    case HTCLOSE:
        for (int i = -3; i <= 3; ++i) {
            px(cx + i - 1, cy + i - 1), px(cx + i, cy + i - 1);
            px(cx + i - 1, cy - i - 1), px(cx + i, cy - i - 1);
        }
        break;
    case HTMINBUTTON: FillSolid(dc, Rect(cx - 4, cy + 2, cx + 2, cy + 4), ink); break;
    case HTMAXBUTTON:
        if (maximized) {
            FillSolid(dc, Rect(cx - 2, cy - 5, cx + 4, cy - 3), ink);
            FillSolid(dc, Rect(cx + 3, cy - 5, cx + 4, cy + 1), ink);
            FillSolid(dc, Rect(cx - 5, cy - 2, cx + 1, cy), ink);
            FillSolid(dc, Rect(cx - 5, cy - 2, cx - 4, cy + 4), ink);
            FillSolid(dc, Rect(cx, cy - 2, cx + 1, cy + 4), ink);
            FillSolid(dc, Rect(cx - 5, cy + 3, cx + 1, cy + 4), ink);
        } else {
            FillSolid(dc, Rect(cx - 5, cy - 5, cx + 4, cy - 3), ink);
            FillSolid(dc, Rect(cx - 5, cy - 5, cx - 4, cy + 4), ink);
            FillSolid(dc, Rect(cx + 3, cy - 5, cx + 4, cy + 4), ink);
            FillSolid(dc, Rect(cx - 5, cy + 3, cx + 4, cy + 4), ink);
        }
        break;
    case HTHELP:
        FillSolid(dc, Rect(cx - 1, cy + 2, cx + 1, cy + 4), ink);
        FillSolid(dc, Rect(cx - 1, cy - 1, cx + 1, cy + 1), ink);
        FillSolid(dc, Rect(cx - 3, cy - 5, cx + 3, cy - 3), ink);
        FillSolid(dc, Rect(cx + 1, cy - 4, cx + 3, cy), ink);
        break;
    default: break;
    }
}

HICON WindowIcon(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    if (w->iconSmall) return w->iconSmall;
    if (w->iconBig) return w->iconBig;
    if (w->cls->wc.hIcon) return w->cls->wc.hIcon;
    return ProgramIcon(16);
}

LRESULT DefaultHitTest(HWND hwnd, POINT screen) {
    WindowObject* w = WindowOf(hwnd);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    if (!PtInRect(wr, screen)) return HTNOWHERE;
    const POINT p{screen.x - wr.left, screen.y - wr.top};
    if (PtInRect(w->client, p)) return HTCLIENT;
    if (const int bar = ScrollBarHitTest(hwnd, p); bar != HTNOWHERE) return bar;
    const int width = WidthOf(wr), height = HeightOf(wr);
    if (w->style & WS_THICKFRAME && !(w->style & WS_MAXIMIZE)) {
        const int b = GetSystemMetrics(SM_CXFRAME);
        const int corner = GetSystemMetrics(SM_CYCAPTION) + b;
        const bool left = p.x < b, right = p.x >= width - b, top = p.y < b,
                   bottom = p.y >= height - b;
        if (left || right || top || bottom) {
            const bool nearLeft = p.x < corner, nearRight = p.x >= width - corner;
            const bool nearTop = p.y < corner, nearBottom = p.y >= height - corner;
            if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
            if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
            if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
            if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
            if (left) return HTLEFT;
            if (right) return HTRIGHT;
            if (top) return HTTOP;
            return HTBOTTOM;
        }
    }
    if (HasCaption(w->style)) {
        const RECT cap = CaptionRect(*w);
        if (p.y >= cap.top && p.y < cap.bottom + 1 && p.x >= cap.left && p.x < cap.right) {
            for (const CaptionButton& b : CaptionButtons(*w))
                if (PtInRect(b.rect, p)) return b.hit;
            if ((w->style & WS_SYSMENU) && p.x < cap.left + GetSystemMetrics(SM_CXSMICON) + 2)
                return HTSYSMENU;
            return HTCAPTION;
        }
        const int menuHeight = w->IsChild() ? 0 : MenuBarHeight(hwnd);
        if (menuHeight && p.y >= cap.bottom + 1 && p.y < cap.bottom + 1 + menuHeight) return HTMENU;
    }
    return HTBORDER;
}

void DefaultCalcSize(HWND hwnd, RECT& r) {
    WindowObject* w = WindowOf(hwnd);
    const int b = FrameBorderWidth(w->style, w->exStyle);
    r.left += b;
    r.right -= b;
    r.top += b + CaptionHeight(w->style, w->exStyle);
    r.bottom -= b;
    if (!w->IsChild()) r.top += MenuBarHeight(hwnd);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    ScrollBarsCalcSize(hwnd, r);
}

LRESULT DefaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    WindowObject* w = WindowOf(hwnd);
    if (w->IsChild() && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam)) return 1;
    const int hit = int(int16_t(LOWORD(uintptr_t(lParam))));
    int id = IDC_ARROW;
    switch (hit) {
    case HTCLIENT:
        if (WindowOf(hwnd) && WindowOf(hwnd)->cls->wc.hCursor) {
            SetCursor(WindowOf(hwnd)->cls->wc.hCursor);
            return 1;
        }
        break;
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    default: break;
    }
    SetCursor(LoadCursor(nullptr, id));
    return hit == HTCLIENT ? 0 : 1;
}

LRESULT DefaultEraseBackground(HWND hwnd, HDC dc) {
    WindowObject* w = WindowOf(hwnd);
    HBRUSH brush = w->cls->wc.hbrBackground;
    if (!brush) return 0;
    const uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value <= 31) brush = GetSysColorBrush(int(value) - 1); // a system colour index + 1
    RECT box;
    GetClipBox(dc, &box);
    FillRect(dc, &box, brush);
    return 1;
}

void DefaultPrint(HWND hwnd, HDC dc, LPARAM flags) {
    WindowObject* w = WindowOf(hwnd);
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return;
    const RECT client = w->client;
    if (flags & PRF_NONCLIENT) {
        const int saved = SaveDC(dc);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        SendMessage(hwnd, WM_NCPAINT, 1, LPARAM(dc)); // lParam: paint into this context
        RestoreDC(dc, saved);
    }
    if (!WindowOf(hwnd)) return;
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, client.left, client.top, nullptr);
    IntersectClipRect(dc, 0, 0, WidthOf(client), HeightOf(client));
    if (flags & PRF_ERASEBKGND) SendMessage(hwnd, WM_ERASEBKGND, WPARAM(dc), 0);
    if ((flags & PRF_CLIENT) && WindowOf(hwnd))
        SendMessage(hwnd, WM_PRINTCLIENT, WPARAM(dc), flags);
    if ((flags & PRF_CHILDREN) && WindowOf(hwnd)) {
        const std::vector<HWND> children = WindowOf(hwnd)->children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            WindowObject* c = WindowOf(*it);
            if (!c || !(c->style & WS_VISIBLE)) continue;
            const int childSaved = SaveDC(dc);
            OffsetViewportOrgEx(dc, c->rect.left, c->rect.top, nullptr);
            IntersectClipRect(dc, 0, 0, WidthOf(c->rect), HeightOf(c->rect));
            SendMessage(*it, WM_PRINT, WPARAM(dc),
                        flags | PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT);
            RestoreDC(dc, childSaved);
        }
    }
    RestoreDC(dc, saved);
}

// A move chosen from the system menu or the keyboard puts the cursor in the middle of the
// caption, as Win32 does, so the caption's middle follows the mouse from there. Following the
// cursor from wherever the menu left it could carry the window off the screen entirely.
POINT CaptionMiddle(HWND hwnd) {
    const WindowObject* w = WindowOf(hwnd);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const RECT cap = CaptionRect(*w);
    return POINT{r.left + (cap.left + cap.right) / 2, r.top + (cap.top + cap.bottom) / 2};
}

void StartSystemCommandMove(HWND hwnd, WPARAM cmd) {
    const WPARAM kind = cmd & 0xFFF0;
    if (kind == SC_MOVE && (cmd & 0x0F) == HTCAPTION) {
        StartMoveSize(hwnd, HTCAPTION);
    } else if (kind == SC_MOVE) {
        const POINT middle = CaptionMiddle(hwnd);
        StartMoveSize(hwnd, HTCAPTION, &middle);
    } else if ((cmd & 0x0F) >= 1 && (cmd & 0x0F) <= 8)
        StartMoveSize(hwnd, HTLEFT + int(cmd & 0x0F) - 1);
}

} // namespace

void SetNonClientMenu(const NonClientMenu& menu) { g_menu = menu; }

MINMAXINFO DefaultMinMaxInfo(HWND hwnd) {
    MINMAXINFO mmi;
    WindowObject* w = WindowOf(hwnd);
    if (!w) return mmi;
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const int b = FrameBorderWidth(w->style, w->exStyle);
    mmi.ptMaxSize = POINT{WidthOf(work) + 2 * b, HeightOf(work) + 2 * b};
    mmi.ptMaxPosition = POINT{-b, -b};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXSCREEN) + 2 * b + 12,
                               GetSystemMetrics(SM_CYSCREEN) + 2 * b + 12};
    return mmi;
}

int FrameBorderWidth(DWORD style, DWORD exStyle) {
    int b = 0;
    if (style & WS_THICKFRAME) b = GetSystemMetrics(SM_CXFRAME);
    // DS_MODALFRAME shares its bit with control styles (SS_NOPREFIX, ES_AUTOHSCROLL); dialogs
    // turn it into WS_EX_DLGMODALFRAME when they are made.
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        b = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        b = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) b += 1;
    return b;
}

void PaintClassicFrame(HWND hwnd, HDC dc) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    const RECT whole = Rect(0, 0, WidthOf(w->rect), HeightOf(w->rect));
    RECT r = whole;
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, w->client.left, w->client.top, w->client.right, w->client.bottom);
    int border = FrameBorderWidth(w->style, w->exStyle) -
                 ((w->exStyle & WS_EX_CLIENTEDGE) ? 2 : 0) -
                 ((w->exStyle & WS_EX_STATICEDGE) ? 1 : 0);
    if (border == 1) {
        Frame3D(dc, r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    } else if (border >= 2) {
        RaisedEdge(dc, r, false);
        for (int i = 2; i < border; ++i)
            Frame3D(dc, InflateRect(r, -i, -i), GetSysColor(COLOR_BTNFACE),
                    GetSysColor(COLOR_BTNFACE));
    }
    r = InflateRect(r, -border, -border);
    if (HasCaption(w->style)) {
        const RECT cap = CaptionRect(*w);
        const bool active = w->ncActive;
        TRIVERTEX v[2];
        const COLORREF c1 = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        const COLORREF c2 =
            GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        v[0] = TRIVERTEX{cap.left,
                         cap.top,
                         COLOR16(GetRValue(c1) << 8),
                         COLOR16(GetGValue(c1) << 8),
                         COLOR16(GetBValue(c1) << 8),
                         0};
        v[1] = TRIVERTEX{cap.right,
                         cap.bottom,
                         COLOR16(GetRValue(c2) << 8),
                         COLOR16(GetGValue(c2) << 8),
                         COLOR16(GetBValue(c2) << 8),
                         0};
        struct {
            ULONG upperLeft, lowerRight;
        } mesh{0, 1};
        GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
        FillSolid(dc, Rect(cap.left, cap.bottom, cap.right, cap.bottom + 1),
                  GetSysColor(COLOR_BTNFACE));
        int textLeft = cap.left + 3;
        if (w->style & WS_SYSMENU) {
            const int s = GetSystemMetrics(SM_CXSMICON);
            DrawIconEx(dc, cap.left + 2, cap.top + (HeightOf(cap) - s) / 2, WindowIcon(hwnd), s, s,
                       0, nullptr, DI_NORMAL);
            textLeft = cap.left + s + 5;
        }
        const std::vector<CaptionButton> buttons = CaptionButtons(*w);
        int textRight = buttons.empty() ? cap.right - 3 : buttons.back().rect.left - 3;
        for (const CaptionButton& b : buttons) {
            const bool pressed = w->ncPressedButton == b.hit;
            FillSolid(dc, b.rect, GetSysColor(COLOR_BTNFACE));
            RaisedEdge(dc, b.rect, pressed);
            DrawButtonGlyph(dc, b.hit, b.rect, (w->style & WS_MAXIMIZE) != 0, pressed);
        }
        NONCLIENTMETRICS metrics;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        HFONT font = CreateFontIndirect(&metrics.lfCaptionFont);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT textRect = Rect(textLeft, cap.top, textRight, cap.bottom);
        DrawText(dc, w->text.c_str(), int(w->text.size()), &textRect,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        DeleteObject(font);
        r.top = cap.bottom + 1;
    }
    if (const int menuHeight = w->IsChild() ? 0 : MenuBarHeight(hwnd))
        PaintMenuBar(hwnd, dc, Rect(r.left, r.top, r.right, r.top + menuHeight));
    PaintScrollBars(hwnd, dc);
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        const RECT edge = InflateRect(w->client, 2, 2);
        Frame3D(dc, edge, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Frame3D(dc, InflateRect(edge, -1, -1), GetSysColor(COLOR_3DDKSHADOW),
                GetSysColor(COLOR_3DLIGHT));
    }
    if (w->exStyle & WS_EX_STATICEDGE) {
        const int inset = FrameBorderWidth(w->style, w->exStyle) - 1;
        Frame3D(dc, InflateRect(whole, -inset + 1 - 1, -inset + 1 - 1),
                GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    RestoreDC(dc, saved);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: return 1;
    case WM_NCCALCSIZE:
        if (lParam) DefaultCalcSize(hwnd, *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_NCHITTEST:
        return DefaultHitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: {
        // A context of the caller's (WM_PRINT) gets the frame whether or not the window
        // shows or may redraw: it is how a window with its redraw stopped is rendered.
        if (lParam && DCOf(reinterpret_cast<HDC>(lParam))) {
            PaintClassicFrame(hwnd, reinterpret_cast<HDC>(lParam));
            return 0;
        }
        if (!IsWindowVisible(hwnd) || !IsRedrawEnabled(hwnd)) return 0;
        HDC dc = GetWindowDC(hwnd);
        // wParam 1 is the whole frame; otherwise a region of the screen to paint.
        RECT box{};
        if (wParam > 1 && GetRgnBox(reinterpret_cast<HRGN>(wParam), &box) != RGN_ERROR) {
            HRGN clip = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(clip, reinterpret_cast<HRGN>(wParam), nullptr, RGN_COPY);
            RECT wr{};
            GetWindowRect(hwnd, &wr);
            OffsetRgn(clip, -wr.left, -wr.top);
            ExtSelectClipRgn(dc, clip, RGN_AND);
            DeleteObject(clip);
        }
        PaintClassicFrame(hwnd, dc);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    case WM_NCACTIVATE:
        w->ncActive = wParam != 0;
        if (IsWindowVisible(hwnd) && IsRedrawEnabled(hwnd) && HasCaption(w->style)) {
            HDC dc = GetWindowDC(hwnd);
            PaintClassicFrame(hwnd, dc);
            ReleaseDC(hwnd, dc);
        }
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            const HWND focus = GetFocus();
            if (focus != hwnd && !IsChild(hwnd, focus)) SetFocus(hwnd);
        }
        return 0;
    case WM_MOUSEACTIVATE:
        if (w->IsChild()) {
            const LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return 1; // MA_ACTIVATE
    case WM_SETCURSOR: return DefaultSetCursor(hwnd, wParam, lParam);
    case WM_NCLBUTTONDOWN:
        switch (int(wParam)) {
        case HTCAPTION:
            SetActiveWindow(TopLevelOf(hwnd));
            if (WindowOf(hwnd)) SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
            return 0;
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOM:
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
            if (w->style & WS_THICKFRAME)
                SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + WPARAM(int(wParam) - HTLEFT + 1),
                            lParam);
            return 0;
        case HTCLOSE:
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTHELP: StartCaptionButtonTracking(hwnd, int(wParam)); return 0;
        case HTMENU:
            MenuBarMouseDown(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case HTSYSMENU:
            SystemMenuMouseDown(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case HTVSCROLL:
        case HTHSCROLL:
            ScrollBarMouseDown(hwnd, int(wParam),
                               POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        default: return 0;
        }
    case WM_NCLBUTTONDBLCLK:
        // A quick second press on a scroll bar is a press like the first.
        if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
            ScrollBarMouseDown(hwnd, int(wParam),
                               POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            if (!(w->cls->wc.style & CS_NOCLOSE)) SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        case SC_MOVE:
        case SC_SIZE: StartSystemCommandMove(hwnd, wParam); return 0;
        case SC_KEYMENU: MenuBarKey(TopLevelOf(hwnd), lParam); return 0;
        default: return 0;
        }
    case WM_SYSKEYDOWN:
        // Alt alone, released with no other key between, opens the menu bar.
        g_altAlone = wParam == VK_MENU;
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            SendMessage(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSKEYUP:
        if ((wParam == VK_MENU && g_altAlone) || wParam == VK_F10)
            SendMessage(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        g_altAlone = false;
        return 0;
    case WM_SYSCHAR:
        g_altAlone = false;
        SendMessage(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    // The system filled the record before asking; a window that does not answer keeps that.
    case WM_GETMINMAXINFO: return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOMOVE))
            SendMessage(hwnd, WM_MOVE, 0,
                        MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
        if (!(pos->flags & SWP_NOSIZE) && WindowOf(hwnd)) {
            w = WindowOf(hwnd);
            const WPARAM kind = (w->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                                : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                           : SIZE_RESTORED;
            SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(WidthOf(w->client), HeightOf(w->client)));
        }
        return 0;
    }
    case WM_PAINT:
        if (!wParam) {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case WM_ERASEBKGND: return DefaultEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PRINT: DefaultPrint(hwnd, reinterpret_cast<HDC>(wParam), lParam); return 0;
    case WM_PRINTCLIENT:
        // Our window classes paint into a given context when WM_PAINT carries one.
        SendMessage(hwnd, WM_PAINT, wParam, 0);
        return 0;
    case WM_SETREDRAW: w->redrawEnabled = wParam != 0; return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (HasCaption(w->style)) w->frameNeeded = true;
        return 1;
    case WM_GETTEXT: {
        if (!lParam || wParam == 0) return 0;
        const size_t n = std::min<size_t>(w->text.size(), size_t(wParam) - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), w->text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(w->font));
    case WM_SETICON: {
        HICON& slot = wParam == 0 /* ICON_SMALL */ ? w->iconSmall : w->iconBig;
        const HICON old = slot;
        slot = reinterpret_cast<HICON>(lParam);
        w->frameNeeded = true;
        return LRESULT(reinterpret_cast<uintptr_t>(old));
    }
    case WM_GETICON:
        return LRESULT(
            reinterpret_cast<uintptr_t>(wParam == 1 /* ICON_BIG */ ? w->iconBig : w->iconSmall));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // Fields are window-coloured, everything else sits on the face colour.
        const bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        const int back = field                         ? COLOR_WINDOW
                         : msg == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR
                                                       : COLOR_BTNFACE;
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(back));
        return LRESULT(reinterpret_cast<uintptr_t>(GetSysColorBrush(back)));
    }
    default: return 0;
    }
}
