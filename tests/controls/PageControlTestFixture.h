#pragma once
// What the page control tests share: a hand-written skin with plain sections for the page
// area and the tabs, and a page control with a few sheets on a shown form.
#include <string>
#include <vector>

#include "controls/sPageControl.h"
#include "paint/CommonDataTestFixture.h"

class PageControlTest : public CommonDataTest {
  protected:
    static constexpr TColor kPage = 0x00C000;   // PAGECONTROL
    static constexpr TColor kTab = 0xC00000;    // TABTOP and its border normal frame
    static constexpr TColor kHot = 0xC0C000;    // the border hot frame
    static constexpr TColor kActive = 0x00C0C0; // the border active frame
    static constexpr TColor kDialog = 0x0000C0; // DIALOG and its border
    static constexpr TColor kFormColor = 0x808080;

    // Sections for the page areas of every side, tabs with a one-colour border each, and
    // the dialog section a sheet may take for its tab.
    void AddPageSkin() {
        for (const char* s :
             {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT"})
            AddSection(s, kPage);
        manager_->MasterBitmap = std::make_unique<Bitmap>(18, 12, 24);
        FillMaster(RECT{0, 0, 6, 6}, kTab);
        FillMaster(RECT{6, 0, 12, 6}, kHot);
        FillMaster(RECT{12, 0, 18, 6}, kActive);
        FillMaster(RECT{0, 6, 18, 12}, kDialog);
        for (const char* s : {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"}) {
            AddSection(s, kTab);
            Border(s, RECT{0, 0, 18, 6});
        }
        AddSection("DIALOG", kDialog);
        Border("DIALOG", RECT{0, 6, 18, 12});
        manager_->LookupCachedIndexes();
    }
    void FillMaster(RECT r, TColor c) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                manager_->MasterBitmap->SetPixel(x, y, uint32_t(c));
    }
    // Three frames of 6 x 6 with 2-pixel edges, no mask.
    void Border(const std::string& section, RECT r) {
        const int i = AddImage(section, "BORDERSMASK", r, 3, 0);
        TsMaskData& md = manager_->MasksData[size_t(i)];
        md.WL = md.WT = md.WR = md.WB = 2;
    }
    // A page control on the form with sheets of the given captions.
    TsPageControl* MakeControl(TTabPosition position, const std::vector<std::string>& captions,
                               int width = 300, int height = 200) {
        form_->SetColor(kFormColor);
        auto* pc = form_->Make<TsPageControl>();
        pc->SetTabPosition(position);
        pc->SetBounds(10, 10, width, height);
        pc->SetParent(form_);
        for (const std::string& c : captions) {
            auto* sheet = form_->Make<TsTabSheet>();
            sheet->SetCaption(c);
            sheet->SetPageControl(pc);
        }
        form_->Show();
        pc->HandleNeeded();
        pc->Loaded();
        return pc;
    }
    static RECT Native(TsPageControl* pc, int i) { return pc->NativeTabRect(i); }
};
