#include "movie/SwfDisplayList.h"

TSwfDisplayList::TSwfDisplayList(const SwfDocument& doc, const SwfTimeline& timeline, int nesting,
                                 int* liveInstances)
    : doc_(doc), timeline_(timeline), nesting_(nesting), live_(liveInstances) {}

TSwfDisplayList::~TSwfDisplayList() { Clear(); }

void TSwfDisplayList::Clear() {
    *live_ -= int(instances_.size());
    instances_.clear();
}

void TSwfDisplayList::Start() {
    Clear();
    frame_ = 0;
    if (!timeline_.frames.empty()) Apply(timeline_.frames[0]);
}

void TSwfDisplayList::NextFrame() {
    for (auto& [depth, instance] : instances_)
        if (instance.sprite) instance.sprite->NextFrame();
    if (FrameCount() <= 1) return; // a single frame stays; only its sprites move
    if (frame_ + 1 >= FrameCount()) {
        Loop();
        return;
    }
    ++frame_;
    Apply(timeline_.frames[size_t(frame_)]);
}

// Going back to frame 0 rebuilds the list from that frame's commands, but a sprite that is
// still the same character at the same depth keeps playing instead of jumping to its start.
void TSwfDisplayList::Loop() {
    std::map<int, Instance> old = std::move(instances_);
    instances_.clear();
    frame_ = 0;
    Apply(timeline_.frames[0]);
    for (auto& [depth, instance] : instances_) {
        auto it = old.find(depth);
        if (it != old.end() && instance.sprite && it->second.sprite &&
            it->second.characterId == instance.characterId)
            std::swap(instance.sprite, it->second.sprite);
    }
    *live_ -= int(old.size());
}

void TSwfDisplayList::Apply(const SwfFrame& frame) {
    for (const SwfPlaceCommand& cmd : frame.commands) {
        if (cmd.kind == SwfCommandKind::Remove)
            Remove(cmd.depth);
        else
            Place(cmd);
    }
}

bool TSwfDisplayList::IsDefined(uint16_t id) const {
    return doc_.shapes.count(id) || doc_.sprites.count(id);
}

std::unique_ptr<TSwfDisplayList> TSwfDisplayList::MakeSprite(uint16_t id) const {
    auto it = doc_.sprites.find(id);
    // Past the nesting limit a sprite shows nothing rather than recursing on.
    if (it == doc_.sprites.end() || nesting_ >= kMaxNesting) return nullptr;
    auto sprite = std::make_unique<TSwfDisplayList>(doc_, it->second, nesting_ + 1, live_);
    sprite->Start();
    return sprite;
}

void TSwfDisplayList::Place(const SwfPlaceCommand& cmd) {
    auto existing = instances_.find(cmd.depth);
    if (cmd.hasCharacter && !IsDefined(cmd.characterId)) return; // nothing to show
    if (cmd.move && existing == instances_.end() && !cmd.hasCharacter) return;

    Instance* target = nullptr;
    if (cmd.move && existing != instances_.end()) {
        target = &existing->second;
        if (cmd.hasCharacter && cmd.characterId != target->characterId) {
            target->characterId = cmd.characterId;
            target->sprite.reset();
            target->sprite = MakeSprite(cmd.characterId);
        }
    } else {
        if (!cmd.hasCharacter) return;
        if (existing != instances_.end()) {
            Remove(cmd.depth);
        }
        // Only nested lists count against the budget: a list holds at most one instance per
        // 16-bit depth anyway, and the top level must not lose what a runaway sprite took.
        if (nesting_ > 0 && *live_ >= kMaxInstances) return;
        ++*live_;
        Instance& added = instances_[cmd.depth];
        added.characterId = cmd.characterId;
        added.sprite = MakeSprite(cmd.characterId);
        target = &instances_[cmd.depth];
    }
    if (cmd.hasMatrix) target->matrix = cmd.matrix;
    if (cmd.hasColorTransform) target->colorTransform = cmd.colorTransform;
    if (cmd.isClipLayer) target->isClipLayer = true;
}

void TSwfDisplayList::Remove(int depth) {
    auto it = instances_.find(depth);
    if (it == instances_.end()) return;
    instances_.erase(it);
    --*live_;
}
