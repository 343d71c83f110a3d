#include "SplashPainter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "Supersampler.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "shell/AboutTexts.h"

namespace {

constexpr int kScale = 2; // drawn at twice the size, then reduced for smooth edges
constexpr int kBars = 19;

constexpr COLORREF kTopLeft = RGB(24, 40, 86);
constexpr COLORREF kTopRight = RGB(30, 72, 124);
constexpr COLORREF kBottomLeft = RGB(22, 86, 112);
constexpr COLORREF kBottomRight = RGB(38, 118, 138);
constexpr COLORREF kGold = RGB(252, 212, 124);
constexpr COLORREF kPale = RGB(222, 234, 244);
constexpr COLORREF kMuted = RGB(168, 200, 222);
constexpr COLORREF kCurve = RGB(150, 214, 236);
constexpr COLORREF kTitleShadow = RGB(22, 34, 62);

// A drawing surface at kScale times the picture's size; callers give picture coordinates.
class TSurface {
  public:
    TSurface(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateDIBSection(width, height, 24)) {
        old_ = SelectObject(dc_, bitmap_);
    }
    ~TSurface() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;

    HDC Dc() const { return dc_; }
    Bitmap& Pixels() { return *BitmapOf(bitmap_); }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TRIVERTEX Vertex(int x, int y, COLORREF color) {
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = COLOR16(GetRValue(color) << 8);
    v.Green = COLOR16(GetGValue(color) << 8);
    v.Blue = COLOR16(GetBValue(color) << 8);
    return v;
}

// Four corner colours: deep blue at the top left lightening to teal at the bottom right.
void FillBackground(HDC dc, int width, int height) {
    const TRIVERTEX corners[4] = {Vertex(0, 0, kTopLeft), Vertex(width, 0, kTopRight),
                                  Vertex(width, height, kBottomRight),
                                  Vertex(0, height, kBottomLeft)};
    const GRADIENT_TRIANGLE halves[2] = {{0, 1, 2}, {0, 2, 3}};
    GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
}

// Lays color over the picture where the mask is lit, by the mask's brightness times opacity.
void Overlay(Bitmap& picture, const Bitmap& mask, COLORREF color, int opacityPercent) {
    const int channel[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* out = picture.ScanLine(y);
        const uint8_t* lit = mask.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x, out += 3, lit += 3) {
            const int weight = lit[0] * opacityPercent; // 0 .. 255 * 100
            if (weight == 0) continue;
            for (int c = 0; c < 3; ++c)
                out[c] = uint8_t((out[c] * (25500 - weight) + channel[c] * weight + 12750) / 25500);
        }
    }
}

void ClearMask(TSurface& mask) { mask.Pixels().Fill(RGB(0, 0, 0)); }

void WhiteBox(HDC dc, int left, int top, int right, int bottom) {
    const RECT r = Rect(left, top, right, bottom);
    FillRect(dc, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
}

// The normal density scaled to the chart: 1 at the middle bar, falling off both ways.
double Bell(double position) {
    const double z = (position - (kBars - 1) / 2.0) / 3.6;
    return std::exp(-z * z / 2);
}

// A histogram across the lower half of the visible part, in big-surface pixels.
struct TChart {
    int Left = 70 * kScale;
    int Right = (SplashPainter::kVisibleWidth - 70) * kScale;
    int Base = 250 * kScale;
    int Peak = 150 * kScale;
    int Slot() const { return (Right - Left) / kBars; }
    int TopAt(double position) const {
        return Base - int(std::lround(Peak * (0.08 + 0.92 * Bell(position))));
    }
};

void DrawHistogramMask(HDC dc, const TChart& chart) {
    const int gap = chart.Slot() / 6;
    for (int i = 0; i < kBars; ++i) {
        const int left = chart.Left + i * chart.Slot();
        WhiteBox(dc, left + gap, chart.TopAt(i), left + chart.Slot() - gap, chart.Base);
    }
    WhiteBox(dc, chart.Left - 10 * kScale, chart.Base, chart.Right + 10 * kScale,
             chart.Base + kScale);
}

// The bell curve through the bars' tops, as round-ended segments three pixels thick.
void DrawCurveMask(HDC dc, const TChart& chart) {
    const double radius = 1.5 * kScale;
    std::vector<POINT> points;
    for (int step = 0; step <= 180; ++step) {
        const double position = -0.5 + kBars * step / 180.0;
        const int x = chart.Left + int(std::lround((position + 0.5) * chart.Slot()));
        points.push_back({x, chart.TopAt(position) - 6 * kScale});
    }
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const double dx = points[i + 1].x - points[i].x, dy = points[i + 1].y - points[i].y;
        const double length = std::max(1e-9, std::hypot(dx, dy));
        const LONG nx = LONG(std::lround(-dy / length * radius));
        const LONG ny = LONG(std::lround(dx / length * radius));
        const POINT quad[4] = {{points[i].x + nx, points[i].y + ny},
                               {points[i + 1].x + nx, points[i + 1].y + ny},
                               {points[i + 1].x - nx, points[i + 1].y - ny},
                               {points[i].x - nx, points[i].y - ny}};
        Polygon(dc, quad, 4);
        const LONG r = LONG(radius);
        Ellipse(dc, points[i].x - r, points[i].y - r, points[i].x + r + 1, points[i].y + r + 1);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

HFONT MakeFont(const char* face, int pixels, LONG weight, bool italic) {
    LOGFONT font;
    font.lfHeight = -pixels * kScale;
    font.lfWeight = weight;
    font.lfItalic = italic ? 1 : 0;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

// Text centred in a band of the visible part; top and bottom in picture pixels.
void DrawCentred(HDC dc, HFONT font, std::string_view text, int top, int bottom, COLORREF color,
                 int dx = 0, int dy = 0) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, color);
    RECT box = Rect(40 * kScale + dx, top * kScale + dy,
                    (SplashPainter::kVisibleWidth - 40) * kScale + dx, bottom * kScale + dy);
    DrawText(dc, text.data(), int(text.size()), &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
}

std::string_view LineOf(std::string_view lines, int index) {
    for (int i = 0; i < index; ++i) {
        const size_t end = lines.find('\n');
        if (end == std::string_view::npos) return {};
        lines.remove_prefix(end + 1);
    }
    return lines.substr(0, lines.find('\n'));
}

void DrawTexts(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const std::string_view institution = AboutTexts().Institution;
    HFONT university = MakeFont("Liberation Sans", 17, FW_BOLD, false);
    HFONT department = MakeFont("Liberation Sans", 15, FW_NORMAL, false);
    HFONT title = MakeFont("Liberation Serif", 37, FW_BOLD, false);
    HFONT subtitle = MakeFont("Liberation Serif", 19, FW_NORMAL, true);

    DrawCentred(dc, university, LineOf(institution, 0), 20, 44, kPale);
    DrawCentred(dc, department, LineOf(institution, 1), 45, 66, kMuted);

    const int ruleHalf = 110 * kScale, middle = SplashPainter::kVisibleWidth * kScale / 2;
    HBRUSH gold = CreateSolidBrush(kGold);
    const RECT upper = Rect(middle - ruleHalf, 80 * kScale, middle + ruleHalf, 81 * kScale);
    FillRect(dc, &upper, gold);

    constexpr std::string_view kCourse = "Экономикалық және әлеуметтік статистика";
    DrawCentred(dc, title, kCourse, 90, 194, kTitleShadow, kScale, kScale);
    DrawCentred(dc, title, kCourse, 90, 194, kGold);

    const RECT lower = Rect(middle - ruleHalf, 200 * kScale, middle + ruleHalf, 201 * kScale);
    FillRect(dc, &lower, gold);
    DeleteObject(gold);
    DrawCentred(dc, subtitle, "Электрондық оқулық", 208, 236, kPale);

    DeleteObject(university);
    DeleteObject(department);
    DeleteObject(title);
    DeleteObject(subtitle);
}

void LiftDarkest(Bitmap& picture) {
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* p = picture.ScanLine(y);
        for (int i = 0; i < picture.Width() * 3; ++i)
            p[i] = uint8_t(std::max<int>(p[i], SplashPainter::kDarkest));
    }
}

} // namespace

Bitmap SplashPainter::Paint() {
    const int width = kWidth * kScale, height = kHeight * kScale;
    TSurface picture(width, height);
    TSurface mask(width, height);
    FillBackground(picture.Dc(), width, height);

    const TChart chart;
    ClearMask(mask);
    DrawHistogramMask(mask.Dc(), chart);
    Overlay(picture.Pixels(), mask.Pixels(), RGB(255, 255, 255), 9);
    ClearMask(mask);
    DrawCurveMask(mask.Dc(), chart);
    Overlay(picture.Pixels(), mask.Pixels(), kCurve, 45);

    DrawTexts(picture.Dc());
    Bitmap result = Supersampler::Reduce(picture.Pixels(), kScale);
    LiftDarkest(result);
    return result;
}
