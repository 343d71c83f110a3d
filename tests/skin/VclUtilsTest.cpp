#include <gtest/gtest.h>

#include "SkinManagerTestFixture.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "skin/sVclUtils.h"
#include "toolkit/Panel.h"

using VclUtilsTest = SkinWindowTest;

TEST_F(VclUtilsTest, AlignedSizeSumsTheVisibleChildrenOfOneAlignment) {
    TForm* form = app_->CreateForm<TForm>();
    form->SetBounds(0, 0, 400, 300);
    auto place = [&](TControl* c, TAlign align, int w, int h, bool visible) {
        c->SetBounds(0, 0, w, h);
        c->SetAlign(align);
        c->SetVisible(visible);
        c->SetParent(form);
    };
    place(form->Make<TPanel>(), alTop, 50, 20, true);
    place(form->Make<TPanel>(), alTop, 50, 7, true);
    place(form->Make<TPanel>(), alTop, 50, 100, false); // hidden: left out
    place(form->Make<TPanel>(), alLeft, 30, 10, true);
    place(form->Make<RecordingGraphic>(&log_, false), alTop, 10, 5, true); // windowless

    EXPECT_EQ(AlignedSize(form, alTop, false), 27);
    EXPECT_EQ(AlignedSize(form, alTop, true), 32);
    EXPECT_EQ(AlignedSize(form, alLeft, false), 30);
    EXPECT_EQ(AlignedSize(form, alClient, true), 0);
    EXPECT_EQ(AlignedSize(nullptr, alTop, true), 0);
}

TEST_F(VclUtilsTest, ReadinessAndTheOwningForm) {
    TForm* form = app_->CreateForm<TForm>();
    TPanel* panel = form->Make<TPanel>();
    EXPECT_FALSE(IsReadyToRepaint(panel)); // no parent, no window
    panel->SetParent(form);
    form->Show();
    panel->Handle();
    EXPECT_TRUE(IsReadyToRepaint(panel));
    EXPECT_EQ(FindParentForm(panel), form);
    EXPECT_EQ(FindParentForm(app_.get()), nullptr);
}

TEST_F(VclUtilsTest, ClientRectInWindowCoordinates) {
    TForm* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsSingle);
    form->SetBounds(100, 50, 300, 200);
    form->Show();
    HWND window = form->Handle();
    RECT windowRect{}, client{};
    GetWindowRect(window, &windowRect);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    ClientRectInWindow(window, client);
    EXPECT_EQ(client.left, origin.x - windowRect.left);
    EXPECT_EQ(client.top, origin.y - windowRect.top);
    EXPECT_GT(client.top, client.left); // the caption lies above the client
    EXPECT_EQ(client.right - client.left, form->ClientWidth());
}

TEST(TextFlagsFor, AlignmentPicksTheHorizontalFlag) {
    const UINT common = DT_VCENTER | DT_EXPANDTABS;
    EXPECT_EQ(TextFlagsFor(nullptr, taLeftJustify), common | DT_LEFT);
    EXPECT_EQ(TextFlagsFor(nullptr, taRightJustify), common | DT_RIGHT);
    EXPECT_EQ(TextFlagsFor(nullptr, taCenter), common | DT_CENTER);
}
