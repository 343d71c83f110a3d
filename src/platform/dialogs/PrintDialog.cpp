#include "platform/dialogs/PrintDialog.h"

#include <algorithm>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Static.h"
#include "platform/controls/UpDown.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"

namespace {

constexpr int IDC_PRINT_TYPE = 1094;
constexpr int kMaxCopies = 9999;

// What the dialog works on: the caller's request, answered only on OK.
struct PrintSession {
    PRINTDLG* pd;
};

PRINTDLG& RequestOf(HWND dialog) {
    return *reinterpret_cast<PrintSession*>(GetDialogInitParam(dialog))->pd;
}

DialogItemTemplate Label(const char* text, int x, int y, int cx, int id = -1) {
    return {"Static", text, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, x, y, cx, 15, id};
}

DialogItemTemplate Group(const char* text, int x, int y, int cx, int cy, DWORD extra = 0) {
    return {"Button", text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX | extra, 0, x, y, cx, cy, -1};
}

DialogItemTemplate Radio(const char* text, int x, int y, int cx, int id, DWORD extra = 0) {
    return {"Button", text, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | extra, 0, x, y, cx,
            17,       id};
}

DialogItemTemplate Field(int x, int y, int cx, int id, DWORD extra = 0) {
    return {"Edit",
            "",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | extra,
            WS_EX_CLIENTEDGE,
            x,
            y,
            cx,
            21,
            id};
}

DialogTemplate BuildTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.caption = kPrintDialogCaption;
    t.cx = 420;
    t.cy = 290;
    constexpr DWORD stop = WS_TABSTOP | WS_GROUP;
    t.items = {
        Group("Принтер", 8, 6, 404, 116),
        Label("&Аты:", 18, 28, 60),
        {"ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | stop, 0, 80, 24,
         222, 160, IDC_PRINT_PRINTER},
        {"Button", "&Қасиеттері...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | stop, 0, 310, 23, 92,
         23, IDC_PRINT_PROPERTIES},
        Label("Күйі:", 18, 54, 60),
        Label("", 80, 54, 320, IDC_PRINT_STATUS),
        Label("Түрі:", 18, 72, 60),
        Label("", 80, 72, 320, IDC_PRINT_TYPE),
        Label("&Файл:", 18, 95, 60),
        Field(80, 92, 322, IDC_PRINT_FILE, WS_GROUP),

        Group("Беттер ауқымы", 8, 130, 200, 114, WS_GROUP),
        Radio("&Барлығы", 18, 150, 180, IDC_PRINT_ALL, stop),
        Radio("Б&еттер:", 18, 182, 68, IDC_PRINT_PAGES),
        Radio("Бөлектелген &үзінді", 18, 214, 180, IDC_PRINT_SELECTION),
        Field(88, 180, 44, IDC_PRINT_FROM, ES_NUMBER | WS_GROUP),
        {"Static", "–", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 134, 183, 14, 15, -1},
        Field(150, 180, 44, IDC_PRINT_TO, ES_NUMBER),

        Group("Даналар", 216, 130, 196, 114, WS_GROUP),
        Label("Даналар &саны:", 226, 153, 96),
        Field(324, 150, 56, IDC_PRINT_COPIES, ES_NUMBER),
        {"msctls_updown32", "",
         WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
         0, 380, 150, 16, 21, IDC_PRINT_COPIES_SPIN},
        {"Button", "&Жинақтау", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | stop, 0, 226, 184, 170,
         17, IDC_PRINT_COLLATE},

        {"Button", "ОК", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | stop, 0, 254, 256, 75, 23,
         IDOK},
        {"Button", "Болдырмау", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 337, 256, 75,
         23, IDCANCEL},
    };
    return t;
}

int SelectedDestination(HWND dialog) {
    return int(SendDlgItemMessage(dialog, IDC_PRINT_PRINTER, CB_GETCURSEL, 0, 0));
}

bool DestinationIsFile(HWND dialog) {
    const PRINTDLG& pd = RequestOf(dialog);
    const int i = SelectedDestination(dialog);
    return i >= 0 && size_t(i) < pd.destinations.size() && pd.destinations[size_t(i)].toFile;
}

void ShowDestination(HWND dialog) {
    const bool toFile = DestinationIsFile(dialog);
    SetDlgItemText(dialog, IDC_PRINT_STATUS, "Дайын");
    SetDlgItemText(dialog, IDC_PRINT_TYPE, toFile ? "PDF файлы" : "CUPS принтері");
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_FILE), toFile);
}

void ShowCollate(HWND dialog) {
    bool ok = false;
    const int copies = GetDlgItemInt(dialog, IDC_PRINT_COPIES, &ok);
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_COLLATE), ok && copies > 1);
}

void InitDialog(HWND dialog) {
    const PRINTDLG& pd = RequestOf(dialog);
    for (const PrintDestination& d : pd.destinations)
        SendDlgItemMessage(dialog, IDC_PRINT_PRINTER, CB_ADDSTRING, 0, LPARAM(d.name.c_str()));
    const int chosen =
        pd.destination >= 0 && size_t(pd.destination) < pd.destinations.size() ? pd.destination : 0;
    SendDlgItemMessage(dialog, IDC_PRINT_PRINTER, CB_SETCURSEL, WPARAM(chosen), 0);
    SetDlgItemText(dialog, IDC_PRINT_FILE, pd.fileName);

    const int range = (pd.Flags & PD_PAGENUMS)    ? IDC_PRINT_PAGES
                      : (pd.Flags & PD_SELECTION) ? IDC_PRINT_SELECTION
                                                  : IDC_PRINT_ALL;
    CheckRadioButton(dialog, IDC_PRINT_ALL, IDC_PRINT_PAGES, range);
    EnableWindow(GetDlgItem(dialog, IDC_PRINT_SELECTION), !(pd.Flags & PD_NOSELECTION));
    const bool pages = !(pd.Flags & PD_NOPAGENUMS);
    for (int id : {IDC_PRINT_PAGES, IDC_PRINT_FROM, IDC_PRINT_TO})
        EnableWindow(GetDlgItem(dialog, id), pages);
    SetDlgItemInt(dialog, IDC_PRINT_FROM, pd.nFromPage);
    SetDlgItemInt(dialog, IDC_PRINT_TO, pd.nToPage);

    const HWND spin = GetDlgItem(dialog, IDC_PRINT_COPIES_SPIN);
    SendMessage(spin, UDM_SETBUDDY, WPARAM(GetDlgItem(dialog, IDC_PRINT_COPIES)), 0);
    SendMessage(spin, UDM_SETRANGE32, 1, kMaxCopies);
    SendMessage(spin, UDM_SETPOS32, 0, std::max<int>(1, pd.nCopies));
    SetDlgItemInt(dialog, IDC_PRINT_COPIES, std::max<int>(1, pd.nCopies));
    CheckDlgButton(dialog, IDC_PRINT_COLLATE,
                   (pd.Flags & PD_COLLATE) ? BST_CHECKED : BST_UNCHECKED);
    ShowDestination(dialog);
    ShowCollate(dialog);
}

// A number field that must hold a value in [low, high]; complains and keeps the dialog open
// otherwise.
bool CheckNumber(HWND dialog, int id, int low, int high, const std::string& complaint, int* value) {
    bool ok = false;
    *value = GetDlgItemInt(dialog, id, &ok);
    if (ok && *value >= low && *value <= high) return true;
    MessageBox(dialog, complaint, kPrintDialogCaption, MB_OK | MB_ICONEXCLAMATION);
    SendMessage(dialog, WM_NEXTDLGCTL, WPARAM(GetDlgItem(dialog, id)), 1);
    return false;
}

// Reads the controls into the request; false (with a message) when something is not valid.
bool Accept(HWND dialog) {
    PRINTDLG& pd = RequestOf(dialog);
    const int destination = SelectedDestination(dialog);
    if (destination < 0) return false;
    const std::string file = GetDlgItemText(dialog, IDC_PRINT_FILE);
    if (DestinationIsFile(dialog) && file.find_first_not_of(' ') == std::string::npos) {
        MessageBox(dialog, "Файлдың атын жазыңыз.", kPrintDialogCaption,
                   MB_OK | MB_ICONEXCLAMATION);
        SendMessage(dialog, WM_NEXTDLGCTL, WPARAM(GetDlgItem(dialog, IDC_PRINT_FILE)), 1);
        return false;
    }
    int from = pd.nFromPage, to = pd.nToPage, copies = 1;
    const bool pages = IsDlgButtonChecked(dialog, IDC_PRINT_PAGES) == BST_CHECKED;
    if (pages) {
        const std::string complaint = "Бет нөмірі " + std::to_string(pd.nMinPage) + " мен " +
                                      std::to_string(pd.nMaxPage) + " аралығында болуы керек.";
        if (!CheckNumber(dialog, IDC_PRINT_FROM, pd.nMinPage, pd.nMaxPage, complaint, &from))
            return false;
        if (!CheckNumber(dialog, IDC_PRINT_TO, from, pd.nMaxPage, complaint, &to)) return false;
    }
    if (!CheckNumber(dialog, IDC_PRINT_COPIES, 1, kMaxCopies,
                     "Даналар саны 1 мен " + std::to_string(kMaxCopies) +
                         " аралығында болуы керек.",
                     &copies))
        return false;

    pd.Flags &= ~(PD_PAGENUMS | PD_SELECTION | PD_COLLATE);
    if (pages)
        pd.Flags |= PD_PAGENUMS;
    else if (IsDlgButtonChecked(dialog, IDC_PRINT_SELECTION) == BST_CHECKED)
        pd.Flags |= PD_SELECTION;
    if (IsDlgButtonChecked(dialog, IDC_PRINT_COLLATE) == BST_CHECKED && copies > 1)
        pd.Flags |= PD_COLLATE;
    pd.nFromPage = WORD(from);
    pd.nToPage = WORD(to);
    pd.nCopies = WORD(copies);
    pd.destination = destination;
    if (DestinationIsFile(dialog)) pd.fileName = file;
    return true;
}

void ShowProperties(HWND dialog) {
    const std::string text =
        DestinationIsFile(dialog)
            ? "Құжат A4 қағаз өлшемімен PDF файлына жазылады."
            : "Принтердің баптаулары жүйенің басып шығару қызметінде орнатылады.";
    MessageBox(dialog, text, "Қасиеттер", MB_OK | MB_ICONINFORMATION);
}

void OnCommand(HWND dialog, int id, WORD code) {
    switch (id) {
    case IDOK:
        if (code == BN_CLICKED && Accept(dialog)) EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        if (code == BN_CLICKED) EndDialog(dialog, IDCANCEL);
        break;
    case IDC_PRINT_PROPERTIES:
        if (code == BN_CLICKED) ShowProperties(dialog);
        break;
    case IDC_PRINT_PRINTER:
        if (code == CBN_SELCHANGE) ShowDestination(dialog);
        break;
    case IDC_PRINT_COPIES:
        if (code == EN_CHANGE) ShowCollate(dialog);
        break;
    case IDC_PRINT_FROM:
    case IDC_PRINT_TO:
        // Typing a page number chooses the page range.
        if (code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, id))
            CheckRadioButton(dialog, IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_PAGES);
        break;
    default: break;
    }
}

intptr_t PrintDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitDialog(dialog); return 1;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return 1;
    default: return 0;
    }
}

} // namespace

bool PrintDlg(PRINTDLG* pd) {
    if (!pd) return false;
    if (pd->destinations.empty()) {
        MessageBox(pd->hwndOwner, "Басып шығаратын құрылғы табылмады.", kPrintDialogCaption,
                   MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The dialog edits a copy, so Cancel leaves the caller's request as it was.
    PRINTDLG working = *pd;
    PrintSession session{&working};
    const intptr_t r = DialogBoxIndirectParam(nullptr, BuildTemplate(), pd->hwndOwner,
                                              PrintDialogProc, LPARAM(&session));
    if (r != IDOK) return false;
    *pd = std::move(working);
    return true;
}
