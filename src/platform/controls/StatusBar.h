#pragma once
// The status bar window class "msctls_statusbar32": a row of parts with texts along the
// bottom (or top) edge of its parent, with an optional size grip.
#include "platform/window/WindowSystem.h"

constexpr char STATUSCLASSNAME[] = "msctls_statusbar32";

constexpr UINT SB_SETTEXTA = WM_USER + 1;
constexpr UINT SB_GETTEXTA = WM_USER + 2;
constexpr UINT SB_GETTEXTLENGTHA = WM_USER + 3;
constexpr UINT SB_SETPARTS = WM_USER + 4;
constexpr UINT SB_GETPARTS = WM_USER + 6;
constexpr UINT SB_GETBORDERS = WM_USER + 7;
constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
constexpr UINT SB_GETRECT = WM_USER + 10;

constexpr WPARAM SBT_NOBORDERS = 0x0100;
constexpr WPARAM SBT_POPOUT = 0x0200;
constexpr DWORD SBARS_SIZEGRIP = 0x0100;

// Common control styles shared by the bars.
constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD CCS_NODIVIDER = 0x0040;

// The height of a status bar whose minimum height leaves it at the default.
constexpr int STATUSBAR_DEFAULT_HEIGHT = 20;

// Registers the class (again is harmless).
void RegisterStatusBarClass();
