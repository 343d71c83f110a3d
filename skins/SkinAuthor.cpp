#include "skins/SkinAuthor.h"

#include <cmath>
#include <cstdio>

#include "platform/core/FileSystem.h"
#include "platform/image/BmpFile.h"
#include "platform/image/PngFile.h"
#include "skins/FeatherPicture.h"
#include "skins/FrostPicture.h"
#include "skins/SkinColor.h"

using namespace skinshape;
using skincolor::Darker;
using skincolor::Lighter;
using skincolor::Mix;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::string N(COLORREF c) { return std::to_string(c); }

// One run of a gradient: from a to b over percent of the rectangle, in the given mode.
std::string Step(COLORREF a, COLORREF b, int percent, int mode) {
    return N(a) + ";" + N(b) + ";" + std::to_string(percent) + ";" + std::to_string(mode) + ";0";
}

std::string Vertical(COLORREF top, COLORREF bottom) { return Step(top, bottom, 100, 0); }
std::string Horizontal(COLORREF left, COLORREF right) { return Step(left, right, 100, 1); }

// A glassy face: a bright upper band that breaks sharply into the body colour.
std::string Glass(COLORREF top, COLORREF bottom, double gloss) {
    if (gloss <= 0) return Vertical(top, bottom);
    return Step(Lighter(top, 0.55 * gloss), Lighter(top, 0.25 * gloss), 45, 0) + ";" +
           Step(top, bottom, 55, 0);
}

// Four triangles meeting in the centre: corners top-left, centre, top-right, bottom-right,
// bottom-left.
std::string Pyramid(COLORREF tl, COLORREF centre, COLORREF tr, COLORREF br, COLORREF bl) {
    return Step(tl, tl, 0, 2) + ";" + Step(centre, centre, 0, 2) + ";" + Step(tr, tr, 0, 2) + ";" +
           Step(br, br, 0, 2) + ";" + Step(bl, bl, 0, 2);
}

} // namespace

// ---- Adding pictures

int TSkinAuthor::AddBorder(const TSkinImage& image, COLORREF clear, COLORREF outside) {
    return atlas_.Add(image.Emit(TEmitKind::Border, true, clear, outside));
}

int TSkinAuthor::AddGlyph(const TSkinImage& image) {
    return atlas_.Add(image.Emit(TEmitKind::Glyph, true, kWhite, r_.Form));
}

int TSkinAuthor::AddTexture(const TSkinImage& image) {
    return atlas_.Add(image.Emit(TEmitKind::Texture, true, kWhite, r_.Form));
}

TImageForm TSkinAuthor::BorderForm(int frames, int margin) const {
    return BorderForm(frames, margin, margin, margin, margin);
}

TImageForm TSkinAuthor::BorderForm(int frames, int wl, int wt, int wr, int wb) const {
    TImageForm f;
    f.Kind = '^';
    f.ImageCount = frames;
    f.MaskType = 1;
    f.WL = wl;
    f.WT = wt;
    f.WR = wr;
    f.WB = wb;
    return f;
}

// ---- Drawing

TSkinImage TSkinAuthor::Box(const TBoxShape& s, const std::vector<TBoxState>& states) const {
    const int f = 2 * s.Margin + 2;
    TSkinImage img(f * int(states.size()), f);
    const double r = s.Radius;
    const double rb = (s.SquareBottom || s.OpenBottom) ? 0 : r;
    const double bottom = s.OpenBottom ? f + r + 3 : f;
    for (size_t i = 0; i < states.size(); ++i) {
        const TBoxState& st = states[i];
        const double x0 = double(i) * f, x1 = x0 + f;
        auto outer = RoundRect(x0, 0, x1, bottom, r, r, rb, rb);
        auto in1 = RoundRect(x0 + 1, 1, x1 - 1, bottom - 1, std::max(0.0, r - 1),
                             std::max(0.0, r - 1), std::max(0.0, rb - 1), std::max(0.0, rb - 1));
        auto in2 = RoundRect(x0 + 2, 2, x1 - 2, bottom - 2, std::max(0.0, r - 2),
                             std::max(0.0, r - 2), std::max(0.0, rb - 2), std::max(0.0, rb - 2));
        // An invisible state keeps its whole frame, or its rounded corners would show.
        img.Silhouette(st.LineOpacity > 0 ? outer : Block(x0, 0, x1, f));
        // The top colour fades out down the top margin and the bottom one in up the bottom
        // margin, so the side slices that get tiled stay uniform.
        auto band = Minus(in1, in2);
        const double edge = s.Margin;
        if (st.TopOpacity > 0) img.FillFading(band, st.Top, 1, edge, st.TopOpacity, 0);
        if (st.BottomOpacity > 0 && !s.OpenBottom)
            img.FillFading(band, st.Bottom, f - edge, f - 1, 0, st.BottomOpacity);
        if (st.UnderlineOpacity > 0 && !s.OpenBottom)
            img.Fill([in1, f](double x, double y) { return in1(x, y) && y >= f - 2 && y < f - 1; },
                     st.Underline, st.UnderlineOpacity);
        img.Fill(Minus(outer, in1), st.Line, st.LineOpacity);
    }
    return img;
}

TSkinImage TSkinAuthor::EachFrame(const TSkinImage& strip, int frames,
                                  TSkinImage (TSkinImage::*op)() const) {
    const int fw = strip.Width() / frames;
    TSkinImage first = (strip.Cut(0, 0, fw, strip.Height()).*op)();
    TSkinImage out(first.Width() * frames, first.Height());
    for (int i = 0; i < frames; ++i)
        out.Place((strip.Cut(i * fw, 0, fw, strip.Height()).*op)(), i * first.Width(), 0);
    return out;
}

// Inactive and active window frames: an outer line, the frame band and an inner line, with
// rounded top corners that the window region follows.
TSkinImage TSkinAuthor::WindowFrame() const {
    const int f = 14;
    TSkinImage img(2 * f, f);
    const double R = r_.WindowRadius;
    for (int i = 0; i < 2; ++i) {
        const double x0 = i * f, x1 = x0 + f;
        const COLORREF face = i ? r_.FrameFace : r_.FrameInactiveFace;
        auto outer = RoundRect(x0, 0, x1, f, R, R, 1, 1);
        auto in1 = RoundRect(x0 + 1, 1, x1 - 1, f - 1, R - 1, R - 1, 0, 0);
        auto in2 = RoundRect(x0 + 2, 2, x1 - 2, f - 2, R - 2, R - 2, 0, 0);
        auto in3 =
            RoundRect(x0 + 3, 3, x1 - 3, f - 3, std::max(0.0, R - 3), std::max(0.0, R - 3), 0, 0);
        img.Silhouette(outer);
        img.Fill(Minus(outer, in1), r_.FrameLine);
        img.Fill(Minus(in1, in2), face);
        img.Fill(Minus(in2, in3), Darker(face, 0.25));
    }
    return img;
}

// Inactive and active title bands: rounded top corners, a light rim under the top line and an
// accent line along the bottom.
TSkinImage TSkinAuthor::TitleBar() const {
    const int fw = 2 * (r_.WindowRadius + 2) + 2, fh = 16;
    TSkinImage img(2 * fw, fh);
    const double R = r_.WindowRadius;
    for (int i = 0; i < 2; ++i) {
        const double x0 = i * fw, x1 = x0 + fw;
        auto outer = RoundRect(x0, 0, x1, fh + R + 2, R, R, 0, 0);
        auto in1 = RoundRect(x0 + 1, 1, x1 - 1, fh + R + 2, R - 1, R - 1, 0, 0);
        auto in2 = RoundRect(x0 + 2, 2, x1 - 2, fh + R + 2, std::max(0.0, R - 2),
                             std::max(0.0, R - 2), 0, 0);
        img.Silhouette(outer);
        img.Fill(Minus(in1, in2), kWhite, r_.Flat ? 0.12 : (i ? 0.35 : 0.25));
        img.Fill(Minus(outer, in1), r_.FrameLine);
        img.Fill(Block(x0 + 1, fh - 1, x1 - 1, fh),
                 i ? r_.TitleAccent : Mix(r_.TitleAccent, r_.TitleInactiveBottom, 0.6));
    }
    return img;
}

// A filled triangle in three states; direction 0 up, 1 down, 2 left, 3 right.
TSkinImage TSkinAuthor::Arrow(int direction, int size) const {
    TSkinImage img(3 * size, size);
    const COLORREF colors[3] = {r_.Glyph, r_.GlyphHot, Darker(r_.GlyphHot, 0.2)};
    const double c = size / 2.0, h = size * 0.22, w = size * 0.36;
    for (int i = 0; i < 3; ++i) {
        const double x = i * size + c;
        TShape t;
        switch (direction) {
        case 0: t = Triangle(x - w, c + h, x + w, c + h, x, c - h - 0.3); break;
        case 1: t = Triangle(x - w, c - h, x + w, c - h, x, c + h + 0.3); break;
        case 2: t = Triangle(x + h, c - w, x + h, c + w, x - h - 0.3, c); break;
        default: t = Triangle(x - h, c - w, x - h, c + w, x + h + 0.3, c); break;
        }
        img.Fill(t, colors[i]);
    }
    return img;
}

// Three ridges across the middle of a scroll thumb, in three states.
TSkinImage TSkinAuthor::Grip(bool vertical) const {
    const int s = 8;
    TSkinImage img(3 * s, s);
    for (int i = 0; i < 3; ++i) {
        const COLORREF ink = i ? r_.GlyphHot : r_.Glyph;
        for (int k = 0; k < 3; ++k) {
            const double p = 1.5 + 2.0 * k;
            if (vertical) {
                img.Fill(Block(i * s + 1, p, i * s + 7, p + 1), ink, 0.85);
                img.Fill(Block(i * s + 1, p + 1, i * s + 7, p + 2), kWhite, 0.45);
            } else {
                img.Fill(Block(i * s + p, 1, i * s + p + 1, 7), ink, 0.85);
                img.Fill(Block(i * s + p + 1, 1, i * s + p + 2, 7), kWhite, 0.45);
            }
        }
    }
    return img;
}

// A check box (kind 0) or radio mark (kind 1): look 0 checked, 1 unchecked, 2 grayed; three
// frames: normal, hot, pressed.
TSkinImage TSkinAuthor::Mark(int kind, int look, int size) const {
    TSkinImage img(3 * size, size);
    const double inset = 0.5;
    for (int i = 0; i < 3; ++i) {
        const double x0 = i * size + inset, x1 = (i + 1) * size - inset, y0 = inset,
                     y1 = size - inset;
        const double rad = kind ? (size - 1) / 2.0 : std::min(2.5, size / 5.0);
        const double r = r_.Flat && !kind ? 1.0 : rad;
        const COLORREF line = i ? r_.EditHotLine : r_.EditLine;
        const COLORREF top =
            i == 2 ? Darker(r_.Edit, 0.10) : (i ? Lighter(r_.AccentLight, 0.6) : r_.Edit);
        const COLORREF bottom =
            i == 2 ? Darker(r_.Edit, 0.04) : Mix(r_.Edit, r_.AccentLight, r_.Flat ? 0.15 : 0.35);
        auto outer = RoundRect(x0, y0, x1, y1, r);
        auto inner = RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0.0, r - 1));
        img.FillVertical(inner, y0, y1, top, bottom);
        img.Fill(Minus(outer, inner), line);
        const double cx = i * size + size / 2.0, cy = size / 2.0, u = size / 13.0;
        if (look == 0 && kind == 0) {
            const double w = 0.95 * u;
            img.Fill(Union(Segment(cx - 3.6 * u, cy + 0.1 * u, cx - 1.1 * u, cy + 2.6 * u, w),
                           Segment(cx - 1.1 * u, cy + 2.6 * u, cx + 3.7 * u, cy - 2.9 * u, w)),
                     Darker(r_.Accent, 0.12));
        } else if (look == 0) {
            img.FillVertical(Disc(cx, cy, 2.6 * u), cy - 2.6 * u, cy + 2.6 * u,
                             Lighter(r_.Accent, 0.25), r_.Accent);
        } else if (look == 2) {
            const COLORREF g = Mix(r_.Accent, r_.Edit, 0.55);
            if (kind == 0)
                img.Fill(RoundRect(cx - 2.8 * u, cy - 2.8 * u, cx + 2.8 * u, cy + 2.8 * u, 0.8 * u),
                         g);
            else
                img.Fill(Disc(cx, cy, 2.6 * u), g);
        }
    }
    return img;
}

// Title-bar button glyphs: kind 0 close, 1 maximize, 2 restore, 3 minimize, 4 help; frames
// normal, hot and pressed, each on its own plate so the title shows around it.
TSkinImage TSkinAuthor::CaptionGlyph(int kind, int w, int h) const {
    TSkinImage img(3 * w, h);
    const double g = std::round(std::min(w, h) * 0.42);
    for (int i = 0; i < 3; ++i) {
        const double x0 = i * w, cx = x0 + w / 2.0, cy = h / 2.0;
        const bool close = kind == 0;
        COLORREF ink = r_.CaptionGlyph;
        auto plate = RoundRect(x0 + 1, 1, x0 + w - 1, h - 1, std::min(3.0, r_.Radius + 1.0));
        if (i == 1) {
            if (close) {
                img.FillVertical(plate, 1, h - 1, Lighter(r_.CloseHot, 0.25), r_.CloseHot);
                ink = kWhite;
            } else {
                img.Fill(plate, kWhite, r_.Flat ? 0.22 : 0.28);
            }
        } else if (i == 2) {
            if (close) {
                img.Fill(plate, Darker(r_.CloseHot, 0.25));
                ink = kWhite;
            } else {
                img.Fill(plate, kBlack, 0.22);
            }
        }
        const double a = cx - g / 2, b = cx + g / 2, t = cy - g / 2, bt = cy + g / 2, lw = 0.75;
        TShape glyph;
        switch (kind) {
        case 0:
            glyph = Union(Segment(a, t, b, bt, lw + 0.1), Segment(a, bt, b, t, lw + 0.1));
            break;
        case 1:
            glyph = Minus(Block(a - 0.5, t - 0.5, b + 0.5, bt + 0.5),
                          Block(a + 0.5, t + 1.5, b - 0.5, bt - 0.5));
            break;
        case 2: {
            const double d = std::round(g * 0.3);
            auto back = Minus(Block(a + d - 0.5, t - 0.5, b + 0.5, bt - d + 0.5),
                              Block(a + d + 0.5, t + 1.5, b - 0.5, bt - d + 0.5));
            auto frontArea = Block(a - 0.5, t + d - 0.5, b - d + 0.5, bt + 0.5);
            auto front = Minus(frontArea, Block(a + 0.5, t + d + 1.5, b - d - 0.5, bt - 0.5));
            glyph = Union(Minus(back, frontArea), front);
            break;
        }
        case 3: glyph = Block(a - 0.5, bt - 1.5, b + 0.5, bt + 0.5); break;
        default: {
            const double rr = g * 0.32;
            auto arc = Minus(Disc(cx, t + rr, rr + lw), Disc(cx, t + rr, rr - lw));
            auto upperArc = [arc, cx, t, rr](double x, double y) {
                return arc(x, y) && (y < t + rr || x > cx);
            };
            glyph = Union(Union(upperArc, Segment(cx, t + 2 * rr, cx, bt - 2.4, lw)),
                          Disc(cx, bt - 0.6, 0.95));
            break;
        }
        }
        // Light glyphs get a soft dark rim so they still read on a pale inactive title.
        if (skincolor::RelativeLuminance(ink) > 0.5) {
            auto rim = [glyph](double x, double y) {
                for (double dx : {-0.9, 0.0, 0.9})
                    for (double dy : {-0.9, 0.0, 0.9})
                        if (glyph(x + dx, y + dy)) return true;
                return false;
            };
            img.Fill(rim, Darker(r_.FrameLine, 0.3), 0.5);
        }
        img.Fill(glyph, ink);
    }
    return img;
}

// An etched line: a dark line with a light one beside it, at the top (or left) of the area.
TSkinImage TSkinAuthor::Divider(bool vertical) const {
    TSkinImage img(6, 5);
    img.Silhouette(Block(0, 0, 6, 5));
    img.Fill(Block(0, 1, 6, 2), r_.PanelLine);
    img.Fill(Block(0, 2, 6, 3), kWhite, 0.8);
    return vertical ? img.Transposed() : img;
}

// Grip dots stand out from the bars they sit on: dark dots with a light rim on light bars,
// light dots with a dark rim on dark ones.
bool TSkinAuthor::DarkBars() const { return skincolor::RelativeLuminance(r_.BarBottom) < 0.25; }
COLORREF TSkinAuthor::GripInk() const {
    return DarkBars() ? Lighter(r_.BarTop, 0.55) : Darker(r_.BarBottom, 0.45);
}
COLORREF TSkinAuthor::GripShadow() const {
    return DarkBars() ? Darker(r_.BarBottom, 0.45) : kWhite;
}

// Size-grip dots: one raised dot per cell, tiled in whole cells.
TSkinImage TSkinAuthor::Dots(int cell) const {
    TSkinImage img(cell, cell);
    img.Fill(Block(1, 1, 3, 3), GripShadow(), 0.85);
    img.Fill(Block(0, 0, 2, 2), GripInk(), 0.9);
    return img;
}

// A small ornament for the corner of title strips: a diamond, or a peacock feather's eye.
TSkinImage TSkinAuthor::Ornament() const {
    const int size = 15; // the mark sits a little inside the strip's corner
    TSkinImage img(size, size);
    const double c = size / 2.0;
    if (r_.FeatherOrnament) {
        auto eye = [c](double rx, double ry, double dy) {
            return [=](double x, double y) {
                const double u = (x - c) / rx, v = (y - c - dy) / ry;
                return u * u + v * v <= 1;
            };
        };
        img.Fill(eye(4.2, 5.2, 0), r_.Ornament);
        img.Fill(eye(3.0, 3.6, 0.6), RGB(18, 120, 118));
        img.Fill(eye(1.8, 2.2, 0.9), RGB(20, 52, 120));
        img.Fill(Disc(c - 0.6, c - 0.2, 0.7), Lighter(r_.Ornament, 0.6), 0.8);
        return img;
    }
    auto diamond = [c](double d) {
        return [c, d](double x, double y) { return std::abs(x - c) + std::abs(y - c) <= d; };
    };
    img.Fill(diamond(4.6), r_.Ornament);
    img.Fill(diamond(2.6), Lighter(r_.Ornament, 0.55));
    img.Fill(Disc(c, c, 1.1), r_.Ornament);
    return img;
}

// The track-bar thumb in three states.
TSkinImage TSkinAuthor::Thumb(bool vertical) const {
    const int w = 11, h = 19;
    TSkinImage img(3 * w, h);
    for (int i = 0; i < 3; ++i) {
        const double x0 = i * w + 0.5, x1 = (i + 1) * w - 0.5;
        const COLORREF top = i ? r_.HotTop : r_.ButtonTop,
                       bottom = i == 2 ? r_.PressedBottom : (i ? r_.HotBottom : r_.ButtonBottom);
        auto outer = RoundRect(x0, 0.5, x1, h - 0.5, std::min(3.0, r_.Radius + 1.0));
        auto inner = RoundRect(x0 + 1, 1.5, x1 - 1, h - 1.5,
                               std::max(0.0, std::min(3.0, r_.Radius + 1.0) - 1));
        img.FillVertical(inner, 0, h, top, bottom);
        img.Fill(Minus(outer, inner), i ? r_.HotLine : r_.ButtonLine);
        for (int k = 0; k < 3; ++k)
            img.Fill(Block(x0 + 2.5, 6.5 + 2 * k, x1 - 2.5, 7.5 + 2 * k), r_.Glyph, 0.7);
    }
    return vertical ? EachFrame(img, 3, &TSkinImage::Transposed) : img;
}

double TSkinAuthor::Soft() const { return r_.Flat ? 0.0 : 1.0; }

void TSkinAuthor::DrawImages() {
    boxMargin_ = std::max(3, r_.Radius + 2);
    DrawBoxes();
    DrawTabs();
    DrawScrollParts();
    DrawMenuParts();
    DrawGlyphs();
}

// Buttons, panels, bars, edits and the other boxes.
void TSkinAuthor::DrawBoxes() {
    TBoxShape button{r_.Radius, boxMargin_};
    id_.Frame = AddBorder(WindowFrame(), r_.Form, kHardEdge);
    id_.Title = AddBorder(TitleBar(), r_.TitleTop, kHardEdge);
    id_.Button = AddBorder(
        Box(button, {{r_.ButtonLine, 1, kWhite, 0.55 * Soft() + 0.25, kBlack, 0.06 * Soft()},
                     {r_.HotLine, 1, kWhite, 0.6 * Soft() + 0.2, kBlack, 0.05 * Soft()},
                     {r_.HotLine, 1, kBlack, 0.22, kWhite, 0.3 * Soft()}}),
        r_.ButtonTop, r_.Form);
    TBoxShape big{r_.Radius + 2, r_.Radius + 4};
    id_.ButtonBig =
        AddBorder(Box(big, {{r_.ButtonLine, 1, kWhite, 0.6 * Soft() + 0.2, kBlack, 0.07 * Soft()},
                            {r_.HotLine, 1, kWhite, 0.6 * Soft() + 0.2, kBlack, 0.05 * Soft()},
                            {r_.HotLine, 1, kBlack, 0.12, kWhite, 0.3 * Soft()}}),
                  r_.ButtonTop, r_.Form);
    id_.Speed =
        AddBorder(Box(button, {{r_.ToolLine, 0.55, kWhite, 0.3 * Soft(), kBlack, 0},
                               {r_.HotLine, 1, kWhite, 0.55 * Soft() + 0.2, kBlack, 0.05 * Soft()},
                               {r_.HotLine, 1, kBlack, 0.24, kWhite, 0.25 * Soft()}}),
                  r_.ToolTop, Mix(r_.BarTop, r_.BarBottom, 0.5));
    TBoxShape panel{std::max(0, r_.Radius - 1), 3};
    TBoxState panelState{r_.PanelLine, 1, r_.PanelLight, 0.9, kBlack, 0.05 * Soft()};
    panelState.Underline = r_.PanelAccent;
    panelState.UnderlineOpacity = r_.PanelAccentOpacity;
    id_.Panel = AddBorder(Box(panel, {panelState}), r_.PanelTop, r_.Form);
    id_.PanelLow =
        AddBorder(Box(panel, {{r_.PanelLine, 1, kBlack, 0.10, kWhite, 0.6}}), r_.PanelTop, r_.Form);
    id_.Bar = AddBorder(Box(panel, {{r_.BarLine, 1, kWhite, 0.25, kBlack, 0.08 * Soft()}}),
                        r_.BarTop, r_.Form);
    id_.Edit = AddBorder(Box(TBoxShape{std::max(0, r_.Radius - 1), 3},
                             {{r_.EditLine, 1, kBlack, 0.07, kWhite, 0},
                              {r_.EditHotLine, 1, r_.AccentLight, 0.5, kWhite, 0}}),
                         r_.Edit, r_.Form);
    id_.Group = AddBorder(
        Box(TBoxShape{r_.Radius, boxMargin_}, {{r_.PanelLine, 1, kWhite, 0.7, kWhite, 0.7}}),
        r_.Form, r_.Form);
    id_.Hint =
        AddBorder(Box(TBoxShape{r_.Radius, boxMargin_}, {{r_.HintLine, 1, kWhite, 0.6, kWhite, 0}}),
                  r_.HintTop, r_.Form);
    id_.Gauge = AddBorder(
        Box(TBoxShape{r_.Radius, boxMargin_}, {{r_.TrackLine, 1, kBlack, 0.12, kWhite, 0.5}}),
        r_.Track, r_.Form);
    id_.Progress = AddBorder(Box(TBoxShape{r_.Radius, boxMargin_},
                                 {{Darker(r_.Accent, 0.25), 1, kWhite, 0.45, kBlack, 0.1}}),
                             r_.Accent, r_.Track);
    id_.Channel = AddBorder(Box(TBoxShape{2, 3}, {{r_.TrackLine, 1, kBlack, 0.15, kWhite, 0.6}}),
                            r_.Track, r_.Form);
    id_.Page = AddBorder(Box(TBoxShape{0, 3}, {{r_.PanelLine, 1, kWhite, 0.8, kWhite, 0}}),
                         r_.TabActiveBottom, r_.Form);
}

// Tabs: normal, hot and the selected one, open toward the page.
void TSkinAuthor::DrawTabs() {
    const std::vector<TBoxState> tabStates = {
        {r_.PanelLine, 1, kWhite, 0.5 * Soft() + 0.2, kBlack, 0},
        {r_.HotLine, 1, kWhite, 0.6, kBlack, 0},
        {r_.PanelLine, 1, kWhite, 0.9, kBlack, 0}};
    const TSkinImage tabTop = Box(TBoxShape{r_.Radius, boxMargin_, true}, tabStates);
    id_.Tab[0] = AddBorder(tabTop, r_.TabTop, r_.Form);
    id_.Tab[1] =
        AddBorder(EachFrame(tabTop, 3, &TSkinImage::FlippedVertically), r_.TabTop, r_.Form);
    id_.Tab[2] = AddBorder(EachFrame(tabTop, 3, &TSkinImage::Transposed), r_.TabTop, r_.Form);
    id_.Tab[3] = AddBorder(EachFrame(EachFrame(tabTop, 3, &TSkinImage::Transposed), 3,
                                     &TSkinImage::FlippedHorizontally),
                           r_.TabTop, r_.Form);
}

// Scroll bars: arrow buttons and thumbs like small buttons, sunken tracks.
void TSkinAuthor::DrawScrollParts() {
    TBoxShape small{std::min(2, r_.Radius), 3};
    id_.ScrollBtn =
        AddBorder(Box(small, {{r_.ButtonLine, 1, kWhite, 0.5 * Soft() + 0.2, kBlack, 0.05 * Soft()},
                              {r_.HotLine, 1, kWhite, 0.55 * Soft() + 0.2, kBlack, 0},
                              {r_.HotLine, 1, kBlack, 0.12, kWhite, 0.2}}),
                  r_.ButtonTop, r_.Track);
    const TSkinImage track =
        Box(TBoxShape{0, 3, false, true}, {{r_.TrackLine, 0.6, kBlack, 0.06, kWhite, 0}});
    id_.Track[0] = AddBorder(track, r_.Track, r_.Form);
    id_.Track[1] = AddBorder(track.Transposed(), r_.Track, r_.Form);
    for (int d = 0; d < 4; ++d) id_.ArrowGlyph[d] = AddGlyph(Arrow(d, 9));
    id_.GripGlyph[0] = AddGlyph(Grip(false));
    id_.GripGlyph[1] = AddGlyph(Grip(true));
    id_.ComboGlyph = AddGlyph(Arrow(1, 11));
}

// Menu items, the menu bar, the status bar top line, column headers and dividers.
void TSkinAuthor::DrawMenuParts() {
    {
        TSkinImage menuItem = Box(TBoxShape{std::max(0, r_.Radius - 1), 3},
                                  {{r_.MenuHotLine, 0, kWhite, 0, kBlack, 0},
                                   {r_.MenuHotLine, 1, kWhite, 0.45 * Soft() + 0.15, kBlack, 0}});
        id_.MenuItem = AddBorder(menuItem, r_.MenuHotTop, r_.Menu);
        // A pop-up menu is outlined so that it stands off the window under it.
        id_.PopupFrame = AddBorder(
            Box(TBoxShape{0, 3}, {{r_.PanelLine, 1, kWhite, 0.35, kBlack, 0}}), r_.Menu, kHardEdge);
        TSkinImage menuLine(8, 8);
        menuLine.Silhouette(Block(0, 0, 8, 8));
        menuLine.Fill(Block(0, 7, 8, 8), r_.PanelLine);
        menuLine.Fill(Block(0, 6, 8, 7), kWhite, 0.4);
        id_.MenuLine = AddBorder(menuLine, r_.Menu, r_.Form);
        TSkinImage status(8, 8);
        status.Silhouette(Block(0, 0, 8, 8));
        status.Fill(Block(0, 0, 8, 1), r_.BarLine);
        status.Fill(Block(0, 1, 8, 2), kWhite, 0.3);
        id_.Status = AddBorder(status, r_.BarTop, r_.Form);
        TSkinImage header(3 * 8, 8);
        for (int i = 0; i < 3; ++i) {
            header.Silhouette(Block(i * 8, 0, i * 8 + 8, 8));
            header.Fill(Block(i * 8, 7, i * 8 + 8, 8), i ? r_.HotLine : r_.PanelLine);
            header.Fill(Block(i * 8 + 7, 1, i * 8 + 8, 7), r_.PanelLine, 0.7);
            header.Fill(Block(i * 8, 0, i * 8 + 7, 1), kWhite, 0.7);
        }
        id_.Header = AddBorder(header, r_.ButtonTop, r_.Form);
    }
    id_.Divider[0] = AddBorder(Divider(false), r_.Menu, r_.Menu);
    id_.Divider[1] = AddBorder(Divider(true), r_.Menu, r_.Menu);
    id_.Dots = AddTexture(Dots(4));
}

// The skin-wide glyphs, track-bar parts and the corner ornament.
void TSkinAuthor::DrawGlyphs() {
    for (int kind = 0; kind < 2; ++kind)
        for (int look = 0; look < 3; ++look)
            id_.Marks[kind * 3 + look] = AddGlyph(Mark(kind, look, 13));
    for (int look = 0; look < 3; ++look) id_.Marks[6 + look] = AddGlyph(Mark(0, look, 10));
    for (int k = 0; k < 5; ++k) {
        id_.Big[k] = AddGlyph(CaptionGlyph(k, 22, 18));
        id_.Small[k] = AddGlyph(CaptionGlyph(k, 18, 14));
    }
    {
        TSkinImage grip(12, 12);
        for (int row = 0; row < 3; ++row)
            for (int col = 2 - row; col < 3; ++col) {
                const double x = 2 + col * 3.5, y = 2 + row * 3.5;
                grip.Fill(Disc(x + 1.6, y + 1.6, 1.1), GripShadow(), 0.9);
                grip.Fill(Disc(x + 1, y + 1, 1.1), GripInk());
            }
        id_.GripImage = AddGlyph(grip);
        TSkinImage check(3 * 13, 13);
        for (int i = 0; i < 3; ++i) {
            const double cx = i * 13 + 6.5;
            const COLORREF ink = i ? r_.MenuHotText : r_.MenuText;
            check.Fill(Union(Segment(cx - 3.4, 6.6, cx - 1.0, 9.0, 0.95),
                             Segment(cx - 1.0, 9.0, cx + 3.6, 3.6, 0.95)),
                       ink);
        }
        id_.Check = AddGlyph(check);
        TSkinImage titleButton(3 * 22, 18);
        for (int i = 1; i < 3; ++i)
            titleButton.Fill(
                RoundRect(i * 22 + 1, 1, i * 22 + 21, 17, std::min(3.0, r_.Radius + 1.0)),
                i == 1 ? kWhite : kBlack, 0.25);
        id_.TitleButton = AddGlyph(titleButton);
    }
    id_.ThumbH = AddGlyph(Thumb(false));
    id_.ThumbV = AddGlyph(Thumb(true));
    {
        TSkinImage tick(1, 4), tickV(4, 1);
        tick.Fill(Block(0, 0, 1, 4), r_.TrackLine);
        tickV.Fill(Block(0, 0, 4, 1), r_.TrackLine);
        id_.TickH = AddGlyph(tick);
        id_.TickV = AddGlyph(tickV);
    }
    id_.Ornament = AddGlyph(Ornament());
}

// ---- The options file

void TSkinAuthor::Section(const std::string& name, const std::string& parent) {
    o_.Section(name);
    if (!parent.empty()) o_.Key("PARENTCLASS", parent);
}

void TSkinAuthor::Look(COLORREF color, COLORREF font, COLORREF hotColor, COLORREF hotFont) {
    o_.Color("COLOR", color);
    o_.Color("FONTCOLOR", font);
    o_.Color("HOTCOLOR", hotColor);
    o_.Color("HOTFONTCOLOR", hotFont);
}

void TSkinAuthor::Gradient(const std::string& normal, const std::string& hot) {
    if (!normal.empty()) {
        o_.Key("GRADIENTPERCENT", 100);
        o_.Key("GRADIENTDATA", normal);
    } else {
        o_.Key("GRADIENTPERCENT", 0);
    }
    if (!hot.empty()) {
        o_.Key("HOTGRADIENTPERCENT", 100);
        o_.Key("HOTGRADIENTDATA", hot);
    } else {
        o_.Key("HOTGRADIENTPERCENT", 0);
    }
}

TImageForm TSkinAuthor::GlyphForm(int frames) {
    TImageForm f;
    f.Kind = '@';
    f.ImageCount = frames;
    f.MaskType = 1;
    return f;
}

void TSkinAuthor::WriteSections() {
    WriteSkinWide();
    WriteWindows();
    WriteMenus();
    WritePanels();
    WriteButtons();
    WriteEditsAndMarks();
    WriteGauges();
    WriteTabs();
    WriteScrollBars();
}

// Panel layers: the recipe's picture under a gradient when it has one, else the gradient.
void TSkinAuthor::PanelLayers(COLORREF top, COLORREF bottom) {
    const TSkinRecipe& r = r_;
    if (!r.Picture.empty() && r.PicturePanelPercent > 0) {
        o_.Key("IMAGEPERCENT", r.PicturePanelPercent);
        o_.Key("HOTIMAGEPERCENT", r.PicturePanelPercent);
        o_.Key("PATTERN", r.Picture);
        o_.Key("HOTPATTERN", r.Picture);
        o_.Key("GRADIENTPERCENT", 100 - r.PicturePanelPercent);
        o_.Key("GRADIENTDATA", Vertical(top, bottom));
        o_.Key("HOTGRADIENTPERCENT", 100 - r.PicturePanelPercent);
        o_.Key("HOTGRADIENTDATA", Vertical(top, bottom));
    } else {
        Gradient(Vertical(top, bottom), Vertical(top, bottom));
    }
}

// The skin-wide values and pictures.
void TSkinAuthor::WriteSkinWide() {
    const TSkinRecipe& r = r_;
    Section("GLOBALINFO");
    o_.Key("VERSION", "5.36");
    o_.Key("AUTHOR", "Statistika team");
    o_.Key("DESCRIPTION", r.Description);
    o_.Key("MASTERBITMAP", "MASTER.BMP");
    o_.Color("SHADOW1COLOR", Darker(r.PanelLine, 0.5));
    o_.Key("SHADOW1OFFSET", 1);
    o_.Key("SHADOW1BLUR", 2);
    o_.Key("SHADOW1TRANSPARENCY", 70);
    o_.Key("BISPACE", 1);
    o_.Color("BORDERCOLOR", r.PanelLine);
    Look(r.Form, r.FormText, r.Track, r.FormText);
    // The effect labels take their text colour from here: the form's own text colour keeps
    // headings readable on the form.
    o_.Color("TCLEFT", r.FormText);
    static const char* const kMarks[9] = {"BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",
                                          "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                                          "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
    for (int i = 0; i < 9; ++i) o_.Image(kMarks[i], id_.Marks[i], GlyphForm(3));
    static const char* const kGlyphs[5] = {"CLOSE", "MAX", "NORM", "MIN", "HELP"};
    for (int k = 0; k < 5; ++k)
        o_.Image(std::string("BICON") + kGlyphs[k], id_.Big[k], GlyphForm(3));
    for (int k = 0; k < 5; ++k)
        o_.Image(std::string("SICON") + kGlyphs[k], id_.Small[k], GlyphForm(3));
    o_.Image("GRIPIMAGE", id_.GripImage, GlyphForm(1));
    o_.Image("CHECK", id_.Check, GlyphForm(3));
    o_.Image("TITLEBUTTON", id_.TitleButton, GlyphForm(3));
}

// Window frame, dialogs and title bar.
void TSkinAuthor::WriteWindows() {
    const TSkinRecipe& r = r_;
    Section("FORM");
    Look(r.Form, r.FormText, r.Form, r.FormText);
    if (!r.Picture.empty()) {
        o_.Key("IMAGEPERCENT", r.PictureFormPercent);
        o_.Key("HOTIMAGEPERCENT", r.PictureFormPercent);
        o_.Key("PATTERN", r.Picture);
        o_.Key("HOTPATTERN", r.Picture);
    }
    Gradient(Vertical(r.FormTop, r.Form), Vertical(r.FormTop, r.Form));
    o_.Image("BORDERSMASK", id_.Frame, BorderForm(2, 6));
    o_.Image("LRGN", id_.Frame, BorderForm(2, 6));
    Section("DIALOG", "FORM");
    Section("FORMTITLE");
    Look(r.TitleInactiveBottom, r.TitleInactiveText, r.TitleBottom, r.TitleText);
    Gradient(Vertical(r.TitleInactiveTop, r.TitleInactiveBottom),
             Vertical(r.TitleTop, r.TitleBottom));
    o_.Image("BORDERSMASK", id_.Title, BorderForm(2, r.WindowRadius + 2, 7, r.WindowRadius + 2, 7));
}

// The menu bar, its items and the pop-up menus.
void TSkinAuthor::WriteMenus() {
    const TSkinRecipe& r = r_;
    Section("MENULINE");
    Look(r.Menu, r.MenuText, r.Menu, r.MenuText);
    Gradient(Vertical(Lighter(r.Menu, 0.5), r.Menu), Vertical(Lighter(r.Menu, 0.5), r.Menu));
    o_.Image("BORDERSMASK", id_.MenuLine, BorderForm(1, 3));
    Section("MAINMENU", "MENULINE");
    Look(r.Menu, r.MenuText, r.MenuHotBottom, r.MenuHotText);
    Gradient("", Vertical(r.MenuHotTop, r.MenuHotBottom));
    o_.Image("BORDERSMASK", id_.PopupFrame, BorderForm(1, 3));
    Section("MENUITEM");
    Look(r.Menu, r.MenuText, r.MenuHotBottom, r.MenuHotText);
    Gradient("", Vertical(r.MenuHotTop, r.MenuHotBottom));
    // A resting item lets the menu behind it show (the icon column, the bar's band).
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 0);
    o_.Image("BORDERSMASK", id_.MenuItem, BorderForm(2, 3));
    Section("ICOLINE");
    Look(r.IconLineRight, r.MenuText, r.IconLineRight, r.MenuText);
    Gradient(Horizontal(r.IconLineLeft, r.IconLineRight),
             Horizontal(r.IconLineLeft, r.IconLineRight));
    Section("EXTRALINE");
    Look(r.ExtraBottom, r.ExtraText, r.ExtraBottom, r.ExtraText);
    Gradient(Vertical(r.ExtraTop, r.ExtraBottom), Vertical(r.ExtraTop, r.ExtraBottom));
    if (r.FeatherSheen) {
        o_.Key("PATTERN", "SHEEN.JPG");
        o_.Key("IMAGEPERCENT", 40);
        o_.Key("HOTIMAGEPERCENT", 40);
    }
}

// Panels, bars, grips, splitters and hints.
void TSkinAuthor::WritePanels() {
    const TSkinRecipe& r = r_;
    Section("PANEL");
    Look(r.PanelBottom, r.PanelText, r.PanelBottom, r.PanelText);
    PanelLayers(r.PanelTop, r.PanelBottom);
    o_.Color("SHADOWCOLOR", Darker(r.PanelLine, 0.5));
    o_.Key("SHADOWOFFSET", 1);
    o_.Key("SHADOWBLUR", 2);
    o_.Key("SHADOWTRANSPARENCY", 70);
    o_.Image("BORDERSMASK", id_.Panel, BorderForm(1, 3));
    Section("PANEL_LOW", "PANEL");
    o_.Key("BEVEL", 2);
    Look(r.PanelTop, r.PanelText, r.PanelTop, r.PanelText);
    PanelLayers(r.PanelBottom, r.PanelTop);
    o_.Image("BORDERSMASK", id_.PanelLow, BorderForm(1, 3));
    Section("CALCPANEL", "PANEL_LOW");
    Section("GROUPBOX", "PANEL");
    Look(r.Form, r.FormText, r.Form, r.FormText);
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 100);
    o_.Key("IMAGEPERCENT", 0);
    o_.Key("HOTIMAGEPERCENT", 0);
    Gradient("", "");
    o_.Image("BORDERSMASK", id_.Group, BorderForm(1, boxMargin_));
    Section("TABSHEET");
    Look(r.TabActiveBottom, r.TabText, r.TabActiveBottom, r.TabText);
    Gradient(Vertical(r.TabActiveTop, r.TabActiveBottom),
             Vertical(r.TabActiveTop, r.TabActiveBottom));
    Section("BAR", "PANEL");
    Look(r.BarBottom, r.BarText, r.BarBottom, r.BarText);
    Gradient(Horizontal(r.BarTop, r.BarBottom), Horizontal(r.BarTop, r.BarBottom));
    o_.Image("BORDERSMASK", id_.Bar, BorderForm(1, 3));
    Section("BARPANEL", "BAR");
    Gradient(Vertical(r.BarTop, r.BarBottom), Vertical(r.BarTop, r.BarBottom));
    Section("BARTITLE");
    Look(r.HeaderRight, r.HeaderText, r.HeaderRight, r.HeaderText);
    Gradient(Horizontal(r.HeaderLeft, r.HeaderRight), Horizontal(r.HeaderLeft, r.HeaderRight));
    o_.Image("BORDERSMASK", id_.Bar, BorderForm(1, 3));
    o_.Image("IMGTOPRIGHT", id_.Ornament, GlyphForm(1));
    Section("GRIPH");
    Look(r.BarBottom, r.BarText, r.BarBottom, r.BarText);
    Gradient(Vertical(r.BarTop, r.BarBottom), Vertical(r.BarTop, r.BarBottom));
    {
        TImageForm dots;
        dots.Kind = '~';
        dots.StretchMode = 10;
        dots.MaskType = 1;
        o_.Image("PATTERN", id_.Dots, dots);
    }
    Section("DRAGBAR", "GRIPH");
    Section("TOOLBAR");
    Look(r.BarBottom, r.BarText, r.BarBottom, r.BarText);
    PanelLayers(r.BarTop, r.BarBottom);
    o_.Image("BORDERSMASK", id_.Bar, BorderForm(1, 3));
    Section("STATUSBAR", "TOOLBAR");
    o_.Image("BORDERSMASK", id_.Status, BorderForm(1, 3));
    Section("SPLITTER");
    Look(Mix(r.Form, r.PanelLine, 0.25), r.FormText, r.AccentLight, r.FormText);
    Gradient(Horizontal(Mix(r.Form, r.PanelLine, 0.15), Mix(r.Form, r.PanelLine, 0.35)),
             Horizontal(Lighter(r.AccentLight, 0.3), r.AccentLight));
    Section("HINT");
    Look(r.HintBottom, r.HintText, r.HintBottom, r.HintText);
    Gradient(Pyramid(r.HintTop, Lighter(r.HintTop, 0.5), r.HintTop, r.HintBottom, r.HintBottom),
             Pyramid(r.HintTop, Lighter(r.HintTop, 0.5), r.HintTop, r.HintBottom, r.HintBottom));
    o_.Image("BORDERSMASK", id_.Hint, BorderForm(1, boxMargin_));
}

// Buttons of every size, tool buttons and links.
void TSkinAuthor::WriteButtons() {
    const TSkinRecipe& r = r_;
    Section("BUTTON");
    Look(r.ButtonBottom, r.ButtonText, r.HotBottom, r.HotText);
    Gradient(Glass(r.ButtonTop, r.ButtonBottom, r.Gloss), Glass(r.HotTop, r.HotBottom, r.Gloss));
    o_.Bool("SHOWFOCUS", true);
    o_.Bool("FADINGENABLED", true);
    o_.Key("FADINGITERATIONS", 5);
    o_.Image("BORDERSMASK", id_.Button, BorderForm(3, boxMargin_));
    Section("BUTTON_BIG", "BUTTON");
    o_.Image("BORDERSMASK", id_.ButtonBig, BorderForm(3, r.Radius + 4));
    Section("BUTTON_HUGE", "BUTTON_BIG");
    o_.Key("FADINGITERATIONS", 7);
    {
        // The largest buttons keep their picture in a bitmap file of their own.
        const int margin = r.Radius + 5;
        const COLORREF line = r.ButtonLine;
        const double soft = r.Flat ? 0.0 : 1.0;
        const TSkinImage huge = Box(TBoxShape{r.Radius + 3, margin},
                                    {{line, 1, kWhite, 0.6 * soft + 0.2, kBlack, 0.08 * soft},
                                     {r.HotLine, 1, kWhite, 0.6 * soft + 0.2, kBlack, 0.06 * soft},
                                     {r.HotLine, 1, kBlack, 0.24, kWhite, 0.3 * soft}});
        ownBitmaps_.push_back(
            {"BUTTONHUGE.BMP", huge.Emit(TEmitKind::Border, true, r.ButtonTop, r.Form)});
        const std::string m = std::to_string(margin);
        o_.Key("BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0!" + m + "!" + m + "!" + m + "!" + m);
    }
    Section("SPEEDBUTTON", "BUTTON");
    Look(r.ToolBottom, r.ToolText, r.HotBottom, r.HotText);
    Gradient(Vertical(r.ToolTop, r.ToolBottom), Glass(r.HotTop, r.HotBottom, r.Gloss));
    o_.Bool("FADINGENABLED", true);
    o_.Key("FADINGITERATIONS", 6);
    o_.Key("FADINGINTERVALIN", 3);
    o_.Key("FADINGINTERVALOUT", 4);
    o_.Image("BORDERSMASK", id_.Speed, BorderForm(3, boxMargin_));
    // The up-down arrows of dialogs: dressed as the scroll buttons whose arrows they show.
    Section("SPEEDBUTTON_SMALL", "SPEEDBUTTON");
    Look(r.ButtonBottom, r.ButtonText, r.HotBottom, r.HotText);
    Gradient(Glass(r.ButtonTop, r.ButtonBottom, r.Gloss), Glass(r.HotTop, r.HotBottom, r.Gloss));
    o_.Key("FADINGITERATIONS", 4);
    o_.Image("BORDERSMASK", id_.ScrollBtn, BorderForm(3, 3));
    Section("TOOLBUTTON", "SPEEDBUTTON");
    Section("WEBBUTTON");
    Look(r.PanelBottom, r.PanelText, r.PanelBottom, r.LinkHotText);
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 100);
    Section("COLHEADER", "BUTTON");
    Gradient(Vertical(r.ButtonTop, r.ButtonBottom), Vertical(r.HotTop, r.HotBottom));
    o_.Image("BORDERSMASK", id_.Header, BorderForm(3, 3));
}

// Edits, combo boxes, check boxes and radio buttons.
void TSkinAuthor::WriteEditsAndMarks() {
    const TSkinRecipe& r = r_;
    Section("EDIT");
    Look(r.Edit, r.EditText, r.Edit, r.EditText);
    o_.Image("BORDERSMASK", id_.Edit, BorderForm(2, 3));
    Section("ORVENEDIT", "EDIT");
    Section("COMBOBOX", "EDIT");
    o_.Image("GLYPHMASK", id_.ComboGlyph, GlyphForm(3));
    Section("ORVENCOMBOBOX", "COMBOBOX");
    Section("CHECKBOX");
    Look(r.Form, r.FormText, r.AccentLight, r.FormText);
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 60);
    Section("RADIOBUTTON", "CHECKBOX");
}

// Gauges, progress bars, track bars and dividers.
void TSkinAuthor::WriteGauges() {
    const TSkinRecipe& r = r_;
    Section("GAUGE");
    Look(r.Track, r.FormText, r.Track, r.FormText);
    Gradient(Vertical(Darker(r.Track, 0.06), r.Track), Vertical(Darker(r.Track, 0.06), r.Track));
    o_.Image("BORDERSMASK", id_.Gauge, BorderForm(1, boxMargin_));
    Section("PROGRESSH");
    Look(r.Accent, r.AccentText, r.Accent, r.AccentText);
    const double accentGloss = skincolor::RelativeLuminance(r.AccentText) < 0.2 ? r.Gloss : 0;
    Gradient(Glass(Lighter(r.Accent, 0.12), Darker(r.Accent, 0.08), accentGloss),
             Glass(Lighter(r.Accent, 0.12), Darker(r.Accent, 0.08), accentGloss));
    o_.Image("BORDERSMASK", id_.Progress, BorderForm(1, boxMargin_));
    Section("PROGRESSV", "PROGRESSH");
    Gradient(Horizontal(Lighter(r.Accent, 0.12), Darker(r.Accent, 0.08)),
             Horizontal(Lighter(r.Accent, 0.12), Darker(r.Accent, 0.08)));
    Section("TRACKBAR");
    Look(r.Form, r.FormText, r.Form, r.FormText);
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 100);
    o_.Image("SLIDERCHANNEL", id_.Channel, BorderForm(1, 3));
    o_.Image("SLIDERMASK", id_.ThumbH, GlyphForm(3));
    o_.Image("SLIDERVMASK", id_.ThumbV, GlyphForm(3));
    o_.Image("TICKHORZ", id_.TickH, GlyphForm(1));
    o_.Image("TICKVERT", id_.TickV, GlyphForm(1));
    Section("DIVIDER");
    Look(r.Menu, r.MenuText, r.Menu, r.MenuText);
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 100);
    o_.Image("BORDERSMASK", id_.Divider[0], BorderForm(1, 2, 3, 2, 1));
    Section("DIVIDERV", "DIVIDER");
    o_.Image("BORDERSMASK", id_.Divider[1], BorderForm(1, 3, 2, 1, 2));
}

// Page controls and their tabs on every side.
void TSkinAuthor::WriteTabs() {
    const TSkinRecipe& r = r_;
    Section("PAGECONTROL");
    Look(r.TabActiveBottom, r.TabText, r.TabActiveBottom, r.TabText);
    o_.Image("BORDERSMASK", id_.Page, BorderForm(1, 3));
    for (const char* side :
         {"PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "TABCONTROL"})
        Section(side, "PAGECONTROL");
    for (const char* side : {"TABCONTROLBOTTOM", "TABCONTROLLEFT", "TABCONTROLRIGHT"})
        Section(side, "TABCONTROL");
    Section("TABTOP");
    Look(r.TabBottom, r.TabText, r.TabActiveBottom, r.TabHotText);
    Gradient(Vertical(r.TabTop, r.TabBottom), Vertical(r.TabActiveTop, r.TabActiveBottom));
    o_.Image("BORDERSMASK", id_.Tab[0], BorderForm(3, boxMargin_));
    Section("TABBOTTOM", "TABTOP");
    Gradient(Vertical(r.TabBottom, r.TabTop), Vertical(r.TabActiveBottom, r.TabActiveTop));
    o_.Image("BORDERSMASK", id_.Tab[1], BorderForm(3, boxMargin_));
    Section("TABLEFT", "TABTOP");
    Gradient(Horizontal(r.TabTop, r.TabBottom), Horizontal(r.TabActiveTop, r.TabActiveBottom));
    o_.Image("BORDERSMASK", id_.Tab[2], BorderForm(3, boxMargin_));
    Section("TABRIGHT", "TABTOP");
    Gradient(Horizontal(r.TabBottom, r.TabTop), Horizontal(r.TabActiveBottom, r.TabActiveTop));
    o_.Image("BORDERSMASK", id_.Tab[3], BorderForm(3, boxMargin_));
}

// Scroll-bar buttons, thumbs and tracks.
void TSkinAuthor::WriteScrollBars() {
    const TSkinRecipe& r = r_;
    Section("SCROLLBTNTOP");
    Look(r.ButtonBottom, r.ButtonText, r.HotBottom, r.HotText);
    Gradient(Glass(r.ButtonTop, r.ButtonBottom, r.Gloss), Glass(r.HotTop, r.HotBottom, r.Gloss));
    o_.Image("BORDERSMASK", id_.ScrollBtn, BorderForm(3, 3));
    o_.Image("GLYPHMASK", id_.ArrowGlyph[0], GlyphForm(3));
    Section("SCROLLBTNBOTTOM", "SCROLLBTNTOP");
    o_.Image("GLYPHMASK", id_.ArrowGlyph[1], GlyphForm(3));
    Section("SCROLLBTNLEFT", "SCROLLBTNTOP");
    o_.Image("GLYPHMASK", id_.ArrowGlyph[2], GlyphForm(3));
    Section("SCROLLBTNRIGHT", "SCROLLBTNTOP");
    o_.Image("GLYPHMASK", id_.ArrowGlyph[3], GlyphForm(3));
    Section("UPDOWNBTN", "SCROLLBTNTOP");
    Section("SCROLLSLIDERH", "SCROLLBTNTOP");
    o_.Image("GLYPHMASK", id_.GripGlyph[0], GlyphForm(3));
    Section("SCROLLSLIDERV", "SCROLLBTNTOP");
    Gradient(Horizontal(r.ButtonTop, r.ButtonBottom), Horizontal(r.HotTop, r.HotBottom));
    o_.Image("GLYPHMASK", id_.GripGlyph[1], GlyphForm(3));
    Section("SCROLLBAR1H");
    Look(r.Track, r.FormText, Lighter(r.Track, 0.3), r.FormText);
    Gradient(Vertical(Darker(r.Track, 0.05), r.Track),
             Vertical(Lighter(r.Track, 0.1), Lighter(r.Track, 0.3)));
    o_.Image("BORDERSMASK", id_.Track[0], BorderForm(1, 3));
    Section("SCROLLBAR2H", "SCROLLBAR1H");
    Section("SCROLLBAR1V", "SCROLLBAR1H");
    Gradient(Horizontal(Darker(r.Track, 0.05), r.Track),
             Horizontal(Lighter(r.Track, 0.1), Lighter(r.Track, 0.3)));
    o_.Image("BORDERSMASK", id_.Track[1], BorderForm(1, 3));
    Section("SCROLLBAR2V", "SCROLLBAR1V");
}

bool TSkinAuthor::Write(const std::string& folder, const std::string& previewPng) {
    DrawImages();
    WriteSections();
    const Bitmap master = atlas_.Pack(256);
    const std::string text = o_.Text(atlas_);
    bool ok =
        WriteFileBytes(folder + "Options.dat", std::vector<uint8_t>(text.begin(), text.end())) &&
        WriteFileBytes(folder + "MASTER.BMP", SaveBMP(master));
    if (ok && !r_.Picture.empty()) ok = WriteFileBytes(folder + r_.Picture, FrostPictureJpeg());
    if (ok && r_.FeatherSheen) ok = WriteFileBytes(folder + "SHEEN.JPG", FeatherPictureJpeg());
    for (const TOwnBitmap& own : ownBitmaps_)
        ok = ok && WriteFileBytes(folder + own.Name, SaveBMP(own.Picture));
    if (ok && !previewPng.empty()) {
        const int zoom = 3;
        Bitmap big(master.Width() * zoom, master.Height() * zoom, 24);
        for (int y = 0; y < big.Height(); ++y)
            for (int x = 0; x < big.Width(); ++x)
                big.SetPixel(x, y, master.GetPixel(x / zoom, y / zoom));
        ok = SavePNG(big, previewPng, nullptr);
    }
    return ok;
}
