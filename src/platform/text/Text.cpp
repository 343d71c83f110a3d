#include "platform/text/Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/TextCodec.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/text/FontEngine.h"

namespace {

// Positions further out than this are not drawn; it keeps every coordinate sum inside 32 bits.
constexpr long long kFarAway = 1LL << 29;

// ---- Pixels

// out = (src * c + dst * (255 - c) + 127) / 255 per channel; alpha 255 on 32-bit surfaces.
template <int Bpp>
void BlendRow(uint8_t* p, const uint8_t* coverage, int count, BYTE r, BYTE g, BYTE b) {
    for (int i = 0; i < count; ++i, p += Bpp) {
        const unsigned c = coverage[i];
        if (c == 0) continue;
        if (c == 255) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        } else {
            const unsigned ic = 255 - c;
            p[0] = uint8_t((b * c + p[0] * ic + 127) / 255);
            p[1] = uint8_t((g * c + p[1] * ic + 127) / 255);
            p[2] = uint8_t((r * c + p[2] * ic + 127) / 255);
        }
        if constexpr (Bpp == 4) p[3] = 255;
    }
}

template <int Bpp>
void FillRow(uint8_t* p, int count, BYTE r, BYTE g, BYTE b) {
    for (int i = 0; i < count; ++i, p += Bpp) {
        p[0] = b;
        p[1] = g;
        p[2] = r;
        if constexpr (Bpp == 4) p[3] = 255;
    }
}

// Where one text call may draw: the surface and the clip rectangles in surface pixels.
class Surface {
  public:
    bool Open(const DeviceContext& dc, const RECT* deviceClip) {
        if (!dc.surface || dc.surface->Empty()) return false;
        bitmap_ = dc.surface.get();
        if (bitmap_->BitsPerPixel() == 24) {
            bpp_ = 3;
            blend_ = BlendRow<3>;
            fill_ = FillRow<3>;
        } else if (bitmap_->BitsPerPixel() == 32) {
            bpp_ = 4;
            blend_ = BlendRow<4>;
            fill_ = FillRow<4>;
        } else {
            return false;
        }
        const RECT bounds{0, 0, bitmap_->Width(), bitmap_->Height()};
        RECT extra{};
        if (deviceClip) extra = OffsetRect(*deviceClip, dc.surfaceOrigin.x, dc.surfaceOrigin.y);
        for (RECT r : dc.SurfaceClipRects()) {
            if (!IntersectRect(r, r, bounds)) continue;
            if (deviceClip && !IntersectRect(r, r, extra)) continue;
            clips_.push_back(r);
        }
        return true;
    }

    // Blends a coverage mask whose top-left pixel lands on surface pixel (x, y).
    void Blend(long long x, long long y, int width, int height, const uint8_t* coverage, int pitch,
               COLORREF color) const {
        if (width <= 0 || height <= 0 || !Near(x, y)) return;
        const RECT area{LONG(x), LONG(y), LONG(x + width), LONG(y + height)};
        const BYTE r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
        for (const RECT& clip : clips_) {
            RECT part;
            if (!IntersectRect(part, area, clip)) continue;
            const int count = part.right - part.left;
            for (LONG row = part.top; row < part.bottom; ++row)
                blend_(bitmap_->ScanLine(row) + size_t(part.left) * bpp_,
                       coverage + size_t(row - area.top) * pitch + (part.left - area.left), count,
                       r, g, b);
        }
    }

    // Fills a rectangle given in surface pixels, half-open.
    void Fill(long long left, long long top, long long right, long long bottom,
              COLORREF color) const {
        // Clamping keeps the part on the surface of a rectangle that reaches far out.
        auto clamp = [](long long v) { return LONG(std::clamp(v, -kFarAway, kFarAway)); };
        const RECT area{clamp(left), clamp(top), clamp(right), clamp(bottom)};
        const BYTE r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
        for (const RECT& clip : clips_) {
            RECT part;
            if (!IntersectRect(part, area, clip)) continue;
            for (LONG row = part.top; row < part.bottom; ++row)
                fill_(bitmap_->ScanLine(row) + size_t(part.left) * bpp_, part.right - part.left, r,
                      g, b);
        }
    }

    bool Empty() const { return clips_.empty(); }
    // The bounding box of the clip rectangles.
    RECT Bounds() const {
        RECT box{};
        for (const RECT& r : clips_) UnionRect(box, box, r);
        return box;
    }

  private:
    static bool Near(long long x, long long y) {
        return x > -kFarAway && x < kFarAway && y > -kFarAway && y < kFarAway;
    }

    Bitmap* bitmap_ = nullptr;
    int bpp_ = 3;
    void (*blend_)(uint8_t*, const uint8_t*, int, BYTE, BYTE, BYTE) = nullptr;
    void (*fill_)(uint8_t*, int, BYTE, BYTE, BYTE) = nullptr;
    std::vector<RECT> clips_;
};

// ---- Geometry of the baseline

// The baseline's direction for an escapement. Text space has u along the baseline and v
// towards the text's bottom; a point (u, v) from the origin lies at
//   (x + u*cos + v*sin, y - u*sin + v*cos)   (surface y grows downwards).
struct Direction {
    double cs = 1.0, sn = 0.0;
    bool axisAligned = true; // a multiple of 90 degrees: cs and sn are exact integers

    static Direction Of(LONG escapement) {
        Direction d;
        const long long e = ((long long)escapement % 3600 + 3600) % 3600;
        switch (e) {
        case 0: break;
        case 900:
            d.cs = 0;
            d.sn = 1;
            break;
        case 1800:
            d.cs = -1;
            d.sn = 0;
            break;
        case 2700:
            d.cs = 0;
            d.sn = -1;
            break;
        default: {
            const double a = double(e) * 3.14159265358979323846 / 1800.0;
            d.cs = std::cos(a);
            d.sn = std::sin(a);
            d.axisAligned = false;
        }
        }
        return d;
    }
    long long X(long long u, long long v) const {
        return axisAligned ? u * (long long)cs + v * (long long)sn : std::llround(u * cs + v * sn);
    }
    long long Y(long long u, long long v) const {
        return axisAligned ? -u * (long long)sn + v * (long long)cs
                           : std::llround(-u * sn + v * cs);
    }
};

// Fills the text-space rectangle [u0, u1) x [v0, v1) measured from the baseline origin (ox, oy).
// Rotations by other than right angles are antialiased with 4 x 4 samples per pixel.
void FillTextRect(const Surface& s, long long ox, long long oy, const Direction& d, long long u0,
                  long long u1, long long v0, long long v1, COLORREF color) {
    if (u0 > u1) std::swap(u0, u1);
    if (v0 > v1) std::swap(v0, v1);
    if (u0 == u1 || v0 == v1) return;
    if (d.axisAligned) {
        const long long xa = ox + d.X(u0, v0), ya = oy + d.Y(u0, v0);
        const long long xb = ox + d.X(u1, v1), yb = oy + d.Y(u1, v1);
        s.Fill(std::min(xa, xb), std::min(ya, yb), std::max(xa, xb), std::max(ya, yb), color);
        return;
    }
    const long long us[2] = {u0, u1}, vs[2] = {v0, v1};
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (long long u : us)
        for (long long v : vs) {
            const double x = u * d.cs + v * d.sn, y = -u * d.sn + v * d.cs;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    // Only the part that can be drawn is sampled.
    const RECT box = s.Bounds();
    const long long left = std::max<long long>(ox + (long long)std::floor(minX), box.left);
    const long long top = std::max<long long>(oy + (long long)std::floor(minY), box.top);
    const long long right = std::min<long long>(ox + (long long)std::ceil(maxX), box.right);
    const long long bottom = std::min<long long>(oy + (long long)std::ceil(maxY), box.bottom);
    const long long w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0) return;
    std::vector<uint8_t> coverage(size_t(w * h));
    for (long long py = 0; py < h; ++py)
        for (long long px = 0; px < w; ++px) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    // The sample relative to the origin, back in text space.
                    const double dx = double(left - ox + px) + (sx + 0.5) / 4.0;
                    const double dy = double(top - oy + py) + (sy + 0.5) / 4.0;
                    const double u = dx * d.cs - dy * d.sn, v = dx * d.sn + dy * d.cs;
                    inside +=
                        u >= double(u0) && u < double(u1) && v >= double(v0) && v < double(v1);
                }
            coverage[size_t(py * w + px)] = uint8_t((inside * 255 + 8) / 16);
        }
    s.Blend(left, top, int(w), int(h), coverage.data(), int(w), color);
}

// ---- Fonts and text

struct SelectedFont {
    LOGFONT log;
    std::shared_ptr<RealizedFont> font;
};

SelectedFont FontOf(const DeviceContext& dc) {
    SelectedFont f;
    f.log = dc.SelectedFont(); // the stock system font when none is selected
    f.font = FontEngine::Instance().Realize(f.log);
    return f;
}

// Text of `length` bytes, or up to the NUL for a negative length.
std::u32string Decode(const char* text, int length) {
    std::u32string out;
    if (!text) return out;
    const std::string_view s(text, length < 0 ? std::strlen(text) : size_t(length));
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) out.push_back(DecodeUtf8(s, pos));
    return out;
}

// One line of text as it will be painted.
struct Line {
    std::u32string chars;
    std::vector<int> advances;
    std::vector<uint8_t> marks; // prefix underlines, one per character; empty when none
    long long width = 0;
};

// Paints a line whose baseline starts at surface point (ox, oy): background cell (OPAQUE mode),
// glyphs, then underline, strike-out and prefix underlines; only the last with prefixOnly.
void PaintLine(const DeviceContext& dc, const Surface& s, const SelectedFont& f, long long ox,
               long long oy, const Line& line, bool prefixOnly = false) {
    if (s.Empty()) return;
    RealizedFont& font = *f.font;
    const FontMetrics& m = font.Metrics();
    const Direction d = Direction::Of(f.log.lfEscapement);
    const COLORREF text = dc.state.textColor & 0xFFFFFF;
    if (dc.state.bkMode == OPAQUE && !prefixOnly)
        FillTextRect(s, ox, oy, d, 0, line.width, -m.ascent, m.descent,
                     dc.state.bkColor & 0xFFFFFF);
    if (!prefixOnly) {
        long long u = 0;
        for (size_t i = 0; i < line.chars.size(); ++i) {
            const GlyphImage& g = font.Glyph(line.chars[i], f.log.lfEscapement);
            if (g.width > 0)
                s.Blend(ox + d.X(u, 0) + g.left, oy + d.Y(u, 0) - g.top, g.width, g.height,
                        g.coverage.data(), g.width, text);
            u += line.advances[i];
        }
    }
    if (f.log.lfUnderline && !prefixOnly)
        FillTextRect(s, ox, oy, d, 0, line.width, m.underlineOffset,
                     m.underlineOffset + m.underlineThickness, text);
    if (f.log.lfStrikeOut && !prefixOnly)
        FillTextRect(s, ox, oy, d, 0, line.width, -m.strikeoutOffset,
                     -m.strikeoutOffset + m.strikeoutThickness, text);
    if (!line.marks.empty()) {
        long long u = 0;
        for (size_t i = 0; i < line.chars.size(); ++i) {
            if (line.marks[i])
                FillTextRect(s, ox, oy, d, u, u + line.advances[i], m.underlineOffset,
                             m.underlineOffset + m.underlineThickness, text);
            u += line.advances[i];
        }
    }
}

} // namespace

std::shared_ptr<RealizedFont> RealizedFontOf(HDC hdc) {
    const DeviceContext* dc = DCOf(hdc);
    return dc ? FontOf(*dc).font : nullptr;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = DCOf(hdc);
    if (!dc) return GDI_ERROR;
    const UINT old = dc->state.textAlign;
    dc->state.textAlign = align;
    return old;
}

UINT GetTextAlign(HDC hdc) {
    const DeviceContext* dc = DCOf(hdc);
    return dc ? dc->state.textAlign : GDI_ERROR;
}

bool GetTextMetrics(HDC hdc, TEXTMETRIC* tm) {
    const DeviceContext* dc = DCOf(hdc);
    if (!dc || !tm) return false;
    const SelectedFont f = FontOf(*dc);
    if (!f.font) return false;
    const FontMetrics& m = f.font->Metrics();
    *tm = TEXTMETRIC{};
    tm->tmHeight = m.height;
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmInternalLeading = m.internalLeading;
    tm->tmExternalLeading = m.externalLeading;
    tm->tmAveCharWidth = m.aveCharWidth;
    tm->tmMaxCharWidth = m.maxCharWidth;
    tm->tmWeight = m.weight;
    tm->tmItalic = m.italic ? 1 : 0;
    tm->tmUnderlined = f.log.lfUnderline ? 1 : 0;
    tm->tmStruckOut = f.log.lfStrikeOut ? 1 : 0;
    BYTE family = FF_SWISS;
    if (m.fixedPitch)
        family = FF_MODERN;
    else if (FontEngine::ClassOf(f.log.lfFaceName) == FontClass::Serif)
        family = FF_ROMAN;
    tm->tmPitchAndFamily =
        BYTE((m.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE | family);
    tm->tmCharSet = f.log.lfCharSet;
    return true;
}

bool GetTextExtentPoint32(HDC hdc, const char* text, int length, SIZE* size) {
    const DeviceContext* dc = DCOf(hdc);
    if (!dc || !size || length < -1 || (!text && length != 0)) return false;
    const SelectedFont f = FontOf(*dc);
    if (!f.font) return false;
    long long width = 0;
    for (char32_t c : Decode(text, length)) width += f.font->Advance(c);
    size->cx = LONG(std::min<long long>(width, 0x7FFFFFFF));
    size->cy = f.font->Metrics().height;
    return true;
}

bool ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text, int length,
                const int* dx) {
    DeviceContext* dc = DCOf(hdc);
    if (!dc || length < -1 || (!text && length != 0)) return false;
    std::optional<RECT> deviceRect;
    if (rect) deviceRect = dc->ToDevice(*rect);

    Surface plain;
    const bool drawable = plain.Open(*dc, nullptr);
    if (drawable && deviceRect && (options & ETO_OPAQUE)) {
        const POINT o = dc->surfaceOrigin;
        plain.Fill((long long)deviceRect->left + o.x, (long long)deviceRect->top + o.y,
                   (long long)deviceRect->right + o.x, (long long)deviceRect->bottom + o.y,
                   dc->state.bkColor & 0xFFFFFF);
    }

    Line line;
    line.chars = Decode(text, length);
    if (line.chars.empty()) return true;
    const SelectedFont f = FontOf(*dc);
    if (!f.font) return false;
    line.advances.resize(line.chars.size());
    for (size_t i = 0; i < line.chars.size(); ++i)
        line.advances[i] = dx ? dx[i] : f.font->Advance(line.chars[i]);
    line.width = std::accumulate(line.advances.begin(), line.advances.end(), 0LL);

    const UINT align = dc->state.textAlign;
    const POINT ref = (align & TA_UPDATECP) ? dc->state.currentPosition : POINT{x, y};
    const POINT refDevice = dc->ToDevice(ref);
    long long u = 0, v = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        u = -(line.width / 2);
    else if (align & TA_RIGHT)
        u = -line.width;
    const FontMetrics& m = f.font->Metrics();
    if ((align & TA_BASELINE) == TA_BASELINE)
        v = 0;
    else if (align & TA_BOTTOM)
        v = -m.descent;
    else
        v = m.ascent;
    const Direction d = Direction::Of(f.log.lfEscapement);

    if (drawable) {
        const long long ox = (long long)refDevice.x + dc->surfaceOrigin.x + d.X(u, v);
        const long long oy = (long long)refDevice.y + dc->surfaceOrigin.y + d.Y(u, v);
        if (deviceRect && (options & ETO_CLIPPED)) {
            Surface clipped;
            clipped.Open(*dc, &*deviceRect);
            PaintLine(*dc, clipped, f, ox, oy, line);
        } else {
            PaintLine(*dc, plain, f, ox, oy, line);
        }
    }

    if (align & TA_UPDATECP) {
        // Left-aligned text leaves the position after its end, right-aligned before its start.
        long long along = 0;
        if ((align & TA_CENTER) == TA_CENTER)
            along = 0;
        else if (align & TA_RIGHT)
            along = -line.width;
        else
            along = line.width;
        dc->state.currentPosition.x =
            LONG(std::clamp<long long>(ref.x + d.X(along, 0), -kFarAway, kFarAway));
        dc->state.currentPosition.y =
            LONG(std::clamp<long long>(ref.y + d.Y(along, 0), -kFarAway, kFarAway));
    }
    return true;
}

bool TextOut(HDC dc, int x, int y, const char* text, int length) {
    return ExtTextOut(dc, x, y, 0, nullptr, text, length, nullptr);
}

// ---- DrawText

namespace {

class TextLayout {
  public:
    TextLayout(RealizedFont& font, UINT format, long long width)
        : font_(font), format_(format), width_(width),
          tabWidth_(8LL * std::max(1, font.Metrics().aveCharWidth)) {}

    std::vector<Line> Lines(const std::u32string& text) {
        std::vector<Line> lines;
        const size_t n = text.size();
        size_t i = 0;
        while (i < n) {
            size_t j = i;
            if (format_ & DT_SINGLELINE)
                j = n;
            else
                while (j < n && text[j] != U'\n' && text[j] != U'\r') ++j;
            Paragraph(text, i, j, lines);
            if (j < n) j += (text[j] == U'\r' && j + 1 < n && text[j + 1] == U'\n') ? 2 : 1;
            i = j;
        }
        return lines;
    }

  private:
    static bool Blank(char32_t c) { return c == U' ' || c == U'\t'; }

    int Advance(char32_t c, long long x) const {
        if (c == U'\t' && (format_ & DT_EXPANDTABS)) return int(tabWidth_ - x % tabWidth_);
        return font_.Advance(c);
    }

    void Paragraph(const std::u32string& text, size_t from, size_t to, std::vector<Line>& lines) {
        // Prefix characters first: they take no room.
        std::u32string p;
        std::vector<uint8_t> marks;
        bool anyMark = false;
        const bool prefixes = !(format_ & DT_NOPREFIX);
        bool pending = false;
        for (size_t k = from; k < to; ++k) {
            char32_t c = text[k];
            if (prefixes && c == U'&') {
                if (k + 1 < to && text[k + 1] == U'&')
                    ++k; // "&&": a literal "&"
                else {
                    pending = k + 1 < to; // a lone "&" at the end is dropped
                    continue;
                }
            }
            p.push_back(c);
            const bool mark = pending && !(format_ & DT_HIDEPREFIX);
            marks.push_back(mark);
            anyMark |= mark;
            pending = false;
        }
        if (!anyMark) marks.clear();

        if (!(format_ & DT_WORDBREAK) || (format_ & DT_SINGLELINE)) {
            lines.push_back(Make(p, marks, 0, p.size()));
            return;
        }
        const size_t n = p.size();
        size_t pos = 0;
        do {
            const size_t start = pos;
            size_t end = pos;
            long long x = 0;
            bool first = true;
            while (pos < n) {
                size_t b = pos;
                while (b < n && Blank(p[b])) ++b;
                size_t c = b;
                while (c < n && !Blank(p[c])) ++c;
                long long x1 = x;
                for (size_t k = pos; k < b; ++k) x1 += Advance(p[k], x1);
                long long x2 = x1;
                for (size_t k = b; k < c; ++k) x2 += Advance(p[k], x2);
                if (x2 <= width_ || first) {
                    if (first && x2 > width_ && (format_ & DT_EDITCONTROL) && c > b) {
                        // A word wider than the line, broken between characters: as many as
                        // fit, at least one.
                        size_t k = b;
                        long long xe = x1;
                        while (k < c) {
                            const long long next = xe + Advance(p[k], xe);
                            if (next > width_ && k > b) break;
                            xe = next;
                            ++k;
                        }
                        end = pos = k;
                        break;
                    }
                    x = x2;
                    end = pos = c;
                    first = false;
                    continue;
                }
                pos = b; // the blanks at a break belong to neither line
                break;
            }
            lines.push_back(Make(p, marks, start, end));
        } while (pos < n);
    }

    Line Make(const std::u32string& p, const std::vector<uint8_t>& marks, size_t from,
              size_t to) const {
        Line line;
        line.chars.assign(p, from, to - from);
        if (!marks.empty()) line.marks.assign(marks.begin() + from, marks.begin() + to);
        Measure(line);
        if ((format_ & DT_END_ELLIPSIS) && line.width > width_) Shorten(line);
        return line;
    }

    void Measure(Line& line) const {
        line.advances.resize(line.chars.size());
        long long x = 0;
        for (size_t i = 0; i < line.chars.size(); ++i) {
            line.advances[i] = Advance(line.chars[i], x);
            x += line.advances[i];
        }
        line.width = x;
    }

    // Keeps the longest start of the line that leaves room for "...", then adds it.
    void Shorten(Line& line) const {
        const long long dots = 3LL * font_.Advance(U'.');
        size_t keep = 0;
        long long x = 0;
        while (keep < line.chars.size() && x + line.advances[keep] + dots <= width_)
            x += line.advances[keep++];
        line.chars.resize(keep);
        line.chars += U"...";
        if (!line.marks.empty()) line.marks.resize(line.chars.size(), 0);
        Measure(line);
    }

    RealizedFont& font_;
    UINT format_;
    long long width_;
    long long tabWidth_;
};

} // namespace

int DrawText(HDC hdc, const char* text, int length, RECT* rect, UINT format) {
    DeviceContext* dc = DCOf(hdc);
    if (!dc || !rect || (!text && length != 0)) return 0;
    const SelectedFont f = FontOf(*dc);
    if (!f.font) return 0;
    const FontMetrics& m = f.font->Metrics();
    const long long lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    const long long width = (long long)rect->right - rect->left;

    TextLayout layout(*f.font, format, width);
    const std::vector<Line> lines = layout.Lines(Decode(text, length));
    long long widest = 0;
    for (const Line& line : lines) widest = std::max(widest, line.width);
    const long long total = lineHeight * (long long)lines.size();

    if (format & DT_CALCRECT) {
        rect->right = LONG(std::clamp<long long>(rect->left + widest, -kFarAway, kFarAway));
        rect->bottom = LONG(std::clamp<long long>(rect->top + total, -kFarAway, kFarAway));
        return int(std::min<long long>(total, 0x7FFFFFFF));
    }

    long long top = rect->top;
    const bool single = format & DT_SINGLELINE;
    if (single && (format & DT_VCENTER))
        top = rect->top + ((long long)rect->bottom - rect->top - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        top = rect->bottom - lineHeight;

    Surface s;
    const RECT deviceRect = dc->ToDevice(*rect);
    if (s.Open(*dc, (format & DT_NOCLIP) ? nullptr : &deviceRect)) {
        const Direction d = Direction::Of(f.log.lfEscapement);
        const long long ox = (long long)deviceRect.left - rect->left + dc->surfaceOrigin.x;
        const long long oy = (long long)deviceRect.top - rect->top + dc->surfaceOrigin.y;
        long long y = top;
        for (const Line& line : lines) {
            long long x = rect->left;
            if (format & DT_CENTER)
                x = rect->left + (width - line.width) / 2;
            else if (format & DT_RIGHT)
                x = rect->right - line.width;
            PaintLine(*dc, s, f, ox + x + d.X(0, m.ascent), oy + y + d.Y(0, m.ascent), line,
                      format & DT_PREFIXONLY);
            y += lineHeight;
        }
    }
    const long long result =
        single && (format & (DT_VCENTER | DT_BOTTOM)) ? top + lineHeight - rect->top : total;
    return int(std::clamp<long long>(result, 0, 0x7FFFFFFF));
}
