#include "paint/sSkinItems.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Canvas.h"

namespace {

// Offsets this far out meet no bitmap (sides are at most Bitmap::kMaxSide); limiting sums to
// them keeps every later addition in range of 32 bits.
constexpr int64_t kFar = 1 << 24;
constexpr RECT kNothingLeft{-1, -1, -1, -1};

int Limited(int64_t v) { return int(std::clamp(v, -kFar, kFar)); }

RECT Bounds(const Bitmap& b) { return RECT{0, 0, b.Width(), b.Height()}; }
bool Is24(const Bitmap& b) { return b.BitsPerPixel() == 24 && !b.Empty(); }
RECT Inclusive(const RECT& r) { return RECT{r.left, r.top, r.right - 1, r.bottom - 1}; }

const TsSkinManager* ManagerOf(const TsSkinManager* manager) {
    return manager ? manager : PrimaryManager;
}

// The manager to paint a section with, or null when nothing may be painted: there must be a
// default manager and the section must be one of the painting manager's.
const TsSkinManager* PaintingManager(const TsSkinManager* manager, int sectionIndex) {
    if (!PrimaryManager) return nullptr;
    const TsSkinManager* m = ManagerOf(manager);
    return m && m->SectionIndexValid(sectionIndex) ? m : nullptr;
}

// The parent record moved so that it is read at its X, Y plus the coordinates of the bitmap
// being painted.
ParentCacheInfo Shifted(const ParentCacheInfo& parent, int64_t dx, int64_t dy) {
    ParentCacheInfo p = parent;
    p.X = Limited(int64_t(parent.X) + dx);
    p.Y = Limited(int64_t(parent.Y) + dy);
    return p;
}

bool Ready(const ParentCacheInfo& parent) {
    return parent.Usable && parent.Bitmap && !parent.Bitmap->Empty() &&
           (parent.Bitmap->BitsPerPixel() == 24 || parent.Bitmap->BitsPerPixel() == 32);
}

// Solid fill of rect (already inside the bitmap): the first row pixel by pixel, the others
// copied from it.
void FillRows(Bitmap& bitmap, const RECT& rect, TColor color) {
    if (IsRectEmpty(rect)) return;
    const COLORREF c = ColorToRGB(color);
    const uint8_t bgr[3] = {GetBValue(c), GetGValue(c), GetRValue(c)};
    const size_t bytes = size_t(WidthOf(rect)) * 3;
    uint8_t* first = bitmap.ScanLine(rect.top) + size_t(rect.left) * 3;
    for (size_t i = 0; i < bytes; i += 3) std::memcpy(first + i, bgr, 3);
    for (int y = rect.top + 1; y < rect.bottom; ++y)
        std::memcpy(bitmap.ScanLine(y) + size_t(rect.left) * 3, first, bytes);
}

// Copies the parent's pixels under rect (already inside the bitmap) into it; parent is read
// at its X, Y plus the bitmap's coordinates. Pixels with nothing of the parent under them are
// left as they were.
void CopyParentRows(Bitmap& bitmap, const RECT& rect, const ParentCacheInfo& parent) {
    const Bitmap& src = *parent.Bitmap;
    const int bpp = src.BytesPerPixel();
    const int x0 = std::max<int>(rect.left, -parent.X);
    const int x1 = std::min<int>(rect.right, src.Width() - parent.X);
    const int y0 = std::max<int>(rect.top, -parent.Y);
    const int y1 = std::min<int>(rect.bottom, src.Height() - parent.Y);
    if (x1 <= x0 || y1 <= y0) return;
    for (int y = y0; y < y1; ++y) {
        uint8_t* d = bitmap.ScanLine(y) + size_t(x0) * 3;
        const uint8_t* s = src.ScanLine(parent.Y + y) + size_t(parent.X + x0) * size_t(bpp);
        if (bpp == 3) {
            std::memcpy(d, s, size_t(x1 - x0) * 3);
            continue;
        }
        for (int x = x0; x < x1; ++x, d += 3, s += 4) d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
}

// The parent's background into rect: its plain colour when one is known (and allowed), else
// its pixels.
void PutParentBackground(Bitmap& bitmap, const RECT& rect, const ParentCacheInfo& parent,
                         bool useParentBgColor) {
    if (useParentBgColor && ParentBgColor != KeyColor)
        FillRows(bitmap, rect, ParentBgColor);
    else
        CopyParentRows(bitmap, rect, parent);
}

void PaintGradientOrColor(Bitmap& bitmap, const RECT& rect, const TsFillLayers& layers) {
    const bool blankText =
        !layers.GradientData || layers.GradientData->find_first_not_of(" \t") == std::string::npos;
    const TsGradArray* steps = layers.GradientSteps;
    // A gradient that would paint nothing must not leave the old pixels behind.
    const bool paints = steps && !steps->empty() && (*steps)[0].Mode >= 0 && (*steps)[0].Mode <= 2;
    if (blankText || !paints)
        FillRows(bitmap, rect, layers.Color);
    else
        PaintGradient(bitmap, rect, *steps);
}

// What one state of a section paints with.
struct StateLayers {
    TsFillLayers Layers;
    int GivenPattern = -1;
    const char* PatternProperty = "PATTERN";
};

StateLayers LayersOf(const TsGeneralData& gd, TColor color, int patternIndex, int hotPatternIndex,
                     bool hot) {
    StateLayers s;
    TsFillLayers& l = s.Layers;
    if (hot) {
        l.Color = gd.HotColor;
        l.ImagePercent = gd.HotImagePercent;
        l.GradientPercent = gd.HotGradientPercent;
        l.GradientData = &gd.HotGradientData;
        l.GradientSteps = &gd.HotGradientSteps;
        l.Transparency = gd.HotTransparency;
        s.GivenPattern = hotPatternIndex;
        s.PatternProperty = "HOTPATTERN";
    } else {
        l.Color = gd.Color;
        l.ImagePercent = gd.ImagePercent;
        l.GradientPercent = gd.GradientPercent;
        l.GradientData = &gd.GradientData;
        l.GradientSteps = &gd.GradientSteps;
        l.Transparency = gd.Transparency;
        s.GivenPattern = patternIndex;
    }
    if (color != KeyColor) l.Color = color;
    l.Color = TColor(ColorToRGB(l.Color));
    return s;
}

bool Masked(const TsSkinManager& m, int index) {
    return m.ImageIndexValid(index) && m.MasksData[size_t(index)].MaskType > 0;
}

// The state's texture: the given entry when it is an unmasked one; otherwise (by name) the
// section's image entry for the property when none was given, and failing that its JPEG
// pattern. A given masked entry is the grip-dot overlay, not a texture.
void SelectTexture(const TsSkinManager& m, int sectionIndex, std::string_view sectionName,
                   StateLayers& s) {
    const int given = s.GivenPattern;
    if (m.ImageIndexValid(given) && !Masked(m, given)) {
        s.Layers.TextureIndex = given;
        return;
    }
    const int image =
        given == -1 ? m.GetImageEntryIndex(sectionIndex, sectionName, s.PatternProperty) : -1;
    if (m.ImageIndexValid(image)) {
        s.Layers.TextureIndex = image;
        return;
    }
    const int pattern = m.GetPatternEntryIndex(sectionIndex, sectionName, s.PatternProperty);
    if (pattern >= 0 && size_t(pattern) < m.PatternsData.size())
        s.Layers.Pattern = m.PatternsData[size_t(pattern)].Img.get();
}

// The masked draw-mode-10 entry whose dots go over a normal-state background, or -1.
int GripOverlayIndex(const TsSkinManager& m, int patternIndex, int hotPatternIndex) {
    auto grip = [&](int i) { return Masked(m, i) && m.MasksData[size_t(i)].StretchMode == 10; };
    if (Masked(m, patternIndex)) return grip(patternIndex) ? patternIndex : -1;
    if (patternIndex == -1 || m.ImageIndexValid(patternIndex))
        return grip(hotPatternIndex) ? hotPatternIndex : -1;
    return -1;
}

// How the two kinds of callers differ: the section items resolve patterns by name, may use the
// parent's plain colour and get the grip dots; the quick form uses what it is given.
struct ComposeRules {
    bool ByName = true;
    bool UseParentBgColor = true;
    bool GripOverlay = true;
};

void ComposeBackground(const TsSkinManager& m, int sectionIndex, std::string_view sectionName,
                       const ParentCacheInfo& parentCache, TColor color, int hotPatternIndex,
                       int patternIndex, Bitmap& bitmap, POINT offset, RECT rect, bool hot,
                       const ComposeRules& rules) {
    if (!Is24(bitmap)) return;
    RECT r;
    if (!IntersectRect(r, rect, Bounds(bitmap))) return;
    const TsGeneralData& gd = m.SectionsData[size_t(sectionIndex)];
    StateLayers s = LayersOf(gd, color, patternIndex, hotPatternIndex, hot);
    TsFillLayers& layers = s.Layers;
    layers.UseParentBgColor = rules.UseParentBgColor;
    if (layers.ImagePercent > 0) {
        if (rules.ByName)
            SelectTexture(m, sectionIndex, sectionName, s);
        else if (m.ImageIndexValid(s.GivenPattern))
            layers.TextureIndex = s.GivenPattern;
    }

    // Bitmap pixel (x, y) lies over the parent's (X + offset.x + x - rect.left, ...).
    const int64_t dx = int64_t(offset.x) - rect.left, dy = int64_t(offset.y) - rect.top;
    const ParentCacheInfo overParent = Shifted(parentCache, dx, dy);
    const int t = layers.Transparency;
    const bool ownParent = parentCache.Bitmap == &bitmap;
    if (!Ready(parentCache) || t <= 0) {
        PaintFillLayers(bitmap, r, layers, m, overParent);
    } else if (t >= 100) {
        if (!ownParent) PutParentBackground(bitmap, r, overParent, rules.UseParentBgColor);
    } else {
        const int w = WidthOf(r), h = HeightOf(r);
        const std::unique_ptr<Bitmap> layer = NewBitmap24(w, h);
        PaintFillLayers(*layer, RECT{0, 0, w, h}, layers, m, Shifted(overParent, r.left, r.top));
        if (!ownParent) PutParentBackground(bitmap, r, overParent, rules.UseParentBgColor);
        BlendImages(bitmap, *layer, std::clamp(t * 255 / 100, 0, 255), POINT{r.left, r.top},
                    RECT{0, 0, w, h});
    }

    if (hot || !rules.GripOverlay) return;
    const int grip = GripOverlayIndex(m, patternIndex, hotPatternIndex);
    if (grip < 0) return;
    RECT area = r;
    PaintMaskedTexture(bitmap, area, overParent, 10, m.MasksData[size_t(grip)]);
}

// The border entry's frame over rect (hot: frame 1), its corners over the parent.
void PaintBorder(const TsSkinManager& m, int borderIndex, const ParentCacheInfo& parentCache,
                 Bitmap& bitmap, POINT offset, RECT rect, bool hot, bool fillCenter) {
    if (!m.ImageIndexValid(borderIndex)) return;
    const ParentCacheInfo overParent =
        Shifted(parentCache, int64_t(offset.x) - rect.left, int64_t(offset.y) - rect.top);
    PaintMaskBorders(bitmap, rect, fillCenter, true, hot ? 1 : 0, m.MasksData[size_t(borderIndex)],
                     overParent);
}

// Selects the canvas's font, text colour and background mode into its context, as the
// canvas's own text calls do.
void PrepareCanvasText(TCanvas& canvas) {
    const HDC dc = canvas.Handle();
    SelectObject(dc, canvas.Font.Handle());
    SetTextColor(dc, ColorToRGB(canvas.Font.Color()));
    SetBkMode(dc, canvas.Brush.Style == bsClear ? TRANSPARENT : OPAQUE);
    if (canvas.Brush.Style == bsSolid) SetBkColor(dc, ColorToRGB(canvas.Brush.Color));
}

} // namespace

void RenderItemBackground(int sectionIndex, std::string_view sectionName,
                          const ParentCacheInfo& parentCache, TColor color, int hotPatternIndex,
                          int patternIndex, const TsSkinManager* manager, Bitmap& bitmap,
                          POINT offset, RECT rect, bool hot) {
    const TsSkinManager* m = PaintingManager(manager, sectionIndex);
    if (!m) return;
    ComposeBackground(*m, sectionIndex, sectionName, parentCache, color, hotPatternIndex,
                      patternIndex, bitmap, offset, rect, hot, ComposeRules{});
}

void PaintFillLayers(Bitmap& bitmap, RECT rect, const TsFillLayers& layers,
                     const TsSkinManager& manager, const ParentCacheInfo& parentCache) {
    if (!Is24(bitmap) || !IntersectRect(rect, rect, Bounds(bitmap))) return;
    const int g = std::clamp(layers.GradientPercent, 0, 100);
    const int i = std::clamp(layers.ImagePercent, 0, 100);
    const TColor c = TColor(ColorToRGB(layers.Color));

    bool textured = false;
    if (i > 0) {
        RECT left = rect;
        if (layers.Pattern && !layers.Pattern->Empty()) {
            TsBitmapDC dc(bitmap);
            PaintTexture(dc.Handle(), left, layers.Pattern, 0, TsMaskData{});
            textured = true;
        } else if (manager.ImageIndexValid(layers.TextureIndex)) {
            const TsMaskData& md = manager.MasksData[size_t(layers.TextureIndex)];
            // A mask, and whole tiles only, let through what lies under the texture: that
            // is to be the colour, never what the bitmap held before.
            if (md.MaskType > 0 || md.StretchMode == 10) FillRows(bitmap, rect, c);
            if (md.MaskType > 0) {
                PaintMaskedTexture(bitmap, left, parentCache, md.StretchMode, md);
            } else {
                TsBitmapDC dc(bitmap);
                PaintTexture(dc.Handle(), left, nullptr, md.StretchMode, md);
            }
            textured = true;
        }
        if (left != kNothingLeft && IntersectRect(left, left, rect)) FillRows(bitmap, left, c);
    }

    if (g > 0) {
        if (textured) {
            const int w = WidthOf(rect), h = HeightOf(rect);
            const std::unique_ptr<Bitmap> gradient = NewBitmap24(w, h);
            if (!gradient->Empty()) {
                PaintGradientOrColor(*gradient, RECT{0, 0, w, h}, layers);
                BlendImages(bitmap, *gradient, std::clamp(i * 255 / 100, 0, 255),
                            POINT{rect.left, rect.top}, RECT{0, 0, w, h});
            }
        } else {
            PaintGradientOrColor(bitmap, rect, layers);
        }
    }

    const int sum = g + i;
    if (sum == 0) {
        const bool parentColour =
            layers.UseParentBgColor && ParentBgColor != KeyColor && layers.Transparency != 0;
        FillRows(bitmap, rect, parentColour ? ParentBgColor : c);
    } else if (sum < 100) {
        TintRectToColor(bitmap, Inclusive(rect), sum, c);
    }
}

void RenderSectionItem(int sectionIndex, std::string_view sectionName,
                       const ParentCacheInfo& parentCache, int hotPatternIndex, int patternIndex,
                       const TsSkinManager* manager, Bitmap& bitmap, POINT offset, RECT rect,
                       bool hot, bool fillCenter) {
    const TsSkinManager* m = PaintingManager(manager, sectionIndex);
    if (!m) return;
    ComposeBackground(*m, sectionIndex, sectionName, parentCache, KeyColor, hotPatternIndex,
                      patternIndex, bitmap, offset, rect, hot, ComposeRules{});
    PaintBorder(*m, m->GetImageEntryIndex(sectionIndex, sectionName, "BORDERSMASK"), parentCache,
                bitmap, offset, rect, hot, fillCenter);
}

void RenderItemToDC(int sectionIndex, std::string_view sectionName,
                    const ParentCacheInfo& parentCache, const TsSkinManager* manager, HDC dc,
                    POINT offset, RECT rect, bool hot, bool fillCenter) {
    if (!dc || !PaintingManager(manager, sectionIndex) || IsRectEmpty(rect)) return;
    const int w = WidthOf(rect), h = HeightOf(rect);
    const std::unique_ptr<Bitmap> item = NewBitmap24(w, h);
    if (item->Empty()) return;
    RenderSectionItem(sectionIndex, sectionName, parentCache, -1, -1, manager, *item, offset,
                      RECT{0, 0, w, h}, hot, fillCenter);
    TsBitmapDC source(*item);
    const int saved = SaveDC(dc);
    BitBlt(dc, rect.left, rect.top, w, h, source.Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void RenderItemQuick(int sectionIndex, int borderMaskIndex, int patternIndex, int hotPatternIndex,
                     const TsSkinManager* manager, Bitmap& bitmap, POINT offset, RECT rect,
                     bool hot, bool fillCenter, const ParentCacheInfo& parentCache,
                     std::string_view sectionName) {
    const TsSkinManager* m = PaintingManager(manager, sectionIndex);
    if (!m) return;
    const ComposeRules quick{false, false, false};
    ComposeBackground(*m, sectionIndex, sectionName, parentCache, KeyColor, hotPatternIndex,
                      patternIndex, bitmap, offset, rect, hot, quick);
    PaintBorder(*m, borderMaskIndex, parentCache, bitmap, offset, rect, hot, fillCenter);
}

void WriteSectionText(TCanvas& canvas, const std::string& text, bool enabled,
                      const TsSkinManager* manager, bool hot, int sectionIndex, UINT flags,
                      RECT& rect) {
    const HDC dc = canvas.Handle();
    if (!dc) return;
    const TsSkinManager* m = ManagerOf(manager);
    const TsGeneralData* gd =
        m && m->SectionIndexValid(sectionIndex) ? &m->SectionsData[size_t(sectionIndex)] : nullptr;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, canvas.Font.Handle());
    SetBkMode(dc, TRANSPARENT);
    auto pass = [&](TColor color, RECT& r) {
        SetTextColor(dc, ColorToRGB(color));
        DrawText(dc, text.c_str(), int(text.size()), &r, flags);
    };

    TColor color = canvas.Font.Color();
    if (!enabled) {
        // 40% of the font colour over 60% of the section's background colour.
        if (gd) color = BlendTwoColors(gd->FontColor[0], gd->Color, 0.4);
    } else if (gd) {
        const TsFontColors& colors = hot ? gd->HotFontColor : gd->FontColor;
        // Left, up, right, down: each contour is the text moved one pixel that way.
        constexpr POINT kMoves[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        if (!(flags & DT_CALCRECT))
            for (int k = 0; k < 4; ++k) {
                if (colors[size_t(k) + 1] == clNone) continue;
                RECT moved = OffsetRect(rect, kMoves[k].x, kMoves[k].y);
                pass(colors[size_t(k) + 1], moved);
            }
        color = colors[0];
    }
    pass(color, rect);
    RestoreDC(dc, saved);
}

void DrawCanvasText(TCanvas& canvas, const std::string& text, RECT& rect, UINT flags) {
    if (!canvas.Handle()) return;
    PrepareCanvasText(canvas);
    DrawText(canvas.Handle(), text.c_str(), int(text.size()), &rect, flags);
}

int CanvasTextWidth(TCanvas& canvas, const std::string& text) { return canvas.TextWidth(text); }

SIZE CanvasTextSize(TCanvas& canvas, const std::string& text) { return canvas.TextExtent(text); }

void CanvasTextRect(TCanvas& canvas, RECT clip, int x, int y, const std::string& text) {
    if (!canvas.Handle()) return;
    PrepareCanvasText(canvas);
    const UINT options = ETO_CLIPPED | (canvas.Brush.Style == bsSolid ? ETO_OPAQUE : 0);
    ExtTextOut(canvas.Handle(), x, y, options, &clip, text.c_str(), int(text.size()), nullptr);
}
