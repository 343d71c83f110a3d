// A control destroyed from its own custom-draw or owner-draw handler still ends its paint:
// the paint device context, and the top-level surface it holds, must go.
#include <gtest/gtest.h>

#include "BarTestUtil.h"
#include "platform/controls/CoolBar.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/ToolBar.h"
#include "platform/window/OwnerDraw.h"

namespace {

HDC g_paintDc = nullptr;

// Destroys the notifying control in the middle of its paint and remembers the context it drew with.
LRESULT DestroyingParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        if (cd->hdr.code == NM_CUSTOMDRAW && cd->dwDrawStage == CDDS_PREPAINT) {
            g_paintDc = cd->hdc;
            DestroyWindow(cd->hdr.hwndFrom);
            return CDRF_SKIPDEFAULT;
        }
        return 0;
    }
    if (msg == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        g_paintDc = item->hDC;
        DestroyWindow(item->hwndItem);
        return 1;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct DestroyedControl {
    const char* name;
    const char* cls;
    DWORD style;
    void (*fill)(HWND control); // gives the control something to draw
};

void NoItems(HWND) {}
void OneTab(HWND tabs) {
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("One");
    SendMessage(tabs, TCM_INSERTITEMA, 0, LPARAM(&item));
}

class PaintEndsTest : public WindowTest, public ::testing::WithParamInterface<DestroyedControl> {};

TEST_P(PaintEndsTest, DestroyedFromItsDrawHandlerLeavesNoPaintContext) {
    RegisterCoolBarClass();
    RegisterToolBarClass();
    RegisterTabControlClass();
    WNDCLASS wc;
    wc.lpszClassName = "PaintEndsParent";
    wc.lpfnWndProc = DestroyingParentProc;
    RegisterClass(wc);
    HWND parent = Track(MakePlainParent(300, 200, "PaintEndsParent"));
    HWND control = CreateWindowEx(0, GetParam().cls, "", WS_CHILD | WS_VISIBLE | GetParam().style,
                                  0, 0, 200, 40, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(control);
    GetParam().fill(control);
    g_paintDc = nullptr;
    InvalidateRect(control, nullptr, true);
    UpdateWindow(control);
    ASSERT_FALSE(IsWindow(control));
    ASSERT_TRUE(g_paintDc);
    EXPECT_EQ(SaveDC(g_paintDc), 0) << "the paint context outlived its window";
}

INSTANTIATE_TEST_SUITE_P(
    Controls, PaintEndsTest,
    ::testing::Values(DestroyedControl{"CoolBar", REBARCLASSNAME, 0, NoItems},
                      DestroyedControl{"ToolBar", TOOLBARCLASSNAME, 0, NoItems},
                      DestroyedControl{"TabControl", WC_TABCONTROL, TCS_OWNERDRAWFIXED, OneTab}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
