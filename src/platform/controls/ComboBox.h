#pragma once
// The "ComboBox" window class, drop-down list kind (CBS_DROPDOWNLIST): a field showing the
// chosen item and an arrow button; its list drops down as a top-level pop-up window of class
// "ComboLBox" below the field, created when it opens and destroyed when it closes.
#include "platform/controls/ControlSupport.h"

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;

// Registers "ComboBox" and "ComboLBox" (and "ListBox", whose behaviour the drop-down list
// shares) once; later calls do nothing.
void RegisterComboBoxClass();
