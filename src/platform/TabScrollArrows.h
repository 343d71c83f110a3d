#pragma once
// The scroll arrows a tab control shows when its single row of tabs overflows: a window of
// class "msctls_updown32". When the real up-down class is registered it is used as it is;
// otherwise this small stand-in (two arrow buttons) is registered under that name.
#include "platform/WindowSystem.h"

constexpr char UPDOWN_CLASSNAME[] = "msctls_updown32";
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;
constexpr DWORD UDS_HORZ = 0x0040;

// Registers the stand-in unless a class of that name exists already.
void EnsureUpDownClass();
