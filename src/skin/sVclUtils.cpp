#include "skin/sVclUtils.h"

#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Form.h"
#include "toolkit/WinControl.h"

bool IsReadyToRepaint(const TControl* control) {
    if (!control || control->Loading() || control->IsDestroying()) return false;
    if (control->ComponentState() & csReading) return false;
    if (const auto* windowed = dynamic_cast<const TWinControl*>(control))
        if (!windowed->HandleAllocated()) return false;
    return control->Parent() != nullptr;
}

TForm* FindParentForm(const TComponent* component) {
    for (const TComponent* c = component; c; c = c->Owner())
        if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
    return nullptr;
}

UINT TextFlagsFor(const TControl*, TAlignment alignment) {
    // The program writes left to right only, so the alignment maps straight to the flags.
    UINT flags = DT_VCENTER | DT_EXPANDTABS;
    switch (alignment) {
    case taRightJustify: return flags | DT_RIGHT;
    case taCenter: return flags | DT_CENTER;
    case taLeftJustify: break;
    }
    return flags | DT_LEFT;
}

void ClientRectInWindow(HWND window, RECT& rect) {
    RECT windowRect{};
    if (!GetClientRect(window, &rect) || !GetWindowRect(window, &windowRect)) return;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    rect = OffsetRect(rect, origin.x - windowRect.left, origin.y - windowRect.top);
}

int AlignedSize(const TWinControl* container, TAlign align, bool includeWindowless) {
    if (!container) return 0;
    const bool vertical = align == alTop || align == alBottom;
    if (!vertical && align != alLeft && align != alRight) return 0;
    int sum = 0;
    for (int i = 0; i < container->ControlCount(); ++i) {
        const TControl* child = container->Controls(i);
        if (!child->Visible() || child->Align() != align) continue;
        if (!includeWindowless && !dynamic_cast<const TWinControl*>(child)) continue;
        sum += vertical ? child->Height() : child->Width();
    }
    return sum;
}

void GetWorkArea(RECT& rect) { SystemParametersInfo(SPI_GETWORKAREA, 0, &rect, 0); }
