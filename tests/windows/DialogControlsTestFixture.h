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
#include "platform/backends/HeadlessBackend.h"
#include "windows/qvMainWnd.h"

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

    // A shown borderless form holding a skinned dialog face at (0, 0) whose cache is the
    // pattern DialogPixel: the background the wrapped controls are painted over.
    void ShowDialog() {
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(100, 50, 240, 160);
        dialog_ = Host(form_, "dialog", 0, "DIALOGFACE");
        dialog_->SetBounds(0, 0, 240, 160);
        form_->Show();
        ProcessPendingMessages();
        dialog_->SkinData->SizeCacheBitmap();
        Bitmap& cache = *dialog_->SkinData->CacheBitmap;
        for (int y = 0; y < cache.Height(); ++y)
            for (int x = 0; x < cache.Width(); ++x) cache.SetPixel(x, y, DialogPixel(x, y));
        dialog_->SkinData->CacheInvalid = false;
    }
    static TColor DialogPixel(int x, int y) { return RGB(x, y * 2 % 256, 60); }

    // A child window of the dialog face.
    HWND Child(const char* className, const char* text, DWORD style, RECT bounds) {
        return CreateWindowEx(0, className, text, WS_CHILD | WS_VISIBLE | style, bounds.left,
                              bounds.top, WidthOf(bounds), HeightOf(bounds), dialog_->Handle(),
                              nullptr, nullptr, nullptr);
    }
    template <typename Wrapper>
    std::unique_ptr<Wrapper> Wrap(HWND window, const char* section) {
        auto wrapper = std::make_unique<Wrapper>(window, false, section, nullptr, nullptr);
        wrapper->Start();
        return wrapper;
    }
    // The form as the screen shows it.
    TColor ScreenPixel(int x, int y) const { return At(WindowShot(form_->Handle()), x, y); }

    void TearDown() override {
        TqvMainWnd::HotWindow = nullptr;
        TqvMainWnd::WrappingDialogChild = false;
        CommonDataTest::TearDown();
    }

    SkinnedWin* dialog_ = nullptr;
};
