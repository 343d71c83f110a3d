#pragma once
// What the form skinning tests share: the skin data fixture's hand-written skin with a
// larger master bitmap, helpers that draw solid and key-cornered borders into it, and shown
// forms of any border style with a provider on them.
#include <gtest/gtest.h>
#include <memory>

#include "paint/CommonDataTestFixture.h"
#include "platform/backends/HeadlessBackend.h"
#include "toolkit/MainMenu.h"
#include "windows/sSkinProvider.h"

class ProviderTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        manager_->MasterBitmap = std::make_unique<Bitmap>(128, 64, 24);
        manager_->MasterBitmap->Fill(0);
        InstallFormSkinning();
    }
    void TearDown() override {
        TsSkinManager::ProviderUsesManager = nullptr;
        TsSkinManager::RebuildProviderFrame = nullptr;
        TsSkinManager::MakeFormProvider = nullptr;
        CommonDataTest::TearDown();
    }

    // A section whose normal and hot looks are the same colour.
    TsGeneralData& AddPlainSection(const std::string& name, TColor color) {
        TsGeneralData& gd = AddSection(name, color);
        gd.HotColor = color;
        return gd;
    }

    // A border of `frames` frames of size x size at (x, y) of the master bitmap, all of one
    // colour, with margins `margin`; the listed pixels of every frame are KeyColor.
    int AddBorder(const std::string& section, const std::string& property, int x, int y, int size,
                  int margin, TColor color, std::initializer_list<POINT> keyed = {},
                  int frames = 2) {
        Bitmap& m = *manager_->MasterBitmap;
        for (int f = 0; f < frames; ++f) {
            for (int dy = 0; dy < size; ++dy)
                for (int dx = 0; dx < size; ++dx) m.SetPixel(x + f * size + dx, y + dy, color);
            for (const POINT& p : keyed) m.SetPixel(x + f * size + p.x, y + p.y, KeyColor);
        }
        const int i = AddImage(section, property, {x, y, x + frames * size, y + size}, frames, 0);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = int16_t(margin);
        return i;
    }

    TForm* ShownForm(TFormBorderStyle style, TBorderIcons icons, int width = 300, int height = 200,
                     bool withMenu = false) {
        auto* form = app_->CreateForm<TForm>();
        form->SetBorderStyle(style);
        form->SetBorderIcons(icons);
        if (withMenu) {
            auto* menu = form->Make<TMainMenu>();
            auto* item = form->Make<TMenuItem>();
            item->SetCaption("File");
            menu->Items().Add(item);
            form->SetMenu(menu);
        }
        form->SetBounds(100, 50, width, height);
        form->Show();
        ProcessPendingMessages();
        return form;
    }
    TsSkinProvider* Provide(TForm* form) {
        auto* provider = form->Make<TsSkinProvider>();
        ProcessPendingMessages();
        return provider;
    }
    // The window as the screen shows it, in window coordinates.
    static TColor WindowPixel(TForm* form, int x, int y) {
        return TColor(WindowShot(form->Handle()).GetPixel(x, y) & 0xFFFFFF);
    }
    static TColor CachePixel(TsSkinProvider* p, int x, int y) {
        return TColor(p->SkinData->CacheBitmap->GetPixel(x, y) & 0xFFFFFF);
    }
};
