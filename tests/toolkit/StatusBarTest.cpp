// The status bar: panel texts and widths reach the window, made before or after it.
#include "platform/controls/StatusBar.h"

#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "toolkit/StatusBar.h"

namespace {

std::string PartText(HWND bar, int index) {
    const LRESULT info = SendMessage(bar, SB_GETTEXTLENGTHA, WPARAM(index), 0);
    std::string text(LOWORD(info) + 1, '\0');
    SendMessage(bar, SB_GETTEXTA, WPARAM(index), LPARAM(text.data()));
    text.resize(LOWORD(info));
    return text;
}

std::vector<int> PartEdges(HWND bar) {
    std::vector<int> edges(size_t(SendMessage(bar, SB_GETPARTS, 0, 0)));
    SendMessage(bar, SB_GETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));
    return edges;
}

TEST_F(ControlTest, StatusBarSendsPanelsMadeBeforeItsWindowAndLaterTexts) {
    TForm* form = MakeForm(400, 300);
    auto* bar = form->Make<TStatusBar>();
    bar->SetBorderWidth(1);
    for (int i = 0; i < 3; ++i) bar->AddPanel(100, "p" + std::to_string(i));
    bar->SetParent(form);
    ShowAndSettle(form);

    const HWND hwnd = bar->Handle();
    // Cumulative right edges; the last part runs to the end of the bar.
    EXPECT_EQ(PartEdges(hwnd), (std::vector<int>{100, 200, -1}));
    EXPECT_EQ(PartText(hwnd, 0), "p0");
    EXPECT_EQ(PartText(hwnd, 2), "p2");

    bar->SetPanelText(1, "Бет 3 / 12");
    EXPECT_EQ(PartText(hwnd, 1), "Бет 3 / 12");
    EXPECT_EQ(bar->Panel(1).Text, "Бет 3 / 12");
    // Out-of-range indices are ignored rather than written past the panels.
    bar->SetPanelText(3, "x");
    bar->SetPanelText(-1, "x");
    EXPECT_EQ(bar->PanelCount(), 3);

    // Aligned to the bottom at its default height, across the whole client width.
    EXPECT_EQ(bar->BoundsRect(), (RECT{0, 300 - STATUSBAR_DEFAULT_HEIGHT, 400, 300}));
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ(wr.top - origin.y, 300 - STATUSBAR_DEFAULT_HEIGHT);

    // A window made again (size grip toggled) gets the panels again.
    bar->SetSizeGrip(false);
    EXPECT_EQ(PartText(bar->Handle(), 1), "Бет 3 / 12");
}

TEST_F(ControlTest, StatusBarSimplePanelShowsOnePartThenRestoresThePanels) {
    TForm* form = MakeForm(400, 300);
    auto* bar = Child<TStatusBar>(form, 0, 0, 400, 20, alBottom);
    bar->SetPanels({{100, "a"}, {100, "b"}});
    ShowAndSettle(form);
    bar->SetSimpleText("Жүктелуде...");
    bar->SetSimplePanel(true);
    EXPECT_EQ(PartEdges(bar->Handle()), (std::vector<int>{-1}));
    EXPECT_EQ(PartText(bar->Handle(), 0), "Жүктелуде...");
    bar->SetPanelText(1, "c"); // kept for later, not shown
    bar->SetSimplePanel(false);
    EXPECT_EQ(PartEdges(bar->Handle()), (std::vector<int>{100, -1}));
    EXPECT_EQ(PartText(bar->Handle(), 1), "c");
}

} // namespace
