// The "Edit" class. The text lives in the control's state (not in the window object), so
// WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH are answered here. Layout is recomputed from
// the text on demand: lines are cheap to find and the fields are short.
#include "platform/controls/Edit.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/core/TextCodec.h"
#include "platform/window/Clipboard.h"

namespace {

constexpr std::string_view kStateProp = "Platform.Edit";
constexpr size_t kDefaultLimit = 0x7FFFFFFE;
constexpr int kMargin = 2; // pixels between the border and the text

struct EditState {
    std::string text;
    size_t caret = 0;  // the moving end of the selection
    size_t anchor = 0; // the fixed end
    int scrollX = 0;   // pixels of text scrolled off at the left
    size_t limit = kDefaultLimit;
    bool focused = false;
    bool selecting = false; // mouse button held
    bool modified = false;
    HFONT font = nullptr;
};

struct Line {
    size_t start, end; // bytes, the line break excluded
};

EditState* StateOf(HWND hwnd) { return ControlStateOf<EditState>(hwnd, kStateProp); }
DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); }
bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }
size_t SelStart(const EditState& s) { return std::min(s.caret, s.anchor); }
size_t SelEnd(const EditState& s) { return std::max(s.caret, s.anchor); }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// ---------------------------------------------------------------- text positions

size_t SnapToBoundary(const std::string& t, size_t pos) {
    pos = std::min(pos, t.size());
    while (pos > 0 && pos < t.size() && IsContinuation(t[pos])) --pos;
    return pos;
}

size_t NextBoundary(const std::string& t, size_t pos) {
    if (pos >= t.size()) return t.size();
    if (t[pos] == '\r' && pos + 1 < t.size() && t[pos + 1] == '\n')
        return pos + 2; // a line break is one step
    ++pos;
    while (pos < t.size() && IsContinuation(t[pos])) ++pos;
    return pos;
}

size_t PrevBoundary(const std::string& t, size_t pos) {
    if (pos == 0) return 0;
    if (pos >= 2 && t[pos - 1] == '\n' && t[pos - 2] == '\r') return pos - 2;
    --pos;
    while (pos > 0 && IsContinuation(t[pos])) --pos;
    return pos;
}

bool IsWordChar(const std::string& t, size_t pos) {
    const unsigned char c = static_cast<unsigned char>(t[pos]);
    return c >= 0x80 || std::isalnum(c) || c == '_';
}

std::vector<Line> LinesOf(const std::string& t, bool multiLine) {
    if (!multiLine) return {Line{0, t.size()}};
    std::vector<Line> lines;
    size_t start = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '\n') continue;
        lines.push_back(Line{start, i > start && t[i - 1] == '\r' ? i - 1 : i});
        start = i + 1;
    }
    lines.push_back(Line{start, t.size()});
    return lines;
}

size_t LineIndexOf(const std::vector<Line>& lines, size_t pos) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (pos <= lines[i].end) return i;
    return lines.size() - 1;
}

size_t CountChars(std::string_view s) { return Utf8Length(s); }

// ---------------------------------------------------------------- measuring

// A context with the control's font selected, for measuring; released on destruction.
struct MeasureDC {
    HWND hwnd;
    HDC dc;
    MeasureDC(HWND h, HFONT font) : hwnd(h), dc(GetDC(h)) { SelectObject(dc, FontOrDefault(font)); }
    ~MeasureDC() { ReleaseDC(hwnd, dc); }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
};

int WidthOfText(HDC dc, const std::string& t, size_t from, size_t to) {
    if (to <= from) return 0;
    SIZE size{};
    GetTextExtentPoint32(dc, t.data() + from, int(to - from), &size);
    return size.cx;
}

int LineHeight(HDC dc) {
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    return std::max<LONG>(1, tm.tmHeight);
}

struct Layout {
    RECT client{};
    int lineHeight = 1;
    int top = 0;       // y of the first line
    int available = 0; // width for text
};

Layout LayoutOf(HWND hwnd, HDC dc, size_t lineCount) {
    Layout l;
    GetClientRect(hwnd, &l.client);
    l.lineHeight = LineHeight(dc);
    l.available = std::max<LONG>(1, WidthOf(l.client) - 2 * kMargin);
    if (IsMultiLine(hwnd))
        l.top = 1;
    else
        l.top = std::max<LONG>(0, (HeightOf(l.client) - l.lineHeight) / 2);
    (void)lineCount;
    return l;
}

// The x of a line's first character, from the alignment style and the scroll offset.
int LineOriginX(HWND hwnd, const EditState& s, const Layout& l, int lineWidth) {
    int x = kMargin - s.scrollX;
    const DWORD align = StyleOf(hwnd) & (ES_CENTER | ES_RIGHT);
    const int slack = l.available - lineWidth - 1; // one column for the caret
    if (slack > 0 && align == ES_CENTER)
        x += slack / 2;
    else if (slack > 0 && align == ES_RIGHT)
        x += slack;
    return x;
}

// The text position nearest a client point.
size_t PositionAt(HWND hwnd, const EditState& s, POINT p) {
    MeasureDC m(hwnd, s.font);
    const std::vector<Line> lines = LinesOf(s.text, IsMultiLine(hwnd));
    const Layout l = LayoutOf(hwnd, m.dc, lines.size());
    const long row = std::clamp<long>((p.y - l.top) / l.lineHeight, 0, long(lines.size()) - 1);
    const Line line = lines[size_t(std::max(0L, p.y < l.top ? 0L : row))];
    const int x0 = LineOriginX(hwnd, s, l, WidthOfText(m.dc, s.text, line.start, line.end));
    size_t best = line.start;
    int bestDistance = std::abs(p.x - x0);
    for (size_t pos = line.start; pos < line.end;) {
        pos = NextBoundary(s.text, pos);
        const int d = std::abs(p.x - (x0 + WidthOfText(m.dc, s.text, line.start, pos)));
        if (d < bestDistance) best = pos, bestDistance = d;
    }
    return best;
}

// Scrolls horizontally so that the caret is inside the field, and no further than needed.
void KeepCaretVisible(HWND hwnd, EditState& s) {
    MeasureDC m(hwnd, s.font);
    const std::vector<Line> lines = LinesOf(s.text, IsMultiLine(hwnd));
    const Layout l = LayoutOf(hwnd, m.dc, lines.size());
    const Line line = lines[LineIndexOf(lines, s.caret)];
    const int caretX = WidthOfText(m.dc, s.text, line.start, s.caret);
    int widest = 0;
    for (const Line& each : lines)
        widest = std::max(widest, WidthOfText(m.dc, s.text, each.start, each.end));
    s.scrollX = std::min(s.scrollX, std::max(0, widest + 1 - l.available));
    if (caretX < s.scrollX)
        s.scrollX = caretX;
    else if (caretX >= s.scrollX + l.available)
        s.scrollX = caretX - l.available + 1;
}

void Changed(HWND hwnd, EditState& s) {
    KeepCaretVisible(hwnd, s);
    InvalidateRect(hwnd, nullptr, true);
}

// ---------------------------------------------------------------- editing

// Replaces the selection with `insert`; returns false when the window went away while the
// parent handled the notifications.
bool ReplaceSelection(HWND hwnd, EditState& s, std::string insert) {
    if (!IsMultiLine(hwnd)) insert = insert.substr(0, insert.find_first_of("\r\n"));
    const size_t from = SelStart(s), to = SelEnd(s);
    const size_t kept =
        CountChars(s.text) - CountChars(std::string_view(s.text).substr(from, to - from));
    bool truncated = false;
    if (kept + CountChars(insert) > s.limit) {
        // Keep as many whole characters as fit.
        size_t room = s.limit > kept ? s.limit - kept : 0, cut = 0;
        while (room > 0 && cut < insert.size()) cut = NextBoundary(insert, cut), --room;
        insert.resize(cut);
        truncated = true;
    }
    if (from == to && insert.empty()) return !truncated || NotifyParent(hwnd, EN_MAXTEXT);
    s.text.replace(from, to - from, insert);
    s.caret = s.anchor = from + insert.size();
    s.modified = true;
    Changed(hwnd, s);
    if (truncated && !NotifyParent(hwnd, EN_MAXTEXT)) return false;
    return NotifyParent(hwnd, EN_UPDATE) && NotifyParent(hwnd, EN_CHANGE);
}

void MoveCaret(HWND hwnd, EditState& s, size_t pos, bool extend) {
    s.caret = SnapToBoundary(s.text, pos);
    if (!extend) s.anchor = s.caret;
    Changed(hwnd, s);
}

bool IsReadOnly(HWND hwnd) { return (StyleOf(hwnd) & ES_READONLY) != 0; }

void CopySelection(const EditState& s) {
    if (SelStart(s) != SelEnd(s))
        SetClipboardText(std::string_view(s.text).substr(SelStart(s), SelEnd(s) - SelStart(s)));
}

void DeleteForward(HWND hwnd, EditState& s) {
    if (SelStart(s) == SelEnd(s)) s.caret = NextBoundary(s.text, s.caret);
    ReplaceSelection(hwnd, s, "");
}

void DeleteBackward(HWND hwnd, EditState& s) {
    if (SelStart(s) == SelEnd(s)) s.caret = PrevBoundary(s.text, s.caret);
    ReplaceSelection(hwnd, s, "");
}

// The position in the line above or below at the caret's x.
size_t VerticalNeighbour(HWND hwnd, const EditState& s, int direction) {
    const std::vector<Line> lines = LinesOf(s.text, true);
    const size_t index = LineIndexOf(lines, s.caret);
    if ((direction < 0 && index == 0) || (direction > 0 && index + 1 >= lines.size()))
        return s.caret;
    MeasureDC m(hwnd, s.font);
    const Layout l = LayoutOf(hwnd, m.dc, lines.size());
    const Line& line = lines[index];
    POINT p{LineOriginX(hwnd, s, l, WidthOfText(m.dc, s.text, line.start, line.end)) +
                WidthOfText(m.dc, s.text, line.start, s.caret),
            l.top + int(index + (direction > 0 ? 1 : -1)) * l.lineHeight + l.lineHeight / 2};
    return PositionAt(hwnd, s, p);
}

size_t LineStartOf(HWND hwnd, const EditState& s) {
    const std::vector<Line> lines = LinesOf(s.text, IsMultiLine(hwnd));
    return lines[LineIndexOf(lines, s.caret)].start;
}

size_t LineEndOf(HWND hwnd, const EditState& s) {
    const std::vector<Line> lines = LinesOf(s.text, IsMultiLine(hwnd));
    return lines[LineIndexOf(lines, s.caret)].end;
}

bool ControlKeyShortcut(HWND hwnd, EditState& s, WPARAM vk) {
    switch (vk) {
    case 'A':
        s.anchor = 0;
        MoveCaret(hwnd, s, s.text.size(), true);
        return true;
    case 'C': CopySelection(s); return true;
    case 'X':
        if (IsReadOnly(hwnd)) return true;
        CopySelection(s);
        ReplaceSelection(hwnd, s, "");
        return true;
    case 'V':
        if (!IsReadOnly(hwnd)) ReplaceSelection(hwnd, s, GetClipboardText());
        return true;
    default: return false;
    }
}

void OnKeyDown(HWND hwnd, EditState& s, WPARAM vk) {
    const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    if (control && ControlKeyShortcut(hwnd, s, vk)) return;
    switch (vk) {
    case VK_LEFT:
        if (!shift && SelStart(s) != SelEnd(s))
            MoveCaret(hwnd, s, SelStart(s), false);
        else
            MoveCaret(hwnd, s, PrevBoundary(s.text, s.caret), shift);
        break;
    case VK_RIGHT:
        if (!shift && SelStart(s) != SelEnd(s))
            MoveCaret(hwnd, s, SelEnd(s), false);
        else
            MoveCaret(hwnd, s, NextBoundary(s.text, s.caret), shift);
        break;
    case VK_HOME: MoveCaret(hwnd, s, control ? 0 : LineStartOf(hwnd, s), shift); break;
    case VK_END: MoveCaret(hwnd, s, control ? s.text.size() : LineEndOf(hwnd, s), shift); break;
    case VK_UP:
    case VK_DOWN:
        if (IsMultiLine(hwnd))
            MoveCaret(hwnd, s, VerticalNeighbour(hwnd, s, vk == VK_UP ? -1 : 1), shift);
        break;
    case VK_DELETE:
        if (!IsReadOnly(hwnd)) DeleteForward(hwnd, s);
        break;
    default: break;
    }
}

void OnChar(HWND hwnd, EditState& s, WPARAM code) {
    const bool control = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (control && !alt) return; // shortcuts are handled as keys
    if (IsReadOnly(hwnd)) return;
    if (code == VK_BACK) {
        DeleteBackward(hwnd, s);
        return;
    }
    if (code == VK_RETURN) {
        if (IsMultiLine(hwnd)) ReplaceSelection(hwnd, s, "\r\n");
        return;
    }
    if (code < 0x20 || code == 0x7F || code > 0x10FFFF) return;
    if ((StyleOf(hwnd) & ES_NUMBER) && (code < '0' || code > '9')) return;
    std::string utf8;
    AppendUtf8(utf8, char32_t(code));
    ReplaceSelection(hwnd, s, utf8);
}

// ---------------------------------------------------------------- mouse

void OnMouseDown(HWND hwnd, LPARAM lParam) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    EditState* s = StateOf(hwnd);
    if (!s) return;
    SetCapture(hwnd);
    if (!(s = StateOf(hwnd))) return;
    s->selecting = true;
    const size_t pos = PositionAt(hwnd, *s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    MoveCaret(hwnd, *s, pos, GetKeyState(VK_SHIFT) < 0);
}

void OnMouseMove(HWND hwnd, EditState& s, LPARAM lParam) {
    if (!s.selecting) return;
    MoveCaret(hwnd, s, PositionAt(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}),
              true);
}

void OnMouseUp(HWND hwnd, EditState& s) {
    if (!s.selecting) return;
    s.selecting = false;
    if (GetCapture() == hwnd) ReleaseCapture();
}

void SelectWordAt(HWND hwnd, EditState& s, LPARAM lParam) {
    const size_t pos = PositionAt(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    size_t from = pos, to = pos;
    while (from > 0 && IsWordChar(s.text, PrevBoundary(s.text, from)))
        from = PrevBoundary(s.text, from);
    while (to < s.text.size() && IsWordChar(s.text, to)) to = NextBoundary(s.text, to);
    s.anchor = from;
    MoveCaret(hwnd, s, to, true);
}

// ---------------------------------------------------------------- painting

HBRUSH AskColours(HWND hwnd, HDC dc) {
    // Read-only and disabled fields ask as statics do, as in Win32.
    const bool staticLook = IsReadOnly(hwnd) || !IsWindowEnabled(hwnd);
    return AskControlColor(hwnd, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, dc,
                           staticLook ? COLOR_BTNFACE : COLOR_WINDOW);
}

void DrawRun(HDC dc, const std::string& t, size_t from, size_t to, int x, int y) {
    if (to > from) TextOut(dc, x, y, t.data() + from, int(to - from));
}

void PaintLine(HWND hwnd, HDC dc, const EditState& s, const Layout& l, const Line& line, int y) {
    const int x0 = LineOriginX(hwnd, s, l, WidthOfText(dc, s.text, line.start, line.end));
    const bool showSel = s.focused || (StyleOf(hwnd) & ES_NOHIDESEL);
    const size_t a = std::clamp(SelStart(s), line.start, line.end),
                 b = std::clamp(SelEnd(s), line.start, line.end);
    if (!showSel || a == b) {
        DrawRun(dc, s.text, line.start, line.end, x0, y);
        return;
    }
    DrawRun(dc, s.text, line.start, a, x0, y);
    const int xa = x0 + WidthOfText(dc, s.text, line.start, a),
              xb = x0 + WidthOfText(dc, s.text, line.start, b);
    FillSolidRect(dc, Rect(xa, y, xb, y + l.lineHeight), GetSysColor(COLOR_HIGHLIGHT));
    const COLORREF normal = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    DrawRun(dc, s.text, a, b, xa, y);
    SetTextColor(dc, normal);
    DrawRun(dc, s.text, b, line.end, xb, y);
}

void PaintCaret(HWND hwnd, HDC dc, const EditState& s, const Layout& l,
                const std::vector<Line>& lines) {
    const size_t index = LineIndexOf(lines, s.caret);
    const Line& line = lines[index];
    const int x = LineOriginX(hwnd, s, l, WidthOfText(dc, s.text, line.start, line.end)) +
                  WidthOfText(dc, s.text, line.start, s.caret);
    const int y = l.top + int(index) * l.lineHeight;
    FillSolidRect(dc, Rect(x, y, x + 1, y + l.lineHeight), GetSysColor(COLOR_WINDOWTEXT));
}

void Paint(HWND hwnd, HDC dc) {
    EditState* s = StateOf(hwnd);
    if (!s) return;
    const int saved = SaveDC(dc);
    SelectObject(dc, FontOrDefault(s->font));
    HBRUSH background = AskColours(hwnd, dc);
    if (!IsWindow(hwnd) || !(s = StateOf(hwnd))) return;
    const std::vector<Line> lines = LinesOf(s->text, IsMultiLine(hwnd));
    const Layout l = LayoutOf(hwnd, dc, lines.size());
    FillRect(dc, &l.client, background);
    IntersectClipRect(dc, 1, 0, l.client.right - 1, l.client.bottom);
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    for (size_t i = 0; i < lines.size(); ++i)
        PaintLine(hwnd, dc, *s, l, lines[i], l.top + int(i) * l.lineHeight);
    if (s->focused) PaintCaret(hwnd, dc, *s, l, lines);
    RestoreDC(dc, saved);
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
    HBRUSH brush = AskColours(hwnd, dc);
    return FillClientWithBrush(hwnd, dc, brush);
}

// ---------------------------------------------------------------- messages

LRESULT GetText(const EditState& s, WPARAM size, LPARAM buffer) {
    if (!buffer || size == 0) return 0;
    const size_t n = SnapToBoundary(s.text, std::min<size_t>(s.text.size(), size_t(size) - 1));
    std::memcpy(reinterpret_cast<char*>(buffer), s.text.data(), n);
    reinterpret_cast<char*>(buffer)[n] = 0;
    return LRESULT(n);
}

LRESULT SetText(HWND hwnd, EditState& s, LPARAM text) {
    s.text = text ? reinterpret_cast<const char*>(text) : "";
    s.caret = s.anchor = 0;
    s.scrollX = 0;
    s.modified = false;
    Changed(hwnd, s);
    // Win32 leaves EN_CHANGE out for multi-line fields whose text the program sets.
    if (!NotifyParent(hwnd, EN_UPDATE)) return 1;
    if (!IsMultiLine(hwnd)) NotifyParent(hwnd, EN_CHANGE);
    return 1;
}

void SetSelection(HWND hwnd, EditState& s, WPARAM start, LPARAM end) {
    const auto clampPos = [&](intptr_t v) {
        return v < 0 ? s.text.size() : SnapToBoundary(s.text, size_t(v));
    };
    if (intptr_t(start) < 0) {
        s.anchor = s.caret; // -1 removes the selection and keeps the caret
    } else {
        s.anchor = clampPos(intptr_t(start));
        s.caret = clampPos(intptr_t(end));
    }
    Changed(hwnd, s);
}

LRESULT GetSelection(const EditState& s, WPARAM start, LPARAM end) {
    if (start) *reinterpret_cast<DWORD*>(start) = DWORD(SelStart(s));
    if (end) *reinterpret_cast<DWORD*>(end) = DWORD(SelEnd(s));
    return LRESULT(MAKELONG(WORD(std::min<size_t>(SelStart(s), 0xFFFF)),
                            WORD(std::min<size_t>(SelEnd(s), 0xFFFF))));
}

void SetFocusState(HWND hwnd, EditState& s, bool focused) {
    s.focused = focused;
    if (!focused && s.selecting) {
        s.selecting = false;
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    InvalidateRect(hwnd, nullptr, true);
    NotifyParent(hwnd, focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT DialogCode(HWND hwnd) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (IsMultiLine(hwnd)) code |= DLGC_WANTALLKEYS;
    return code;
}

void Prepare(HWND, EditState& s, LPARAM createParams) {
    const auto* cs = reinterpret_cast<const CREATESTRUCT*>(createParams);
    if (cs && cs->lpszName) s.text = cs->lpszName;
}

LRESULT ControlMessage(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: PaintControl(hwnd, wParam, [&](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        KeepCaretVisible(hwnd, s);
        if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(FontOrDefault(s.font)));
    case WM_SETTEXT: return SetText(hwnd, s, lParam);
    case WM_GETTEXT: return GetText(s, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(s.text.size());
    case WM_SIZE: KeepCaretVisible(hwnd, s); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, true); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: SetFocusState(hwnd, s, msg == WM_SETFOCUS); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_CHAR: OnChar(hwnd, s, wParam); return 0;
    case WM_LBUTTONDOWN: OnMouseDown(hwnd, lParam); return 0;
    case WM_LBUTTONDBLCLK: SelectWordAt(hwnd, s, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, s, lParam); return 0;
    case WM_LBUTTONUP: OnMouseUp(hwnd, s); return 0;
    case WM_CAPTURECHANGED: s.selecting = false; return 0;
    case EM_SETSEL: SetSelection(hwnd, s, wParam, lParam); return 0;
    case EM_GETSEL: return GetSelection(s, wParam, lParam);
    case EM_REPLACESEL:
        ReplaceSelection(hwnd, s, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 0;
    case EM_SETREADONLY: {
        const DWORD style = StyleOf(hwnd);
        SetWindowLongPtr(hwnd, GWL_STYLE,
                         LONG_PTR(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
        InvalidateRect(hwnd, nullptr, true);
        return 1;
    }
    case EM_LIMITTEXT: s.limit = wParam ? size_t(wParam) : kDefaultLimit; return 0;
    case EM_GETLIMITTEXT: return LRESULT(s.limit);
    case EM_GETMODIFY: return s.modified ? 1 : 0;
    case EM_SETMODIFY: s.modified = wParam != 0; return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<EditState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](EditState& s) { return ControlMessage(hwnd, s, msg, wParam, lParam); },
        {Prepare, nullptr});
}

} // namespace

void RegisterEditClass() {
    RegisterClassOnce("Edit", EditProc, CS_DBLCLKS, nullptr, LoadCursor(nullptr, IDC_IBEAM));
}
