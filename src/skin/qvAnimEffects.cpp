#include "skin/qvAnimEffects.h"

#include "skin/sSkinManager.h"

TqvButtonEvents ButtonFadeEvents = kAllButtonEvents;

void TqvBtnEffects::SetEvents(TqvButtonEvents events) {
    events_ = events;
    if (manager_ && manager_ == PrimaryManager) ButtonFadeEvents = events;
}
