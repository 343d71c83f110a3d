#include "graphics/sGradient.h"

#include "platform/StrUtils.h"

void ParseGradientData(std::string_view text, TsGradArray& grad) {
    grad.clear();
    (void)text;
}

void PaintGradient(Bitmap&, const RECT&, const TsGradArray&, int) {}
