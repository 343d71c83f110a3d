#include "windows/sMenuBackdrop.h"

TsPopupState& PopupState() {
    static TsPopupState state;
    return state;
}

void ResetPopupState() {
    TsPopupState& s = PopupState();
    s.FirstItem = nullptr;
    s.Backdrop.reset();
    s.ExtraLineVisible = false;
    s.ExtraLineDecided = false;
}
