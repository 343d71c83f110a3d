#include "toolkit/CustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_.SetHandle(dc);
    canvas_.Font = Font();
    canvas_.Brush.Color = Color();
    canvas_.Brush.Style = bsSolid;
    Paint();
    canvas_.SetHandle(nullptr);
}

void TCustomControl::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        // The control's colour is its background; Paint draws the rest.
        const HDC dc = reinterpret_cast<HDC>(m.WParam);
        const RECT r = ClientRect();
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}
