#pragma once
// Puts the SWF header in front of a timeline's tags: FWS, or CWS with the body packed by zlib.
#include <cstdint>
#include <vector>

#include "movie/SwfTypes.h"
#include "tools/swfgen/SwfTagWriter.h"

class TSwfFileWriter {
  public:
    // Adds the End tag. frameSize is in twips; frameRate is stored as 8.8 fixed point.
    static std::vector<uint8_t> Write(const TSwfTagWriter& tags, const SwfRect& frameSize,
                                      double frameRate, bool compress, int version = 10);
};
