#include "movie/SwfShapeReader.h"

#include <cstdint>

#include "movie/SwfPathBuilder.h"

namespace {

// Maps a 1-based style index of the current style group to an index into the shape's
// arrays. Index 0 means no style. An index past the group is damage that we absorb by
// drawing nothing for that side rather than refusing the whole movie.
int StyleIndex(uint32_t index, int base, int count) {
    if (index == 0 || index > uint32_t(count)) return -1;
    return base + int(index) - 1;
}

} // namespace

void TSwfShapeReader::Spend(int64_t& budget, const char* what) {
    if (--budget < 0) r_.Fail(std::string("the movie holds too many ") + what);
}

SwfRgba TSwfShapeReader::ReadColor() { return version_ >= 3 ? r_.Rgba() : r_.Rgb(); }

SwfFillStyle TSwfShapeReader::ReadFillStyle() {
    SwfFillStyle fill;
    uint8_t type = r_.U8();
    if (type == 0x00) {
        fill.kind = SwfFillKind::Solid;
        fill.color = ReadColor();
    } else if (type == 0x10 || type == 0x12 || type == 0x13) {
        fill.kind = type == 0x10 ? SwfFillKind::Linear : SwfFillKind::Radial;
        fill.matrix = r_.Matrix();
        uint32_t spread = r_.UB(2);
        r_.UB(2); // interpolation mode: drawn in sRGB either way
        uint32_t count = r_.UB(4);
        fill.spread = spread == 1   ? SwfSpread::Reflect
                      : spread == 2 ? SwfSpread::Repeat
                                    : SwfSpread::Pad;
        for (uint32_t i = 0; i < count; ++i) {
            SwfGradientStop stop;
            stop.ratio = r_.U8();
            stop.color = ReadColor();
            fill.stops.push_back(stop);
        }
        if (type == 0x13) fill.focal = r_.S16() / 256.0;
    } else if (type >= 0x40 && type <= 0x43) {
        fill.kind = SwfFillKind::Bitmap;
        fill.bitmapId = r_.U16();
        fill.matrix = r_.Matrix();
        fill.repeat = type == 0x40 || type == 0x42;
        fill.smooth = type == 0x40 || type == 0x41;
    } else {
        r_.Fail("unknown fill style type " + std::to_string(type));
    }
    return fill;
}

SwfLineStyle TSwfShapeReader::ReadLineStyle() {
    SwfLineStyle line;
    line.width = r_.U16();
    if (version_ < 4) {
        line.color = ReadColor();
        return line;
    }
    r_.UB(2); // start cap
    uint32_t join = r_.UB(2);
    bool hasFill = r_.UB(1) != 0;
    r_.UB(11);               // scaling, hinting, reserved bits, no-close flag and end cap
    if (join == 2) r_.U16(); // miter limit
    if (!hasFill) {
        line.color = r_.Rgba();
    } else {
        // Strokes are drawn in one colour: a gradient's first stop stands for the fill.
        SwfFillStyle fill = ReadFillStyle();
        line.color = fill.kind == SwfFillKind::Solid ? fill.color
                     : fill.stops.empty()            ? SwfRgba{}
                                                     : fill.stops.front().color;
    }
    return line;
}

void TSwfShapeReader::ReadStyleArrays(SwfShape& shape, int* fillCount, int* lineCount) {
    uint32_t fills = r_.U8();
    if (fills == 0xFF && version_ >= 2) fills = r_.U16();
    for (uint32_t i = 0; i < fills; ++i) {
        Spend(budget_.styles, "styles");
        shape.fills.push_back(ReadFillStyle());
    }
    uint32_t lines = r_.U8();
    if (lines == 0xFF) lines = r_.U16();
    for (uint32_t i = 0; i < lines; ++i) {
        Spend(budget_.styles, "styles");
        shape.lines.push_back(ReadLineStyle());
    }
    *fillCount = int(fills);
    *lineCount = int(lines);
}

SwfShape TSwfShapeReader::Read() {
    SwfShape shape;
    shape.bounds = r_.Rect();
    if (version_ >= 4) {
        r_.Rect(); // edge bounds
        r_.U8();   // winding and stroke-scaling flags: contours are built to suit nonzero
    }
    int fillBase = 0, lineBase = 0, fillCount = 0, lineCount = 0;
    ReadStyleArrays(shape, &fillCount, &lineCount);
    int fillBits = int(r_.UB(4));
    int lineBits = int(r_.UB(4));

    TSwfPathBuilder builder(shape);
    int fill0 = -1, fill1 = -1, line = -1;
    for (;;) {
        if (r_.UB(1) == 0) {
            uint32_t flags = r_.UB(5);
            if (flags == 0) break; // end of shape
            if (flags & 1) {
                int bits = int(r_.UB(5));
                int32_t x = r_.SB(bits);
                int32_t y = r_.SB(bits);
                builder.MoveTo(x, y);
            }
            bool newFill0 = flags & 2, newFill1 = flags & 4, newLine = flags & 8;
            uint32_t raw0 = newFill0 ? r_.UB(fillBits) : 0;
            uint32_t raw1 = newFill1 ? r_.UB(fillBits) : 0;
            uint32_t rawLine = newLine ? r_.UB(lineBits) : 0;
            if (flags & 16) {
                // New style arrays start a group; indexes in this record refer to them.
                builder.FlushGroup();
                fillBase = int(shape.fills.size());
                lineBase = int(shape.lines.size());
                ReadStyleArrays(shape, &fillCount, &lineCount);
                fillBits = int(r_.UB(4));
                lineBits = int(r_.UB(4));
                fill0 = fill1 = line = -1;
            }
            if (newFill0) fill0 = StyleIndex(raw0, fillBase, fillCount);
            if (newFill1) fill1 = StyleIndex(raw1, fillBase, fillCount);
            if (newLine) line = StyleIndex(rawLine, lineBase, lineCount);
            builder.SetStyles(fill0, fill1, line);
            continue;
        }
        Spend(budget_.edges, "shape edges");
        if (r_.UB(1) == 1) { // straight edge
            int bits = int(r_.UB(4)) + 2;
            int64_t dx = 0, dy = 0;
            if (r_.UB(1)) {
                dx = r_.SB(bits);
                dy = r_.SB(bits);
            } else if (r_.UB(1)) {
                dy = r_.SB(bits);
            } else {
                dx = r_.SB(bits);
            }
            builder.LineTo(builder.PenX() + dx, builder.PenY() + dy);
        } else { // quadratic curve: control point, then anchor, each relative to the last
            int bits = int(r_.UB(4)) + 2;
            int64_t cdx = r_.SB(bits), cdy = r_.SB(bits);
            int64_t adx = r_.SB(bits), ady = r_.SB(bits);
            int64_t cx = builder.PenX() + cdx, cy = builder.PenY() + cdy;
            builder.CurveTo(cx, cy, cx + adx, cy + ady);
        }
    }
    builder.FlushGroup();
    return shape;
}
