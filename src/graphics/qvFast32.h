#pragma once
// Read access to a 32-bit bitmap's colour bytes.
#include "graphics/qvFastPixels.h"

using TqvFast32 = TqvFastPixels<32>;
