#pragma once
// Lays out HTML bytes as the view would (charset, nesting limit, default style) and paints the
// top of it into a bitmap, without a window: for the fuzzer and for checks of the layout.
#include <string>
#include <string_view>

#include "platform/gdi/Bitmap.h"

Bitmap RenderHtmlSnapshot(std::string_view bytes, const std::string& documentPath, int width,
                          int height);
