#include "ControlsGallery.h"

#include <string>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CoolBar.h"
#include "platform/controls/Edit.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/Static.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/ToolBar.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UpDown.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/PrintDialog.h"
#include "platform/dialogs/StandardClasses.h"
#include "platform/gdi/Gdi.h"
#include "platform/menus/Menu.h"
#include "platform/window/ScrollBars.h"

namespace {

constexpr const char* kClass = "ControlsGallery";
constexpr int kWidth = 700, kHeight = 560;

enum Command : int {
    kCmdMessage = 101,
    kCmdQuestion,
    kCmdPrint,
    kCmdClose,
    kCmdAbout,
};

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           int id = 0, DWORD exStyle = 0) {
    return CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                          reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
}

HMENU BuildMenuBar() {
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, kCmdMessage, "&Хабарлама...");
    AppendMenu(file, MF_STRING, kCmdQuestion, "&Сұрақ...");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_STRING, kCmdPrint, "&Басып шығару...\tCtrl+P");
    AppendMenu(file, MF_STRING | MF_GRAYED, 0, "Алдын ала қарау");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_STRING, kCmdClose, "Ш&ығу\tAlt+F4");
    HMENU lectures = CreatePopupMenu();
    AppendMenu(lectures, MF_STRING | MF_CHECKED, 201, "1-дәріс");
    AppendMenu(lectures, MF_STRING, 202, "2-дәріс");
    HMENU view = CreatePopupMenu();
    AppendMenu(view, MF_POPUP, uintptr_t(lectures), "&Дәрістер");
    AppendMenu(view, MF_STRING, 203, "&Мазмұны");
    HMENU help = CreatePopupMenu();
    AppendMenu(help, MF_STRING, kCmdAbout, "&Авторлар");
    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, uintptr_t(file), "&Файл");
    AppendMenu(bar, MF_POPUP, uintptr_t(view), "&Көрініс");
    AppendMenu(bar, MF_POPUP, uintptr_t(help), "&Анықтама");
    return bar;
}

void AddToolBar(HWND hwnd) {
    HWND bar = Child(hwnd, TOOLBARCLASSNAME, "", TBSTYLE_FLAT | TBSTYLE_LIST, 0, 0, kWidth, 30);
    SendMessage(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[] = {
        {0, 1, TBSTATE_ENABLED, TBSTYLE_BUTTON, 0, intptr_t("Артқа")},
        {0, 2, 0, TBSTYLE_BUTTON, 0, intptr_t("Алға")},
        {8, 0, 0, TBSTYLE_SEP, 0, 0},
        {0, 3, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECK, 0, intptr_t("Мазмұны")},
        {0, kCmdPrint, TBSTATE_ENABLED, TBSTYLE_BUTTON, 0, intptr_t("Басу")},
    };
    SendMessage(bar, TB_ADDBUTTONSA, std::size(buttons), LPARAM(buttons));
}

void AddButtons(HWND hwnd) {
    Child(hwnd, "Button", "Батырмалар", BS_GROUPBOX, 10, 40, 220, 210);
    Child(hwnd, "Button", "&Ашу", BS_DEFPUSHBUTTON | WS_TABSTOP, 20, 60, 95, 25, 11);
    Child(hwnd, "Button", "Жабу", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 125, 60, 95, 25, 12);
    HWND check = Child(hwnd, "Button", "Суреттерді көрсету", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 95,
                       200, 18, 13);
    SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
    HWND three =
        Child(hwnd, "Button", "Үш күйлі белгі", BS_AUTO3STATE | WS_TABSTOP, 20, 117, 200, 18, 14);
    SendMessage(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    HWND first = Child(hwnd, "Button", "Күндізгі бөлім", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                       20, 145, 200, 18, 15);
    Child(hwnd, "Button", "Сырттай бөлім", BS_AUTORADIOBUTTON, 20, 167, 200, 18, 16);
    Child(hwnd, "Button", "Қашықтан оқыту", BS_AUTORADIOBUTTON | WS_DISABLED, 20, 189, 200, 18, 17);
    SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
    Child(hwnd, "Static", "", SS_ETCHEDHORZ, 20, 215, 200, 2);
    Child(hwnd, "Static", "Ортасында", SS_CENTER | SS_SUNKEN, 20, 222, 200, 18);
}

void AddFields(HWND hwnd) {
    Child(hwnd, "Button", "Өрістер", BS_GROUPBOX, 240, 40, 220, 210);
    Child(hwnd, "Static", "&Аты-жөні:", SS_LEFT, 250, 62, 70, 16);
    Child(hwnd, "Edit", "Әлия Нұрланқызы", ES_AUTOHSCROLL | WS_TABSTOP, 322, 58, 128, 22, 21,
          WS_EX_CLIENTEDGE);
    Child(hwnd, "Static", "Топ:", SS_LEFT, 250, 90, 70, 16);
    Child(hwnd, "Edit", "ЭС-21", ES_READONLY, 322, 86, 128, 22, 22, WS_EX_CLIENTEDGE);
    Child(hwnd, "Static", "Даналар:", SS_LEFT, 250, 118, 70, 16);
    HWND copies =
        Child(hwnd, "Edit", "3", ES_NUMBER | WS_TABSTOP, 322, 114, 60, 22, 23, WS_EX_CLIENTEDGE);
    HWND spin = Child(hwnd, "msctls_updown32", "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                      382, 114, 16, 22, 24);
    SendMessage(spin, UDM_SETBUDDY, WPARAM(copies), 0);
    SendMessage(spin, UDM_SETRANGE32, 1, 99);
    SendMessage(spin, UDM_SETPOS32, 0, 3);
    Child(hwnd, "Static", "Тақырып:", SS_LEFT, 250, 146, 70, 16);
    HWND combo = Child(hwnd, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 322, 142,
                       128, 160, 25);
    for (const char* topic : {"Халық статистикасы", "Ұлттық байлық", "Баға статистикасы"})
        SendMessage(combo, CB_ADDSTRING, 0, LPARAM(topic));
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    HWND list = Child(hwnd, "ListBox", "", WS_VSCROLL | WS_TABSTOP, 250, 172, 200, 70, 26,
                      WS_EX_CLIENTEDGE);
    for (const char* item : {"Орташа шамалар", "Вариация көрсеткіштері", "Динамика қатарлары",
                             "Индекстер", "Іріктеме әдісі", "Корреляция"})
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(item));
    SendMessage(list, LB_SETCURSEL, 2, 0);
}

HTREEITEM AddNode(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCT ins;
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, LPARAM(&ins)));
}

void AddTree(HWND hwnd) {
    HWND tree =
        Child(hwnd, "SysTreeView32", "",
              TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | WS_VSCROLL | WS_TABSTOP, 470,
              40, 220, 210, 31, WS_EX_CLIENTEDGE);
    SendMessage(tree, TVM_SETINDENT, 19, 0);
    HTREEITEM lectures = AddNode(tree, TVI_ROOT, "Дәрістер");
    for (const char* t :
         {"1. Пәні мен әдісі", "2. Халық статистикасы", "3. Ұлттық байлық", "4. Еңбек өнімділігі",
          "5. Тауар айналымы", "6. Ұлттық шоттар жүйесі", "7. Өмір деңгейі"})
        AddNode(tree, lectures, t);
    HTREEITEM practice = AddNode(tree, TVI_ROOT, "Практикалық сабақтар");
    HTREEITEM first = AddNode(tree, practice, "1-тақырып");
    AddNode(tree, first, "Теория");
    AddNode(tree, first, "Есептер");
    AddNode(tree, TVI_ROOT, "Тесттер");
    AddNode(tree, TVI_ROOT, "Силлабус");
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(lectures));
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(practice));
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET,
                SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(lectures)));
}

void AddBars(HWND hwnd) {
    HWND tabs =
        Child(hwnd, "SysTabControl32", "", WS_TABSTOP | WS_CLIPSIBLINGS, 10, 262, 450, 150, 41);
    int i = 0;
    for (const char* text : {"Дәрістер", "Практика", "Тесттер", "Әдебиет"}) {
        TCITEM item;
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text);
        SendMessage(tabs, TCM_INSERTITEMA, WPARAM(i++), LPARAM(&item));
    }
    RECT page{0, 0, 450, 150};
    SendMessage(tabs, TCM_ADJUSTRECT, 0, LPARAM(&page));
    Child(tabs, "Static",
          "Беттің ішінде сөздер жолдан жолға ауысады: мәтін статикалық өрістің енінен асса, келесі "
          "жолға түседі.",
          SS_LEFT, page.left + 8, page.top + 8, WidthOf(page) - 16, 40);
    Child(tabs, "Static", "", SS_GRAYRECT, page.left + 8, page.top + 56, 60, 40);
    Child(tabs, "Static", "", SS_WHITERECT, page.left + 76, page.top + 56, 60, 40);
    Child(tabs, "Static", "", SS_ETCHEDFRAME, page.left + 144, page.top + 56, 60, 40);
    HWND icon = Child(tabs, "Static", "", SS_ICON, page.left + 220, page.top + 60, 32, 32);
    SendMessage(icon, STM_SETICON, WPARAM(LoadIcon(nullptr, IDI_ASTERISK)), 0);
    Child(tabs, "Static", "Оң жақта", SS_RIGHT, page.left + 260, page.top + 70, WidthOf(page) - 276,
          16);

    HWND scroll = Child(hwnd, "ScrollBar", "", SBS_HORZ, 470, 262, 220, 17, 42);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 20;
    si.nPos = 30;
    SetScrollInfo(scroll, SB_CTL, &si, true);

    HWND rebar = Child(hwnd, "ReBarWindow32", "",
                       WS_CLIPCHILDREN | CCS_NOPARENTALIGN | CCS_NODIVIDER, 470, 290, 220, 34, 43);
    HWND bandEdit =
        Child(rebar, "Edit", "Іздеу...", ES_AUTOHSCROLL, 0, 0, 120, 22, 44, WS_EX_CLIENTEDGE);
    REBARBANDINFO band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_TEXT;
    band.hwndChild = bandEdit;
    band.cxMinChild = 80;
    band.cyMinChild = 22;
    band.cx = 220;
    band.lpText = const_cast<char*>("Табу");
    SendMessage(rebar, RB_INSERTBANDA, WPARAM(-1), LPARAM(&band));

    HWND status = Child(hwnd, "msctls_statusbar32", "", SBARS_SIZEGRIP, 0, 0, 0, 0, 45);
    int parts[] = {160, 400, -1};
    SendMessage(status, SB_SETPARTS, 3, LPARAM(parts));
    SendMessage(status, SB_SETTEXTA, 0, LPARAM("10.12.2026"));
    SendMessage(status, SB_SETTEXTA, 1, LPARAM("User Windows: student"));
    SendMessage(status, SB_SETTEXTA, 2, LPARAM("Дайын"));
}

PRINTDLG GalleryPrintRequest(HWND owner) {
    PRINTDLG pd;
    pd.hwndOwner = owner;
    pd.destinations = {{"Save as PDF", true}};
    pd.fileName = "~/statistika-DAR1.pdf";
    pd.nMaxPage = 12;
    return pd;
}

void OnCommand(HWND hwnd, int id) {
    switch (id) {
    case kCmdMessage:
        MessageBox(hwnd, "Құжат табылмады:\nC:\\Statistika\\Doc1\\DAR8.htm", "Статистика",
                   MB_OK | MB_ICONERROR);
        break;
    case kCmdQuestion:
        MessageBox(hwnd, "Басып шығаруды тоқтату керек пе?", "Басып шығару",
                   MB_YESNOCANCEL | MB_ICONQUESTION);
        break;
    case kCmdPrint: {
        PRINTDLG pd = GalleryPrintRequest(hwnd);
        PrintDlg(&pd);
        break;
    }
    case kCmdAbout:
        MessageBox(hwnd, "Экономикалық және әлеуметтік статистика.\nЭлектрондық оқулық.",
                   "Авторлар", MB_OK | MB_ICONINFORMATION);
        break;
    case kCmdClose: DestroyWindow(hwnd); break;
    default: break;
    }
}

LRESULT ControlsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_SIZE:
        if (HWND status = GetDlgItem(hwnd, 45)) SendMessage(status, WM_SIZE, 0, 0);
        return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

HWND CreateControlsGallery(int x, int y, HWND owner) {
    RegisterStandardClasses();
    WNDCLASS wc;
    if (!GetClassInfo(kClass, &wc)) {
        wc.lpszClassName = kClass;
        wc.lpfnWndProc = ControlsProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_BTNFACE + 1));
        RegisterClass(wc);
    }
    HWND hwnd = CreateWindowEx(0, kClass, "Басқару элементтері", WS_OVERLAPPEDWINDOW, x, y, kWidth,
                               kHeight, owner, nullptr, nullptr, nullptr);
    if (!hwnd) return nullptr;
    SetMenu(hwnd, BuildMenuBar());
    AddToolBar(hwnd);
    AddButtons(hwnd);
    AddFields(hwnd);
    AddTree(hwnd);
    AddBars(hwnd);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    ShowHintWindow("Мазмұнын көрсету", POINT{x + 380, y + 460}, hwnd);
    return hwnd;
}
