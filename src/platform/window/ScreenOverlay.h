#pragma once
// What is drawn straight onto the screen (through GetDC(nullptr) or a context of the desktop
// window), such as the outline of a window being dragged. As on a real screen it lies over
// the windows until it is drawn away: the pixels a screen context left different from the
// windows it was drawn over are kept, and drawing them back to those windows' colours (the
// second XOR of an outline) takes them off again. Repainting the whole screen
// (InvalidateRect without a window) takes everything off.
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class ScreenOverlay {
  public:
    static ScreenOverlay& Instance();

    // A screen context starts from the windows composed (`windows`); the kept pixels are
    // put over them in `surface`, where the context draws.
    void Begin(HDC dc, const Bitmap& windows, Bitmap& surface);
    // On release: what the context's drawing left is kept.
    void End(HDC dc, const Bitmap& surface);
    void ApplyTo(Bitmap& screen) const;
    // Puts the kept pixels that lie in `area` (screen coordinates) over rows of 3-byte pixels
    // (blue, green, red) showing that area: row 0 shows area.top, column 0 area.left, and
    // rowDelta is the signed distance from one row to the next.
    void ApplyToRows(uint8_t* row0, std::ptrdiff_t rowDelta, const RECT& area) const;
    void Clear();
    bool Empty() const { return keptCount_ == 0; }
    // The screen rectangle around every pixel that came on, went off or changed since the
    // last call (empty when nothing did), so that a backend showing windows can show it.
    RECT TakeChangedArea();

  private:
    void Fit(int width, int height);
    void NoteChanged(const RECT& area);

    std::map<HDC, Bitmap> bases_; // the windows under each open screen context
    Bitmap pixels_;
    std::vector<bool> kept_;
    int keptCount_ = 0;
    RECT changed_{};
};
