#pragma once
// The "Static" window class: text, icons, filled and framed rectangles, etched lines and
// owner-drawn statics, with the Win32 styles and messages.
#include "platform/controls/ControlSupport.h"

constexpr DWORD SS_LEFT = 0x00;
constexpr DWORD SS_CENTER = 0x01;
constexpr DWORD SS_RIGHT = 0x02;
constexpr DWORD SS_ICON = 0x03;
constexpr DWORD SS_BLACKRECT = 0x04;
constexpr DWORD SS_GRAYRECT = 0x05;
constexpr DWORD SS_WHITERECT = 0x06;
constexpr DWORD SS_BLACKFRAME = 0x07;
constexpr DWORD SS_GRAYFRAME = 0x08;
constexpr DWORD SS_WHITEFRAME = 0x09;
constexpr DWORD SS_SIMPLE = 0x0B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x0C;
constexpr DWORD SS_OWNERDRAW = 0x0D;
constexpr DWORD SS_ETCHEDHORZ = 0x10;
constexpr DWORD SS_ETCHEDVERT = 0x11;
constexpr DWORD SS_ETCHEDFRAME = 0x12;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_NOPREFIX = 0x80;
constexpr DWORD SS_NOTIFY = 0x100;
constexpr DWORD SS_CENTERIMAGE = 0x200;
constexpr DWORD SS_SUNKEN = 0x1000;

constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;
constexpr UINT STM_SETIMAGE = 0x0172;
constexpr UINT STM_GETIMAGE = 0x0173;
constexpr WPARAM IMAGE_ICON = 1;

constexpr WORD STN_CLICKED = 0;
constexpr WORD STN_DBLCLK = 1;

// Registers the class once; later calls do nothing.
void RegisterStaticClass();
