#pragma once
// Pictures the skin benchmarks paint from.
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/sAlphaGraph.h"
#include "platform/gdi/Bitmap.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinRecords.h"
#include "skin/sSkinSections.h"

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

// An options file of the size the stored skins have: 66 sections, each with a parent, colours,
// a gradient, a border image, a glyph and a texture in the master bitmap.
inline std::string SixtySixSections() {
    std::string text =
        "[GLOBALINFO]\r\nVERSION=5.36\r\nMASTERBITMAP=MASTER.BMP\r\nSHADOW1OFFSET=2\r\n";
    for (const char* name : kSkinSectionNames) {
        if (std::string(name) == "GLOBALINFO") continue;
        text += std::string("[") + name + "]\r\n";
        text += std::string(name) == "PANEL" ? "" : "PARENTCLASS=PANEL\r\n";
        text += "COLOR=15591641\r\nFONTCOLOR=0\r\nTCLEFT=-1\r\nHOTFONTCOLOR="
                "8388608\r\nTRANSPARENCY=-1\r\n"
                "GRADIENTPERCENT=100\r\nSHOWFOCUS=TRUE\r\nFADINGENABLED=TRUE\r\n"
                "GRADIENTDATA=16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;16184300;"
                "42;0;0\r\n"
                "HOTGRADIENTDATA=16777215;16247000;50;0;0;16247000;15720000;50;0;0\r\n"
                "BORDERSMASK=^0087^0049^0093^0053^0000^0000^0002^0000^1^0^1^1\r\n"
                "GLYPHMASK=@0000@0000@0039@0013@3@0\r\n"
                "PATTERN=~0111~0013~0117~0025~10~1\r\n";
    }
    return text;
}
