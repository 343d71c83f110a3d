#include "tools/swfgen/SwfTagWriter.h"

#include <zlib.h>

#include "tools/swfgen/SwfBitWriter.h"

void TSwfTagWriter::Tag(int code, const std::vector<uint8_t>& body, bool forceLong) {
    TSwfBitWriter w;
    if (body.size() < 0x3F && !forceLong) {
        w.U16(uint16_t(code << 6 | int(body.size())));
    } else {
        w.U16(uint16_t(code << 6 | 0x3F));
        w.U32(uint32_t(body.size()));
    }
    w.Bytes(body);
    data_.insert(data_.end(), w.Data().begin(), w.Data().end());
}

void TSwfTagWriter::SetBackgroundColor(SwfRgba color) {
    TSwfBitWriter w;
    w.Rgb(color);
    Tag(9, w.Data());
}

void TSwfTagWriter::DefineShape(uint16_t id, const TSwfShapeWriter& shape, int version) {
    static const int kCodes[] = {2, 22, 32, 83};
    Tag(kCodes[version - 1], shape.Encode(id, version));
}

void TSwfTagWriter::DefineSprite(uint16_t id, const TSwfTagWriter& timeline) {
    TSwfBitWriter w;
    w.U16(id);
    w.U16(uint16_t(timeline.FrameCount()));
    w.Bytes(timeline.Data());
    w.U16(0); // End
    Tag(39, w.Data(), true);
}

void TSwfTagWriter::DefineBitsLossless(uint16_t id, bool withAlpha, int format, int width,
                                       int height, int colorTableSize,
                                       const std::vector<uint8_t>& pixelData) {
    TSwfBitWriter w;
    w.U16(id);
    w.U8(uint8_t(format));
    w.U16(uint16_t(width));
    w.U16(uint16_t(height));
    if (format == 3) w.U8(uint8_t(colorTableSize - 1));
    uLongf packedSize = compressBound(uLong(pixelData.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, pixelData.data(), uLong(pixelData.size()), 9);
    packed.resize(packedSize);
    w.Bytes(packed);
    Tag(withAlpha ? 36 : 20, w.Data(), true);
}

void TSwfTagWriter::DefineBitsJPEG2(uint16_t id, const std::vector<uint8_t>& jpeg) {
    TSwfBitWriter w;
    w.U16(id);
    w.Bytes(jpeg);
    Tag(21, w.Data(), true);
}

void TSwfTagWriter::PlaceObject2(const SwfPlaceCommand& cmd) {
    TSwfBitWriter w;
    uint8_t flags = 0;
    if (cmd.move) flags |= 0x01;
    if (cmd.hasCharacter) flags |= 0x02;
    if (cmd.hasMatrix) flags |= 0x04;
    if (cmd.hasColorTransform) flags |= 0x08;
    if (cmd.hasRatio) flags |= 0x10;
    if (cmd.isClipLayer) flags |= 0x40;
    w.U8(flags);
    w.U16(cmd.depth);
    if (cmd.hasCharacter) w.U16(cmd.characterId);
    if (cmd.hasMatrix) w.Matrix(cmd.matrix);
    if (cmd.hasColorTransform) w.ColorTransform(cmd.colorTransform, true);
    if (cmd.hasRatio) w.U16(cmd.ratio);
    if (cmd.isClipLayer) w.U16(uint16_t(cmd.depth + 1));
    Tag(26, w.Data());
}

void TSwfTagWriter::PlaceObject(uint16_t id, uint16_t depth, const SwfMatrix& matrix) {
    TSwfBitWriter w;
    w.U16(id);
    w.U16(depth);
    w.Matrix(matrix);
    Tag(4, w.Data());
}

void TSwfTagWriter::RemoveObject2(uint16_t depth) {
    TSwfBitWriter w;
    w.U16(depth);
    Tag(28, w.Data());
}

void TSwfTagWriter::ShowFrame() {
    Tag(1, {});
    ++frames_;
}

void TSwfTagWriter::End() { Tag(0, {}); }
