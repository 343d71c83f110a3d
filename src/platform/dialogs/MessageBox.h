#pragma once
// Message boxes: a modal "#32770" dialog with an icon, the text and a row of buttons, in the
// Kazakh of the program's users.
#include <string>

#include "platform/dialogs/Dialog.h"

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_DEFMASK = 0xF00;

// The control ids inside a message box, for tests and for wrappers that look for them.
constexpr int IDC_MESSAGEBOX_ICON = 20;
constexpr int IDC_MESSAGEBOX_TEXT = 0xFFFF;

// Shows the box modally (the owner's window is disabled meanwhile) and returns the id of the
// button pressed (IDOK, IDCANCEL, IDYES, ...); Escape and the close box answer Cancel where
// there is one, OK in a box that has only OK, and nothing otherwise. 0 when the box could not
// be shown or the program quit while it was up. An empty caption reads "Қате".
int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type);
