#include "GlyphPainter.h"

#include <array>
#include <string_view>

namespace {

using TRows = std::array<std::string_view, GlyphPainter::kSize>;

// One letter per pixel; '.' is the transparent background.
COLORREF LetterColor(char letter) {
    switch (letter) {
    case 'k': return RGB(0, 0, 0);
    case 'm': return RGB(128, 0, 0);
    case 'g': return RGB(0, 128, 0);
    case 'n': return RGB(0, 0, 128);
    case 't': return RGB(0, 128, 128);
    case 's': return RGB(192, 192, 192);
    case 'd': return RGB(128, 128, 128);
    case 'G': return RGB(0, 255, 0);
    case 'y': return RGB(255, 255, 0);
    case 'b': return RGB(0, 0, 255);
    case 'c': return RGB(0, 255, 255);
    case 'w': return RGB(255, 255, 255);
    default: return GlyphPainter::kTransparent;
    }
}

// clang-format off
constexpr TRows kArrow = {
    "................",
    "................",
    ".......n........",
    "......nn........",
    ".....ncn........",
    "....ncbnnnnnnnn.",
    "...ncbbccccccbn.",
    "..ncbbbbbbbbbbn.",
    "..nbbbbbbbbbbbn.",
    "...nbbbbbbbbbbn.",
    "....nbbnnnnnnnn.",
    ".....nbn........",
    "......nn........",
    ".......n........",
    "................",
    "................",
};

constexpr TRows kFolders = {
    "................",
    ".kkkk...........",
    "kyyyykkkkkk.....",
    "kywwwwwwwyk.....",
    "kyyyyyyyyyk.....",
    "kkkkkkkkkkk.....",
    "..d...kkk.......",
    "..d..kyyykkkkk..",
    "..dddkywwwwwyk..",
    "..d..kyyyyyyyk..",
    "..d..kkkkkkkkk..",
    "..d...kkk.......",
    "..d..kyyykkkkk..",
    "..dddkywwwwwyk..",
    ".....kyyyyyyyk..",
    ".....kkkkkkkkk..",
};

constexpr TRows kPrinter = {
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwddddwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwsk.",
    ".ksssssssssGGsk.",
    ".kssssssssssssk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    "...kwwwwwwwwk...",
    "...kwddddddwk...",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
    "................",
};

// The leaf swings out to the left of the frame; light falls through the doorway.
constexpr TRows kDoor = {
    "................",
    "......kkkkkkkk..",
    "..kk..kyyyyyyk..",
    "..kmkkkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmwmkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmmmkyyyyyyk..",
    "..kmmkkyyyyyyk..",
    "..kkk.kyyyyyyk..",
    "......kkkkkkkk..",
    "................",
};
// clang-format on

const TRows& RowsOf(TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::Back:
    case TToolGlyph::Forward: return kArrow;
    case TToolGlyph::Contents: return kFolders;
    case TToolGlyph::Print: return kPrinter;
    case TToolGlyph::Exit: break;
    }
    return kDoor;
}

void PaintNormal(Bitmap& bitmap, const TRows& rows, bool mirrored) {
    const int last = GlyphPainter::kSize - 1;
    for (int y = 0; y <= last; ++y)
        for (int x = 0; x <= last; ++x)
            bitmap.SetPixel(mirrored ? last - x : x, y, LetterColor(rows[size_t(y)][size_t(x)]));
}

// Outlines and dark fills carry the shape; light fills are left out of the greyed copy.
bool IsInk(COLORREF color) {
    if (color == GlyphPainter::kTransparent) return false;
    const int luma =
        (299 * GetRValue(color) + 587 * GetGValue(color) + 114 * GetBValue(color)) / 1000;
    return luma < 160;
}

// The greyed copy in the etched style of disabled buttons: the ink in grey over a white
// copy of it one pixel down and to the right.
void PaintGreyed(Bitmap& bitmap) {
    const int size = GlyphPainter::kSize;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) bitmap.SetPixel(size + x, y, GlyphPainter::kTransparent);
    for (int y = 0; y + 1 < size; ++y)
        for (int x = 0; x + 1 < size; ++x)
            if (IsInk(bitmap.GetPixel(x, y)))
                bitmap.SetPixel(size + x + 1, y + 1, RGB(255, 255, 255));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (IsInk(bitmap.GetPixel(x, y))) bitmap.SetPixel(size + x, y, RGB(128, 128, 128));
    // The bottom-left pixel names the transparent colour; the highlight must not take it.
    bitmap.SetPixel(0, size - 1, GlyphPainter::kTransparent);
}

} // namespace

Bitmap GlyphPainter::Paint(TToolGlyph glyph) {
    Bitmap bitmap(2 * kSize, kSize, 24);
    PaintNormal(bitmap, RowsOf(glyph), glyph == TToolGlyph::Forward);
    PaintGreyed(bitmap);
    return bitmap;
}

const char* GlyphPainter::FileName(TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::Back: return "back.bmp";
    case TToolGlyph::Forward: return "forward.bmp";
    case TToolGlyph::Contents: return "contents.bmp";
    case TToolGlyph::Print: return "print.bmp";
    case TToolGlyph::Exit: break;
    }
    return "exit.bmp";
}
