#include "movie/SwfReader.h"

#include <string>

#include "movie/SwfBitReader.h"
#include "movie/SwfBitmapReader.h"
#include "movie/SwfError.h"
#include "movie/SwfInflate.h"
#include "movie/SwfShapeReader.h"

namespace {

enum TagCode {
    kEnd = 0,
    kShowFrame = 1,
    kDefineShape = 2,
    kPlaceObject = 4,
    kRemoveObject = 5,
    kSetBackgroundColor = 9,
    kDefineBitsLossless = 20,
    kDefineBitsJPEG2 = 21,
    kDefineShape2 = 22,
    kPlaceObject2 = 26,
    kRemoveObject2 = 28,
    kDefineShape3 = 32,
    kDefineBitsLossless2 = 36,
    kDefineSprite = 39,
    kPlaceObject3 = 70,
    kDefineShape4 = 83,
};

constexpr size_t kHeaderSize = 8; // signature, version, file length

SwfPlaceCommand ReadPlaceObject(TSwfBitReader& r) {
    SwfPlaceCommand cmd;
    cmd.hasCharacter = true;
    cmd.characterId = r.U16();
    cmd.depth = r.U16();
    cmd.hasMatrix = true;
    cmd.matrix = r.Matrix();
    if (r.Remaining() > 0) {
        cmd.hasColorTransform = true;
        cmd.colorTransform = r.ColorTransform(false);
    }
    return cmd;
}

// PlaceObject2, and PlaceObject3 where its extra fields (class name, filters, blend mode,
// bitmap caching) are read past or left unread at the end of the tag.
SwfPlaceCommand ReadPlaceObject2(TSwfBitReader& r, bool version3) {
    SwfPlaceCommand cmd;
    const uint8_t flags = r.U8();
    const uint8_t flags3 = version3 ? r.U8() : 0;
    cmd.depth = r.U16();
    cmd.move = flags & 0x01;
    cmd.hasCharacter = flags & 0x02;
    const bool hasClassName = flags3 & 0x08, hasImage = flags3 & 0x10;
    if (hasClassName || (hasImage && cmd.hasCharacter)) r.String();
    if (cmd.hasCharacter) cmd.characterId = r.U16();
    if (flags & 0x04) {
        cmd.hasMatrix = true;
        cmd.matrix = r.Matrix();
    }
    if (flags & 0x08) {
        cmd.hasColorTransform = true;
        cmd.colorTransform = r.ColorTransform(true);
    }
    if (flags & 0x10) {
        cmd.hasRatio = true;
        cmd.ratio = r.U16();
    }
    if (flags & 0x20) r.String(); // instance name: only scripts use it
    if (flags & 0x40) {
        r.U16(); // clip depth
        cmd.isClipLayer = true;
    }
    // Clip actions are scripts; they are left unread at the end of the tag.
    return cmd;
}

const char* TagName(int code) {
    switch (code) {
    case kDefineShape: return "DefineShape";
    case kDefineShape2: return "DefineShape2";
    case kDefineShape3: return "DefineShape3";
    case kDefineShape4: return "DefineShape4";
    case kPlaceObject: return "PlaceObject";
    case kPlaceObject2: return "PlaceObject2";
    case kPlaceObject3: return "PlaceObject3";
    case kRemoveObject: return "RemoveObject";
    case kRemoveObject2: return "RemoveObject2";
    case kSetBackgroundColor: return "SetBackgroundColor";
    case kDefineSprite: return "DefineSprite";
    case kDefineBitsJPEG2: return "DefineBitsJPEG2";
    case kDefineBitsLossless: return "DefineBitsLossless";
    case kDefineBitsLossless2: return "DefineBitsLossless2";
    default: return "tag";
    }
}

} // namespace

std::unique_ptr<SwfDocument> TSwfReader::Read(const uint8_t* data, size_t size) {
    if (size < kHeaderSize) throw SwfError("file is shorter than the 8-byte SWF header", 0);
    const bool compressed = data[0] == 'C';
    if ((data[0] != 'F' && data[0] != 'C') || data[1] != 'W' || data[2] != 'S') {
        if (data[0] == 'Z' && data[1] == 'W' && data[2] == 'S')
            throw SwfError("LZMA-compressed (ZWS) files are not supported", 0);
        throw SwfError("not a SWF file (signature is not FWS or CWS)", 0);
    }
    auto doc = std::make_unique<SwfDocument>();
    doc->version = data[3];
    const size_t fileLength =
        size_t(data[4]) | size_t(data[5]) << 8 | size_t(data[6]) << 16 | size_t(data[7]) << 24;
    if (fileLength < kHeaderSize)
        throw SwfError("header's file length " + std::to_string(fileLength) +
                           " is shorter than the header itself",
                       4);
    if (fileLength > kMaxFileLength)
        throw SwfError("header's file length " + std::to_string(fileLength) +
                           " exceeds the limit of " + std::to_string(kMaxFileLength) + " bytes",
                       4);

    std::vector<uint8_t> inflated;
    const uint8_t* body = data + kHeaderSize;
    size_t bodySize = fileLength - kHeaderSize;
    if (compressed) {
        std::string error;
        if (!TSwfInflate::Exact(data + kHeaderSize, size - kHeaderSize, bodySize, &inflated,
                                &error))
            throw SwfError(error, kHeaderSize);
        body = inflated.data();
    } else if (fileLength > size) {
        throw SwfError("header's file length " + std::to_string(fileLength) + " exceeds the " +
                           std::to_string(size) + " bytes present",
                       4);
    }
    // Bytes after the stated file length (some tools pad files) are ignored.

    TSwfBitReader r(body, bodySize, kHeaderSize, "SWF header");
    doc->frameSize = r.Rect();
    const uint16_t rate = r.U16();
    doc->frameRate = rate == 0 ? 12.0 : rate / 256.0; // 8.8 fixed point
    doc->declaredFrameCount = r.U16();
    const SwfRect& f = doc->frameSize;
    if (int64_t(f.xMax) - f.xMin < 20 || int64_t(f.yMax) - f.yMin < 20)
        throw SwfError("frame size is smaller than one pixel", kHeaderSize);

    TSwfReader reader(*doc);
    const size_t pos = r.Position();
    reader.ReadTags(body + pos, bodySize - pos, kHeaderSize + pos, doc->timeline, false);
    return doc;
}

void TSwfReader::ReadTags(const uint8_t* body, size_t size, size_t base, SwfTimeline& timeline,
                          bool inSprite) {
    SwfFrame frame;
    size_t pos = 0;
    while (pos < size) {
        const size_t tagOffset = base + pos;
        if (size - pos < 2) throw SwfError("tag header is cut short", tagOffset);
        const uint16_t codeAndLength = uint16_t(body[pos] | body[pos + 1] << 8);
        pos += 2;
        const int code = codeAndLength >> 6;
        size_t length = codeAndLength & 0x3F;
        if (length == 0x3F) {
            if (size - pos < 4) throw SwfError("long tag header is cut short", tagOffset);
            length = size_t(body[pos]) | size_t(body[pos + 1]) << 8 | size_t(body[pos + 2]) << 16 |
                     size_t(body[pos + 3]) << 24;
            pos += 4;
        }
        if (length > size - pos)
            throw SwfError(std::string(TagName(code)) + " (code " + std::to_string(code) +
                               ") claims " + std::to_string(length) + " bytes but only " +
                               std::to_string(size - pos) + " remain",
                           tagOffset);
        const uint8_t* tag = body + pos;
        const size_t tagBase = base + pos;
        pos += length;

        if (code == kEnd) break;
        if ((code == kShowFrame && --budget_.frames < 0) ||
            ((code == kPlaceObject || code == kPlaceObject2 || code == kPlaceObject3 ||
              code == kRemoveObject || code == kRemoveObject2) &&
             --budget_.commands < 0))
            throw SwfError("the movie holds too many frames or display-list commands", tagOffset);
        TSwfBitReader r(tag, length, tagBase, TagName(code));
        switch (code) {
        case kShowFrame:
            timeline.frames.push_back(std::move(frame));
            frame = SwfFrame();
            break;
        case kPlaceObject: frame.commands.push_back(ReadPlaceObject(r)); break;
        case kPlaceObject2:
        case kPlaceObject3:
            frame.commands.push_back(ReadPlaceObject2(r, code == kPlaceObject3));
            break;
        case kRemoveObject:
        case kRemoveObject2: {
            SwfPlaceCommand cmd;
            cmd.kind = SwfCommandKind::Remove;
            if (code == kRemoveObject) r.U16(); // character id: the depth alone decides
            cmd.depth = r.U16();
            frame.commands.push_back(cmd);
            break;
        }
        case kSetBackgroundColor:
            if (!inSprite) doc_.background = r.Rgb();
            break;
        default:
            // Definitions belong to the file's top level; a sprite holding one is damaged
            // in a way we absorb by skipping it.
            if (!inSprite) ReadDefinition(code, tag, length, tagBase);
            break;
        }
    }
    // Commands after the last ShowFrame still show: a file cut at a tag boundary, or one
    // that never shows a frame, draws what it has.
    if (!frame.commands.empty() || timeline.frames.empty()) timeline.frames.push_back(frame);
}

void TSwfReader::ReadDefinition(int code, const uint8_t* body, size_t size, size_t base) {
    TSwfBitReader r(body, size, base, TagName(code));
    switch (code) {
    case kDefineShape:
    case kDefineShape2:
    case kDefineShape3:
    case kDefineShape4: {
        const uint16_t id = r.U16();
        const int version = code == kDefineShape    ? 1
                            : code == kDefineShape2 ? 2
                            : code == kDefineShape3 ? 3
                                                    : 4;
        doc_.shapes.emplace(id, TSwfShapeReader(r, version, budget_).Read());
        break;
    }
    case kDefineSprite: {
        const uint16_t id = r.U16();
        r.U16(); // frame count: the frames actually present decide
        SwfTimeline timeline;
        ReadTags(body + 4, size - 4, base + 4, timeline, true);
        doc_.sprites.emplace(id, std::move(timeline));
        break;
    }
    case kDefineBitsJPEG2:
    case kDefineBitsLossless:
    case kDefineBitsLossless2: {
        const uint16_t id = r.U16();
        std::string error;
        std::shared_ptr<const SwfBitmap> bitmap =
            code == kDefineBitsJPEG2
                ? TSwfBitmapReader::Jpeg2(body + 2, size - 2, &error)
                : TSwfBitmapReader::Lossless(body + 2, size - 2, code == kDefineBitsLossless2,
                                             &error);
        AddBitmap(id, std::move(bitmap));
        break;
    }
    default: break; // not drawn by this player: skipped by its length
    }
}

void TSwfReader::AddBitmap(uint16_t id, std::shared_ptr<const SwfBitmap> bitmap) {
    if (!bitmap) return; // undecodable picture: its fills draw nothing
    const int64_t pixels = int64_t(bitmap->width) * bitmap->height;
    if (totalPixels_ + pixels > kMaxTotalPixels) return;
    totalPixels_ += pixels;
    doc_.bitmaps.emplace(id, std::move(bitmap));
}
