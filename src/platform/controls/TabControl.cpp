#include "platform/controls/TabControl.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/UpDown.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Text.h"
#include "platform/window/OwnerDraw.h"
#include "platform/window/ScrollBars.h"

// Layout, so that tests can state it by hand (top tabs; TCS_BOTTOM mirrors it vertically):
//  - a tab is its text's width plus 12 wide (TCS_FIXEDWIDTH: the set width), and as high as
//    the set height or the text's height plus 6;
//  - rows start at x 2; the first row's tabs lie from y 2, further rows (TCS_MULTILINE, when
//    a tab would pass the client's right edge less 2) follow below;
//  - the page frame starts under the rows; the selected tab reaches 2 pixels further out on
//    each side and above, and 1 pixel into the frame, where it joins the page;
//  - the display area is the frame less 4 on every side (a 2-pixel edge and a 2-pixel margin);
//  - a single row that overflows shows scroll arrows (2 x 16 wide, as high as a tab) at the
//    right end of the row; position k puts tab k at x 2. Once the owner destroys them (to
//    show scroll buttons of its own) they stay away, and its WM_HSCROLL still scrolls the row.
//  - TCS_VERTICAL is the top layout turned about the diagonal: tabs run down from y 2 in
//    columns from x 2, a tab is its text's width plus 12 tall and its text's height plus 6
//    wide, the text reads upward; columns are always added as needed (no arrows). With
//    TCS_RIGHT the columns are mirrored to the right edge and the text reads downward.
//  - with an image source, a tab with an image is the image's width plus 3 longer along the
//    row (its height for vertical tabs) and at least the image's size plus 6 thick; the image
//    comes first, 6 in from the tab's start (the bottom for left tabs).
namespace {

constexpr int kPadX = 6;
constexpr int kPadY = 3;
constexpr int kMargin = 2;
constexpr int kDisplayInset = 4;
constexpr int kArrowWidth = 16;
constexpr int kImageGap = 3;
constexpr char kStateProp[] = "TabControl.State";

struct Item {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

struct TabState : BarStateBase {
    std::vector<Item> items;
    std::vector<RECT> rects; // unselected-style rectangles, scrolled
    int rows = 0;
    int cur = -1;
    int hot = -1;
    int first = 0; // the first tab shown when the row scrolls
    int fixedWidth = 0, fixedHeight = 0;
    HWND arrows = nullptr;
    const TabImageSource* images = nullptr;
};

enum class Side { Top, Bottom, Left, Right };

TabState* StateOf(HWND hwnd) { return ControlStateOf<TabState>(hwnd, kStateProp); }
DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }
Side SideOf(HWND hwnd) {
    const DWORD style = StyleOf(hwnd);
    if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? Side::Right : Side::Left;
    return (style & TCS_BOTTOM) ? Side::Bottom : Side::Top;
}
bool Bottom(HWND hwnd) { return SideOf(hwnd) == Side::Bottom; }
bool Vertical(HWND hwnd) { return (StyleOf(hwnd) & TCS_VERTICAL) != 0; }

bool HasImage(const TabState& s, const Item& item) {
    return s.images && item.image >= 0 && item.image < s.images->ImageCount();
}

// The image's extent along the row and across it.
SIZE ImageExtent(HWND hwnd, const TabState& s) {
    if (!s.images) return {0, 0};
    const SIZE size = s.images->ImageSize();
    return Vertical(hwnd) ? SIZE{size.cy, size.cx} : size;
}

bool AnyImage(const TabState& s) {
    for (const Item& item : s.items)
        if (HasImage(s, item)) return true;
    return false;
}

// Across the row: a tab's thickness (its height for top and bottom tabs).
int TabThickness(HWND hwnd, const TabState& s) {
    if (s.fixedHeight > 0) return s.fixedHeight;
    int thickness = MeasureText(s.font, "").cy + 2 * kPadY;
    if (AnyImage(s)) thickness = std::max(thickness, int(ImageExtent(hwnd, s).cy) + 2 * kPadY);
    return thickness;
}

// Along the row: a tab's length (its width for top and bottom tabs).
int TabLength(HWND hwnd, const TabState& s, const Item& item) {
    if ((StyleOf(hwnd) & TCS_FIXEDWIDTH) && s.fixedWidth > 0) return s.fixedWidth;
    int length = MeasureText(s.font, item.text).cx + 2 * kPadX;
    if (HasImage(s, item)) length += ImageExtent(hwnd, s).cx + kImageGap;
    return s.fixedWidth > 0 ? std::max(length, s.fixedWidth) : length;
}

int StripThickness(HWND hwnd, const TabState& s) {
    return kMargin + std::max(1, s.rows) * TabThickness(hwnd, s);
}

// Rows counted from the page outward for bottom and right tabs, from the edge for top and
// left tabs. `along` is the tab's start along the row.
RECT TabRect(HWND hwnd, const TabState& s, int along, int length, int row) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int h = TabThickness(hwnd, s);
    switch (SideOf(hwnd)) {
    case Side::Top: return {along, kMargin + row * h, along + length, kMargin + (row + 1) * h};
    case Side::Bottom: {
        const int top = client.bottom - kMargin - (row + 1) * h;
        return {along, top, along + length, top + h};
    }
    case Side::Left: return {kMargin + row * h, along, kMargin + (row + 1) * h, along + length};
    case Side::Right: {
        const int left = client.right - kMargin - (row + 1) * h;
        return {left, along, left + h, along + length};
    }
    }
    return {};
}

int AvailableWidth(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    return int(Vertical(hwnd) ? client.bottom : client.right) - 2 * kMargin;
}

void ShowArrows(HWND hwnd, TabState& s, bool show, int maxFirst);

void ComputeLayout(HWND hwnd) {
    TabState* s = StateOf(hwnd);
    if (!s) return;
    std::vector<int> widths;
    int total = 0;
    for (const Item& item : s->items)
        widths.push_back(TabLength(hwnd, *s, item)), total += widths.back();
    int avail = AvailableWidth(hwnd);
    s->rects.assign(s->items.size(), RECT{});
    bool multi = (StyleOf(hwnd) & (TCS_MULTILINE | TCS_VERTICAL)) != 0;
    if (multi) {
        int x = kMargin, row = 0;
        for (size_t i = 0; i < widths.size(); ++i) {
            if (x > kMargin && x + widths[i] > kMargin + avail) x = kMargin, ++row;
            s->rects[i] = TabRect(hwnd, *s, x, widths[i], row);
            x += widths[i];
        }
        s->rows = s->items.empty() ? 1 : row + 1;
        s->first = 0;
        ShowArrows(hwnd, *s, false, 0);
        return;
    }
    s->rows = 1;
    bool overflow = total > avail;
    // The last position that still shows the end of the row beside the arrows.
    int maxFirst = 0;
    if (overflow) {
        int rest = total;
        while (maxFirst < int(widths.size()) - 1 && rest > avail - 2 * kArrowWidth)
            rest -= widths[maxFirst++];
    }
    s->first = overflow ? std::clamp(s->first, 0, maxFirst) : 0;
    int x = kMargin;
    for (int i = 0; i < s->first; ++i) x -= widths[i];
    for (size_t i = 0; i < widths.size(); ++i) {
        s->rects[i] = TabRect(hwnd, *s, x, widths[i], 0);
        x += widths[i];
    }
    ShowArrows(hwnd, *s, overflow, maxFirst);
}

void ShowArrows(HWND hwnd, TabState& s, bool show, int maxFirst) {
    if (!show) {
        if (s.arrows && IsWindow(s.arrows)) ShowWindow(s.arrows, SW_HIDE);
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    int h = TabThickness(hwnd, s);
    int top = Bottom(hwnd) ? client.bottom - kMargin - h : kMargin;
    // An owner that paints its own scroll buttons destroys ours; they are not made again.
    if (s.arrows && !IsWindow(s.arrows)) return;
    if (!s.arrows) {
        RegisterUpDownClass();
        s.arrows = CreateWindowEx(0, "msctls_updown32", "", WS_CHILD | UDS_HORZ, 0, 0, 0, 0, hwnd,
                                  nullptr, nullptr, nullptr);
        if (!s.arrows) return;
    }
    SendMessage(s.arrows, UDM_SETRANGE32, 0, maxFirst);
    SendMessage(s.arrows, UDM_SETPOS32, 0, s.first);
    SetWindowPos(s.arrows, nullptr, client.right - 2 * kArrowWidth, top, 2 * kArrowWidth, h,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

bool ArrowsShown(const TabState& s) {
    return s.arrows && IsWindow(s.arrows) && IsWindowVisible(s.arrows);
}

RECT FrameRect(HWND hwnd, const TabState& s) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int strip = StripThickness(hwnd, s);
    switch (SideOf(hwnd)) {
    case Side::Top: return {0, strip, client.right, client.bottom};
    case Side::Bottom: return {0, 0, client.right, client.bottom - strip};
    case Side::Left: return {strip, 0, client.right, client.bottom};
    case Side::Right: return {0, 0, client.right - strip, client.bottom};
    }
    return client;
}

// 2 pixels further out along both ends and away from the page, 1 into the page's frame.
RECT SelectedRect(HWND hwnd, const RECT& r) {
    switch (SideOf(hwnd)) {
    case Side::Top: return {r.left - 2, r.top - 2, r.right + 2, r.bottom + 1};
    case Side::Bottom: return {r.left - 2, r.top - 1, r.right + 2, r.bottom + 2};
    case Side::Left: return {r.left - 2, r.top - 2, r.right + 1, r.bottom + 2};
    case Side::Right: return {r.left - 1, r.top - 2, r.right + 2, r.bottom + 2};
    }
    return r;
}

int HitTest(HWND hwnd, const TabState& s, POINT pt) {
    if (ArrowsShown(s)) {
        RECT client;
        GetClientRect(hwnd, &client);
        if (pt.x >= client.right - 2 * kArrowWidth) return -1;
    }
    auto inside = [&](const RECT& r) {
        return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
    };
    // The selected tab is larger and drawn over its neighbours, so it wins.
    if (s.cur >= 0 && inside(SelectedRect(hwnd, s.rects[s.cur]))) return s.cur;
    for (size_t i = 0; i < s.rects.size(); ++i)
        if (inside(s.rects[i])) return int(i);
    return -1;
}

// ---- Selection

// Asks the parent, changes the selection and reports it. False when vetoed or destroyed.
bool SelectWithNotify(HWND hwnd, int index) {
    TabState* s = StateOf(hwnd);
    if (!s || index < 0 || index >= int(s->items.size()) || index == s->cur) return false;
    NMHDR hdr;
    if (SendNotify(hwnd, &hdr, TCN_SELCHANGING) != 0) return false;
    if (!IsWindow(hwnd) || !(s = StateOf(hwnd)) || index >= int(s->items.size())) return false;
    s->cur = index;
    ComputeLayout(hwnd);
    InvalidateRect(hwnd, nullptr, true);
    SendNotify(hwnd, &hdr, TCN_SELCHANGE);
    return true;
}

// Scrolls the row, when it overflows, so that the given tab is wholly visible.
void ScrollIntoView(HWND hwnd, int index) {
    TabState* s = StateOf(hwnd);
    if (!s || !ArrowsShown(*s) || index < 0 || index >= int(s->rects.size())) return;
    int limit = AvailableWidth(hwnd) + kMargin - 2 * kArrowWidth;
    if (index < s->first) s->first = index;
    while (s->first < index && s->rects[index].right > limit) {
        int shift = s->rects[s->first].right - s->rects[s->first].left;
        ++s->first;
        for (RECT& r : s->rects) r.left -= shift, r.right -= shift;
    }
    ComputeLayout(hwnd);
    InvalidateRect(hwnd, nullptr, true);
}

LRESULT OnKeyDown(HWND hwnd, WPARAM vk) {
    TabState* s = StateOf(hwnd);
    int count = int(s->items.size());
    if (count == 0) return 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    int target = -1;
    if (vk == VK_TAB && ctrl)
        target = ((s->cur < 0 ? 0 : s->cur) + (shift ? count - 1 : 1)) % count;
    else if (vk == VK_LEFT || vk == VK_UP)
        target = std::max(0, s->cur - 1);
    else if (vk == VK_RIGHT || vk == VK_DOWN)
        target = std::min(count - 1, s->cur + 1);
    if (target >= 0 && SelectWithNotify(hwnd, target)) ScrollIntoView(hwnd, target);
    return 0;
}

LRESULT OnButtonDown(HWND hwnd, LPARAM lParam) {
    TabState* s = StateOf(hwnd);
    int index = HitTest(hwnd, *s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (!IsWindow(hwnd) || index < 0) return 0;
    SelectWithNotify(hwnd, index);
    return 0;
}

void SetHot(HWND hwnd, TabState& s, int index) {
    if (index == s.hot) return;
    s.hot = index;
    InvalidateRect(hwnd, nullptr, true);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    TrackMouseEvent(&tme);
}

// ---- Painting

void DrawTabEdges(HWND hwnd, HDC dc, const RECT& r) {
    // Rounded classic corners: the outer corner pixels are left out.
    if (SideOf(hwnd) == Side::Left) {
        FillSysColor(dc, {r.left + 2, r.top, r.right, r.top + 1}, COLOR_BTNHIGHLIGHT);
        FillSysColor(dc, {r.left + 1, r.top + 1, r.left + 2, r.top + 2}, COLOR_BTNHIGHLIGHT);
        FillSysColor(dc, {r.left, r.top + 2, r.left + 1, r.bottom - 2}, COLOR_BTNHIGHLIGHT);
        FillSysColor(dc, {r.left + 1, r.bottom - 2, r.left + 2, r.bottom - 1}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.left + 2, r.bottom - 2, r.right, r.bottom - 1}, COLOR_BTNSHADOW);
        FillSysColor(dc, {r.left + 2, r.bottom - 1, r.right, r.bottom}, COLOR_3DDKSHADOW);
        return;
    }
    if (SideOf(hwnd) == Side::Right) {
        FillSysColor(dc, {r.left, r.top, r.right - 2, r.top + 1}, COLOR_BTNHIGHLIGHT);
        FillSysColor(dc, {r.right - 2, r.top + 1, r.right - 1, r.top + 2}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.right - 2, r.top + 2, r.right - 1, r.bottom - 2}, COLOR_BTNSHADOW);
        FillSysColor(dc, {r.right - 1, r.top + 2, r.right, r.bottom - 2}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.right - 2, r.bottom - 2, r.right - 1, r.bottom - 1}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.left, r.bottom - 2, r.right - 2, r.bottom - 1}, COLOR_BTNSHADOW);
        FillSysColor(dc, {r.left, r.bottom - 1, r.right - 2, r.bottom}, COLOR_3DDKSHADOW);
        return;
    }
    if (Bottom(hwnd)) {
        FillSysColor(dc, {r.left, r.top, r.left + 1, r.bottom - 2}, COLOR_BTNHIGHLIGHT);
        FillSysColor(dc, {r.left + 2, r.bottom - 1, r.right - 2, r.bottom}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.left + 1, r.bottom - 2, r.left + 2, r.bottom - 1}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.right - 1, r.top, r.right, r.bottom - 2}, COLOR_3DDKSHADOW);
        FillSysColor(dc, {r.right - 2, r.top, r.right - 1, r.bottom - 1}, COLOR_BTNSHADOW);
        return;
    }
    FillSysColor(dc, {r.left, r.top + 2, r.left + 1, r.bottom}, COLOR_BTNHIGHLIGHT);
    FillSysColor(dc, {r.left + 1, r.top + 1, r.left + 2, r.top + 2}, COLOR_BTNHIGHLIGHT);
    FillSysColor(dc, {r.left + 2, r.top, r.right - 2, r.top + 1}, COLOR_BTNHIGHLIGHT);
    FillSysColor(dc, {r.right - 2, r.top + 1, r.right - 1, r.bottom}, COLOR_BTNSHADOW);
    FillSysColor(dc, {r.right - 1, r.top + 2, r.right, r.bottom}, COLOR_3DDKSHADOW);
}

// Vertical text: a copy of the font turned a quarter (upward on the left, downward on the
// right); the caller deletes it.
HFONT TurnedFont(HWND hwnd, HFONT font) {
    LOGFONT lf;
    if (!font || GetObject(font, sizeof(lf), &lf) != int(sizeof(lf))) {
        HFONT standard = CreateMessageFont();
        GetObject(standard, sizeof(lf), &lf);
        DeleteObject(standard);
    }
    lf.lfEscapement = lf.lfOrientation = SideOf(hwnd) == Side::Right ? 2700 : 900;
    return CreateFontIndirect(&lf);
}

// The image (when the tab has one) and the text, centred together in the tab, the image
// first along the reading direction.
void DrawContent(HWND hwnd, HDC dc, const TabState& s, const Item& item, const RECT& t) {
    const bool image = HasImage(s, item);
    const SIZE text = MeasureText(s.font, item.text);
    const SIZE img = image ? s.images->ImageSize() : SIZE{0, 0};
    const int gap = image ? kImageGap : 0;
    const bool enabled = IsWindowEnabled(hwnd);
    switch (SideOf(hwnd)) {
    case Side::Top:
    case Side::Bottom: {
        const int x = t.left + (WidthOf(t) - (img.cx + gap + text.cx)) / 2;
        if (image)
            s.images->DrawImage(dc, x, t.top + (HeightOf(t) - img.cy) / 2, item.image, enabled);
        RECT rest = t;
        if (image) rest.left = x + img.cx + gap, rest.right = rest.left + text.cx;
        DrawText(dc, item.text.c_str(), int(item.text.size()), &rest,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    case Side::Left:
    case Side::Right: break;
    }
    // Turned text starts at the top-left corner of its unturned box: on the left that
    // corner turns to the bottom-left, on the right to the top-right.
    const int along = img.cy + gap + text.cx; // image height: it is not turned
    const int start = (HeightOf(t) - along) / 2;
    HFONT turned = TurnedFont(hwnd, s.font);
    HGDIOBJ old = SelectObject(dc, turned);
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    if (SideOf(hwnd) == Side::Left) {
        const int bottom = t.bottom - start;
        if (image)
            s.images->DrawImage(dc, t.left + (WidthOf(t) - img.cx) / 2, bottom - img.cy, item.image,
                                enabled);
        TextOut(dc, t.left + (WidthOf(t) - text.cy) / 2, bottom - img.cy - gap, item.text.c_str(),
                int(item.text.size()));
    } else {
        const int top = t.top + start;
        if (image)
            s.images->DrawImage(dc, t.left + (WidthOf(t) - img.cx) / 2, top, item.image, enabled);
        TextOut(dc, t.left + (WidthOf(t) - text.cy) / 2 + text.cy, top + img.cy + gap,
                item.text.c_str(), int(item.text.size()));
    }
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, old);
    DeleteObject(turned);
}

void DrawFrame(HWND hwnd, HDC dc, const TabState& s) {
    if (StyleOf(hwnd) & TCS_BUTTONS) return; // buttons have no page
    RECT f = FrameRect(hwnd, s);
    DrawButtonRaised(dc, f);
}

void DrawItem(HWND hwnd, HDC dc, const TabState& s, int i) {
    bool selected = i == s.cur;
    DWORD style = StyleOf(hwnd);
    RECT r = s.rects[i];
    if (style & TCS_BUTTONS) {
        if (style & TCS_FLATBUTTONS) {
            if (selected)
                DrawThinSunken(dc, r);
            else if (i == s.hot)
                DrawThinRaised(dc, r);
        } else if (selected) {
            DrawButtonSunken(dc, r);
        } else {
            DrawButtonRaised(dc, r);
        }
    } else {
        if (selected) r = SelectedRect(hwnd, r);
        FillSysColor(dc, r, COLOR_BTNFACE);
        DrawTabEdges(hwnd, dc, r);
    }
    if (style & TCS_OWNERDRAWFIXED) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_TAB;
        dis.CtlID = UINT(GetWindowLongPtr(hwnd, GWL_ID));
        dis.itemID = UINT(i);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState =
            (selected ? ODS_SELECTED : 0) | (GetFocus() == hwnd && selected ? ODS_FOCUS : 0);
        dis.hwndItem = hwnd;
        dis.hDC = dc;
        dis.rcItem = r;
        dis.itemData = uintptr_t(s.items[i].param);
        if (HWND parent = GetParent(hwnd))
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    SetTextColor(
        dc, GetSysColor((style & TCS_HOTTRACK) && i == s.hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    RECT t = r;
    if (selected && !(style & TCS_BUTTONS)) {
        // The selected tab's content sits a pixel further from the page.
        switch (SideOf(hwnd)) {
        case Side::Top: t = OffsetRect(t, 0, -1); break;
        case Side::Bottom: t = OffsetRect(t, 0, 1); break;
        case Side::Left: t = OffsetRect(t, -1, 0); break;
        case Side::Right: t = OffsetRect(t, 1, 0); break;
        }
    }
    DrawContent(hwnd, dc, s, s.items[i], t);
    if (selected && GetFocus() == hwnd) {
        RECT focus = Vertical(hwnd) ? RECT{r.left + 3, r.top + 3, r.right - 2, r.bottom - 3}
                                    : RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 2};
        DrawFocusRect(dc, &focus);
    }
}

void Paint(HWND hwnd, HDC dc) {
    TabState* s = StateOf(hwnd);
    if (!s) return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillSysColor(dc, client, COLOR_BTNFACE);
    DrawFrame(hwnd, dc, *s);
    int saved = SaveDC(dc);
    if (ArrowsShown(*s)) IntersectClipRect(dc, 0, 0, client.right - 2 * kArrowWidth, client.bottom);
    HGDIOBJ oldFont = s->font ? SelectObject(dc, s->font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    size_t count = s->items.size();
    // Owner drawing may change the items: stop when the list changed under us.
    for (size_t i = 0; i < count; ++i) {
        if (!IsWindow(hwnd) || !(s = StateOf(hwnd)) || s->items.size() != count) break;
        if (int(i) != s->cur) DrawItem(hwnd, dc, *s, int(i));
    }
    if (IsWindow(hwnd) && (s = StateOf(hwnd)) && s->cur >= 0 && size_t(s->cur) < s->items.size())
        DrawItem(hwnd, dc, *s, s->cur); // last, over its neighbours and the frame
    if (oldFont) SelectObject(dc, oldFont);
    RestoreDC(dc, saved);
}

LRESULT OnPaint(HWND hwnd, WPARAM wParam) {
    PaintControl(hwnd, wParam, [hwnd](HDC dc) { Paint(hwnd, dc); });
    return 0;
}

// ---- Items

void ApplyItem(Item& item, const TCITEM& info) {
    if (info.mask & TCIF_TEXT) item.text = info.pszText ? info.pszText : "";
    if (info.mask & TCIF_IMAGE) item.image = info.iImage;
    if (info.mask & TCIF_PARAM) item.param = info.lParam;
    if (info.mask & TCIF_STATE)
        item.state = (item.state & ~info.dwStateMask) | (info.dwState & info.dwStateMask);
}

LRESULT InsertItem(HWND hwnd, TabState& s, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TCITEM*>(lParam);
    if (!info) return -1;
    Item item;
    ApplyItem(item, *info);
    int at = int(std::min<size_t>(wParam, s.items.size()));
    s.items.insert(s.items.begin() + at, item);
    if (s.cur < 0)
        s.cur = 0; // the first tab is selected
    else if (at <= s.cur)
        ++s.cur;
    ComputeLayout(hwnd);
    InvalidateRect(hwnd, nullptr, true);
    return at;
}

LRESULT GetItem(const TabState& s, WPARAM index, LPARAM lParam) {
    auto* info = reinterpret_cast<TCITEM*>(lParam);
    if (!info || index >= s.items.size()) return 0;
    const Item& item = s.items[index];
    if ((info->mask & TCIF_TEXT) && info->pszText && info->cchTextMax > 0) {
        size_t n = std::min<size_t>(item.text.size(), size_t(info->cchTextMax - 1));
        while (n > 0 && n < item.text.size() &&
               (static_cast<unsigned char>(item.text[n]) & 0xC0) == 0x80)
            --n;
        std::copy_n(item.text.begin(), n, info->pszText);
        info->pszText[n] = '\0';
    }
    if (info->mask & TCIF_IMAGE) info->iImage = item.image;
    if (info->mask & TCIF_PARAM) info->lParam = item.param;
    if (info->mask & TCIF_STATE) info->dwState = item.state & info->dwStateMask;
    return 1;
}

LRESULT DeleteItem(HWND hwnd, TabState& s, WPARAM index) {
    if (index >= s.items.size()) return 0;
    s.items.erase(s.items.begin() + std::ptrdiff_t(index));
    if (s.cur == int(index))
        s.cur = -1;
    else if (s.cur > int(index))
        --s.cur;
    s.hot = -1;
    ComputeLayout(hwnd);
    InvalidateRect(hwnd, nullptr, true);
    return 1;
}

// wParam false: the display area of a window rectangle; true: the window rectangle of a
// display area. The rectangle is in the parent's coordinates either way.
LRESULT AdjustRect(HWND hwnd, const TabState& s, WPARAM larger, LPARAM lParam) {
    auto* r = reinterpret_cast<RECT*>(lParam);
    if (!r) return 0;
    const int strip = StripThickness(hwnd, s);
    const Side side = SideOf(hwnd);
    const int sign = larger ? -1 : 1;
    r->left += sign * (kDisplayInset + (side == Side::Left ? strip : 0));
    r->right -= sign * (kDisplayInset + (side == Side::Right ? strip : 0));
    r->top += sign * (kDisplayInset + (side == Side::Top ? strip : 0));
    r->bottom -= sign * (kDisplayInset + (side == Side::Bottom ? strip : 0));
    return 0;
}

LRESULT OnHScroll(HWND hwnd, TabState& s, WPARAM wParam) {
    if (LOWORD(wParam) != SB_THUMBPOSITION) return 0;
    s.first = HIWORD(wParam);
    ComputeLayout(hwnd);
    InvalidateRect(hwnd, nullptr, true);
    return 0;
}

LRESULT ItemMessage(HWND hwnd, TabState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TCM_INSERTITEMA: return InsertItem(hwnd, s, wParam, lParam);
    case TCM_DELETEITEM: return DeleteItem(hwnd, s, wParam);
    case TCM_DELETEALLITEMS:
        s.items.clear();
        s.cur = s.hot = -1;
        s.first = 0;
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return 1;
    case TCM_GETITEMCOUNT: return LRESULT(s.items.size());
    case TCM_GETITEMA: return GetItem(s, wParam, lParam);
    case TCM_SETITEMA: {
        const auto* info = reinterpret_cast<const TCITEM*>(lParam);
        if (!info || wParam >= s.items.size()) return 0;
        ApplyItem(s.items[wParam], *info);
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return 1;
    }
    case TCM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r || wParam >= s.rects.size()) return 0;
        *r = s.rects[wParam];
        return 1;
    }
    case TCM_GETCURSEL: return s.cur;
    case TCM_SETCURSEL: {
        int old = s.cur;
        if (int(intptr_t(wParam)) < -1 || int(intptr_t(wParam)) >= int(s.items.size())) return -1;
        s.cur = int(intptr_t(wParam));
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return old;
    }
    case TCM_GETCURFOCUS: return s.cur;
    case TCM_SETCURFOCUS:
        if (SelectWithNotify(hwnd, int(intptr_t(wParam))))
            ScrollIntoView(hwnd, int(intptr_t(wParam)));
        return 0;
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info) return -1;
        int index = HitTest(hwnd, s, info->pt);
        info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
        return index;
    }
    case TCM_ADJUSTRECT: return AdjustRect(hwnd, s, wParam, lParam);
    case TCM_SETIMAGELIST: {
        const TabImageSource* old = s.images;
        s.images = reinterpret_cast<const TabImageSource*>(lParam);
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST: return reinterpret_cast<LRESULT>(s.images);
    case TCM_SETITEMSIZE: {
        RECT first = s.rects.empty() ? RECT{} : s.rects[0];
        int oldWidth = Vertical(hwnd) ? first.bottom - first.top : first.right - first.left;
        int oldHeight = TabThickness(hwnd, s);
        s.fixedWidth = LOWORD(uintptr_t(lParam));
        s.fixedHeight = HIWORD(uintptr_t(lParam));
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return LRESULT(MAKELONG(WORD(oldWidth), WORD(oldHeight)));
    }
    case TCM_GETROWCOUNT: return s.rows;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void OnCreated(HWND hwnd, TabState&) { ComputeLayout(hwnd); }

LRESULT BarMessage(HWND hwnd, TabState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: return OnPaint(hwnd, wParam);
    case WM_ERASEBKGND: return 1; // the paint fills every pixel
    case WM_SIZE:
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnButtonDown(hwnd, lParam);
    case WM_MOUSEMOVE:
        if (StyleOf(hwnd) & (TCS_HOTTRACK | TCS_FLATBUTTONS))
            SetHot(hwnd, s, HitTest(hwnd, s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return 0;
    case WM_MOUSELEAVE:
        if (s.hot >= 0) s.hot = -1, InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_KEYDOWN: return OnKeyDown(hwnd, wParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, true); return 0;
    case WM_HSCROLL: return OnHScroll(hwnd, s, wParam);
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        ComputeLayout(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return 0;
    default: return ItemMessage(hwnd, s, msg, wParam, lParam);
    }
}

LRESULT TabControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return BarControlProc<TabState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](TabState& s) { return BarMessage(hwnd, s, msg, wParam, lParam); }, OnCreated);
}

} // namespace

void RegisterTabControlClass() {
    RegisterClassOnce(WC_TABCONTROL, TabControlProc, CS_DBLCLKS,
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadCursor(nullptr, IDC_ARROW));
}
