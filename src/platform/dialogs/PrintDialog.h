#pragma once
// The print dialog: a modal "#32770" dialog that asks where and what to print. The caller
// supplies the destinations (the first is usually the PDF file destination); the dialog
// returns the user's choice. Printing itself is the caller's business.
#include <string>
#include <vector>

#include "platform/window/WindowSystem.h"

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;

struct PrintDestination {
    std::string name;    // shown in the printer combo box
    bool toFile = false; // asks for a file path (the PDF destination)
};

struct PRINTDLG {
    HWND hwndOwner = nullptr;
    DWORD Flags =
        PD_ALLPAGES | PD_NOSELECTION; // in: initial range and what is offered; out: the choice
    WORD nFromPage = 1;
    WORD nToPage = 1;
    WORD nMinPage = 1;
    WORD nMaxPage = 9999;
    WORD nCopies = 1;
    std::vector<PrintDestination> destinations; // in
    int destination = 0;                        // in/out: index into destinations
    std::string fileName;                       // in/out: path for a file destination
};

// Runs the dialog modally; true when the user pressed OK (the structure then holds the
// choice), false on Cancel, Escape or close (the structure is left as it was).
bool PrintDlg(PRINTDLG* pd);

// The dialog's caption and control identifiers, for tests and for wrappers that look for them.
inline constexpr const char* kPrintDialogCaption = "Басып шығару";
enum PrintDialogId : int {
    IDC_PRINT_PRINTER = 1139, // printer combo box
    IDC_PRINT_PROPERTIES = 1025,
    IDC_PRINT_STATUS = 1093,
    IDC_PRINT_FILE = 1152, // file path edit for a file destination
    IDC_PRINT_ALL = 1056,
    IDC_PRINT_SELECTION = 1057,
    IDC_PRINT_PAGES = 1058,
    IDC_PRINT_FROM = 1153,
    IDC_PRINT_TO = 1154,
    IDC_PRINT_COPIES = 1155,
    IDC_PRINT_COPIES_SPIN = 1156,
    IDC_PRINT_COLLATE = 1041,
};
