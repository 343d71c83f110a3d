#pragma once
// Text output and measuring with the Win32 names, values and semantics. Text is UTF-8; lengths
// are in bytes, -1 meaning "up to the terminating NUL". Where Win32 counts characters per
// entry (the dx array of ExtTextOut), an entry is one code point here.
//
// Drawing blends the text colour over the surface by glyph coverage c (0..255), per channel:
//   out = (text * c + dst * (255 - c) + 127) / 255   (rounded to nearest; c = 255 gives text)
// On a 32-bit surface every pixel the text, its background or its lines touch also gets alpha
// 255: surfaces of the window system hold straight alpha, and drawn text must stay visible when
// such a surface is composed over another.
//
// Control characters (C0, DEL, C1) and zero-width format characters are not drawn and take no
// room, so line breaks and tabs never show up as boxes.
#include <memory>

#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/DeviceContext.h"

class RealizedFont;

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// tmPitchAndFamily bits; as in Win32, TMPF_FIXED_PITCH set means a variable-pitch font.
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

struct TEXTMETRICA {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = '?';
    BYTE tmBreakChar = ' ';
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
using TEXTMETRIC = TEXTMETRICA;

// Draws text with its reference point at (x, y) (or the current position with TA_UPDATECP),
// placed by the context's text alignment. The font's escapement rotates the baseline about
// the reference point.
bool TextOut(HDC dc, int x, int y, const char* text, int length);

// TextOut with options: ETO_OPAQUE fills *rect with the background colour first (whatever
// the background mode), ETO_CLIPPED clips the text to *rect. dx, when given, holds one advance
// per code point in place of the font's. With the OPAQUE background mode the text's cell
// (its extent by the font's height) is filled with the background colour too.
bool ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, int length,
                const int* dx);

// Formatted text in a rectangle; returns the height of the text (with DT_VCENTER or DT_BOTTOM
// on a single line: the distance from rect->top to the bottom of the text), 0 on failure.
//  - Lines break at "\n", "\r\n" and "\r" unless DT_SINGLELINE. DT_WORDBREAK also breaks
//    between words at blanks; a word wider than the rectangle stays whole on its own line
//    (DT_CALCRECT then reports the wider width), unless DT_EDITCONTROL, which breaks it
//    between characters. A trailing line break starts no further line; empty text has no
//    lines.
//  - "&" underlines the next character and "&&" is a literal "&", unless DT_NOPREFIX;
//    DT_HIDEPREFIX drops the "&" without underlining, DT_PREFIXONLY draws only the underlines.
//  - DT_END_ELLIPSIS shortens each line wider than the rectangle so that it and "..." fit.
//  - DT_EXPANDTABS: tab stops every eight average character widths.
//  - DT_CALCRECT draws nothing and sets rect->right and rect->bottom to bound the text.
//  - DT_VCENTER and DT_BOTTOM apply to DT_SINGLELINE. Text is clipped to the rectangle unless
//    DT_NOCLIP. The context's text alignment is not used. DT_RTLREADING is accepted.
//  - A rotated font draws each line rotated about the line's start; the layout itself is
//    computed as for unrotated text.
int DrawText(HDC dc, const char* text, int length, RECT* rect, UINT format);

// The text's width along the baseline (sum of advances) and the font's height, whatever the
// escapement.
bool GetTextExtentPoint32(HDC dc, const char* text, int length, SIZE* size);
bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics);

// Previous alignment, or GDI_ERROR for an unknown context.
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// The realized font selected into a context (the default font when none is), for code that
// lays text out itself. Null for an unknown context or when no font can be realized.
std::shared_ptr<RealizedFont> RealizedFontOf(HDC dc);
