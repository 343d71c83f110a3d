#include "paint/sBitmapDC.h"

#include <memory>

#include "platform/gdi/Gdi.h"

TsBitmapDC::TsBitmapDC(Bitmap& bitmap) {
    if (bitmap.Empty()) return;
    // The handle borrows the pixels: the no-op deleter leaves them to their owner.
    std::shared_ptr<Bitmap> borrowed(&bitmap, [](Bitmap*) {});
    handle_ = static_cast<HBITMAP>(GdiAdd(GdiBitmap{std::move(borrowed), 0}));
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ && handle_) old_ = SelectObject(dc_, handle_);
}

TsBitmapDC::TsBitmapDC(const Bitmap& bitmap) : TsBitmapDC(const_cast<Bitmap&>(bitmap)) {}

TsBitmapDC::~TsBitmapDC() {
    if (dc_) {
        if (old_) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    if (handle_) DeleteObject(handle_);
}
