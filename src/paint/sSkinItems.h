#pragma once
// Composition of a section's background from the skin layers (colour, gradient, texture,
// transparency over the parent's background), the section's border on top, and text in a
// section's colours. These work from a section index alone, for the parts of a control that
// have no skin data of their own (title-bar parts, menu items, tabs, tool buttons); the
// controls' own painting in sCommonData builds on them.
//
// Rectangles are half-open. Painting with an invalid section, without a manager or with a
// rectangle outside the bitmap does nothing.
#include <string>
#include <string_view>

#include "graphics/ParentCacheInfo.h"
#include "graphics/sAlphaGraph.h"
#include "graphics/sGradient.h"
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class TCanvas;
class TsSkinManager;

// The layers of one state of a section over rect of bitmap. color KeyColor means the
// section's colour; a pattern index -1 means the pattern is looked up by name. offset is
// rect's origin in the parent's coordinates, added to parentCache's position.
void RenderItemBackground(int sectionIndex, std::string_view sectionName,
                          const ParentCacheInfo& parentCache, TColor color, int hotPatternIndex,
                          int patternIndex, const TsSkinManager* manager, Bitmap& bitmap,
                          POINT offset, RECT rect, bool hot);

// Texture, gradient and colour of one state straight into rect of bitmap: gradientPercent G,
// imagePercent I, colour C, transparency T (only whether it is 0 matters here). textureIndex
// is a MasksData entry (or -1); pattern, when given and not empty, is a JPEG picture that is
// tiled instead. Without UseParentBgColor an empty layer set never takes ParentBgColor.
// parentCache is read at its X, Y plus the bitmap's own coordinates, for the key pixels of
// masked textures.
struct TsFillLayers {
    int GradientPercent = 0;
    int ImagePercent = 0;
    int Transparency = 0;
    TColor Color = 0;
    const std::string* GradientData = nullptr; // blank or null: a plain colour instead
    const TsGradArray* GradientSteps = nullptr;
    int TextureIndex = -1;
    const Bitmap* Pattern = nullptr;
    bool UseParentBgColor = true;
};
void PaintFillLayers(Bitmap& bitmap, RECT rect, const TsFillLayers& layers,
                     const TsSkinManager& manager, const ParentCacheInfo& parentCache);

// Background plus the section's "BORDERSMASK" (the border's frame chosen by hot).
void RenderSectionItem(int sectionIndex, std::string_view sectionName,
                       const ParentCacheInfo& parentCache, int hotPatternIndex, int patternIndex,
                       const TsSkinManager* manager, Bitmap& bitmap, POINT offset, RECT rect,
                       bool hot, bool fillCenter);

// RenderSectionItem into a bitmap of rect's size, then one block copy to rect of the context
// (whose state is saved and restored).
void RenderItemToDC(int sectionIndex, std::string_view sectionName,
                    const ParentCacheInfo& parentCache, const TsSkinManager* manager, HDC dc,
                    POINT offset, RECT rect, bool hot, bool fillCenter);

// RenderSectionItem with indexes the caller resolved: no look-up of patterns by name, the
// parent's pixels always copied (never a plain parent colour), no grip-dot overlay.
void RenderItemQuick(int sectionIndex, int borderMaskIndex, int patternIndex, int hotPatternIndex,
                     const TsSkinManager* manager, Bitmap& bitmap, POINT offset, RECT rect,
                     bool hot, bool fillCenter, const ParentCacheInfo& parentCache,
                     std::string_view sectionName);

// Text in a section's font colours with its contours; disabled text is 40% of the font colour
// over 60% of the section colour. The canvas keeps its font; flags go to the main pass as given.
void WriteSectionText(TCanvas& canvas, const std::string& text, bool enabled,
                      const TsSkinManager* manager, bool hot, int sectionIndex, UINT flags,
                      RECT& rect);

// Thin text wrappers over the canvas.
void DrawCanvasText(TCanvas& canvas, const std::string& text, RECT& rect, UINT flags);
int CanvasTextWidth(TCanvas& canvas, const std::string& text);
SIZE CanvasTextSize(TCanvas& canvas, const std::string& text);
void CanvasTextRect(TCanvas& canvas, RECT clip, int x, int y, const std::string& text);
