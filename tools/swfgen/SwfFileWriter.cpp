#include "tools/swfgen/SwfFileWriter.h"

#include <zlib.h>

#include "tools/swfgen/SwfBitWriter.h"

std::vector<uint8_t> TSwfFileWriter::Write(const TSwfTagWriter& tags, const SwfRect& frameSize,
                                           double frameRate, bool compress, int version) {
    TSwfBitWriter body;
    body.Rect(frameSize);
    body.U16(uint16_t(frameRate * 256 + 0.5));
    body.U16(uint16_t(tags.FrameCount()));
    body.Bytes(tags.Data());
    body.U16(0); // End
    const std::vector<uint8_t>& plain = body.Data();

    TSwfBitWriter file;
    file.U8(compress ? 'C' : 'F');
    file.U8('W');
    file.U8('S');
    file.U8(uint8_t(version));
    file.U32(uint32_t(plain.size() + 8)); // the inflated length, header included
    if (!compress) {
        file.Bytes(plain);
        return file.Data();
    }
    uLongf packedSize = compressBound(uLong(plain.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, plain.data(), uLong(plain.size()), 9);
    packed.resize(packedSize);
    file.Bytes(packed);
    return file.Data();
}
