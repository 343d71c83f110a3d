#include "tools/swfgen/SwfShapeWriter.h"

#include <algorithm>
#include <cstdlib>

#include "tools/swfgen/SwfBitWriter.h"

namespace {

void WriteColor(TSwfBitWriter& w, SwfRgba c, int version) {
    if (version >= 3)
        w.Rgba(c);
    else
        w.Rgb(c);
}

void WriteFill(TSwfBitWriter& w, const SwfFillStyle& f, int version) {
    switch (f.kind) {
    case SwfFillKind::Solid:
        w.U8(0x00);
        WriteColor(w, f.color, version);
        break;
    case SwfFillKind::Linear:
    case SwfFillKind::Radial: {
        const bool focal = f.kind == SwfFillKind::Radial && f.focal != 0 && version >= 4;
        w.U8(f.kind == SwfFillKind::Linear ? 0x10 : focal ? 0x13 : 0x12);
        w.Matrix(f.matrix);
        w.UB(f.spread == SwfSpread::Reflect ? 1 : f.spread == SwfSpread::Repeat ? 2 : 0, 2);
        w.UB(0, 2);
        w.UB(uint32_t(std::min<size_t>(f.stops.size(), 15)), 4);
        for (size_t i = 0; i < f.stops.size() && i < 15; ++i) {
            w.U8(f.stops[i].ratio);
            WriteColor(w, f.stops[i].color, version);
        }
        if (focal) w.U16(uint16_t(int16_t(f.focal * 256)));
        break;
    }
    case SwfFillKind::Bitmap:
        w.U8(uint8_t(0x40 | (f.repeat ? 0 : 1) | (f.smooth ? 0 : 2)));
        w.U16(f.bitmapId);
        w.Matrix(f.matrix);
        break;
    }
}

void WriteLine(TSwfBitWriter& w, const SwfLineStyle& l, int version) {
    w.U16(l.width);
    if (version >= 4) {
        w.U16(0); // round caps and joins, no fill, scaling strokes
        w.Rgba(l.color);
    } else {
        WriteColor(w, l.color, version);
    }
}

void WriteStyleArrays(TSwfBitWriter& w, const std::vector<SwfFillStyle>& fills,
                      const std::vector<SwfLineStyle>& lines, int version) {
    if (fills.size() >= 0xFF) {
        w.U8(0xFF);
        w.U16(uint16_t(fills.size()));
    } else {
        w.U8(uint8_t(fills.size()));
    }
    for (const SwfFillStyle& f : fills) WriteFill(w, f, version);
    if (lines.size() >= 0xFF) {
        w.U8(0xFF);
        w.U16(uint16_t(lines.size()));
    } else {
        w.U8(uint8_t(lines.size()));
    }
    for (const SwfLineStyle& l : lines) WriteLine(w, l, version);
}

// Edge fields: 4 bits say the width less 2, so deltas fit in 17 bits.
int EdgeBits(std::initializer_list<int32_t> values) {
    int bits = 2;
    for (int32_t v : values) bits = std::max(bits, TSwfBitWriter::SignedBits(v));
    return bits;
}

} // namespace

TSwfShapeWriter::TSwfShapeWriter() : groups_(1) {}

int TSwfShapeWriter::AddFill(const SwfFillStyle& fill) {
    groups_.back().fills.push_back(fill);
    return int(groups_.back().fills.size());
}

int TSwfShapeWriter::AddLine(const SwfLineStyle& line) {
    groups_.back().lines.push_back(line);
    return int(groups_.back().lines.size());
}

void TSwfShapeWriter::NewStyleGroup() {
    groups_.emplace_back();
    ops_.push_back(Op{OpKind::Group, 0, 0, 0, 0});
}

void TSwfShapeWriter::SetStyles(int fill0, int fill1, int line) {
    ops_.push_back(Op{OpKind::Styles, fill0, fill1, line, 0});
}

void TSwfShapeWriter::Extend(int32_t x, int32_t y) {
    if (!hasPoints_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        hasPoints_ = true;
    }
    minX_ = std::min(minX_, x);
    maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y);
    maxY_ = std::max(maxY_, y);
}

void TSwfShapeWriter::MoveTo(int32_t x, int32_t y) {
    ops_.push_back(Op{OpKind::Move, x, y, 0, 0});
    penX_ = x;
    penY_ = y;
}

void TSwfShapeWriter::LineTo(int32_t x, int32_t y) {
    // Edge deltas are at most 17 bits wide; a longer line goes out in halves.
    if (std::abs(int64_t(x) - penX_) > 65535 || std::abs(int64_t(y) - penY_) > 65535) {
        LineTo(int32_t((int64_t(x) + penX_) / 2), int32_t((int64_t(y) + penY_) / 2));
        LineTo(x, y);
        return;
    }
    Extend(penX_, penY_);
    Extend(x, y);
    ops_.push_back(Op{OpKind::Line, x - penX_, y - penY_, 0, 0});
    penX_ = x;
    penY_ = y;
}

void TSwfShapeWriter::CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y) {
    Extend(penX_, penY_);
    Extend(cx, cy);
    Extend(x, y);
    ops_.push_back(Op{OpKind::Curve, cx - penX_, cy - penY_, x - cx, y - cy});
    penX_ = x;
    penY_ = y;
}

std::vector<uint8_t> TSwfShapeWriter::Encode(uint16_t id, int version) const {
    TSwfBitWriter w;
    w.U16(id);
    int maxWidth = 0;
    for (const StyleGroup& g : groups_)
        for (const SwfLineStyle& l : g.lines) maxWidth = std::max<int>(maxWidth, l.width);
    const SwfRect edges{minX_, maxX_, minY_, maxY_};
    const SwfRect bounds{minX_ - maxWidth / 2, maxX_ + maxWidth / 2, minY_ - maxWidth / 2,
                         maxY_ + maxWidth / 2};
    w.Rect(bounds);
    if (version >= 4) {
        w.Rect(edges);
        w.U8(0);
    }
    size_t group = 0;
    WriteStyleArrays(w, groups_[0].fills, groups_[0].lines, version);
    int fillBits = TSwfBitWriter::UnsignedBits(uint32_t(groups_[0].fills.size()));
    int lineBits = TSwfBitWriter::UnsignedBits(uint32_t(groups_[0].lines.size()));
    w.UB(uint32_t(fillBits), 4);
    w.UB(uint32_t(lineBits), 4);
    for (const Op& op : ops_) {
        switch (op.kind) {
        case OpKind::Group: {
            ++group;
            w.UB(0, 1);
            w.UB(0x10, 5); // new styles only
            const StyleGroup& g = groups_[group];
            WriteStyleArrays(w, g.fills, g.lines, version);
            fillBits = TSwfBitWriter::UnsignedBits(uint32_t(g.fills.size()));
            lineBits = TSwfBitWriter::UnsignedBits(uint32_t(g.lines.size()));
            w.UB(uint32_t(fillBits), 4);
            w.UB(uint32_t(lineBits), 4);
            break;
        }
        case OpKind::Styles:
            w.UB(0, 1);
            w.UB(0x08 | 0x04 | 0x02, 5); // line, fill 1 and fill 0
            w.UB(uint32_t(op.a), fillBits);
            w.UB(uint32_t(op.b), fillBits);
            w.UB(uint32_t(op.c), lineBits);
            break;
        case OpKind::Move: {
            w.UB(0, 1);
            w.UB(0x01, 5);
            int bits = std::max(TSwfBitWriter::SignedBits(op.a), TSwfBitWriter::SignedBits(op.b));
            w.UB(uint32_t(bits), 5);
            w.SB(op.a, bits);
            w.SB(op.b, bits);
            break;
        }
        case OpKind::Line: {
            int bits = EdgeBits({op.a, op.b});
            w.UB(1, 1);
            w.UB(1, 1);
            w.UB(uint32_t(bits - 2), 4);
            if (op.a != 0 && op.b != 0) {
                w.UB(1, 1); // general line
                w.SB(op.a, bits);
                w.SB(op.b, bits);
            } else {
                w.UB(0, 1);
                w.UB(op.a == 0, 1); // vertical
                w.SB(op.a == 0 ? op.b : op.a, bits);
            }
            break;
        }
        case OpKind::Curve: {
            int bits = EdgeBits({op.a, op.b, op.c, op.d});
            w.UB(1, 1);
            w.UB(0, 1);
            w.UB(uint32_t(bits - 2), 4);
            w.SB(op.a, bits);
            w.SB(op.b, bits);
            w.SB(op.c, bits);
            w.SB(op.d, bits);
            break;
        }
        }
    }
    w.UB(0, 6); // end of shape
    w.Align();
    return w.Data();
}
