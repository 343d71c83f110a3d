#include "platform/gdi/GdiRaster.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/DeviceContext.h"

namespace {

// A binary raster operation as a truth table: bit (2c + d) is the result for pen bit c and
// destination bit d. R2_xxx codes are that table plus one.
uint8_t ApplyBinary(unsigned table, uint8_t c, uint8_t d) {
    uint8_t r = 0;
    if (table & 1) r |= uint8_t(~c & ~d);
    if (table & 2) r |= uint8_t(~c & d);
    if (table & 4) r |= uint8_t(c & ~d);
    if (table & 8) r |= uint8_t(c & d);
    return r;
}

template <int BytesPerPixel>
void TableRow(uint8_t* p, int count, const uint8_t (*table)[256]) {
    for (int i = 0; i < count; ++i, p += BytesPerPixel)
        for (int k = 0; k < BytesPerPixel; ++k) p[k] = table[k][p[k]];
}

} // namespace

DrawTarget TargetOf(const DeviceContext& dc) {
    DrawTarget target;
    if (!dc.surface || dc.surface->Empty()) return target;
    target.bitmap = dc.surface.get();
    target.origin = dc.surfaceOrigin;
    target.clip = dc.SurfaceClipRects();
    return target;
}

SolidOp SolidOp::FromTable(unsigned table, COLORREF color) {
    SolidOp op;
    const uint8_t bytes[4] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
    const bool ignoresDest =
        (table & 1) == ((table >> 1) & 1) && ((table >> 2) & 1) == ((table >> 3) & 1);
    if (table == 0b1010) {
        op.kind_ = Kind::Nop;
    } else if (ignoresDest) {
        op.kind_ = Kind::Fill;
        for (int k = 0; k < 4; ++k) op.value_[k] = ApplyBinary(table, bytes[k], 0);
    } else {
        op.kind_ = Kind::Table;
        for (int k = 0; k < 4; ++k)
            for (int d = 0; d < 256; ++d)
                op.table_[k][d] = ApplyBinary(table, bytes[k], uint8_t(d));
    }
    return op;
}

SolidOp SolidOp::FromRop2(int rop2, COLORREF color) {
    if (rop2 < 1 || rop2 > 16) rop2 = 13;
    return FromTable(unsigned(rop2 - 1), color);
}

SolidOp SolidOp::FromPatternRop(DWORD rop, COLORREF brushColor) {
    // The ternary table has bit (4p + 2s + d); with the source ignored, take s = 0.
    const unsigned r = (rop >> 16) & 0xFF;
    const unsigned table =
        (r & 1) | (((r >> 1) & 1) << 1) | (((r >> 4) & 1) << 2) | (((r >> 5) & 1) << 3);
    return FromTable(table, brushColor);
}

void SolidOp::Prepare(int width, int bytesPerPixel) {
    if (kind_ != Kind::Fill) return;
    const size_t bytes = size_t(std::max(width, 0)) * size_t(bytesPerPixel);
    if (pattern_.size() >= bytes) return;
    pattern_.resize(bytes);
    for (size_t i = 0; i < bytes; i += size_t(bytesPerPixel))
        std::memcpy(pattern_.data() + i, value_, size_t(bytesPerPixel));
}

void SolidOp::ApplyRow(uint8_t* p, int count, int bytesPerPixel) const {
    switch (kind_) {
    case Kind::Fill: std::memcpy(p, pattern_.data(), size_t(count) * size_t(bytesPerPixel)); break;
    case Kind::Table:
        if (bytesPerPixel == 4)
            TableRow<4>(p, count, table_);
        else
            TableRow<3>(p, count, table_);
        break;
    case Kind::Nop: break;
    }
}

void PaintRect(const DrawTarget& target, const RECT& device, SolidOp& op) {
    if (target.Empty() || op.IsNop()) return;
    const RECT wanted = target.ToSurface(device);
    if (IsRectEmpty(wanted)) return;
    const int bpp = target.bitmap->BytesPerPixel();
    const std::ptrdiff_t rowDelta = target.bitmap->RowDelta();
    op.Prepare(std::min<LONG>(WidthOf(wanted), target.bitmap->Width()), bpp);
    for (const RECT& clip : target.clip) {
        RECT r;
        if (!IntersectRect(r, wanted, clip)) continue;
        uint8_t* row = target.bitmap->ScanLine(r.top) + r.left * bpp;
        for (LONG y = r.top; y < r.bottom; ++y, row += rowDelta) op.ApplyRow(row, WidthOf(r), bpp);
    }
}

void PaintSpans(const DrawTarget& target, std::vector<Span>& spans, SolidOp& op) {
    if (target.Empty() || op.IsNop() || spans.empty()) return;
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x1 < b.x1; });
    size_t kept = 0;
    for (const Span& s : spans) {
        if (s.x1 >= s.x2) continue;
        if (kept > 0 && spans[kept - 1].y == s.y && s.x1 <= spans[kept - 1].x2)
            spans[kept - 1].x2 = std::max(spans[kept - 1].x2, s.x2);
        else
            spans[kept++] = s;
    }
    spans.resize(kept);

    Bitmap& bitmap = *target.bitmap;
    const int bpp = bitmap.BytesPerPixel();
    op.Prepare(bitmap.Width(), bpp);
    // Both lists are sorted by row, so one walk pairs each span with the clip bands that
    // hold its row.
    size_t first = 0;
    for (const Span& device : spans) {
        const LONG y = device.y + target.origin.y;
        const LONG x1 = device.x1 + target.origin.x, x2 = device.x2 + target.origin.x;
        while (first < target.clip.size() && target.clip[first].bottom <= y) ++first;
        for (size_t k = first; k < target.clip.size() && target.clip[k].top <= y; ++k) {
            const RECT& clip = target.clip[k];
            if (clip.bottom <= y) continue;
            const LONG a = std::max(x1, clip.left), b = std::min(x2, clip.right);
            if (a < b) op.ApplyRow(bitmap.ScanLine(y) + a * bpp, b - a, bpp);
        }
    }
}
