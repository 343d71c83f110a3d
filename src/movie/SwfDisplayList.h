#pragma once
// Plays one timeline (the movie's main one or a sprite's): the characters placed at each
// depth with their matrix and colour transform, changed frame by frame by the timeline's
// place and remove commands. Sprites placed on it hold their own display list, which
// advances with it and loops on its own.
#include <map>
#include <memory>

#include "movie/SwfTypes.h"

class TSwfDisplayList {
  public:
    // Sprites nest at most this deep, and one movie holds at most this many placed
    // instances, so that a sprite placing itself (directly or through others) stops.
    static constexpr int kMaxNesting = 12;
    static constexpr int kMaxInstances = 20000;

    struct Instance {
        uint16_t characterId = 0;
        SwfMatrix matrix;
        SwfColorTransform colorTransform;
        bool isClipLayer = false;
        std::unique_ptr<TSwfDisplayList> sprite; // when the character is a sprite
    };

    // doc and timeline outlive the list; liveInstances is the movie-wide instance count.
    TSwfDisplayList(const SwfDocument& doc, const SwfTimeline& timeline, int nesting,
                    int* liveInstances);
    ~TSwfDisplayList();
    TSwfDisplayList(const TSwfDisplayList&) = delete;
    TSwfDisplayList& operator=(const TSwfDisplayList&) = delete;

    // Goes to frame 0 from an empty list.
    void Start();
    // Advances the sprites shown, then goes to the next frame; after the last comes frame 0.
    void NextFrame();

    int CurrentFrame() const { return frame_; }
    int FrameCount() const { return int(timeline_.frames.size()); }
    const std::map<int, Instance>& Instances() const { return instances_; }

  private:
    void Apply(const SwfFrame& frame);
    void Place(const SwfPlaceCommand& cmd);
    void Remove(int depth);
    void Loop();
    bool IsDefined(uint16_t id) const;
    std::unique_ptr<TSwfDisplayList> MakeSprite(uint16_t id) const;
    void Clear();

    const SwfDocument& doc_;
    const SwfTimeline& timeline_;
    int nesting_;
    int* live_;
    int frame_ = 0;
    std::map<int, Instance> instances_;
};
