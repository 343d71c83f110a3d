#pragma once
// A contact sheet of a whole skin: every section at a small, a wide and a tall size, normal and
// hot, labelled with its name on a neutral background.
#include "platform/gdi/Bitmap.h"

class TSkinRenderer;

Bitmap ContactSheet(TSkinRenderer& renderer);
