#include "platform/controls/ToolBar.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ControlSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Text.h"

// Layout, so that tests can state it by hand:
//  - without CCS_NODIVIDER a 2-pixel etched divider runs along the top and the buttons start
//    at y 2, otherwise at y 0; the row starts at x 0 and has no gaps;
//  - every button is as wide as the button width or its widest text plus 12, whichever is
//    more, and as high as the button height or the text height plus 6;
//  - a separator is iBitmap wide (8 when that is 0 or less) and as high as the buttons; flat
//    bars draw an etched line in its middle unless it holds a control (TBSTATE_HOLDSCONTROL);
//  - hidden buttons take no room; TB_AUTOSIZE makes the bar as wide as its parent and
//    2 pixels higher than the buttons' bottom.
namespace {

constexpr int kTextPadX = 6;
constexpr int kTextPadY = 3;
constexpr int kDivider = 2;
constexpr int kBottomPad = 2;
constexpr char kStateProp[] = "ToolBar.State";

struct Button {
    TBBUTTON data;
    std::string text;
    unsigned serial = 0; // identifies the button across notifications that may change the list
};

struct ToolState : BarStateBase {
    std::vector<Button> buttons;
    int cx = TOOLBAR_DEFAULT_BUTTON_WIDTH;
    int cy = TOOLBAR_DEFAULT_BUTTON_HEIGHT;
    int hot = -1;
    int pressed = -1; // the button held down by the mouse
    unsigned nextSerial = 1;
};

ToolState* StateOf(HWND hwnd) { return ControlStateOf<ToolState>(hwnd, kStateProp); }

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }

bool IsSeparator(const Button& b) { return (b.data.fsStyle & TBSTYLE_SEP) != 0; }
bool IsHidden(const Button& b) { return (b.data.fsState & TBSTATE_HIDDEN) != 0; }
bool IsEnabled(const Button& b) { return (b.data.fsState & TBSTATE_ENABLED) != 0; }

SIZE ButtonSize(const ToolState& s) {
    SIZE size{s.cx, s.cy};
    for (const Button& b : s.buttons) {
        if (IsSeparator(b) || b.text.empty()) continue;
        SIZE t = MeasureText(s.font, b.text);
        size.cx = std::max<LONG>(size.cx, t.cx + 2 * kTextPadX);
        size.cy = std::max<LONG>(size.cy, t.cy + 2 * kTextPadY);
    }
    return size;
}

int TopOf(HWND hwnd) { return (StyleOf(hwnd) & CCS_NODIVIDER) ? 0 : kDivider; }

// Every button's rectangle, hidden ones empty.
std::vector<RECT> Layout(HWND hwnd, const ToolState& s) {
    SIZE size = ButtonSize(s);
    int top = TopOf(hwnd);
    int x = 0;
    std::vector<RECT> rects;
    rects.reserve(s.buttons.size());
    for (const Button& b : s.buttons) {
        if (IsHidden(b)) {
            rects.push_back({x, top, x, top});
            continue;
        }
        int width = IsSeparator(b)
                        ? (b.data.iBitmap > 0 ? b.data.iBitmap : TOOLBAR_DEFAULT_SEPARATOR_WIDTH)
                        : size.cx;
        rects.push_back({x, top, x + width, top + size.cy});
        x += width;
    }
    return rects;
}

int ButtonAt(HWND hwnd, const ToolState& s, POINT pt) {
    std::vector<RECT> rects = Layout(hwnd, s);
    for (size_t i = 0; i < rects.size(); ++i) {
        const RECT& r = rects[i];
        if (IsHidden(s.buttons[i]) || IsSeparator(s.buttons[i])) continue;
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) return int(i);
    }
    return -1;
}

int IndexOfCommand(const ToolState& s, WPARAM id) {
    for (size_t i = 0; i < s.buttons.size(); ++i)
        if (!IsSeparator(s.buttons[i]) && s.buttons[i].data.idCommand == int(id)) return int(i);
    return -1;
}

int IndexOfSerial(const ToolState& s, unsigned serial) {
    for (size_t i = 0; i < s.buttons.size(); ++i)
        if (s.buttons[i].serial == serial) return int(i);
    return -1;
}

void InvalidateButton(HWND hwnd, const ToolState& s, int index) {
    if (index < 0 || size_t(index) >= s.buttons.size()) return;
    RECT r = Layout(hwnd, s)[index];
    InvalidateRect(hwnd, &r, true);
}

// ---- Painting

UINT ItemState(const ToolState& s, int index) {
    const Button& b = s.buttons[index];
    UINT state = 0;
    if (b.data.fsState & TBSTATE_PRESSED) state |= CDIS_SELECTED;
    if (!IsEnabled(b)) state |= CDIS_DISABLED;
    if (b.data.fsState & TBSTATE_CHECKED) state |= CDIS_CHECKED;
    if (index == s.hot) state |= CDIS_HOT;
    return state;
}

NMTBCUSTOMDRAW MakeCustomDraw(HDC dc, DWORD stage, const RECT& rc) {
    NMTBCUSTOMDRAW cd;
    cd.nmcd.dwDrawStage = stage;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = rc;
    cd.clrText = GetSysColor(COLOR_BTNTEXT);
    cd.clrBtnFace = GetSysColor(COLOR_BTNFACE);
    cd.clrBtnHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    cd.clrTextHighlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
    cd.clrHighlightHotTrack = GetSysColor(COLOR_HIGHLIGHT);
    cd.nStringBkMode = TRANSPARENT;
    cd.nHLStringBkMode = OPAQUE;
    return cd;
}

void DrawSeparator(HWND hwnd, HDC dc, const Button& b, const RECT& r) {
    // Only flat bars show separators, as an etched vertical line in the middle; a place
    // under another control shows nothing, so the control's edges stay clean.
    if (!(StyleOf(hwnd) & TBSTYLE_FLAT) || (b.data.fsState & TBSTATE_HOLDSCONTROL)) return;
    int mid = (r.left + r.right) / 2;
    FillSysColor(dc, {mid - 1, r.top, mid, r.bottom}, COLOR_BTNSHADOW);
    FillSysColor(dc, {mid, r.top, mid + 1, r.bottom}, COLOR_BTNHIGHLIGHT);
}

void DrawButtonText(HDC dc, const ToolState& s, const Button& b, RECT r, UINT state, COLORREF color,
                    LRESULT flags) {
    if (b.text.empty()) return;
    if (state & (CDIS_SELECTED | CDIS_CHECKED)) r = OffsetRect(r, 1, 1);
    HGDIOBJ oldFont = s.font ? SelectObject(dc, s.font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if ((state & CDIS_DISABLED) && !(flags & TBCDRF_NOETCHEDEFFECT)) {
        RECT shifted = r;
        shifted = OffsetRect(shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawText(dc, b.text.c_str(), int(b.text.size()), &shifted, format);
        color = GetSysColor(COLOR_BTNSHADOW);
    } else if (state & CDIS_DISABLED) {
        color = GetSysColor(COLOR_GRAYTEXT);
    }
    SetTextColor(dc, color);
    DrawText(dc, b.text.c_str(), int(b.text.size()), &r, format);
    if (oldFont) SelectObject(dc, oldFont);
}

void DrawButton(HWND hwnd, HDC dc, const ToolState& s, int index, const RECT& r, COLORREF textColor,
                LRESULT flags) {
    const Button& b = s.buttons[index];
    UINT state = ItemState(s, index);
    bool down = (state & (CDIS_SELECTED | CDIS_CHECKED)) != 0;
    if (!(flags & TBCDRF_NOEDGES)) {
        if (StyleOf(hwnd) & TBSTYLE_FLAT) {
            if (down)
                DrawThinSunken(dc, r);
            else if (state & CDIS_HOT)
                DrawThinRaised(dc, r);
        } else if (down) {
            DrawButtonSunken(dc, r);
        } else {
            DrawButtonRaised(dc, r);
        }
    }
    DrawButtonText(dc, s, b, r, state, textColor, flags);
}

// Paints the buttons, asking the parent at each custom-draw stage. The parent may change the
// button list or destroy the bar while answering, so everything is looked up again after it.
void PaintButtons(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    NMTBCUSTOMDRAW pre = MakeCustomDraw(dc, CDDS_PREPAINT, client);
    LRESULT answer = SendNotify(hwnd, &pre.nmcd.hdr, NM_CUSTOMDRAW);
    if (!IsWindow(hwnd) || (answer & CDRF_SKIPDEFAULT)) return;
    for (size_t i = 0;; ++i) {
        ToolState* s = StateOf(hwnd);
        if (!s || i >= s->buttons.size()) break;
        const Button& b = s->buttons[i];
        if (IsHidden(b)) continue;
        RECT r = Layout(hwnd, *s)[i];
        if (IsSeparator(b)) {
            DrawSeparator(hwnd, dc, b, r); // separators are not offered to the parent
            continue;
        }
        LRESULT itemAnswer = CDRF_DODEFAULT;
        NMTBCUSTOMDRAW item = MakeCustomDraw(dc, CDDS_ITEMPREPAINT, r);
        if (answer & CDRF_NOTIFYITEMDRAW) {
            item.nmcd.dwItemSpec = uintptr_t(b.data.idCommand);
            item.nmcd.uItemState = ItemState(*s, int(i));
            item.nmcd.lItemlParam = LPARAM(b.data.dwData);
            item.rcText = r;
            unsigned serial = b.serial;
            itemAnswer = SendNotify(hwnd, &item.nmcd.hdr, NM_CUSTOMDRAW);
            if (!IsWindow(hwnd)) return;
            s = StateOf(hwnd);
            int again = s ? IndexOfSerial(*s, serial) : -1;
            if (again < 0) continue;
            i = size_t(again);
            r = Layout(hwnd, *s)[i];
        }
        if (!(itemAnswer & CDRF_SKIPDEFAULT))
            DrawButton(hwnd, dc, *s, int(i), r, item.clrText, itemAnswer);
        if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
            item.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
            SendNotify(hwnd, &item.nmcd.hdr, NM_CUSTOMDRAW);
            if (!IsWindow(hwnd)) return;
        }
    }
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        NMTBCUSTOMDRAW post = MakeCustomDraw(dc, CDDS_POSTPAINT, client);
        SendNotify(hwnd, &post.nmcd.hdr, NM_CUSTOMDRAW);
    }
}

void EraseBackground(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    NMTBCUSTOMDRAW pre = MakeCustomDraw(dc, CDDS_PREERASE, client);
    LRESULT answer = SendNotify(hwnd, &pre.nmcd.hdr, NM_CUSTOMDRAW);
    if (!IsWindow(hwnd)) return;
    if (!(answer & CDRF_SKIPDEFAULT)) {
        FillSysColor(dc, client, COLOR_BTNFACE);
        if (!(StyleOf(hwnd) & CCS_NODIVIDER)) {
            FillSysColor(dc, {client.left, 0, client.right, 1}, COLOR_BTNSHADOW);
            FillSysColor(dc, {client.left, 1, client.right, 2}, COLOR_BTNHIGHLIGHT);
        }
    }
    if (answer & CDRF_NOTIFYPOSTERASE) {
        NMTBCUSTOMDRAW post = MakeCustomDraw(dc, CDDS_POSTERASE, client);
        SendNotify(hwnd, &post.nmcd.hdr, NM_CUSTOMDRAW);
    }
}

LRESULT OnPaint(HWND hwnd, WPARAM wParam) {
    PaintControl(hwnd, wParam, [hwnd](HDC dc) {
        if (IsWindow(hwnd)) PaintButtons(hwnd, dc);
    });
    return 0;
}

// ---- Buttons

Button MakeButton(ToolState& s, const TBBUTTON& data) {
    Button b;
    b.data = data;
    const char* text = reinterpret_cast<const char*>(data.iString);
    // Small values are string-pool indexes in Win32; this bar has no pool, so they mean no text.
    if (data.iString > 0xFFFF && text) b.text = text;
    b.data.iString = 0;
    b.serial = s.nextSerial++;
    return b;
}

void InsertButtons(HWND hwnd, ToolState& s, size_t at, const TBBUTTON* src, size_t count) {
    std::vector<Button> added;
    for (size_t i = 0; i < count; ++i) added.push_back(MakeButton(s, src[i]));
    at = std::min(at, s.buttons.size());
    s.buttons.insert(s.buttons.begin() + std::ptrdiff_t(at), added.begin(), added.end());
    if (s.hot >= int(at)) s.hot += int(count);
    if (s.pressed >= int(at)) s.pressed += int(count);
    InvalidateRect(hwnd, nullptr, true);
}

NMTOOLBAR DescribeButton(HWND hwnd, const ToolState& s, int index) {
    NMTOOLBAR nm;
    const Button& b = s.buttons[index];
    nm.iItem = b.data.idCommand;
    nm.tbButton = b.data;
    nm.tbButton.iString = intptr_t(b.text.c_str());
    nm.pszText = b.text.c_str();
    nm.cchText = int(b.text.size());
    nm.rcButton = Layout(hwnd, s)[index];
    return nm;
}

LRESULT DeleteButton(HWND hwnd, WPARAM wParam) {
    ToolState* s = StateOf(hwnd);
    if (!s || wParam >= s->buttons.size()) return 0;
    unsigned serial = s->buttons[wParam].serial;
    NMTOOLBAR nm = DescribeButton(hwnd, *s, int(wParam));
    SendNotify(hwnd, &nm.hdr, TBN_DELETINGBUTTON);
    if (!IsWindow(hwnd) || !(s = StateOf(hwnd))) return 1;
    int index = IndexOfSerial(*s, serial);
    if (index < 0) return 1; // the parent removed it meanwhile
    s->buttons.erase(s->buttons.begin() + index);
    for (int* tracked : {&s->hot, &s->pressed}) {
        if (*tracked == index)
            *tracked = -1;
        else if (*tracked > index)
            --*tracked;
    }
    if (s->pressed < 0 && GetCapture() == hwnd) ReleaseCapture();
    InvalidateRect(hwnd, nullptr, true);
    return 1;
}

void AnnounceAllDeleted(HWND hwnd) {
    ToolState* s = StateOf(hwnd);
    if (!s) return;
    std::vector<unsigned> serials;
    for (const Button& b : s->buttons) serials.push_back(b.serial);
    for (unsigned serial : serials) {
        if (!(s = StateOf(hwnd))) return;
        int index = IndexOfSerial(*s, serial);
        if (index < 0) continue;
        NMTOOLBAR nm = DescribeButton(hwnd, *s, index);
        SendNotify(hwnd, &nm.hdr, TBN_DELETINGBUTTON);
    }
}

LRESULT SetState(HWND hwnd, ToolState& s, WPARAM id, BYTE state) {
    int index = IndexOfCommand(s, id);
    if (index < 0) return 0;
    bool layoutChanges = ((s.buttons[index].data.fsState ^ state) & TBSTATE_HIDDEN) != 0;
    s.buttons[index].data.fsState = state;
    if (!(state & TBSTATE_ENABLED) && s.hot == index) s.hot = -1;
    if (layoutChanges)
        InvalidateRect(hwnd, nullptr, true);
    else
        InvalidateButton(hwnd, s, index);
    return 1;
}

LRESULT ChangeStateBit(HWND hwnd, ToolState& s, WPARAM id, BYTE bit, bool on) {
    int index = IndexOfCommand(s, id);
    if (index < 0) return 0;
    BYTE state = s.buttons[index].data.fsState;
    return SetState(hwnd, s, id, on ? BYTE(state | bit) : BYTE(state & ~bit));
}

// A check button toggles; one of a check group becomes the only checked one of its run of
// neighbouring group buttons and stays checked when clicked again.
void ToggleCheck(ToolState& s, int index) {
    Button& b = s.buttons[index];
    if ((b.data.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) {
        auto inGroup = [&](int i) {
            return (s.buttons[i].data.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP;
        };
        for (int i = index - 1; i >= 0 && inGroup(i); --i)
            s.buttons[i].data.fsState &= ~TBSTATE_CHECKED;
        for (int i = index + 1; i < int(s.buttons.size()) && inGroup(i); ++i)
            s.buttons[i].data.fsState &= ~TBSTATE_CHECKED;
        b.data.fsState |= TBSTATE_CHECKED;
    } else if (b.data.fsStyle & TBSTYLE_CHECK) {
        b.data.fsState ^= TBSTATE_CHECKED;
    }
}

LRESULT GetItemRect(HWND hwnd, const ToolState& s, WPARAM index, LPARAM lParam) {
    RECT* out = reinterpret_cast<RECT*>(lParam);
    if (index >= s.buttons.size() || !out || IsHidden(s.buttons[index])) return 0;
    *out = Layout(hwnd, s)[index];
    return 1;
}

LRESULT GetButton(const ToolState& s, WPARAM index, LPARAM lParam) {
    TBBUTTON* out = reinterpret_cast<TBBUTTON*>(lParam);
    if (index >= s.buttons.size() || !out) return 0;
    *out = s.buttons[index].data;
    out->iString = s.buttons[index].text.empty() ? 0 : intptr_t(s.buttons[index].text.c_str());
    return 1;
}

void AutoSize(HWND hwnd, const ToolState& s) {
    DWORD style = StyleOf(hwnd);
    HWND parent = GetParent(hwnd);
    if ((style & CCS_NORESIZE) || !parent) return;
    int height = TopOf(hwnd) + ButtonSize(s).cy + kBottomPad;
    RECT pc;
    GetClientRect(parent, &pc);
    if (style & CCS_NOPARENTALIGN) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    int y = (style & CCS_BOTTOM) == CCS_BOTTOM ? pc.bottom - height : 0;
    SetWindowPos(hwnd, nullptr, 0, y, pc.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetHotItem(HWND hwnd, ToolState& s, int index) {
    int old = s.hot;
    bool valid = index >= 0 && size_t(index) < s.buttons.size() && !IsSeparator(s.buttons[index]) &&
                 !IsHidden(s.buttons[index]) && IsEnabled(s.buttons[index]);
    s.hot = valid ? index : -1;
    if (old != s.hot) {
        InvalidateButton(hwnd, s, old);
        InvalidateButton(hwnd, s, s.hot);
    }
    return old;
}

// ---- Mouse

void PressDropDown(HWND hwnd, ToolState& s, int index) {
    unsigned serial = s.buttons[index].serial;
    s.buttons[index].data.fsState |= TBSTATE_PRESSED;
    InvalidateButton(hwnd, s, index);
    UpdateWindow(hwnd);
    ToolState* now = StateOf(hwnd);
    if (!IsWindow(hwnd) || !now || (index = IndexOfSerial(*now, serial)) < 0) return;
    NMTOOLBAR nm = DescribeButton(hwnd, *now, index);
    SendNotify(hwnd, &nm.hdr, TBN_DROPDOWN);
    if (!IsWindow(hwnd) || !(now = StateOf(hwnd)) || (index = IndexOfSerial(*now, serial)) < 0)
        return;
    now->buttons[index].data.fsState &= ~TBSTATE_PRESSED;
    InvalidateButton(hwnd, *now, index);
}

LRESULT OnButtonDown(HWND hwnd, ToolState& s, LPARAM lParam) {
    int index = ButtonAt(hwnd, s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (index < 0 || !IsEnabled(s.buttons[index])) return 0;
    if (s.buttons[index].data.fsStyle & TBSTYLE_DROPDOWN) {
        PressDropDown(hwnd, s, index);
        return 0;
    }
    s.pressed = index;
    s.buttons[index].data.fsState |= TBSTATE_PRESSED;
    SetCapture(hwnd);
    InvalidateButton(hwnd, s, index);
    return 0;
}

void TrackHot(HWND hwnd, ToolState& s, POINT pt) {
    int index = ButtonAt(hwnd, s, pt);
    if (index >= 0 && !IsEnabled(s.buttons[index])) index = -1;
    if (index == s.hot) return;
    SetHotItem(hwnd, s, index);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    TrackMouseEvent(&tme);
}

LRESULT OnMouseMove(HWND hwnd, ToolState& s, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (s.pressed < 0) {
        TrackHot(hwnd, s, pt);
        return 0;
    }
    // While held, the button looks pressed only with the pointer over it.
    Button& b = s.buttons[s.pressed];
    bool over = ButtonAt(hwnd, s, pt) == s.pressed;
    BYTE state =
        over ? BYTE(b.data.fsState | TBSTATE_PRESSED) : BYTE(b.data.fsState & ~TBSTATE_PRESSED);
    if (state != b.data.fsState) {
        b.data.fsState = state;
        InvalidateButton(hwnd, s, s.pressed);
    }
    return 0;
}

LRESULT OnButtonUp(HWND hwnd, ToolState& s, LPARAM lParam) {
    if (s.pressed < 0) return 0;
    int index = s.pressed;
    s.pressed = -1;
    Button& b = s.buttons[index];
    b.data.fsState &= ~TBSTATE_PRESSED;
    bool over = ButtonAt(hwnd, s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == index;
    if (over) ToggleCheck(s, index);
    int id = b.data.idCommand;
    InvalidateRect(hwnd, nullptr, true);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (over && IsWindow(hwnd) && GetParent(hwnd))
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKELONG(WORD(id), 0),
                    reinterpret_cast<LPARAM>(hwnd));
    return 0;
}

void CancelPress(HWND hwnd, ToolState& s) {
    if (s.pressed < 0) return;
    s.buttons[s.pressed].data.fsState &= ~TBSTATE_PRESSED;
    InvalidateButton(hwnd, s, s.pressed);
    s.pressed = -1;
}

// ---- The window procedure

LRESULT ButtonMessage(HWND hwnd, ToolState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TB_BUTTONSTRUCTSIZE: return 0; // one layout of TBBUTTON exists here
    case TB_ADDBUTTONSA:
        if (!lParam) return 0;
        InsertButtons(hwnd, s, s.buttons.size(), reinterpret_cast<const TBBUTTON*>(lParam), wParam);
        return 1;
    case TB_INSERTBUTTONA:
        if (!lParam) return 0;
        InsertButtons(hwnd, s, wParam, reinterpret_cast<const TBBUTTON*>(lParam), 1);
        return 1;
    case TB_DELETEBUTTON: return DeleteButton(hwnd, wParam);
    case TB_GETBUTTON: return GetButton(s, wParam, lParam);
    case TB_BUTTONCOUNT: return LRESULT(s.buttons.size());
    case TB_COMMANDTOINDEX: return IndexOfCommand(s, wParam);
    case TB_GETITEMRECT: return GetItemRect(hwnd, s, wParam, lParam);
    case TB_SETBUTTONSIZE:
        s.cx = std::max(1, int(LOWORD(uintptr_t(lParam))));
        s.cy = std::max(1, int(HIWORD(uintptr_t(lParam))));
        InvalidateRect(hwnd, nullptr, true);
        return 1;
    case TB_GETBUTTONSIZE: {
        SIZE size = ButtonSize(s);
        return LRESULT(MAKELONG(WORD(size.cx), WORD(size.cy)));
    }
    case TB_AUTOSIZE: AutoSize(hwnd, s); return 0;
    case TB_SETSTATE: return SetState(hwnd, s, wParam, BYTE(LOWORD(uintptr_t(lParam))));
    case TB_GETSTATE: {
        int index = IndexOfCommand(s, wParam);
        return index < 0 ? -1 : LRESULT(s.buttons[index].data.fsState);
    }
    case TB_CHECKBUTTON:
        return ChangeStateBit(hwnd, s, wParam, TBSTATE_CHECKED, LOWORD(uintptr_t(lParam)) != 0);
    case TB_ENABLEBUTTON:
        return ChangeStateBit(hwnd, s, wParam, TBSTATE_ENABLED, LOWORD(uintptr_t(lParam)) != 0);
    case TB_SETHOTITEM: return SetHotItem(hwnd, s, int(intptr_t(wParam)));
    case TB_GETHOTITEM: return s.hot;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT BarMessage(HWND hwnd, ToolState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY: AnnounceAllDeleted(hwnd); return 0;
    case WM_PAINT: return OnPaint(hwnd, wParam);
    case WM_ERASEBKGND: EraseBackground(hwnd, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnButtonDown(hwnd, s, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, s, lParam);
    case WM_LBUTTONUP: return OnButtonUp(hwnd, s, lParam);
    case WM_MOUSELEAVE:
        if (s.pressed < 0) SetHotItem(hwnd, s, -1);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) CancelPress(hwnd, s);
        return 0;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, true);
        return 0;
    default: return ButtonMessage(hwnd, s, msg, wParam, lParam);
    }
}

LRESULT ToolBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return BarControlProc<ToolState>(hwnd, msg, wParam, lParam, kStateProp, [&](ToolState& s) {
        return BarMessage(hwnd, s, msg, wParam, lParam);
    });
}

} // namespace

void RegisterToolBarClass() {
    RegisterClassOnce(TOOLBARCLASSNAME, ToolBarProc, CS_DBLCLKS,
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadCursor(nullptr, IDC_ARROW));
}
