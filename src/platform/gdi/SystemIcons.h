#pragma once
// The pictures of the system's message icons (IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION,
// IDI_ASTERISK): 32 x 32, 32 bits with straight alpha, top-down; empty for other ids.
#include "platform/gdi/Bitmap.h"

Bitmap DrawSystemIcon(int id);
