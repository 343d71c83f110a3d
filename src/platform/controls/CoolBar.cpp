#include "platform/controls/CoolBar.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ControlSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Text.h"

// Layout, so that tests can state it by hand:
//  - bands fill rows from the left; RBBS_BREAK starts a new row; a band is cx wide (at least
//    its grip, text and cxMinChild) and the last band of a row reaches the client's right edge;
//  - a band is cyMinChild + 4 high (a 2-pixel etched frame above and below), a row as high as
//    its highest band, the bar as high as its rows together;
//  - the grip takes the band's first 9 pixels (none with RBBS_NOGRIPPER, or RBBS_FIXEDSIZE
//    without RBBS_GRIPPERALWAYS, leaving 2 for the frame); a band's image (from the bar's image
//    list) follows, vertically centred, then the text, 2 pixels after the image; 4 pixels
//    follow the last of them; the child sits right of that, 2 pixels below the band's top,
//    cyMinChild high and reaching 2 pixels short of the band's right edge.
namespace {

constexpr int kFrame = 2;
constexpr int kTextGap = 4;
constexpr int kImageGap = 2;
constexpr char kStateProp[] = "CoolBar.State";

struct Band {
    UINT style = 0;
    COLORREF fore = 0, back = 0;
    std::string text;
    int image = -1;
    HWND child = nullptr;
    int cxMin = 0, cyMin = 0, cx = 0;
    UINT id = 0;
};

struct CoolState : BarStateBase {
    std::vector<Band> bands;
    std::vector<RECT> rects;
    const TabImageSource* images = nullptr;
    int height = 0;
    bool sizing = false;
};

CoolState* StateOf(HWND hwnd) { return ControlStateOf<CoolState>(hwnd, kStateProp); }

int GripOf(const Band& b) {
    bool grip = !(b.style & RBBS_NOGRIPPER) &&
                (!(b.style & RBBS_FIXEDSIZE) || (b.style & RBBS_GRIPPERALWAYS));
    return grip ? REBAR_GRIP_WIDTH : kFrame;
}

bool HasImage(const CoolState& s, const Band& b) {
    return s.images && b.image >= 0 && b.image < s.images->ImageCount();
}

int ImageWidthOf(const CoolState& s, const Band& b) {
    return HasImage(s, b) ? std::max<int>(0, s.images->ImageSize().cx) : 0;
}

// Where the text starts: after the grip, and after the image with its gap.
int TextLeftOf(const CoolState& s, const Band& b) {
    return GripOf(b) + (HasImage(s, b) ? ImageWidthOf(s, b) + kImageGap : 0);
}

int HeaderOf(const CoolState& s, const Band& b) {
    if (!b.text.empty()) return TextLeftOf(s, b) + MeasureText(s.font, b.text).cx + kTextGap;
    // An image alone takes the same 4 pixels after it as a text.
    return HasImage(s, b) ? GripOf(b) + ImageWidthOf(s, b) + kTextGap : GripOf(b);
}

int MinWidthOf(const CoolState& s, const Band& b) { return HeaderOf(s, b) + b.cxMin + kFrame; }

// Works out every band's rectangle and the bar's height from the client width.
void ComputeLayout(HWND hwnd, CoolState& s) {
    RECT client;
    GetClientRect(hwnd, &client);
    s.rects.assign(s.bands.size(), RECT{});
    int top = 0;
    size_t rowStart = 0;
    while (rowStart < s.bands.size()) {
        size_t rowEnd = rowStart + 1;
        while (rowEnd < s.bands.size() && !(s.bands[rowEnd].style & RBBS_BREAK)) ++rowEnd;
        int rowHeight = 0, x = 0;
        for (size_t i = rowStart; i < rowEnd; ++i) {
            const Band& b = s.bands[i];
            int width = std::max(b.cx, MinWidthOf(s, b));
            int right =
                i + 1 == rowEnd ? std::max<int>(x + MinWidthOf(s, b), client.right) : x + width;
            s.rects[i] = {x, top, right, top + b.cyMin + 2 * kFrame};
            rowHeight = std::max(rowHeight, b.cyMin + 2 * kFrame);
            x = right;
        }
        for (size_t i = rowStart; i < rowEnd; ++i) s.rects[i].bottom = top + rowHeight;
        top += rowHeight;
        rowStart = rowEnd;
    }
    s.height = top;
}

RECT ChildRect(const CoolState& s, size_t i) {
    const RECT& r = s.rects[i];
    int left = r.left + HeaderOf(s, s.bands[i]);
    return {left, r.top + kFrame, std::max<LONG>(left, r.right - kFrame),
            r.top + kFrame + s.bands[i].cyMin};
}

void PlaceChildren(HWND hwnd, CoolState& s) {
    std::vector<std::pair<HWND, RECT>> places;
    for (size_t i = 0; i < s.bands.size(); ++i)
        if (s.bands[i].child) places.push_back({s.bands[i].child, ChildRect(s, i)});
    // Moving a child may run its code; the list is taken first so changes to the bands are
    // harmless.
    for (const auto& [child, r] : places)
        if (IsWindow(child) && IsWindow(hwnd))
            SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitToParent(HWND hwnd, CoolState& s) {
    DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    HWND parent = GetParent(hwnd);
    if ((style & CCS_NORESIZE) || !parent || s.sizing) return;
    RECT pc, wr;
    GetClientRect(parent, &pc);
    GetWindowRect(hwnd, &wr);
    RECT cr = ClientRectInWindow(hwnd);
    int extra = (wr.bottom - wr.top) - (cr.bottom - cr.top);
    s.sizing = true;
    if (style & CCS_NOPARENTALIGN)
        SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left, s.height + extra,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else {
        int height = s.height + extra;
        int y = (style & CCS_BOTTOM) == CCS_BOTTOM ? pc.bottom - height : 0;
        SetWindowPos(hwnd, nullptr, 0, y, pc.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (CoolState* again = StateOf(hwnd)) again->sizing = false;
}

// Lays the bands out again, fits the bar, places the children and tells the parent when the
// height changed.
void Relayout(HWND hwnd) {
    CoolState* s = StateOf(hwnd);
    if (!s) return;
    int oldHeight = s->height;
    ComputeLayout(hwnd, *s);
    FitToParent(hwnd, *s);
    if (!(s = StateOf(hwnd))) return;
    ComputeLayout(hwnd, *s); // the width may have changed
    PlaceChildren(hwnd, *s);
    InvalidateRect(hwnd, nullptr, true);
    if (!(s = StateOf(hwnd)) || s->height == oldHeight) return;
    NMHDR hdr;
    SendNotify(hwnd, &hdr, RBN_HEIGHTCHANGE);
}

// ---- Painting

LRESULT CustomDraw(HWND hwnd, HDC dc, DWORD stage) {
    NMCUSTOMDRAW cd;
    cd.dwDrawStage = stage;
    cd.hdc = dc;
    GetClientRect(hwnd, &cd.rc);
    return SendNotify(hwnd, &cd.hdr, NM_CUSTOMDRAW);
}

void DrawGrip(HDC dc, const RECT& band) {
    RECT g{band.left + 3, band.top + 3, band.left + 6, band.bottom - 3};
    if (g.bottom > g.top) DrawThinRaised(dc, g);
}

void DrawBandImage(HDC dc, const CoolState& s, const Band& b, const RECT& band, bool enabled) {
    if (!HasImage(s, b)) return;
    const int y = band.top + (band.bottom - band.top - s.images->ImageSize().cy) / 2;
    s.images->DrawImage(dc, band.left + GripOf(b), y, b.image, enabled);
}

void PaintBands(HWND hwnd, HDC dc) {
    LRESULT answer = CustomDraw(hwnd, dc, CDDS_PREPAINT);
    CoolState* s = StateOf(hwnd);
    if (!IsWindow(hwnd) || !s) return;
    if (!(answer & CDRF_SKIPDEFAULT)) {
        HGDIOBJ oldFont = s->font ? SelectObject(dc, s->font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        const bool enabled = IsWindowEnabled(hwnd);
        for (size_t i = 0; i < s->bands.size(); ++i) {
            const RECT& r = s->rects[i];
            DrawEtched(dc, r);
            if (GripOf(s->bands[i]) == REBAR_GRIP_WIDTH) DrawGrip(dc, r);
            DrawBandImage(dc, *s, s->bands[i], r, enabled);
            if (!s->bands[i].text.empty()) {
                RECT t{r.left + TextLeftOf(*s, s->bands[i]), r.top, ChildRect(*s, i).left,
                       r.bottom};
                DrawText(dc, s->bands[i].text.c_str(), int(s->bands[i].text.size()), &t,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
        }
        if (oldFont) SelectObject(dc, oldFont);
    }
    if (answer & CDRF_NOTIFYPOSTPAINT) CustomDraw(hwnd, dc, CDDS_POSTPAINT);
}

void EraseBackground(HWND hwnd, HDC dc) {
    LRESULT answer = CustomDraw(hwnd, dc, CDDS_PREERASE);
    if (!IsWindow(hwnd)) return;
    if (!(answer & CDRF_SKIPDEFAULT)) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillSysColor(dc, client, COLOR_BTNFACE);
    }
    if (answer & CDRF_NOTIFYPOSTERASE) CustomDraw(hwnd, dc, CDDS_POSTERASE);
}

LRESULT OnPaint(HWND hwnd, WPARAM wParam) {
    PaintControl(hwnd, wParam, [hwnd](HDC dc) {
        if (IsWindow(hwnd)) PaintBands(hwnd, dc);
    });
    return 0;
}

// ---- Bands

void ApplyInfo(HWND hwnd, Band& b, const REBARBANDINFO& info) {
    if (info.fMask & RBBIM_STYLE) b.style = info.fStyle;
    if (info.fMask & RBBIM_COLORS) b.fore = info.clrFore, b.back = info.clrBack;
    if (info.fMask & RBBIM_TEXT) b.text = info.lpText ? info.lpText : "";
    if (info.fMask & RBBIM_IMAGE) b.image = info.iImage;
    if (info.fMask & RBBIM_CHILDSIZE)
        b.cxMin = int(info.cxMinChild), b.cyMin = int(info.cyMinChild);
    if (info.fMask & RBBIM_SIZE) b.cx = int(info.cx);
    if (info.fMask & RBBIM_ID) b.id = info.wID;
    if (info.fMask & RBBIM_CHILD) {
        if (b.child && b.child != info.hwndChild && IsWindow(b.child)) ShowWindow(b.child, SW_HIDE);
        b.child = info.hwndChild;
        if (b.child && IsWindow(b.child) && GetParent(b.child) != hwnd) SetParent(b.child, hwnd);
    }
}

LRESULT InsertBand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const REBARBANDINFO*>(lParam);
    CoolState* s = StateOf(hwnd);
    if (!info || !s) return 0;
    Band b;
    ApplyInfo(hwnd, b, *info);
    if (!(s = StateOf(hwnd))) return 0;
    size_t at = intptr_t(wParam) < 0 ? s->bands.size() : std::min<size_t>(wParam, s->bands.size());
    s->bands.insert(s->bands.begin() + std::ptrdiff_t(at), b);
    Relayout(hwnd);
    return 1;
}

LRESULT SetBandInfo(HWND hwnd, WPARAM index, LPARAM lParam) {
    const auto* info = reinterpret_cast<const REBARBANDINFO*>(lParam);
    CoolState* s = StateOf(hwnd);
    if (!info || !s || index >= s->bands.size()) return 0;
    Band b = s->bands[index];
    ApplyInfo(hwnd, b, *info);
    if (!(s = StateOf(hwnd)) || index >= s->bands.size()) return 0;
    s->bands[index] = b;
    Relayout(hwnd);
    return 1;
}

LRESULT GetBandInfo(const CoolState& s, WPARAM index, LPARAM lParam) {
    auto* info = reinterpret_cast<REBARBANDINFO*>(lParam);
    if (!info || index >= s.bands.size()) return 0;
    const Band& b = s.bands[index];
    if (info->fMask & RBBIM_STYLE) info->fStyle = b.style;
    if (info->fMask & RBBIM_COLORS) info->clrFore = b.fore, info->clrBack = b.back;
    if ((info->fMask & RBBIM_TEXT) && info->lpText && info->cch > 0) {
        size_t n = std::min<size_t>(b.text.size(), info->cch - 1);
        while (n > 0 && n < b.text.size() && (static_cast<unsigned char>(b.text[n]) & 0xC0) == 0x80)
            --n; // whole letters
        std::copy_n(b.text.begin(), n, info->lpText);
        info->lpText[n] = '\0';
    }
    if (info->fMask & RBBIM_IMAGE) info->iImage = b.image;
    if (info->fMask & RBBIM_CHILD) info->hwndChild = b.child;
    if (info->fMask & RBBIM_CHILDSIZE)
        info->cxMinChild = UINT(b.cxMin), info->cyMinChild = UINT(b.cyMin);
    if (info->fMask & RBBIM_SIZE) info->cx = UINT(s.rects[index].right - s.rects[index].left);
    if (info->fMask & RBBIM_ID) info->wID = b.id;
    return 1;
}

LRESULT DeleteBand(HWND hwnd, WPARAM index) {
    CoolState* s = StateOf(hwnd);
    if (!s || index >= s->bands.size()) return 0;
    HWND child = s->bands[index].child;
    s->bands.erase(s->bands.begin() + std::ptrdiff_t(index));
    if (child && IsWindow(child)) ShowWindow(child, SW_HIDE);
    Relayout(hwnd);
    return 1;
}

LRESULT SetBarInfo(HWND hwnd, LPARAM lParam) {
    const auto* info = reinterpret_cast<const REBARINFO*>(lParam);
    CoolState* s = StateOf(hwnd);
    if (!info || !s || info->cbSize < sizeof(REBARINFO)) return 0;
    if (info->fMask & RBIM_IMAGELIST) s->images = info->himl;
    Relayout(hwnd);
    return 1;
}

LRESULT GetBarInfo(const CoolState& s, LPARAM lParam) {
    auto* info = reinterpret_cast<REBARINFO*>(lParam);
    if (!info || info->cbSize < sizeof(REBARINFO)) return 0;
    if (info->fMask & RBIM_IMAGELIST) info->himl = s.images;
    return 1;
}

// ---- The window procedure

void OnCreated(HWND hwnd, CoolState& s) { s.parentHook = HookParentSize(hwnd, Relayout); }

LRESULT BarMessage(HWND hwnd, CoolState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: return OnPaint(hwnd, wParam);
    case WM_ERASEBKGND: EraseBackground(hwnd, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_SIZE:
        if (!s.sizing) {
            ComputeLayout(hwnd, s);
            PlaceChildren(hwnd, s);
            InvalidateRect(hwnd, nullptr, true);
        }
        return 0;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        Relayout(hwnd);
        return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, true); return 0; // the images grey
    case RB_SETBARINFO: return SetBarInfo(hwnd, lParam);
    case RB_GETBARINFO: return GetBarInfo(s, lParam);
    case WM_NOTIFY:
    case WM_COMMAND:
        // The bands' children talk to the bar's parent, as if the bar were not there.
        return GetParent(hwnd) ? SendMessage(GetParent(hwnd), msg, wParam, lParam) : 0;
    case RB_INSERTBANDA: return InsertBand(hwnd, wParam, lParam);
    case RB_DELETEBAND: return DeleteBand(hwnd, wParam);
    case RB_SETBANDINFOA: return SetBandInfo(hwnd, wParam, lParam);
    case RB_GETBANDINFOA: return GetBandInfo(s, wParam, lParam);
    case RB_GETBANDCOUNT: return LRESULT(s.bands.size());
    case RB_GETBARHEIGHT: return s.height;
    case RB_GETROWCOUNT: {
        LRESULT rows = 0;
        for (size_t i = 0; i < s.bands.size(); ++i)
            if (i == 0 || (s.bands[i].style & RBBS_BREAK)) ++rows;
        return rows;
    }
    case RB_GETRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out || wParam >= s.rects.size()) return 0;
        *out = s.rects[wParam];
        return 1;
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT CoolBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return BarControlProc<CoolState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](CoolState& s) { return BarMessage(hwnd, s, msg, wParam, lParam); }, OnCreated);
}

} // namespace

void RegisterCoolBarClass() {
    RegisterClassOnce(REBARCLASSNAME, CoolBarProc, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                      LoadCursor(nullptr, IDC_ARROW));
}
