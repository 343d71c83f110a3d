// The "Button" class. Its state (check, pushed, focus, font) lives in a window property; the
// style decides the kind on every message, so BM_SETSTYLE can turn one kind into another.
#include "platform/controls/Button.h"

#include <cctype>
#include <vector>

namespace {

constexpr std::string_view kStateProp = "Platform.Button";
constexpr int kMarkSize = 13; // the check box and radio mark of the classic look

struct ButtonState {
    int check = 0; // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    bool pushed = false;
    bool focused = false;
    bool mouseTracking = false; // pressed with the mouse, capture held
    bool spaceDown = false;     // pressed with the space key
    HFONT font = nullptr;
};

ButtonState* StateOf(HWND hwnd) { return ControlStateOf<ButtonState>(hwnd, kStateProp); }

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); }
DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }
bool IsCheckBox(DWORD t) {
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}
bool IsRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }
bool IsThreeState(DWORD t) { return t == BS_3STATE || t == BS_AUTO3STATE; }

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, true); }

bool IsButtonWindow(HWND hwnd) {
    std::string name = GetClassName(hwnd);
    for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
    return name == "button";
}

// ---------------------------------------------------------------- groups

// The siblings of a control in dialog order (creation order, top of the z-order first).
std::vector<HWND> SiblingsOf(HWND hwnd) {
    std::vector<HWND> out;
    const HWND parent = GetParent(hwnd);
    if (!parent || !(StyleOf(hwnd) & WS_CHILD)) return {hwnd};
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

// The group a control belongs to: from the nearest control at or before it with WS_GROUP up
// to (not including) the next control with WS_GROUP.
std::vector<HWND> GroupOf(HWND hwnd) {
    const std::vector<HWND> all = SiblingsOf(hwnd);
    size_t at = 0;
    while (at < all.size() && all[at] != hwnd) ++at;
    if (at == all.size()) return {hwnd};
    size_t first = at;
    while (first > 0 && !(StyleOf(all[first]) & WS_GROUP)) --first;
    size_t last = at + 1;
    while (last < all.size() && !(StyleOf(all[last]) & WS_GROUP)) ++last;
    return std::vector<HWND>(all.begin() + long(first), all.begin() + long(last));
}

bool IsRadioButton(HWND hwnd) { return IsButtonWindow(hwnd) && IsRadio(TypeOf(hwnd)); }

void UncheckOtherAutoRadios(HWND hwnd) {
    for (HWND other : GroupOf(hwnd))
        if (other != hwnd && IsButtonWindow(other) && TypeOf(other) == BS_AUTORADIOBUTTON)
            SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
}

// The next (or previous) enabled, visible radio button of the group, wrapping around.
HWND NeighbourRadio(HWND hwnd, bool forward) {
    const std::vector<HWND> group = GroupOf(hwnd);
    const long n = long(group.size());
    long at = 0;
    while (at < n && group[size_t(at)] != hwnd) ++at;
    for (long step = 1; step < n; ++step) {
        const HWND c = group[size_t(((at + (forward ? step : -step)) % n + n) % n)];
        if (IsRadioButton(c) && IsWindowEnabled(c) && IsWindowVisible(c)) return c;
    }
    return nullptr;
}

// ---------------------------------------------------------------- actions

void SetCheck(HWND hwnd, ButtonState& s, WPARAM value) {
    const DWORD type = TypeOf(hwnd);
    if (!IsCheckBox(type) && !IsRadio(type)) return;
    int check = value == BST_INDETERMINATE && IsThreeState(type) ? 2 : value ? 1 : 0;
    if (IsRadio(type)) {
        // The checked radio button of a group is the one Tab reaches.
        const DWORD style = StyleOf(hwnd);
        SetWindowLongPtr(hwnd, GWL_STYLE,
                         LONG_PTR(check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP)));
    }
    if (check != s.check) {
        s.check = check;
        Redraw(hwnd);
    }
}

// What a click does: the automatic kinds change their check, then the parent hears of it.
void PerformClick(HWND hwnd) {
    ButtonState* s = StateOf(hwnd);
    if (!s) return;
    switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX: SetCheck(hwnd, *s, s->check ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE:
        SetCheck(hwnd, *s,
                 s->check == 0   ? BST_CHECKED
                 : s->check == 1 ? BST_INDETERMINATE
                                 : BST_UNCHECKED);
        break;
    case BS_AUTORADIOBUTTON:
        SetCheck(hwnd, *s, BST_CHECKED);
        UncheckOtherAutoRadios(hwnd);
        break;
    default: break;
    }
    if (IsWindow(hwnd)) NotifyParent(hwnd, BN_CLICKED);
}

void SetPushed(HWND hwnd, ButtonState& s, bool pushed) {
    if (s.pushed == pushed) return;
    s.pushed = pushed;
    Redraw(hwnd);
}

// ---------------------------------------------------------------- painting

struct PaintInfo {
    HWND hwnd;
    HDC dc;
    RECT client;
    DWORD style;
    ButtonState* s;
    bool enabled;
};

std::string TextOf(HWND hwnd) { return GetWindowText(hwnd); }

UINT HorizontalFormat(DWORD style, UINT fallback) {
    switch (style & BS_CENTER) {
    case BS_LEFT: return DT_LEFT;
    case BS_RIGHT: return DT_RIGHT;
    case BS_CENTER: return DT_CENTER;
    default: return fallback;
    }
}

// Draws the caption in r (vertically centred, also when it breaks into several lines) and
// returns the rectangle the text covers.
RECT DrawCaption(const PaintInfo& p, const std::string& text, RECT r, UINT hAlign) {
    const bool multi = (p.style & BS_MULTILINE) != 0;
    UINT format = hAlign | (multi ? DT_WORDBREAK : DT_SINGLELINE);
    RECT measure = r;
    DrawText(p.dc, text.c_str(), int(text.size()), &measure, format | DT_CALCRECT);
    const int h = HeightOf(measure), w = std::min(WidthOf(measure), WidthOf(r));
    RECT place = r;
    place.top = r.top + (HeightOf(r) - h) / 2;
    place.bottom = place.top + h;
    RECT covered = place;
    if (hAlign == DT_CENTER)
        covered.left = r.left + (WidthOf(r) - w) / 2;
    else if (hAlign == DT_RIGHT)
        covered.left = r.right - w;
    covered.right = covered.left + w;
    if (text.empty()) return RECT{};
    if (p.enabled)
        DrawText(p.dc, text.c_str(), int(text.size()), &place, format);
    else
        DrawEmbossedText(p.dc, text.c_str(), int(text.size()), place, format);
    return covered;
}

void PaintPushButton(const PaintInfo& p) {
    const bool isDefault = (p.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    RECT r = p.client;
    FillSolidRect(p.dc, r, GetSysColor(COLOR_BTNFACE));
    if (isDefault) {
        // The default button carries a dark outer frame around its edge.
        FrameTwoTone(p.dc, r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        r = InflateRect(r, -1, -1);
    }
    if (p.s->pushed) {
        if (isDefault)
            FrameTwoTone(p.dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        else
            DrawFieldSunken(p.dc, r);
    } else {
        DrawButtonRaised(p.dc, r);
    }
    const int shift = p.s->pushed ? 1 : 0;
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, GetSysColor(COLOR_BTNTEXT));
    RECT textRect = OffsetRect(InflateRect(r, -3, -2), shift, shift);
    DrawCaption(p, TextOf(p.hwnd), textRect, HorizontalFormat(p.style, DT_CENTER));
    if (p.s->focused) {
        RECT focus = InflateRect(p.client, -4, -4);
        if (!IsRectEmpty(focus)) DrawFocusRect(p.dc, &focus);
    }
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF ink) {
    // A seven-pixel tick, three pixels thick, as the classic check box draws it.
    const int x0 = box.left + 3, y0 = box.top + 5;
    for (int i = 0; i < 7; ++i) {
        const int y = i < 3 ? y0 + i : y0 + 4 - i;
        for (int t = 0; t < 3; ++t) SetPixel(dc, x0 + i, y + t, ink);
    }
}

void DrawCheckBoxMark(const PaintInfo& p, const RECT& box) {
    const bool grey = !p.enabled || p.s->pushed || p.s->check == 2;
    FillSolidRect(p.dc, InflateRect(box, -2, -2), GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    DrawFieldSunken(p.dc, box);
    if (p.s->check)
        DrawCheckMark(
            p.dc, box,
            GetSysColor(p.s->check == 2 || !p.enabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
}

void DrawRadioMark(const PaintInfo& p, const RECT& box) {
    const bool grey = !p.enabled || p.s->pushed;
    HPEN outer = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HBRUSH fill = CreateSolidBrush(GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    HGDIOBJ oldPen = SelectObject(p.dc, outer), oldBrush = SelectObject(p.dc, fill);
    Ellipse(p.dc, box.left, box.top, box.right - 1, box.bottom - 1);
    SelectObject(p.dc, oldPen);
    SelectObject(p.dc, oldBrush);
    DeleteObject(outer);
    DeleteObject(fill);
    if (p.s->check) {
        HBRUSH dot = CreateSolidBrush(GetSysColor(p.enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
        HGDIOBJ nullPen = SelectObject(p.dc, GetStockObject(NULL_PEN));
        oldBrush = SelectObject(p.dc, dot);
        Ellipse(p.dc, box.left + 4, box.top + 4, box.left + 8, box.top + 8);
        SelectObject(p.dc, nullPen);
        SelectObject(p.dc, oldBrush);
        DeleteObject(dot);
    }
}

void PaintCheckOrRadio(const PaintInfo& p, HBRUSH background) {
    FillRect(p.dc, &p.client, background);
    const bool leftText = (p.style & BS_LEFTTEXT) != 0;
    const int top = p.client.top + (HeightOf(p.client) - kMarkSize) / 2;
    const int left = leftText ? p.client.right - kMarkSize : p.client.left;
    const RECT box = Rect(left, top, left + kMarkSize, top + kMarkSize);
    if (IsRadio(p.style & BS_TYPEMASK))
        DrawRadioMark(p, box);
    else
        DrawCheckBoxMark(p, box);
    SetBkMode(p.dc, TRANSPARENT);
    RECT textRect = leftText ? Rect(p.client.left, p.client.top, box.left - 4, p.client.bottom)
                             : Rect(box.right + 4, p.client.top, p.client.right, p.client.bottom);
    const RECT covered =
        DrawCaption(p, TextOf(p.hwnd), textRect, HorizontalFormat(p.style, DT_LEFT));
    if (p.s->focused && !IsRectEmpty(covered)) {
        RECT focus = InflateRect(covered, 1, 1);
        IntersectRect(focus, focus, p.client);
        DrawFocusRect(p.dc, &focus);
    }
}

void PaintGroupBox(const PaintInfo& p, HBRUSH background) {
    const std::string text = TextOf(p.hwnd);
    TEXTMETRIC tm;
    GetTextMetrics(p.dc, &tm);
    const int frameTop = p.client.top + tm.tmHeight / 2;
    // An etched frame: a shadow line with a highlight line one pixel to the right and below.
    const RECT frame = Rect(p.client.left, frameTop, p.client.right, p.client.bottom);
    FrameTwoTone(p.dc, Rect(frame.left + 1, frame.top + 1, frame.right, frame.bottom),
                 GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT));
    FrameTwoTone(p.dc, Rect(frame.left, frame.top, frame.right - 1, frame.bottom - 1),
                 GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    if (text.empty()) return;
    RECT textRect =
        Rect(p.client.left + 8, p.client.top, p.client.right - 8, p.client.top + tm.tmHeight);
    DrawText(p.dc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_CALCRECT);
    textRect.right = std::min<LONG>(textRect.right, p.client.right - 8);
    const RECT band = Rect(textRect.left - 2, textRect.top, textRect.right + 2, textRect.bottom);
    FillRect(p.dc, &band, background);
    SetBkMode(p.dc, TRANSPARENT);
    if (p.enabled)
        DrawText(p.dc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE);
    else
        DrawEmbossedText(p.dc, text.c_str(), int(text.size()), textRect, DT_SINGLELINE);
}

void PaintOwnerDrawn(const PaintInfo& p) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = UINT(GetWindowLongPtr(p.hwnd, GWL_ID));
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (p.s->pushed ? ODS_SELECTED : 0) | (p.s->focused ? ODS_FOCUS : 0) |
                    (p.enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = p.hwnd;
    dis.hDC = p.dc;
    dis.rcItem = p.client;
    if (const HWND parent = GetParent(p.hwnd))
        SendMessage(parent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
}

void Paint(HWND hwnd, HDC dc) {
    ButtonState* s = StateOf(hwnd);
    if (!s) return;
    PaintInfo p{hwnd, dc, {}, StyleOf(hwnd), s, IsWindowEnabled(hwnd)};
    GetClientRect(hwnd, &p.client);
    const int saved = SaveDC(dc);
    SelectObject(dc, FontOrDefault(s->font));
    const DWORD type = p.style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) {
        PaintOwnerDrawn(p);
    } else if (IsCheckBox(type) || IsRadio(type) || type == BS_GROUPBOX) {
        // The parent's answer may delete the window; paint only when it is still there.
        HBRUSH background = AskControlColor(hwnd, WM_CTLCOLORSTATIC, dc, COLOR_BTNFACE);
        if (IsWindow(hwnd) && StateOf(hwnd)) {
            if (type == BS_GROUPBOX)
                PaintGroupBox(p, background);
            else
                PaintCheckOrRadio(p, background);
        }
    } else {
        AskControlColor(hwnd, WM_CTLCOLORBTN, dc, COLOR_BTNFACE);
        if (IsWindow(hwnd) && StateOf(hwnd)) PaintPushButton(p);
    }
    RestoreDC(dc, saved);
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
    const DWORD type = TypeOf(hwnd);
    // A group box lies over the controls it frames; erasing its inside would wipe them.
    if (type == BS_GROUPBOX || type == BS_OWNERDRAW) return 1;
    const bool isStatic = IsCheckBox(type) || IsRadio(type);
    HBRUSH brush =
        AskControlColor(hwnd, isStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLORBTN, dc, COLOR_BTNFACE);
    return FillClientWithBrush(hwnd, dc, brush);
}

// ---------------------------------------------------------------- input

LRESULT DialogCode(HWND hwnd) {
    const DWORD type = TypeOf(hwnd);
    if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (type == BS_PUSHBUTTON || type == BS_PUSHBOX || type == BS_USERBUTTON ||
        type == BS_OWNERDRAW)
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (IsRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (type == BS_GROUPBOX) return DLGC_STATIC;
    return DLGC_BUTTON;
}

void OnMouseDown(HWND hwnd) {
    if (TypeOf(hwnd) == BS_GROUPBOX) return;
    SetFocus(hwnd);
    ButtonState* s = StateOf(hwnd);
    if (!s) return;
    SetCapture(hwnd);
    if (!(s = StateOf(hwnd))) return;
    s->mouseTracking = true;
    SetPushed(hwnd, *s, true);
}

void OnMouseMove(HWND hwnd, LPARAM lParam) {
    ButtonState* s = StateOf(hwnd);
    if (!s || !s->mouseTracking) return;
    RECT client;
    GetClientRect(hwnd, &client);
    SetPushed(hwnd, *s, PtInRect(client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
}

void OnMouseUp(HWND hwnd) {
    ButtonState* s = StateOf(hwnd);
    if (!s || !s->mouseTracking) return;
    const bool inside = s->pushed;
    s->mouseTracking = false;
    SetPushed(hwnd, *s, false);
    ReleaseCapture();
    if (inside && IsWindow(hwnd)) PerformClick(hwnd);
}

void OnCaptureLost(HWND hwnd) {
    ButtonState* s = StateOf(hwnd);
    if (!s || !s->mouseTracking) return;
    s->mouseTracking = false;
    SetPushed(hwnd, *s, false);
}

void MoveInRadioGroup(HWND hwnd, bool forward) {
    const HWND next = NeighbourRadio(hwnd, forward);
    if (!next) return;
    SetFocus(next);
    if (IsWindow(next) && TypeOf(next) == BS_AUTORADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
}

void OnKeyDown(HWND hwnd, WPARAM vk) {
    ButtonState* s = StateOf(hwnd);
    if (!s || TypeOf(hwnd) == BS_GROUPBOX) return;
    if (vk == VK_SPACE) {
        if (s->mouseTracking) return;
        s->spaceDown = true;
        SetPushed(hwnd, *s, true);
        return;
    }
    if (IsRadio(TypeOf(hwnd))) {
        if (vk == VK_DOWN || vk == VK_RIGHT)
            MoveInRadioGroup(hwnd, true);
        else if (vk == VK_UP || vk == VK_LEFT)
            MoveInRadioGroup(hwnd, false);
    }
}

void OnKeyUp(HWND hwnd, WPARAM vk) {
    ButtonState* s = StateOf(hwnd);
    if (!s || vk != VK_SPACE || !s->spaceDown) return;
    s->spaceDown = false;
    SetPushed(hwnd, *s, false);
    PerformClick(hwnd);
}

void OnFocus(HWND hwnd, bool focused) {
    ButtonState* s = StateOf(hwnd);
    if (!s) return;
    s->focused = focused;
    if (!focused) {
        // A press in progress is abandoned, not completed.
        s->spaceDown = false;
        if (s->mouseTracking) {
            s->mouseTracking = false;
            if (GetCapture() == hwnd) ReleaseCapture();
        }
        if (!(s = StateOf(hwnd))) return;
        s->pushed = false;
    }
    Redraw(hwnd);
}

// Win32 clicks by a press and release of the mouse in the middle of the button.
void OnClickMessage(HWND hwnd) {
    if (!IsWindowEnabled(hwnd) || TypeOf(hwnd) == BS_GROUPBOX) return;
    ButtonState* s = StateOf(hwnd);
    if (!s) return;
    SetPushed(hwnd, *s, true);
    SetPushed(hwnd, *s, false);
    PerformClick(hwnd);
}

LRESULT StateBits(const ButtonState& s) {
    LRESULT r = s.check;
    if (s.pushed) r |= BST_PUSHED;
    if (s.focused) r |= BST_FOCUS;
    return r;
}

void SetStyle(HWND hwnd, WPARAM style, bool redraw) {
    const DWORD old = StyleOf(hwnd);
    SetWindowLongPtr(hwnd, GWL_STYLE, LONG_PTR((old & ~0xFFFFu) | (DWORD(style) & 0xFFFFu)));
    if (redraw) Redraw(hwnd);
}

LRESULT ControlMessage(HWND hwnd, ButtonState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: PaintControl(hwnd, wParam, [&](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_NCHITTEST:
        // Clicks on a group box reach what lies under it.
        if (TypeOf(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(uintptr_t(lParam))) Redraw(hwnd);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(FontOrDefault(s.font)));
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        Redraw(hwnd);
        if (TypeOf(hwnd) == BS_GROUPBOX) InvalidateRect(GetParent(hwnd), nullptr, true);
        return r;
    }
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_SETFOCUS: OnFocus(hwnd, true); return 0;
    case WM_KILLFOCUS: OnFocus(hwnd, false); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnMouseDown(hwnd); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, lParam); return 0;
    case WM_LBUTTONUP: OnMouseUp(hwnd); return 0;
    case WM_CAPTURECHANGED: OnCaptureLost(hwnd); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, wParam); return 0;
    case WM_KEYUP: OnKeyUp(hwnd, wParam); return 0;
    case WM_CHAR: return 0;
    case BM_GETCHECK: return IsCheckBox(TypeOf(hwnd)) || IsRadio(TypeOf(hwnd)) ? s.check : 0;
    case BM_SETCHECK: SetCheck(hwnd, s, wParam); return 0;
    case BM_GETSTATE: return StateBits(s);
    case BM_SETSTATE: SetPushed(hwnd, s, wParam != 0); return 0;
    case BM_SETSTYLE: SetStyle(hwnd, wParam, LOWORD(uintptr_t(lParam)) != 0); return 0;
    case BM_CLICK: OnClickMessage(hwnd); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<ButtonState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](ButtonState& s) { return ControlMessage(hwnd, s, msg, wParam, lParam); });
}

} // namespace

void RegisterButtonClass() {
    RegisterClassOnce("Button", ButtonProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}
