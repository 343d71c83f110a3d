#pragma once
// Dialog boxes: the "#32770" window class with its default procedure, templates built in code
// (sizes in pixels), the dialog manager's keyboard (Tab, arrows in groups, Enter for the
// default button, Escape for Cancel, mnemonics) and modal loops that disable the owner.
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/WindowSystem.h"

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_NOIDLEMSG = 0x100;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CONTEXTHELP = 0x2000;

constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;
constexpr WPARAM MSGF_DIALOGBOX = 0; // WM_ENTERIDLE's wParam while a dialog waits

inline constexpr const char* kDialogClass = "#32770";

// A dialog procedure answers true for a message it handled. For WM_CTLCOLOR* it answers the
// brush, for WM_INITDIALOG whether the dialog should set the focus; other answers go through
// SetDialogMessageResult.
using DLGPROC = intptr_t (*)(HWND, UINT, WPARAM, LPARAM);

struct DialogItemTemplate {
    std::string className;
    std::string text;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
};

struct DialogTemplate {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    DWORD exStyle = 0;
    int x = 0, y = 0;   // screen position (ignored with DS_CENTER)
    int cx = 0, cy = 0; // client size
    std::string caption;
    HFONT font = nullptr; // null: the message font
    std::vector<DialogItemTemplate> items;
};

// Creates the dialog and its controls, sends WM_INITDIALOG and shows it when its style says so.
HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                               DLGPROC proc, LPARAM initParam);
// Runs the dialog modally: the owner's top-level window is disabled until EndDialog, the loop
// sends WM_ENTERIDLE to the owner whenever it waits, timers keep running. Returns EndDialog's
// result, or -1 when the dialog could not be created or the program quit meanwhile.
intptr_t DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                                DLGPROC proc, LPARAM initParam);
bool EndDialog(HWND dialog, intptr_t result);

// The default procedure of the "#32770" class; it calls the dialog procedure first.
LRESULT DefDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The dialog manager's keyboard. True when the message belonged to the dialog (it has then
// been handled or dispatched).
bool IsDialogMessage(HWND dialog, MSG* msg);
// What a dialog procedure's message answers besides its handled flag.
void SetDialogMessageResult(HWND dialog, LRESULT result);
LPARAM GetDialogInitParam(HWND dialog);

void RegisterDialogClass();

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
bool SetDlgItemText(HWND dialog, int id, std::string_view text);
std::string GetDlgItemText(HWND dialog, int id);
bool SetDlgItemInt(HWND dialog, int id, int value);
// The item's text as a whole number; *ok says whether it was one.
int GetDlgItemInt(HWND dialog, int id, bool* ok);
bool CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
bool CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
// The next (or previous) visible, enabled control with WS_TABSTOP after `control`, wrapping.
HWND GetNextDlgTabItem(HWND dialog, HWND control, bool previous);
// The next (or previous) visible, enabled control of the WS_GROUP group `control` is in, wrapping.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, bool previous);
