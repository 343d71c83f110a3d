// The page control: tabs switch sheets, only the active sheet shows, sheets fill the display
// area, and a refused change keeps the page.
#include "toolkit/PageControl.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "platform/controls/TabControl.h"

namespace {

class PageControlTest : public ControlTest {
  protected:
    void MakePages() {
        form_ = MakeForm(368, 300);
        pages_ = Child<TPageControl>(form_, 0, 0, 368, 300, alClient);
        for (const char* caption : {"МАЗМҰНЫ", "Кестелер", "Тест"}) {
            auto* sheet = pages_->Make<TTabSheet>();
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages_);
            sheets_.push_back(sheet);
        }
        pages_->OnChange = [this](TComponent*) { changes_.push_back(pages_->TabIndex()); };
        ShowAndSettle(form_);
    }
    void ClickTab(int index) {
        RECT r{};
        ASSERT_TRUE(SendMessage(pages_->Handle(), TCM_GETITEMRECT, WPARAM(index), LPARAM(&r)));
        Click(ScreenPoint(pages_, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    std::vector<bool> Shown() const {
        std::vector<bool> shown;
        for (auto* s : sheets_) shown.push_back(s->Visible() && IsWindowVisible(s->Handle()));
        return shown;
    }
    TForm* form_ = nullptr;
    TPageControl* pages_ = nullptr;
    std::vector<TTabSheet*> sheets_;
    std::vector<int> changes_;
};

TEST_F(PageControlTest, ClickingATabShowsItsSheetAlone) {
    MakePages();
    EXPECT_EQ(pages_->ActivePage(), sheets_[0]) << "the first sheet added is active";
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);

    ClickTab(2);
    EXPECT_EQ(pages_->ActivePage(), sheets_[2]);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    ClickTab(1);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(changes_, (std::vector<int>{2, 1}));

    // Code that picks a page does not raise OnChange, but the tab follows.
    pages_->SetTabIndex(0);
    EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(changes_.size(), 2u);
}

TEST_F(PageControlTest, SheetsFillTheDisplayAreaAsTheControlResizes) {
    MakePages();
    const auto display = [&] {
        RECT r{0, 0, pages_->ClientWidth(), pages_->ClientHeight()};
        SendMessage(pages_->Handle(), TCM_ADJUSTRECT, 0, LPARAM(&r));
        return r;
    };
    EXPECT_EQ(sheets_[0]->BoundsRect(), display());
    form_->SetClientSize(300, 200);
    ProcessPendingMessages();
    EXPECT_EQ(pages_->Width(), 300);
    EXPECT_EQ(sheets_[0]->BoundsRect(), display());
    ClickTab(1);
    EXPECT_EQ(sheets_[1]->BoundsRect(), display());
}

TEST_F(PageControlTest, ARefusedChangeKeepsThePage) {
    MakePages();
    pages_->OnChanging = [](TComponent*, bool& allow) { allow = false; };
    ClickTab(1);
    EXPECT_EQ(pages_->ActivePage(), sheets_[0]);
    EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(changes_.empty());
}

TEST_F(PageControlTest, CaptionsAndRemovedPagesReachTheTabs) {
    MakePages();
    sheets_[1]->SetCaption("Суреттер");
    char text[64] = {};
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(pages_->Handle(), TCM_GETITEMA, 1, LPARAM(&item));
    EXPECT_EQ(std::string(text), "Суреттер");

    // Taking the active sheet away activates the one that takes its place.
    ClickTab(1);
    sheets_[1]->SetPageControl(nullptr);
    EXPECT_EQ(pages_->PageCount(), 2);
    EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(pages_->ActivePage(), sheets_[2]);
    EXPECT_EQ(pages_->TabIndex(), 1);
    EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(PageControlTest, OwnerDrawnTabsAreDrawnByOnDrawTab) {
    MakePages();
    std::vector<std::pair<int, bool>> drawn;
    pages_->OnDrawTab = [&](TPageControl* sender, int index, const RECT& r, bool active) {
        drawn.push_back({index, active});
        sender->Canvas().Brush.Color = RGB(0, 0, 255);
        sender->Canvas().FillRect(r);
    };
    pages_->SetOwnerDraw(true);
    ProcessPendingMessages();
    drawn.clear();
    const Bitmap shot = ClientShot(form_);
    std::sort(drawn.begin(), drawn.end()); // the selected tab is drawn last, over the others
    EXPECT_EQ(drawn, (std::vector<std::pair<int, bool>>{{0, true}, {1, false}, {2, false}}));
    RECT r{};
    SendMessage(pages_->Handle(), TCM_GETITEMRECT, 1, LPARAM(&r));
    EXPECT_EQ(Pixel(shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(0, 0, 255));
    EXPECT_EQ(pages_->ActivePage(), sheets_[0]) << "the window made again keeps the page";
    EXPECT_TRUE(IsWindowVisible(sheets_[0]->Handle()));
}

TEST_F(PageControlTest, StylesReachTheWindowWhichIsMadeAgainWithItsPages) {
    MakePages();
    ClickTab(2);
    struct Case {
        const char* name;
        std::function<void()> set;
        DWORD bits;
    };
    const Case cases[] = {
        {"tabs below", [&] { pages_->SetTabPosition(tpBottom); }, TCS_BOTTOM},
        {"buttons", [&] { pages_->SetStyle(tsButtons); }, TCS_BUTTONS},
        {"flat buttons", [&] { pages_->SetStyle(tsFlatButtons); }, TCS_BUTTONS | TCS_FLATBUTTONS},
        {"hot tracking", [&] { pages_->SetHotTrack(true); }, TCS_HOTTRACK},
        {"several rows", [&] { pages_->SetMultiLine(true); }, TCS_MULTILINE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.set();
        const DWORD style = DWORD(GetWindowLongPtr(pages_->Handle(), GWL_STYLE));
        EXPECT_EQ(style & c.bits, c.bits);
        EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessage(pages_->Handle(), TCM_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    }
    // A taller tab leaves a smaller display area, which the sheet follows.
    const int before = sheets_[2]->Height();
    pages_->SetTabHeight(40);
    EXPECT_LT(sheets_[2]->Height(), before);
    RECT r{0, 0, pages_->ClientWidth(), pages_->ClientHeight()};
    SendMessage(pages_->Handle(), TCM_ADJUSTRECT, 0, LPARAM(&r));
    EXPECT_EQ(sheets_[2]->BoundsRect(), r);
}

// Tabs on a side: the sheets fill what the strip leaves, and clicking a side tab switches.
TEST_F(PageControlTest, SideTabsLeaveTheSheetsTheRestAndStillSwitch) {
    MakePages();
    const RECT top = pages_->DisplayRect();
    const int thickness = top.top - 4 - 2; // the strip above: a margin of 2, then the tabs
    pages_->SetTabPosition(tpLeft);
    ProcessPendingMessages();
    EXPECT_EQ(pages_->DisplayRect(), (RECT{2 + thickness + 4, 4, 368 - 4, 300 - 4}));
    EXPECT_EQ(sheets_[0]->BoundsRect(), pages_->DisplayRect());
    ClickTab(1);
    EXPECT_EQ(pages_->ActivePage(), sheets_[1]);
    pages_->SetTabPosition(tpRight);
    ProcessPendingMessages();
    EXPECT_EQ(pages_->DisplayRect(), (RECT{4, 4, 368 - 4 - 2 - thickness, 300 - 4}));
    EXPECT_EQ(sheets_[1]->BoundsRect(), pages_->DisplayRect());
    EXPECT_EQ(pages_->ActivePage(), sheets_[1]) << "the window was made again; the page stays";
}

} // namespace
