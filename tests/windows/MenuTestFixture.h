#pragma once
// What the menu skinning tests share: a skin manager whose sections the test writes by hand,
// a form with a main menu of one submenu, the menu skinning object under test, and canvases
// over small bitmaps that the handlers draw into.
#include <cstdlib>
#include <memory>
#include <string>

#include "paint/CommonDataTestFixture.h"
#include "paint/sBitmapDC.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/MainMenu.h"
#include "windows/sMenuBackdrop.h"
#include "windows/sMenuLineHost.h"
#include "windows/sSkinableMenus.h"

namespace menutest {

constexpr TColor Backdrop = RGB(200, 180, 160); // the "MAINMENU" colour
constexpr TColor ItemColor = RGB(40, 80, 120);  // the "MENUITEM" colour
constexpr TColor ItemHot = RGB(240, 20, 20);    // its hot colour
constexpr TColor Sentinel = RGB(1, 2, 3);       // what a target held before drawing

// A bitmap with a canvas over it, for a handler to draw into.
struct Surface {
    Surface(int width, int height) : bitmap(width, height, 24), dc(bitmap), canvas(dc.Handle()) {
        bitmap.Fill(Sentinel);
    }
    TColor At(int x, int y) const { return TColor(bitmap.GetPixel(x, y) & 0xFFFFFF); }
    Bitmap bitmap;
    TsBitmapDC dc;
    TCanvas canvas;
};

// The menu bar's host the form skinning would be: a band of one colour at a given top.
class FakeLineHost : public TsMenuLineHost {
  public:
    FakeLineHost(int width, int height, int top, TColor color)
        : cache_(width, height, 24), top_(top) {
        cache_.Fill(color);
    }
    const Bitmap* MenuLineCache() const override { return &cache_; }
    int MenuLineTop() const override { return top_; }
    TsSkinManager* MenuLineManager() const override { return nullptr; }

  private:
    Bitmap cache_;
    int top_;
};

} // namespace menutest

class MenuSkinTest : public CommonDataTest {
  protected:
    void SetUp() override {
        CommonDataTest::SetUp();
        ResetPopupState();
        PopupState().Measuring = false;
        menus_ = std::make_unique<TsSkinableMenus>(manager_.get());
        menu_ = form_->Make<TMainMenu>();
        file_ = Item(&menu_->Items(), "File");
    }
    void TearDown() override {
        TsMenuLineHost::Painting = nullptr;
        menus_.reset();
        ResetPopupState();
        CommonDataTest::TearDown();
    }
    TMenuItem* Item(TMenuItem* parent, const std::string& caption) {
        auto* item = form_->Make<TMenuItem>();
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    // A canvas in the menu font, as the handlers measure with.
    static void UseMenuFont(TCanvas& canvas) {
        NONCLIENTMETRICS metrics;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        canvas.Font.SetName(metrics.lfMenuFont.lfFaceName);
        canvas.Font.SetHeight(std::abs(int(metrics.lfMenuFont.lfHeight)));
    }
    static int MenuTextWidth(const std::string& text, unsigned style = 0) {
        menutest::Surface s(4, 4);
        UseMenuFont(s.canvas);
        s.canvas.Font.SetStyle(style);
        SelectObject(s.dc.Handle(), s.canvas.Font.Handle());
        RECT r{};
        DrawText(s.dc.Handle(), text.c_str(), int(text.size()), &r,
                 DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        return WidthOf(r);
    }
    static int MenuTextHeight() {
        menutest::Surface s(4, 4);
        UseMenuFont(s.canvas);
        return s.canvas.TextHeight("W");
    }
    void Measure(TMenuItem* item, int& width, int& height) {
        menutest::Surface s(4, 4);
        width = 0;
        height = 0;
        menus_->PopupMeasure(item, s.canvas, width, height);
    }
    // "MAINMENU" and "MENUITEM" of plain colours.
    void AddMenuSections() {
        AddSection("MAINMENU", menutest::Backdrop);
        TsGeneralData& item = AddSection("MENUITEM", menutest::ItemColor);
        item.HotColor = menutest::ItemHot;
    }

    std::unique_ptr<TsSkinableMenus> menus_;
    TMainMenu* menu_ = nullptr;
    TMenuItem* file_ = nullptr;
};
