#pragma once
// The one program-wide slot that keeps the application's hint setting while a skinned speed
// button or splitter is held down: hints stay off from the press to the release.
class TsHintSlot {
  public:
    // The first hold saves the setting and turns hints off; true when this call took the slot.
    static bool Hold();
    // Gives the saved setting back and frees the slot; with onlyWhileOff, a setting someone
    // turned back on meanwhile is left as it is.
    static void Release(bool onlyWhileOff = false);

  private:
    static bool held_;
    static bool saved_;
};
