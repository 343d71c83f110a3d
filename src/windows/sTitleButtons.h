#pragma once
// The program's own buttons in a form's title bar, right of the system buttons' row, and the
// record every caption button keeps of its state, image and place.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "toolkit/Control.h"

// One caption button: State 0 normal, 1 hot, 2 pressed; ImageIndex into the manager's images
// (-1: none); Rect in window coordinates.
struct TsFrameButton {
    int State = 0;
    int ImageIndex = -1;
    RECT Rect{};
};

// A point on a caption button: its hit tests count both edges of the rectangle; an empty
// rectangle (a button without a place) holds none.
inline bool InsideInclusive(const RECT& r, POINT p) {
    return r.right > r.left && p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

class TsTitleButton;
using TsTitleButtonEvent = std::function<void(TsTitleButton* sender, TMouseButton button,
                                              TShiftState shift, int x, int y)>;

class TsTitleButton {
  public:
    std::string Name = "TsTitleButton";
    std::unique_ptr<Bitmap> Glyph;
    bool UseSkinData = true; // the skin's TITLEBUTTON image behind the glyph
    bool Enabled = true;
    TsTitleButtonEvent OnMouseDown;
    TsTitleButtonEvent OnMouseUp;
    TsFrameButton FrameButton;
};

class TsTitleButtons {
  public:
    TsTitleButton& Add();
    int Count() const { return int(items_.size()); }
    TsTitleButton& Items(int index) { return *items_.at(size_t(index)); }
    const TsTitleButton& Items(int index) const { return *items_.at(size_t(index)); }
    void Delete(int index);
    void Clear() { items_.clear(); }

  private:
    std::vector<std::unique_ptr<TsTitleButton>> items_;
};
