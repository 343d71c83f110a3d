#pragma once
// Handles of the window system. Each is an opaque number that a table maps to its object;
// numbers are never reused, so a handle to a destroyed object is simply not found and calls
// with it do nothing, as with Win32.
#include <cstdint>

struct HWND__;
struct HDC__;
struct HBRUSH__;
struct HPEN__;
struct HFONT__;
struct HBITMAP__;
struct HRGN__;
struct HICON__;
struct HCURSOR__;
struct HMENU__;
struct HHOOK__;

using HWND = HWND__*;
using HDC = HDC__*;
using HGDIOBJ = void*; // any of the GDI handles below
using HBRUSH = HBRUSH__*;
using HPEN = HPEN__*;
using HFONT = HFONT__*;
using HBITMAP = HBITMAP__*;
using HRGN = HRGN__*;
using HICON = HICON__*;
using HCURSOR = HCURSOR__*;
using HMENU = HMENU__*;
using HHOOK = HHOOK__*;

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = uint16_t;
