#pragma once
// A SWF movie read from memory, played frame by frame and drawn into bitmaps. The HTML view
// owns one per movie it shows and advances it from a timer at FrameRate().
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

struct SwfDocument;
class TSwfDisplayList;
class TSwfRenderer;

class TSwfMovie {
  public:
    // Parses a whole SWF file held in memory. On damage returns null and sets *error (when
    // given) to one English line saying what was wrong and at which offset. Never reads
    // outside data.
    static std::unique_ptr<TSwfMovie> Load(const uint8_t* data, size_t size, std::string* error);
    ~TSwfMovie();

    int Width() const; // frame size in pixels (twips / 20, rounded)
    int Height() const;
    double FrameRate() const; // frames per second; 12 when the file says 0
    int FrameCount() const;   // frames of the main timeline actually present (>= 1)
    int CurrentFrame() const; // 0-based
    // Advances the main timeline and every placed sprite; loops after the last frame.
    void NextFrame();
    // Draws the current frame into dest of target, scaled to fit keeping the aspect ratio
    // and centred; the rest of dest gets the background colour. Writes nothing outside dest
    // or the bitmap.
    void Render(Bitmap& target, const RECT& dest) const;

  private:
    TSwfMovie();

    std::unique_ptr<SwfDocument> doc_;
    int liveInstances_ = 0;
    std::unique_ptr<TSwfDisplayList> root_;
    std::unique_ptr<TSwfRenderer> renderer_; // keeps its surface between frames
};
