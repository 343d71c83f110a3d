#include "shell/StandInArt.h"

#include <array>
#include <cassert>
#include <cstring>
#include <iterator>
#include <string_view>

#include "platform/Gdi.h"
#include "platform/Text.h"

namespace {

using TGlyphRows = std::array<std::string_view, StandInArt::kGlyphSize>;

// Glyphs as pixel rows from the top, one letter per pixel, in the 4-bit palette's colours.
COLORREF GlyphColor(char letter) {
    switch (letter) {
    case 'k':
        return RGB(0, 0, 0);
    case 'm':
        return RGB(128, 0, 0);
    case 'g':
        return RGB(0, 128, 0);
    case 'n':
        return RGB(0, 0, 128);
    case 'd':
        return RGB(128, 128, 128);
    case 's':
        return RGB(192, 192, 192);
    case 'G':
        return RGB(0, 255, 0);
    case 'y':
        return RGB(255, 255, 0);
    case 'b':
        return RGB(0, 0, 255);
    case 'c':
        return RGB(0, 255, 255);
    case 'w':
        return RGB(255, 255, 255);
    default:
        return StandInArt::kGlyphTransparent;
    }
}

// clang-format off
constexpr TGlyphRows kBackArrow = {
    "................",
    "................",
    "......k.........",
    ".....kk.........",
    "....kGk.........",
    "...kGGkkkkkkkk..",
    "..kGGGGGGGGGGk..",
    ".kGGGGGGGGGGGk..",
    ".kGGGGGGGGGGGk..",
    "..kggggggggggk..",
    "...kggkkkkkkkk..",
    "....kgk.........",
    ".....kk.........",
    "......k.........",
    "................",
    "................",
};

constexpr TGlyphRows kFolderTree = {
    "................",
    ".kkk............",
    "kyyykkkk........",
    "kyyyyyyk........",
    "kyyyyyyk........",
    "kkkkkkkk........",
    "..d.............",
    "..d...kkk.......",
    "..d..kyyykkkk...",
    "..dddkyyyyyyk...",
    "..d..kkkkkkkk...",
    "..d.............",
    "..d...kkk.......",
    "..d..kyyykkkk...",
    "..dddkyyyyyyk...",
    ".....kkkkkkkk...",
};

constexpr TGlyphRows kPrinter = {
    "................",
    "....kkkkkkk.....",
    "....kwwwwwk.....",
    "....kwkkkwk.....",
    "....kwwwwwk.....",
    "..kkkkkkkkkkkk..",
    ".kssssssssssssk.",
    ".kssssssssssGsk.",
    ".kssssssssssssk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    "...kwwwwwwwwk...",
    "...kwkkkkkkwk...",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
    "................",
};

constexpr TGlyphRows kOpenDoor = {
    "................",
    "..kkkkkkkkkkk...",
    "..kmkyyyyyyyk...",
    "..kmmkyyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmcmkyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmmmkyyyyyk...",
    "..kmmkyyyyyyk...",
    "..kmkyyyyyyyk...",
    "..kkkkkkkkkkk...",
    "................",
};
// clang-format on

void PaintGlyph(Bitmap& bitmap, const TGlyphRows& rows, bool mirrored) {
    const int last = StandInArt::kGlyphSize - 1;
    for (int y = 0; y <= last; ++y) {
        assert(rows[size_t(y)].size() == size_t(StandInArt::kGlyphSize));
        for (int x = 0; x <= last; ++x)
            bitmap.SetPixel(mirrored ? last - x : x, y, GlyphColor(rows[size_t(y)][size_t(x)]));
    }
}

bool IsDark(COLORREF color) {
    // Rec. 601 luma in whole numbers: (299 r + 587 g + 114 b) / 1000.
    const int luma = (299 * int(color & 0xFF) + 587 * int((color >> 8) & 0xFF) +
                      114 * int((color >> 16) & 0xFF)) /
                     1000;
    return luma < 128;
}

// The greyed image in the classic etched style: every dark pixel of the normal image turns
// grey with a white highlight one pixel down and to the right; light pixels vanish.
void PaintDisabledCopy(Bitmap& bitmap) {
    const int size = StandInArt::kGlyphSize;
    auto darkAt = [&](int x, int y) {
        const COLORREF c = bitmap.GetPixel(x, y);
        return c != StandInArt::kGlyphTransparent && IsDark(c);
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            bitmap.SetPixel(size + x, y, StandInArt::kGlyphTransparent);
    for (int y = 0; y + 1 < size; ++y)
        for (int x = 0; x + 1 < size; ++x)
            if (darkAt(x, y)) bitmap.SetPixel(size + x + 1, y + 1, RGB(255, 255, 255));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (darkAt(x, y)) bitmap.SetPixel(size + x, y, RGB(128, 128, 128));
}

const TGlyphRows& GlyphRows(TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::Back:
    case TToolGlyph::Forward:
        return kBackArrow;
    case TToolGlyph::Contents:
        return kFolderTree;
    case TToolGlyph::Print:
        return kPrinter;
    case TToolGlyph::Exit:
        break;
    }
    return kOpenDoor;
}

// ---- Splash picture

// All colours of the picture keep a red channel of at least 1. Text blends
// (text * c + dst * (255 - c) + 127) / 255 per channel, which stays at 1 or more when both
// sides are, so no pixel can come out as the window's see-through black.
constexpr COLORREF kSkyTop = RGB(18, 46, 96);
constexpr COLORREF kSkyBottom = RGB(30, 112, 132);
constexpr COLORREF kGold = RGB(250, 212, 120);
constexpr COLORREF kPale = RGB(226, 236, 244);
constexpr COLORREF kShadow = RGB(8, 22, 44);
constexpr COLORREF kBar = RGB(52, 128, 156);

COLOR16 Channel16(BYTE value) {
    return COLOR16(value << 8);
}

void FillGradient(HDC dc) {
    TRIVERTEX vertices[2];
    vertices[0].x = 0;
    vertices[0].y = 0;
    vertices[0].Red = Channel16(GetRValue(kSkyTop));
    vertices[0].Green = Channel16(GetGValue(kSkyTop));
    vertices[0].Blue = Channel16(GetBValue(kSkyTop));
    vertices[1].x = StandInArt::kSplashWidth;
    vertices[1].y = StandInArt::kSplashHeight;
    vertices[1].Red = Channel16(GetRValue(kSkyBottom));
    vertices[1].Green = Channel16(GetGValue(kSkyBottom));
    vertices[1].Blue = Channel16(GetBValue(kSkyBottom));
    GRADIENT_RECT rect{0, 1};
    GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT r = Rect(left, top, right, bottom);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A small bar chart in each lower corner, a quiet hint at what the course is about.
void DrawBars(HDC dc) {
    constexpr int kHeights[] = {22, 38, 30, 52, 44};
    constexpr int kBarWidth = 10;
    constexpr int kGap = 4;
    constexpr int kBase = 250;
    const int span = int(std::size(kHeights)) * (kBarWidth + kGap) - kGap;
    for (int i = 0; i < int(std::size(kHeights)); ++i) {
        const int left = 24 + i * (kBarWidth + kGap);
        FillBox(dc, left, kBase - kHeights[i], left + kBarWidth, kBase, kBar);
        const int mirrored = StandInArt::kSplashVisibleWidth - 24 - span +
                             (kBarWidth + kGap) * (int(std::size(kHeights)) - 1 - i);
        FillBox(dc, mirrored, kBase - kHeights[i], mirrored + kBarWidth, kBase, kBar);
    }
}

HFONT MakeFont(const char* face, int height, LONG weight, bool italic) {
    LOGFONT font;
    font.lfHeight = -height;
    font.lfWeight = weight;
    font.lfItalic = italic ? 1 : 0;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

void DrawLine(HDC dc, HFONT font, std::string_view text, RECT box, COLORREF color, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, color);
    DrawText(dc, text.data(), int(text.size()), &box, format | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
}

void DrawSplashTexts(HDC dc) {
    const int width = StandInArt::kSplashVisibleWidth;
    SetBkMode(dc, TRANSPARENT);

    HFONT university = MakeFont("Arial", 20, FW_BOLD, false);
    DrawLine(dc, university, "Сарыарқа экономика және құқық университеті", Rect(0, 18, width, 44),
             kPale, DT_SINGLELINE);
    HFONT department = MakeFont("Arial", 18, FW_NORMAL, false);
    DrawLine(dc, department, "Экономика және статистика кафедрасы", Rect(0, 50, width, 74), kPale,
             DT_SINGLELINE);

    FillBox(dc, 140, 88, width - 140, 90, kGold);

    HFONT title = MakeFont("Times New Roman", 42, FW_BOLD, false);
    constexpr std::string_view kCourse = "Экономикалық және әлеуметтік статистика";
    DrawLine(dc, title, kCourse, Rect(42, 100, width - 38, 200), kShadow, DT_WORDBREAK);
    DrawLine(dc, title, kCourse, Rect(40, 98, width - 40, 198), kGold, DT_WORDBREAK);

    FillBox(dc, 140, 204, width - 140, 206, kGold);

    HFONT subtitle = MakeFont("Times New Roman", 22, FW_NORMAL, true);
    DrawLine(dc, subtitle, "Электрондық оқулық", Rect(0, 214, width, 242), kPale, DT_SINGLELINE);

    DeleteObject(university);
    DeleteObject(department);
    DeleteObject(title);
    DeleteObject(subtitle);
}

} // namespace

Bitmap StandInArt::ToolGlyph(TToolGlyph glyph) {
    Bitmap bitmap(2 * kGlyphSize, kGlyphSize, 24);
    PaintGlyph(bitmap, GlyphRows(glyph), glyph == TToolGlyph::Forward);
    PaintDisabledCopy(bitmap);
    return bitmap;
}

Bitmap StandInArt::SplashPicture() {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP surface = CreateDIBSection(kSplashWidth, kSplashHeight, 24);
    HGDIOBJ old = SelectObject(dc, surface);
    FillGradient(dc);
    DrawBars(dc);
    DrawSplashTexts(dc);
    SelectObject(dc, old);
    const Bitmap* pixels = BitmapOf(surface);
    Bitmap picture = pixels ? *pixels : Bitmap();
    DeleteDC(dc);
    DeleteObject(surface);
    return picture;
}
