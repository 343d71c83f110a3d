#pragma once
// A list of images of one size with a transparent colour: the glyphs of menus, tool bars,
// tabs and speed buttons. Images are kept as pixels; drawing copies the pixels that are not
// the transparent colour, or, greyed, draws the classic disabled look: every opaque pixel
// in the highlight colour one pixel down and right, then in the shadow colour in place.
#include <functional>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Component.h"

class TImageList : public TComponent {
  public:
    TImageList(TComponent* owner, int width = 16, int height = 16);
    const char* ClassName() const override { return "TImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    COLORREF BkColor() const { return transparent_; }
    void SetTransparentColor(COLORREF color);
    int Count() const { return int(images_.size()); }

    // Adds the images in a strip of the list's height, one per Width() columns from the left;
    // a strip narrower than one image adds nothing. Returns the index of the first added or -1.
    int Add(const Bitmap& strip);
    int Add(HBITMAP strip);
    void Delete(int index);
    void Clear();
    // The image's pixels (24 bits), or null for a bad index.
    const Bitmap* Image(int index) const;

    // Draws the image with its top-left corner at (x, y); nothing for a bad index.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

    // Images were added, removed or resized; a control that shows them repaints.
    std::function<void()> OnChange;

  private:
    void Changed();

    int width_;
    int height_;
    COLORREF transparent_ = RGB(255, 0, 255);
    std::vector<Bitmap> images_;
};
