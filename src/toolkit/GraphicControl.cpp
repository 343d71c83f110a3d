#include "toolkit/GraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) {
        canvas_.SetHandle(reinterpret_cast<HDC>(m.WParam));
        canvas_.Font = Font();
        Paint();
        canvas_.SetHandle(nullptr);
        return;
    }
    TControl::WndProc(m);
}
