#include "controls/sHintSlot.h"

#include "toolkit/Application.h"

bool TsHintSlot::held_ = false;
bool TsHintSlot::saved_ = true;

bool TsHintSlot::Hold() {
    if (held_ || !Application) return false;
    held_ = true;
    saved_ = Application->ShowHint();
    Application->SetShowHint(false);
    return true;
}

void TsHintSlot::Release(bool onlyWhileOff) {
    if (!held_) return;
    held_ = false;
    if (Application && !(onlyWhileOff && Application->ShowHint())) Application->SetShowHint(saved_);
}
