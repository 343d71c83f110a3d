#pragma once
// Collects the tags of a timeline: the movie's own, or a sprite's for DefineSprite.
#include <cstdint>
#include <vector>

#include "movie/SwfTypes.h"
#include "tools/swfgen/SwfShapeWriter.h"

class TSwfTagWriter {
  public:
    // Any tag; a short header when the body has fewer than 63 bytes, or forceLong.
    void Tag(int code, const std::vector<uint8_t>& body, bool forceLong = false);

    void SetBackgroundColor(SwfRgba color);
    // version 1..4: DefineShape, DefineShape2, DefineShape3, DefineShape4.
    void DefineShape(uint16_t id, const TSwfShapeWriter& shape, int version = 3);
    void DefineSprite(uint16_t id, const TSwfTagWriter& timeline);
    // pixelData is the uncompressed payload: colour table then rows for format 3, rows of
    // 4-byte pixels (alpha or padding first) for format 5.
    void DefineBitsLossless(uint16_t id, bool withAlpha, int format, int width, int height,
                            int colorTableSize, const std::vector<uint8_t>& pixelData);
    void DefineBitsJPEG2(uint16_t id, const std::vector<uint8_t>& jpeg);
    // PlaceObject2 from a command: depth, move, character, matrix, colour transform, ratio
    // and (for isClipLayer) a clip depth one above.
    void PlaceObject2(const SwfPlaceCommand& cmd);
    void PlaceObject(uint16_t id, uint16_t depth, const SwfMatrix& matrix);
    void RemoveObject2(uint16_t depth);
    void ShowFrame();
    void End();

    int FrameCount() const { return frames_; }
    const std::vector<uint8_t>& Data() const { return data_; }

  private:
    std::vector<uint8_t> data_;
    int frames_ = 0;
};
