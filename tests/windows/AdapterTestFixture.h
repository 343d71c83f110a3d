#pragma once
// What the adapter and wrapper tests share: the form skinning fixture's hand-written skin
// with "EDIT" and "BUTTON" sections, a shown form with a provider, and standard controls
// placed on it.
#include <gtest/gtest.h>

#include "platform/controls/TreeView.h"
#include "toolkit/BitBtn.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/TreeView.h"
#include "windows/ProviderTestFixture.h"
#include "windows/qvCtrlAdapter.h"
#include "windows/qvMainWnd.h"

class AdapterTest : public ProviderTest {
  protected:
    static constexpr TColor kEditColor = 0x302010;
    static constexpr TColor kEditHot = 0x00A000;
    static constexpr TColor kEditHotFont = 0x0000C0;
    static constexpr TColor kEditBorder = 0x4080F0;

    void SetUp() override {
        ProviderTest::SetUp();
        AddPlainSection("FORM", 0x808080);
        TsGeneralData& edit = AddSection("EDIT", kEditColor);
        edit.HotColor = kEditHot;
        edit.HotFontColor[0] = kEditHotFont;
        AddBorder("EDIT", "BORDERSMASK", 0, 0, 8, 2, kEditBorder);
        form_ = ShownForm(bsSingle, 0, 300, 200);
    }
    void TearDown() override {
        TsSkinManager::MakeMenuWindowAdapter = nullptr;
        ProviderTest::TearDown();
    }
    template <typename T>
    T* Put(TWinControl* parent, const char* name, RECT bounds) {
        T* c = parent->Make<T>();
        c->SetName(name);
        c->SetBounds(bounds.left, bounds.top, WidthOf(bounds), HeightOf(bounds));
        c->SetParent(parent);
        c->HandleNeeded();
        return c;
    }
    // The provider after its adapter wrapped the form's controls.
    TsSkinProvider* ProvideAndWrap() {
        TsSkinProvider* p = Provide(form_);
        p->Adapter()->WrapAllControls();
        ProcessPendingMessages();
        return p;
    }
    static TqvMainWnd* WrapperOf(TWinControl* c) { return TqvMainWnd::FromWindow(c->Handle()); }
    // A pixel of the control's window (frame included) as the screen shows it.
    static TColor ScreenPixel(TWinControl* c, int x, int y) {
        RECT r{};
        GetWindowRect(c->Handle(), &r);
        return TColor(Screenshot().GetPixel(r.left + x, r.top + y) & 0xFFFFFF);
    }
};
