#pragma once
// Multi-stop gradients: the "GRADIENTDATA" text of a skin section and its painting.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

// One gradient segment. Only the first segment's Mode counts: 0 vertical (rows top to
// bottom), 1 horizontal (columns left to right), 2 four triangles meeting in the centre.
struct TsGradPie {
    TColor Color1 = 0;
    TColor Color2 = 0;
    uint8_t Percent = 0; // share of the rectangle, 0..100
    int32_t Mode = 0;
    friend bool operator==(const TsGradPie&, const TsGradPie&) = default;
};
using TsGradArray = std::vector<TsGradPie>;

// Empties grad, then fills it from text (five ";"-separated integers per segment, the fifth
// ignored, leftover words ignored). A word that is not a decimal integer raises EConvertError.
void ParseGradientData(std::string_view text, TsGradArray& grad);

// Paints grad into rect (exclusive) of a 24-bit bitmap; offset moves the start of the
// vertical segments down.
void PaintGradient(Bitmap& bitmap, const RECT& rect, const TsGradArray& grad, int offset = 0);
