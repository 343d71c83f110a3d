#pragma once
// Pictures the skin benchmarks paint from.
#include <cstdint>
#include <memory>

#include "graphics/sAlphaGraph.h"
#include "platform/gdi/Bitmap.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinRecords.h"

// Every pixel different, so that no copy can be skipped as a run of one colour.
inline Bitmap Patterned(int width, int height, int seed) {
    Bitmap b(width, height, 24);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = b.ScanLine(y);
        for (int i = 0; i < width * 3; ++i) p[i] = uint8_t(i * 7 + y * 13 + seed);
    }
    return b;
}

// A masked border entry in its own bitmap: `frames` frames of frame x frame pixels above their
// mask, with KeyColor corner pixels so that the parent is consulted.
inline TsMaskData MaskedBorder(TsSkinManager& manager, int frames, int frame, int margin) {
    TsMaskData md;
    md.Bmp = std::make_unique<Bitmap>(Patterned(frames * frame, 2 * frame, 3));
    for (int f = 0; f < frames; ++f)
        for (int i = 0; i < 3; ++i) {
            md.Bmp->SetPixel(f * frame + i, 0, KeyColor);
            md.Bmp->SetPixel(f * frame + frame - 1 - i, frame - 1, KeyColor);
        }
    md.R = {0, 0, frames * frame, 2 * frame};
    md.ImageCount = int16_t(frames);
    md.MaskType = 1;
    md.WL = md.WT = md.WR = md.WB = int16_t(margin);
    md.Manager = &manager;
    return md;
}
