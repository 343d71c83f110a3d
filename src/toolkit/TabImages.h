#pragma once
// Lends an image list to the window system's tab control: the tabs draw their images
// through it. The control that owns it clears the list when the list goes.
#include "platform/controls/TabControl.h"
#include "toolkit/ImageList.h"

class TTabImages : public TabImageSource {
  public:
    TImageList* List() const { return list_; }
    void SetList(TImageList* list) { list_ = list; }

    SIZE ImageSize() const override;
    int ImageCount() const override;
    void DrawImage(HDC dc, int x, int y, int index, bool enabled) const override;

    // What a tab control is told: this, or null without a list.
    LPARAM AsParam() const;

  private:
    TImageList* list_ = nullptr;
};
