#pragma once
// Read access to a 24-bit bitmap's pixels.
#include "graphics/qvFastPixels.h"

using TqvFast24 = TqvFastPixels<24>;
