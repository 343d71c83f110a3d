#include "platform/dialogs/MessageBox.h"

#include <algorithm>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/Static.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/window/WindowObject.h"

namespace {

struct BoxButton {
    int id;
    const char* text;
};

// Layout in pixels, after the classic boxes: 11 around the edge, a 32-pixel icon, buttons of
// 75 x 23 six apart.
constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kTextMaxWidth = 420;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonsAbove = 14;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

std::vector<BoxButton> ButtonsOf(unsigned type) {
    static const BoxButton ok{IDOK, "ОК"}, cancel{IDCANCEL, "Болдырмау"},
        abort{IDABORT, "&Тоқтату"}, retry{IDRETRY, "&Қайталау"}, ignore{IDIGNORE, "&Елемеу"},
        yes{IDYES, "&Иә"}, no{IDNO, "&Жоқ"};
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_ABORTRETRYIGNORE: return {abort, retry, ignore};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    case MB_YESNO: return {yes, no};
    case MB_RETRYCANCEL: return {retry, cancel};
    default: return {ok};
    }
}

int IconIdOf(unsigned type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return 0;
    }
}

SIZE MeasureBoxText(const std::string& text, HFONT font) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, kTextMaxWidth, 0};
    DrawText(dc, text.c_str(), int(text.size()), &r, kTextFormat | DT_CALCRECT);
    SIZE measured{0, 0};
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    measured.cx = std::min<LONG>(WidthOf(r), kTextMaxWidth);
    measured.cy = std::max<LONG>(HeightOf(r), tm.tmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    return measured;
}

int ButtonWidthFor(const std::vector<BoxButton>& buttons, HFONT font) {
    int width = kButtonWidth;
    for (const BoxButton& b : buttons)
        width = std::max<int>(width, MeasureText(font, b.text).cx + 16);
    return width;
}

DialogTemplate BuildTemplate(const std::string& text, const std::string& caption, unsigned type) {
    const HFONT font = DefaultControlFont();
    const std::vector<BoxButton> buttons = ButtonsOf(type);
    const int iconId = IconIdOf(type);
    const SIZE textSize = MeasureBoxText(text, font);
    const int buttonWidth = ButtonWidthFor(buttons, font);

    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.caption = caption.empty() ? "Қате" : caption;
    t.font = font;

    const int textLeft = kMargin + (iconId ? kIconSize + kIconGap : 0);
    // A one-line text stands level with the middle of the icon.
    const int textTop = kMargin + (iconId ? std::max<int>(0, (kIconSize - textSize.cy) / 2) : 0);
    if (iconId)
        t.items.push_back({"Static", "", WS_CHILD | WS_VISIBLE | SS_ICON, 0, kMargin, kMargin,
                           kIconSize, kIconSize, IDC_MESSAGEBOX_ICON});
    t.items.push_back({"Static", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, textLeft,
                       textTop, int(textSize.cx), int(textSize.cy), IDC_MESSAGEBOX_TEXT});

    const int rowWidth = int(buttons.size()) * buttonWidth + int(buttons.size() - 1) * kButtonGap;
    const int contentBottom =
        std::max<int>(textTop + textSize.cy, iconId ? kMargin + kIconSize : 0);
    t.cx = std::max(textLeft + int(textSize.cx) + kMargin, rowWidth + 2 * kMargin);
    const int buttonTop = contentBottom + kButtonsAbove;
    t.cy = buttonTop + kButtonHeight + kMargin;

    const size_t defaultIndex = std::min<size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    int x = (t.cx - rowWidth) / 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                      (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0) style |= WS_GROUP;
        t.items.push_back({"Button", buttons[i].text, style, 0, x, buttonTop, buttonWidth,
                           kButtonHeight, buttons[i].id});
        x += buttonWidth + kButtonGap;
    }
    return t;
}

struct BoxRequest {
    unsigned type;
    int iconId;
};

bool HasButton(unsigned type, int id) {
    const std::vector<BoxButton> buttons = ButtonsOf(type);
    return std::any_of(buttons.begin(), buttons.end(),
                       [id](const BoxButton& b) { return b.id == id; });
}

intptr_t MessageBoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        const auto* request = reinterpret_cast<const BoxRequest*>(lParam);
        if (request && request->iconId)
            SendDlgItemMessage(
                dialog, IDC_MESSAGEBOX_ICON, STM_SETICON,
                WPARAM(reinterpret_cast<uintptr_t>(LoadIcon(nullptr, request->iconId))), 0);
        // The default button takes the focus, as Enter would press it.
        const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (const HWND button = GetDlgItem(dialog, LOWORD(uintptr_t(def)))) {
            SendMessage(dialog, WM_NEXTDLGCTL, WPARAM(button), 1);
            return 0;
        }
        return 1;
    }
    case WM_COMMAND: {
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        const auto* request = reinterpret_cast<const BoxRequest*>(GetDialogInitParam(dialog));
        const unsigned type = request ? request->type : MB_OK;
        int id = LOWORD(wParam);
        // Escape and the close box: Cancel where there is one, OK in a box with only OK.
        if (id == IDCANCEL && !HasButton(type, IDCANCEL)) {
            if ((type & MB_TYPEMASK) != MB_OK) return 1;
            id = IDOK;
        }
        if (HasButton(type, id)) EndDialog(dialog, id);
        return 1;
    }
    default: return 0;
    }
}

// A box without a visible owner (none, or the hidden application window) is modal to the
// whole program: every other shown window is disabled while it runs, so that no click behind
// it opens a second one.
std::vector<HWND> DisableProgramWindows(HWND owner) {
    std::vector<HWND> disabled;
    const HWND ownerTop = TopLevelOf(owner);
    if (ownerTop && IsWindowVisible(ownerTop)) return disabled;
    for (HWND h : TopLevelZOrder())
        if (h != ownerTop && IsWindowVisible(h) && IsWindowEnabled(h)) disabled.push_back(h);
    for (HWND h : disabled) EnableWindow(h, false);
    return disabled;
}

} // namespace

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type) {
    BoxRequest request{type, IconIdOf(type)};
    const HWND wasActive = GetActiveWindow();
    const std::vector<HWND> disabled = DisableProgramWindows(owner);
    const intptr_t r = DialogBoxIndirectParam(nullptr, BuildTemplate(text, caption, type), owner,
                                              MessageBoxProc, LPARAM(&request));
    for (HWND h : disabled)
        if (IsWindow(h)) EnableWindow(h, true);
    // With every window disabled no one took the activation when the box went: give it back.
    if (!disabled.empty() && !GetActiveWindow() && IsWindow(wasActive) &&
        IsWindowVisible(wasActive))
        SetActiveWindow(wasActive);
    return r < 0 ? 0 : int(r);
}
