#include "shell/TitleMotion.h"

// Compared before adding, so that no left edge, however far out, can overflow.
int NextTitleLeft(int left) { return left > kTitleLastLeft - kTitleStep ? 0 : left + kTitleStep; }
