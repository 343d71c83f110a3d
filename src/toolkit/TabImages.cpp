#include "toolkit/TabImages.h"

SIZE TTabImages::ImageSize() const {
    return list_ ? SIZE{list_->Width(), list_->Height()} : SIZE{0, 0};
}

int TTabImages::ImageCount() const { return list_ ? list_->Count() : 0; }

void TTabImages::DrawImage(HDC dc, int x, int y, int index, bool enabled) const {
    if (list_) list_->Draw(dc, x, y, index, enabled);
}

LPARAM TTabImages::AsParam() const {
    return list_ ? reinterpret_cast<LPARAM>(static_cast<const TabImageSource*>(this)) : 0;
}
