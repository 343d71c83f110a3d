#include "windows/qvIconWnd.h"

#include "paint/sBitmapDC.h"
#include "platform/controls/Static.h"
#include "platform/gdi/Gdi.h"

void TqvIconWnd::PaintContent(Bitmap& cache) {
    const auto icon = reinterpret_cast<HICON>(SendMessage(Handle, STM_GETICON, 0, 0));
    SIZE size{};
    if (!icon || !GetIconSize(icon, &size)) return;
    TsBitmapDC dc(cache);
    DrawIconEx(dc.Handle(), 0, 0, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}
