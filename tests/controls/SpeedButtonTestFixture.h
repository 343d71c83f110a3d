#pragma once
// A tiny hand-written skin with a "SPEEDBUTTON" section of two plain colours, and speed
// buttons on a form of the test.
#include <gtest/gtest.h>

#include "controls/sSpeedButton.h"
#include "paint/CommonDataTestFixture.h"

constexpr TColor kFace = RGB(200, 200, 200); // the section's normal colour
constexpr TColor kHot = RGB(100, 120, 140);  // its hot (and pressed) colour
constexpr TColor kGlyphKey = RGB(255, 0, 255);

class SpeedButtonTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        TsGeneralData& section = AddSection("SPEEDBUTTON", kFace);
        section.HotColor = kHot;
    }
    TsGeneralData& ButtonSection() { return manager_->SectionsData.back(); }
    // A 30 x 30 button at (10, 5) of the form, skinned.
    TsSpeedButton* Button(const char* name = "Button") {
        auto* b = form_->Make<TsSpeedButton>();
        b->SetName(name);
        b->SetBounds(10, 5, 30, 30);
        b->SetParent(form_);
        b->SkinData()->RefreshSkinIndexes();
        return b;
    }
    // Frames of 8 x 8 pixels side by side, frame f in colours[f], each frame's bottom-left
    // pixel the transparent colour.
    static Bitmap Glyph(const std::vector<TColor>& colours) {
        const int n = int(colours.size());
        Bitmap b(8 * n, 8, 24);
        for (int f = 0; f < n; ++f)
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) b.SetPixel(8 * f + x, y, colours[size_t(f)]);
        for (int f = 0; f < n; ++f) b.SetPixel(8 * f, 7, kGlyphKey);
        return b;
    }
    static TColor Pixel(TsSpeedButton* b, int x, int y) {
        return TColor(b->SkinData()->CacheBitmap->GetPixel(x, y) & 0xFFFFFF);
    }
};
