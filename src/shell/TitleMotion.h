#pragma once
// The title label's drift across the caption panel: a step to the right on every tick of its
// timer, wrapping to the panel's left edge once it has passed the far end.

constexpr int kTitleStartLeft = 308;
constexpr int kTitleStep = 10;
constexpr int kTitleLastLeft = 590; // a left edge beyond this wraps to 0
constexpr unsigned kTitleTickMs = 300;

// The label's left edge after one tick. The label keeps moving while hidden.
int NextTitleLeft(int left);
