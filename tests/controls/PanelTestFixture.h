#pragma once
// What the panel, label and splitter tests share: a tiny skin written by hand on top of the
// skin data fixture, and a bitmap with a drawing context to paint into.
#include <memory>

#include "paint/CommonDataTestFixture.h"
#include "paint/sBitmapDC.h"

// A 24-bit bitmap filled with one colour and a context over it.
struct PaintTarget {
    PaintTarget(int w, int h, TColor fill) : Pixels(w, h, 24, true) {
        Pixels.Fill(fill);
        DC = std::make_unique<TsBitmapDC>(Pixels);
    }
    HDC Handle() const { return DC->Handle(); }
    Bitmap Pixels;
    std::unique_ptr<TsBitmapDC> DC;
};

class PanelTest : public CommonDataTest {
  protected:
    // An unmasked border of one-pixel sides in `frames` frames: frame i is all frameColors[i].
    // The frames sit side by side from (x, 0) of the master bitmap.
    int AddSolidBorder(const char* section, int x, std::initializer_list<TColor> frameColors) {
        Bitmap& m = *manager_->MasterBitmap;
        int frame = 0;
        for (TColor c : frameColors) {
            for (int dy = 0; dy < 3; ++dy)
                for (int dx = 0; dx < 3; ++dx) m.SetPixel(x + 3 * frame + dx, dy, c);
            ++frame;
        }
        const int i = AddImage(section, "BORDERSMASK", {x, 0, x + 3 * frame, 3}, frame, 0);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = 1;
        return i;
    }
};
