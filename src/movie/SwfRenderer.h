#pragma once
// Draws a display list into a Bitmap through cairo: the stage scaled to fit the destination
// keeping its aspect ratio and centred, the letterbox in the background colour, shapes
// anti-aliased with solid, gradient and bitmap fills and colour transforms applied.
#include <vector>

#include "movie/SwfDisplayList.h"
#include "movie/SwfTypes.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

struct _cairo;
struct _cairo_surface;
struct _cairo_matrix;

class TSwfRenderer {
  public:
    explicit TSwfRenderer(const SwfDocument& doc) : doc_(doc) {}
    ~TSwfRenderer();
    TSwfRenderer(const TSwfRenderer&) = delete;
    TSwfRenderer& operator=(const TSwfRenderer&) = delete;

    // Writes only inside dest clipped to the bitmap; the bitmap may be 24 or 32 bits and
    // either row order.
    void Render(const TSwfDisplayList& root, Bitmap& target, const RECT& dest);

  private:
    using ColorChain = std::vector<const SwfColorTransform*>; // innermost first

    bool PrepareSurface(int width, int height);
    void DrawList(_cairo* cr, const TSwfDisplayList& list, const _cairo_matrix& parent,
                  ColorChain& chain);
    void DrawShape(_cairo* cr, const SwfShape& shape, const _cairo_matrix& matrix,
                   const ColorChain& chain);
    // Sets the source for a fill; false when the fill draws nothing. *alpha is an extra
    // opacity that bitmap fills apply by painting through the path.
    bool SetFillSource(_cairo* cr, const SwfFillStyle& fill, const ColorChain& chain,
                       const _cairo_matrix& deviceMatrix, double* alpha);
    void CopyToBitmap(Bitmap& target, int left, int top, int width, int height) const;

    const SwfDocument& doc_;
    _cairo_surface* surface_ = nullptr; // reused while the destination size stays the same
    int surfaceWidth_ = 0, surfaceHeight_ = 0;
};
