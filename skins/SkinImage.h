#pragma once
// A picture being drawn for a skin: colour and coverage layers painted with smooth-edged
// shapes, then written out as the bitmap the skin engine reads (optionally with its mask half
// below, where black shows the picture and white keeps what lies underneath).
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "skins/SkinShapes.h"

// How uncovered pixels are written out.
enum class TEmitKind {
    Glyph,   // uncovered pixels are key colour, skipped by the engine
    Border,  // outside the silhouette: key colour (the parent shows); inside: see-through
    Texture, // uncovered pixels keep what lies underneath; never key colour
};

// Passed as the outline's surroundings when they are unknown: outline pixels are then either
// key colour or solid, never mixed.
constexpr COLORREF kHardEdge = 0xFFFFFFFF;

class TSkinImage {
  public:
    TSkinImage(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints colour over what is there, weighted by the shape's coverage and the opacity.
    void Fill(const TShape& shape, COLORREF color, double opacity = 1.0);
    // The same with a vertical run of colour from top to bottom between y0 and y1.
    void FillVertical(const TShape& shape, double y0, double y1, COLORREF top, COLORREF bottom,
                      double opacity = 1.0);
    // Colour whose opacity runs from opacityTop at y0 to opacityBottom at y1 (held beyond).
    void FillFading(const TShape& shape, COLORREF color, double y0, double y1, double opacityTop,
                    double opacityBottom);
    // Marks the outer outline of a border picture; pixels outside it become key colour.
    void Silhouette(const TShape& shape);

    // Copies another image in at (x, y), layers and all.
    void Place(const TSkinImage& piece, int x, int y);
    TSkinImage Cut(int x, int y, int width, int height) const;
    TSkinImage FlippedVertically() const;
    TSkinImage FlippedHorizontally() const;
    // Rows become columns: the picture mirrored along its main diagonal.
    TSkinImage Transposed() const;

    // The finished bitmap; with a mask it is twice as high. clear is written where a see-through
    // pixel needs a colour; outside is the colour a partly covered outline pixel is mixed with
    // (kHardEdge: none).
    Bitmap Emit(TEmitKind kind, bool masked, COLORREF clear, COLORREF outside) const;

  private:
    struct Pixel {
        double r = 0, g = 0, b = 0, a = 0, shape = 0;
    };
    Pixel& At(int x, int y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    const Pixel& At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    static double Coverage(const TShape& shape, int x, int y);
    void Over(Pixel& p, double r, double g, double b, double a);

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};
