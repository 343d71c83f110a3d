#pragma once
// What the tool bar and cool bar tests share: a tiny skin written straight into the manager
// (a framed "TOOLBAR", a "TOOLBUTTON" whose border has one solid frame per state, the down
// scroll glyph) and pixels read off the shown form in a bar's window coordinates.
#include "controls/sCoolBar.h"
#include "controls/sToolBar.h"
#include "paint/CommonDataTestFixture.h"
#include "platform/backends/HeadlessBackend.h"

namespace bars {

constexpr TColor BarEdge = RGB(10, 20, 30);    // the bar border's outer pixels
constexpr TColor BarColor = RGB(200, 100, 50); // the bar section's background
constexpr TColor Frame[3] = {RGB(50, 150, 250), RGB(250, 50, 150), RGB(150, 250, 50)};
constexpr TColor Glyph[3] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)};

} // namespace bars

class BarsTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        manager_->MasterBitmap = std::make_unique<Bitmap>(32, 8, 24);
        Bitmap& m = *manager_->MasterBitmap;
        m.Fill(0);
        // The bar's border: a 3 x 3 frame of BarEdge at (0, 0) with a key centre, so the
        // bar's own colour shows inside it.
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                m.SetPixel(x, y, x == 1 && y == 1 ? KeyColor : bars::BarEdge);
        AddSection("TOOLBAR", bars::BarColor);
        Margins(AddImage("TOOLBAR", "BORDERSMASK", {0, 0, 3, 3}, 1, 0));
        // The button border: three solid 3 x 3 frames from x 3, one per state.
        for (int s = 0; s < 3; ++s)
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x) m.SetPixel(3 + 3 * s + x, y, bars::Frame[s]);
        AddSection("TOOLBUTTON", RGB(90, 90, 90));
        Margins(AddImage("TOOLBUTTON", "BORDERSMASK", {3, 0, 12, 3}, 3, 0));
        // The down glyph: three 2 x 2 frames from x 12.
        for (int s = 0; s < 3; ++s)
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x) m.SetPixel(12 + 2 * s + x, y, bars::Glyph[s]);
        AddSection("SCROLLBTNBOTTOM");
        AddImage("SCROLLBTNBOTTOM", "GLYPHMASK", {12, 0, 18, 2}, 3, 0, itisaGlyph);
        form_->SetBounds(0, 0, 320, 120);
    }
    void Margins(int image) {
        TsMaskData& md = manager_->MasksData[size_t(image)];
        md.WL = md.WT = md.WR = md.WB = 1;
    }
    // The pixel at (x, y) of the control's window as it is on the screen now.
    static TColor WindowPixel(TWinControl* control, int x, int y) {
        HWND top = control->Handle();
        while (GetParent(top)) top = GetParent(top);
        RECT outer{}, inner{};
        GetWindowRect(top, &outer);
        GetWindowRect(control->Handle(), &inner);
        const Bitmap shot = WindowShot(top);
        return TColor(shot.GetPixel(inner.left - outer.left + x, inner.top - outer.top + y) &
                      0xFFFFFF);
    }
    void Show() {
        form_->Show();
        ProcessPendingMessages();
    }
};
