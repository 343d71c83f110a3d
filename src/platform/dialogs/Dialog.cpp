#include "platform/dialogs/Dialog.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/Edit.h"
#include "platform/core/TextCodec.h"
#include "platform/dialogs/StandardClasses.h"
#include "platform/window/ModalLoop.h"
#include "platform/window/WindowObject.h"

namespace {

constexpr const char* kStateProp = "#32770.State";

struct DialogState {
    DLGPROC proc = nullptr;
    LPARAM initParam = 0;
    LRESULT messageResult = 0;
    HFONT font = nullptr;
    int defaultId = 0;         // 0: none set, Enter means IDOK
    HWND savedFocus = nullptr; // the control that had the focus when the dialog went inactive
    bool ended = false;
    intptr_t result = 0;
};

// Handed to WM_NCCREATE through CREATESTRUCT::lpCreateParams.
struct DialogCreation {
    DLGPROC proc;
    LPARAM initParam;
    HFONT font;
};

DialogState* StateOf(HWND hwnd) { return ControlStateOf<DialogState>(hwnd, kStateProp); }

bool Usable(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

LRESULT DialogCodeOf(HWND control, const MSG* msg = nullptr) {
    return SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, LPARAM(msg));
}

bool IsPushButtonStyle(HWND control) {
    const DWORD type = DWORD(GetWindowLong(control, GWL_STYLE)) & BS_TYPEMASK;
    return GetClassName(control) == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

HWND FirstChild(HWND dialog) { return GetWindow(dialog, GW_CHILD); }
HWND NextSibling(HWND control) { return GetWindow(control, GW_HWNDNEXT); }

// The default look follows the focus among push buttons: a focused push button shows as the
// default, otherwise the dialog's default button does.
void ShowDefaultButton(HWND dialog, HWND focused) {
    const DialogState* s = StateOf(dialog);
    if (!s) return;
    HWND shown = focused && IsPushButtonStyle(focused) ? focused : GetDlgItem(dialog, s->defaultId);
    for (HWND c = FirstChild(dialog); c; c = NextSibling(c)) {
        if (!IsPushButtonStyle(c)) continue;
        const DWORD type = DWORD(GetWindowLong(c, GWL_STYLE)) & BS_TYPEMASK;
        const DWORD wanted = c == shown ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (type != wanted) SendMessage(c, BM_SETSTYLE, wanted, 1);
    }
}

void FocusControl(HWND dialog, HWND control) {
    if (!control) return;
    ShowDefaultButton(dialog, control);
    SetFocus(control);
    if (DialogCodeOf(control) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
}

void ClickButton(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
}

int EnterCommand(HWND dialog, HWND focus) {
    if (focus && IsChild(dialog, focus) &&
        (DialogCodeOf(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return GetDlgCtrlID(focus);
    const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(uintptr_t(def)) == DC_HASDEFID ? LOWORD(uintptr_t(def)) : IDOK;
}

// The control whose label carries the mnemonic `key`, in tab order.
HWND ControlWithMnemonic(HWND dialog, uint32_t key) {
    for (HWND c = FirstChild(dialog); c; c = NextSibling(c)) {
        if (!IsWindowVisible(c)) continue;
        if (GetClassName(c) == "Static" && (GetWindowLong(c, GWL_STYLE) & 0x80 /* SS_NOPREFIX */))
            continue;
        if (MnemonicOf(GetWindowText(c)) == key) return c;
    }
    return nullptr;
}

bool ActivateMnemonic(HWND dialog, uint32_t ch) {
    const uint32_t key = FoldCase(ch);
    const HWND target = key ? ControlWithMnemonic(dialog, key) : nullptr;
    if (!target) return false;
    const LRESULT code = DialogCodeOf(target);
    if (code & DLGC_STATIC) {
        // A label or group box hands the focus to the control that follows it.
        for (HWND c = NextSibling(target); c; c = NextSibling(c))
            if (Usable(c) && (GetWindowLong(c, GWL_STYLE) & WS_TABSTOP)) {
                FocusControl(dialog, c);
                break;
            }
        return true;
    }
    if (!IsWindowEnabled(target)) return true;
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessage(target, BM_CLICK, 0, 0);
        return true;
    }
    FocusControl(dialog, target);
    if (code & DLGC_BUTTON) SendMessage(target, BM_CLICK, 0, 0);
    return true;
}

// Tabbing into a group of radio buttons lands on the checked one.
HWND CheckedRadioOfGroup(HWND dialog, HWND control) {
    if (!control || !(DialogCodeOf(control) & DLGC_RADIOBUTTON)) return control;
    for (HWND c = control;;) {
        if ((DialogCodeOf(c) & DLGC_RADIOBUTTON) &&
            SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return c;
        c = GetNextDlgGroupItem(dialog, c, false);
        if (!c || c == control) return control;
    }
}

bool HandleDialogKey(HWND dialog, const MSG& msg) {
    const HWND focus = msg.hwnd;
    const LRESULT code = DialogCodeOf(focus, &msg);
    if (code & DLGC_WANTALLKEYS) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB) return false;
        FocusControl(dialog, CheckedRadioOfGroup(dialog, GetNextDlgTabItem(dialog, focus, shift)));
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS) return false;
        const HWND next =
            GetNextDlgGroupItem(dialog, focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        if (!next || next == focus) return true;
        FocusControl(dialog, next);
        const DWORD type = DWORD(GetWindowLong(next, GWL_STYLE)) & BS_TYPEMASK;
        if ((DialogCodeOf(next) & DLGC_RADIOBUTTON) && type == BS_AUTORADIOBUTTON)
            SendMessage(next, BM_CLICK, 0, 0);
        return true;
    }
    case VK_RETURN: ClickButton(dialog, EnterCommand(dialog, focus)); return true;
    case VK_ESCAPE: ClickButton(dialog, IDCANCEL); return true;
    default: return false;
    }
}

// Answers that the dialog procedure gives as its return value rather than through
// SetDialogMessageResult.
bool AnswersDirectly(UINT msg) {
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_INITDIALOG;
}

// The owner a dialog takes: a child's top-level window, the window itself otherwise. A handle
// that names no window stays as it is, so that creating the dialog fails on it instead of
// making an unowned one.
HWND DialogOwnerOf(HWND hwnd) {
    const HWND top = TopLevelOf(hwnd);
    return top ? top : hwnd;
}

void CentreDialog(HWND dialog, HWND owner) {
    RECT area{}, own{}, wr{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(dialog, &wr);
    RECT over = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &own))
        over = own;
    int x = over.left + (WidthOf(over) - WidthOf(wr)) / 2;
    int y = over.top + (HeightOf(over) - HeightOf(wr)) / 2;
    x = std::max(area.left, std::min(x, area.right - WidthOf(wr)));
    y = std::max(area.top, std::min(y, area.bottom - HeightOf(wr)));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The template gives the client size; the frame comes on top of it.
void SizeToClient(HWND dialog, int cx, int cy) {
    RECT wr{}, cr{};
    GetWindowRect(dialog, &wr);
    GetClientRect(dialog, &cr);
    SetWindowPos(dialog, nullptr, 0, 0, cx + WidthOf(wr) - WidthOf(cr),
                 cy + HeightOf(wr) - HeightOf(cr), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CreateItems(HWND dialog, const DialogTemplate& tmpl, HFONT font) {
    for (const DialogItemTemplate& item : tmpl.items) {
        const HWND control = CreateWindowEx(
            item.exStyle, item.className, item.text, item.style | WS_CHILD, item.x, item.y, item.cx,
            item.cy, dialog, reinterpret_cast<HMENU>(intptr_t(item.id)), nullptr, nullptr);
        if (!control || !IsWindow(dialog)) return false;
        SendMessage(control, WM_SETFONT, WPARAM(font), 0);
        if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && GetClassName(control) == "Button")
            if (DialogState* s = StateOf(dialog)) s->defaultId = item.id;
    }
    return true;
}

} // namespace

// ---------------------------------------------------------------- the class

LRESULT DefDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        DialogState* created = AttachControlState<DialogState>(hwnd, kStateProp);
        if (!created) return 0;
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (const auto* creation =
                cs ? static_cast<const DialogCreation*>(cs->lpCreateParams) : nullptr) {
            created->proc = creation->proc;
            created->initParam = creation->initParam;
            created->font = creation->font;
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        DetachControlState<DialogState>(hwnd, kStateProp);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    DialogState* s = StateOf(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (s->proc) {
        s->messageResult = 0;
        const intptr_t handled = s->proc(hwnd, msg, wParam, lParam);
        if (!(s = StateOf(hwnd))) return handled; // the procedure destroyed the dialog
        if (handled) return AnswersDirectly(msg) ? LRESULT(handled) : s->messageResult;
    }
    switch (msg) {
    case WM_ERASEBKGND: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(
            uintptr_t(SendMessage(hwnd, WM_CTLCOLORDLG, wParam, LPARAM(hwnd))));
        return FillClientWithBrush(hwnd, dc, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
        // Closing means Cancel, unless Cancel is there and disabled.
        if (const HWND cancel = GetDlgItem(hwnd, IDCANCEL); !cancel || IsWindowEnabled(cancel))
            PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(cancel));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (IsChild(hwnd, focus)) s->savedFocus = focus;
            return 0;
        }
        if (HIWORD(wParam)) return 0; // minimised
        if (!IsChild(hwnd, s->savedFocus)) s->savedFocus = GetNextDlgTabItem(hwnd, nullptr, false);
        if (s->savedFocus)
            FocusControl(hwnd, s->savedFocus);
        else
            SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        if (IsChild(hwnd, s->savedFocus)) FocusControl(hwnd, s->savedFocus);
        return 0;
    case WM_NEXTDLGCTL: {
        const HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                           : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        if (!target || !IsChild(hwnd, target)) return 0;
        // Before the dialog shows, the choice waits for its activation.
        s->savedFocus = target;
        if (IsWindowVisible(hwnd)) FocusControl(hwnd, target);
        return 0;
    }
    case DM_GETDEFID: return s->defaultId ? LRESULT(MAKELONG(WORD(s->defaultId), DC_HASDEFID)) : 0;
    case DM_SETDEFID: {
        s->defaultId = int(wParam);
        const HWND focus = GetFocus();
        ShowDefaultButton(hwnd, IsChild(hwnd, focus) ? focus : nullptr);
        return 1;
    }
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(s->font));
    case WM_SETFONT: s->font = reinterpret_cast<HFONT>(wParam); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void RegisterDialogClass() {
    RegisterClassOnce(kDialogClass, DefDlgProc, CS_DBLCLKS | CS_SAVEBITS);
}

void SetDialogMessageResult(HWND dialog, LRESULT result) {
    if (DialogState* s = StateOf(dialog)) s->messageResult = result;
}

LPARAM GetDialogInitParam(HWND dialog) {
    const DialogState* s = StateOf(dialog);
    return s ? s->initParam : 0;
}

// ---------------------------------------------------------------- creating and running

HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                               DLGPROC proc, LPARAM initParam) {
    RegisterStandardClasses();
    const HFONT font = tmpl.font ? tmpl.font : DefaultControlFont();
    DialogCreation creation{proc, initParam, font};
    const DWORD exStyle = tmpl.exStyle | ((tmpl.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    const HWND dialog = CreateWindowEx(exStyle, kDialogClass, tmpl.caption,
                                       tmpl.style & ~WS_VISIBLE, tmpl.x, tmpl.y, tmpl.cx, tmpl.cy,
                                       DialogOwnerOf(owner), nullptr, instance, &creation);
    if (!dialog) return nullptr;
    SizeToClient(dialog, tmpl.cx, tmpl.cy);
    if (tmpl.style & DS_CENTER) CentreDialog(dialog, DialogOwnerOf(owner));
    if (!CreateItems(dialog, tmpl, font)) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
        return nullptr;
    }
    const HWND first = GetNextDlgTabItem(dialog, nullptr, false);
    const bool wantsFocus = SendMessage(dialog, WM_INITDIALOG, WPARAM(first), initParam) != 0;
    DialogState* s = StateOf(dialog);
    if (!s) return nullptr; // WM_INITDIALOG destroyed it
    if (wantsFocus)
        s->savedFocus = first;
    else if (IsChild(dialog, GetFocus()))
        s->savedFocus = GetFocus();
    if (tmpl.style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

intptr_t DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                                DLGPROC proc, LPARAM initParam) {
    const HWND ownerTop = DialogOwnerOf(owner);
    DialogTemplate hidden = tmpl;
    hidden.style &= ~WS_VISIBLE;
    const HWND dialog = CreateDialogIndirectParam(instance, hidden, ownerTop, proc, initParam);
    if (!dialog) return -1;
    const bool disabledOwner = ownerTop && IsWindowEnabled(ownerTop);
    if (disabledOwner) EnableWindow(ownerTop, false);
    if (const DialogState* s = StateOf(dialog); s && !s->ended) ShowWindow(dialog, SW_SHOWNORMAL);

    const auto done = [dialog] {
        const DialogState* s = StateOf(dialog);
        return !s || s->ended;
    };
    const ModalFilter filter = [dialog](MSG& msg) { return IsDialogMessage(dialog, &msg); };
    const auto idle = [dialog, ownerTop, quiet = (tmpl.style & DS_NOIDLEMSG) != 0] {
        if (ownerTop && !quiet && IsWindow(ownerTop))
            SendMessage(ownerTop, WM_ENTERIDLE, MSGF_DIALOGBOX, LPARAM(dialog));
    };
    const bool ended = RunModalLoop(done, filter, idle);

    const DialogState* s = StateOf(dialog);
    const intptr_t result = ended && s ? s->result : -1;
    // The owner comes back first, so that activation returns to it when the dialog goes.
    if (disabledOwner && IsWindow(ownerTop)) EnableWindow(ownerTop, true);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return result;
}

bool EndDialog(HWND dialog, intptr_t result) {
    DialogState* s = StateOf(dialog);
    if (!s) return false;
    s->ended = true;
    s->result = result;
    ShowWindow(dialog, SW_HIDE);
    WakeModalLoop();
    return true;
}

// ---------------------------------------------------------------- the keyboard

bool IsDialogMessage(HWND dialog, MSG* msg) {
    if (!dialog || !msg || !StateOf(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return false;
    switch (msg->message) {
    case WM_KEYDOWN:
        if (HandleDialogKey(dialog, *msg)) return true;
        break;
    case WM_CHAR: {
        const LRESULT code = DialogCodeOf(msg->hwnd, msg);
        if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) break;
        // The keys the dialog manager took as commands leave no characters behind.
        if (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 27) return true;
        if (ActivateMnemonic(dialog, uint32_t(msg->wParam))) return true;
        break;
    }
    case WM_SYSCHAR:
        if (ActivateMnemonic(dialog, uint32_t(msg->wParam))) return true;
        break;
    default: break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return true;
}

// ---------------------------------------------------------------- items

HWND GetDlgItem(HWND dialog, int id) {
    if (!dialog) return nullptr;
    for (HWND c = FirstChild(dialog); c; c = NextSibling(c))
        if (GetDlgCtrlID(c) == id) return c;
    return nullptr;
}

int GetDlgCtrlID(HWND control) { return int(GetWindowLongPtr(control, GWL_ID)); }

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

bool SetDlgItemText(HWND dialog, int id, std::string_view text) {
    const HWND item = GetDlgItem(dialog, id);
    return item && SetWindowText(item, text);
}

std::string GetDlgItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    return item ? GetWindowText(item) : std::string();
}

bool SetDlgItemInt(HWND dialog, int id, int value) {
    return SetDlgItemText(dialog, id, std::to_string(value));
}

int GetDlgItemInt(HWND dialog, int id, bool* ok) {
    const std::string text = GetDlgItemText(dialog, id);
    const size_t begin = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    int value = 0;
    bool parsed = false;
    if (begin != std::string::npos) {
        const char* first = text.data() + begin;
        const char* last = text.data() + end + 1;
        const auto [ptr, ec] = std::from_chars(first, last, value);
        parsed = ec == std::errc() && ptr == last;
    }
    if (ok) *ok = parsed;
    return parsed ? value : 0;
}

bool CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND item = GetDlgItem(dialog, id);
    if (!item) return false;
    SendMessage(item, BM_SETCHECK, check, 0);
    return true;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return UINT(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

bool CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    bool found = false;
    for (HWND c = FirstChild(dialog); c; c = NextSibling(c)) {
        const int id = GetDlgCtrlID(c);
        if (id < firstId || id > lastId) continue;
        SendMessage(c, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        found = found || id == checkId;
    }
    return found;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, bool previous) {
    std::vector<HWND> stops;
    for (HWND c = FirstChild(dialog); c; c = NextSibling(c))
        if (c == control || (Usable(c) && (GetWindowLong(c, GWL_STYLE) & WS_TABSTOP)))
            stops.push_back(c);
    if (stops.empty()) return nullptr;
    const auto at = std::find(stops.begin(), stops.end(), control);
    if (at == stops.end()) return previous ? stops.back() : stops.front();
    const size_t i = size_t(at - stops.begin()), n = stops.size();
    // The control itself is in the list even when it is no tab stop; never answer with it
    // unless it is the only one.
    for (size_t step = 1; step <= n; ++step) {
        const HWND c = stops[previous ? (i + n - step) % n : (i + step) % n];
        if (c != control || step == n) return c;
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, bool previous) {
    std::vector<HWND> all;
    for (HWND c = FirstChild(dialog); c; c = NextSibling(c)) all.push_back(c);
    const auto at = std::find(all.begin(), all.end(), control);
    if (at == all.end()) return nullptr;
    // The group runs from the nearest WS_GROUP control at or before `control` up to the next one.
    size_t begin = size_t(at - all.begin());
    while (begin > 0 && !(GetWindowLong(all[begin], GWL_STYLE) & WS_GROUP)) --begin;
    size_t end = size_t(at - all.begin()) + 1;
    while (end < all.size() && !(GetWindowLong(all[end], GWL_STYLE) & WS_GROUP)) ++end;
    const size_t n = end - begin, i = size_t(at - all.begin()) - begin;
    for (size_t step = 1; step < n; ++step) {
        const HWND c = all[begin + (previous ? (i + n - step) % n : (i + step) % n)];
        if (Usable(c)) return c;
    }
    return control;
}
