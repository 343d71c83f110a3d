#pragma once
// Reads a whole SWF file held in memory into an SwfDocument: the header (FWS plain or CWS
// zlib-packed), the character dictionary (shapes, sprites, bitmaps) and the main timeline's
// frames of display-list commands. Tags this player does not draw are skipped by their
// length. Damage throws SwfError with the offset in the (inflated) file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "movie/SwfShapeReader.h"
#include "movie/SwfTypes.h"

class TSwfReader {
  public:
    // The largest inflated file accepted; a CWS header asking for more is refused before
    // anything is inflated, which keeps a small file from expanding without bound.
    static constexpr size_t kMaxFileLength = 64u * 1024 * 1024;
    // Pixels of all bitmap characters together; pictures beyond it are dropped.
    static constexpr int64_t kMaxTotalPixels = 48LL * 1024 * 1024;

    static std::unique_ptr<SwfDocument> Read(const uint8_t* data, size_t size);

  private:
    explicit TSwfReader(SwfDocument& doc) : doc_(doc) {}

    // Reads tags from body (at file offset base) into timeline; inSprite limits them to the
    // control tags a sprite may hold.
    void ReadTags(const uint8_t* body, size_t size, size_t base, SwfTimeline& timeline,
                  bool inSprite);
    void ReadDefinition(int code, const uint8_t* body, size_t size, size_t base);
    void AddBitmap(uint16_t id, std::shared_ptr<const SwfBitmap> bitmap);

    SwfDocument& doc_;
    SwfReadBudget budget_;
    int64_t totalPixels_ = 0;
};
