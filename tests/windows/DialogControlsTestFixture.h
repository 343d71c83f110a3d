#pragma once
// What the dialog control tests share: the skin data fixture's hand-written skin with a
// larger master bitmap, solid-coloured images in it, and skin data without an owner control,
// as a wrapper of a plain dialog window has.
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "paint/CommonDataTestFixture.h"

class DialogControlsTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        manager_->MasterBitmap = std::make_unique<Bitmap>(128, 64, 24);
        manager_->MasterBitmap->Fill(0);
    }

    // An image of frames side by side at (x, y) of the master bitmap, each frame w x h of
    // its own colour; the listed points of every frame are KeyColor.
    int AddSolidImage(const std::string& section, const std::string& property, int x, int y, int w,
                      int h, std::vector<TColor> frameColors,
                      std::initializer_list<POINT> keyed = {}) {
        Bitmap& m = *manager_->MasterBitmap;
        const int frames = int(frameColors.size());
        for (int f = 0; f < frames; ++f) {
            for (int dy = 0; dy < h; ++dy)
                for (int dx = 0; dx < w; ++dx)
                    m.SetPixel(x + f * w + dx, y + dy, frameColors[size_t(f)]);
            for (const POINT& p : keyed) m.SetPixel(x + f * w + p.x, y + p.y, KeyColor);
        }
        return AddImage(section, property, {x, y, x + frames * w, y + h}, frames, 0);
    }

    // Skin data of the section with no owner control.
    std::unique_ptr<TsCommonData> PlainData(const std::string& section) {
        auto data = std::make_unique<TsCommonData>(nullptr, true);
        data->SetSkinSection(section);
        return data;
    }

    static TColor At(const Bitmap& b, int x, int y) { return TColor(b.GetPixel(x, y) & 0xFFFFFF); }
};
