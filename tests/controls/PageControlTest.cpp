#include "PageControlTestFixture.h"
#include "platform/controls/TabControl.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Messages.h"

namespace {

// Moves from the native tab rectangle to the painted one: left, top, right, bottom.
struct BoundsCase {
    TTabPosition position;
    int active[4];
    int inactive[4];
};

RECT Grow(RECT r, const int (&d)[4]) {
    return {r.left + d[0], r.top + d[1], r.right + d[2], r.bottom + d[3]};
}

POINT Centre(RECT r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A point of a tab away from its caption, which is centred.
POINT BesideCaption(RECT n, bool side) {
    return side ? POINT{(n.left + n.right) / 2, n.top + 3}
                : POINT{n.left + 3, (n.top + n.bottom) / 2};
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

} // namespace

TEST_F(PageControlTest, TabBoundsFollowThePositionAndTheActiveTab) {
    AddPageSkin();
    const BoundsCase cases[] = {
        {tpTop, {-2, -2, 2, 2}, {0, 0, -1, 4}},
        {tpBottom, {-2, -3, 2, 1}, {0, -2, -1, 0}},
        {tpLeft, {-1, -2, 3, 1}, {0, -1, 3, 0}},
        {tpRight, {-3, -2, 1, 2}, {-2, -1, -1, 0}},
    };
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(int(c.position));
        TsPageControl* pc = MakeControl(c.position, {"One", "Two", "Three"});
        for (int i = 0; i < 3; ++i) {
            const RECT n = Native(pc, i);
            ASSERT_FALSE(IsRectEmpty(n));
            EXPECT_EQ(pc->SkinnedTabBounds(i, true), Grow(n, c.active));
            EXPECT_EQ(pc->SkinnedTabBounds(i, false), Grow(n, c.inactive));
        }
        EXPECT_EQ(pc->SkinnedTabBounds(3, false), RECT{}); // no such tab
        pc->SetStyle(tsButtons);                           // buttons keep their native place
        EXPECT_EQ(pc->SkinnedTabBounds(1, false), Native(pc, 1));
        delete pc;
    }
}

TEST_F(PageControlTest, WithoutAnActivePageNoTabHasBounds) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One"});
    pc->SetActivePage(nullptr);
    EXPECT_EQ(pc->SkinnedTabBounds(0, false), RECT{});
    EXPECT_EQ(pc->TabRowNumber(0), 1); // a single row
}

TEST_F(PageControlTest, StripAndFrameSplitTheControlAtThePageArea) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two"});
    const RECT c = pc->DisplayRect();
    EXPECT_EQ(pc->StripArea(), (RECT{0, 0, 300, c.top - 4}));
    EXPECT_EQ(pc->FrameArea(), (RECT{0, c.top - 4, 300, 200}));
    pc->SetTabPosition(tpRight);
    const RECT r = pc->DisplayRect();
    EXPECT_EQ(pc->StripArea(), (RECT{r.right + 1, 0, 300, 200}));
    EXPECT_EQ(pc->FrameArea(), (RECT{0, 0, r.right + 1, 200}));
}

TEST_F(PageControlTest, HotTrackingFollowsTheMouseAndLeavesTheActiveTabAlone) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two", "Three"});
    pc->SetHotTrack(true);
    pc->HandleNeeded();
    // An inactive tab reaches 4 pixels below its native rectangle.
    const RECT two = Native(pc, 1);
    EXPECT_EQ(pc->TabAtPoint(POINT{Centre(two).x, two.bottom + 3}), 1);
    EXPECT_EQ(pc->TabAtPoint(POINT{Centre(two).x, two.bottom + 4}), -1);

    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(two)));
    EXPECT_EQ(pc->TrackedTab, 1);
    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(Native(pc, 2))));
    EXPECT_EQ(pc->TrackedTab, 2);
    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(Native(pc, 0)))); // the active one
    EXPECT_EQ(pc->TrackedTab, -1);
    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(two)));
    pc->Perform(WM_MOUSEMOVE, 0, At(POINT{150, 150})); // the page area
    EXPECT_EQ(pc->TrackedTab, -1);
    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(two)));
    pc->Perform(CM_MOUSELEAVE, 0, LPARAM(pc));
    EXPECT_EQ(pc->TrackedTab, -1);
}

TEST_F(PageControlTest, ScrollButtonsShowOnlyWhenASingleTopOrBottomRowOverflows) {
    AddPageSkin();
    const std::vector<std::string> many(12, "A long caption");
    struct Case {
        TTabPosition position;
        bool multiLine;
        bool overflow;
        bool buttons;
    } cases[] = {
        {tpTop, false, false, false}, {tpTop, false, true, true},   {tpBottom, false, true, true},
        {tpTop, true, true, false},   {tpLeft, false, true, false}, {tpRight, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << c.multiLine << c.overflow);
        TsPageControl* pc =
            MakeControl(c.position, c.overflow ? many : std::vector<std::string>{"A"});
        pc->SetMultiLine(c.multiLine);
        pc->SyncScrollButtons();
        ASSERT_EQ(pc->ScrollButtons() != nullptr, c.buttons);
        if (c.buttons) {
            const TsUpDown* ud = pc->ScrollButtons();
            EXPECT_EQ(ud->Left(), pc->Width() - ud->Width()); // at the right end
            EXPECT_EQ(ud->Top(), c.position == tpTop ? 0 : pc->Height() - ud->Height());
            EXPECT_EQ(ud->Width(), 2 * GetSystemMetrics(SM_CXHSCROLL) + 2);
            EXPECT_EQ(ud->Max(), pc->OverflowTabCount());
            EXPECT_EQ(ud->ButtonSkin(), "BUTTON"); // the skin has no "UPDOWNBTN"
        }
        delete pc;
    }
}

TEST_F(PageControlTest, TheCacheHoldsTheStripTheInactiveTabsAndThePageArea) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two", "Three"});
    static_cast<TsTabSheet*>(pc->Pages(2))->SetTabSkin("DIALOG");
    pc->SkinData->CacheInvalid = true;
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(pc->SkinData->CacheBitmap);
    const Bitmap& cache = *pc->SkinData->CacheBitmap;
    ASSERT_EQ(cache.Width(), 300);
    const POINT one = BesideCaption(Native(pc, 1), false);
    const POINT two = BesideCaption(Native(pc, 2), false);
    EXPECT_EQ(cache.GetPixel(one.x, one.y), kTab);
    EXPECT_EQ(cache.GetPixel(two.x, two.y), kDialog);
    EXPECT_EQ(cache.GetPixel(295, 3), kFormColor); // strip beyond the last tab
    const RECT page = pc->DisplayRect();
    EXPECT_EQ(cache.GetPixel(Centre(page).x, Centre(page).y), kPage);
}

TEST_F(PageControlTest, ASheetsTabSkinHoldsOnEverySide) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpLeft, {"One", "Two"});
    static_cast<TsTabSheet*>(pc->Pages(1))->SetTabSkin("DIALOG");
    pc->SkinData->CacheInvalid = true;
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const POINT p = BesideCaption(Native(pc, 1), true);
    EXPECT_EQ(pc->SkinData->CacheBitmap->GetPixel(p.x, p.y), kDialog);
    EXPECT_EQ(pc->PageSection(), "PAGECONTROLLEFT");
}

TEST_F(PageControlTest, TheCloseHandlerDecidesWhatHappensToTheSheet) {
    AddPageSkin();
    struct Case {
        bool canClose;
        TqvCloseAction action;
        int pagesLeft;
        bool sheetKept;
    } cases[] = {{false, qvaFree, 2, true}, {true, qvaHide, 1, true}, {true, qvaFree, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.canClose << c.action);
        TsPageControl* pc = MakeControl(tpTop, {"One", "Two"});
        TTabSheet* second = pc->Pages(1);
        int asked = -1;
        pc->OnCloseBtnClick = [&](TComponent*, int tab, bool& canClose, TqvCloseAction& action) {
            asked = tab;
            canClose = c.canClose;
            action = c.action;
        };
        const int before = int(form_->ComponentCount());
        pc->CloseSheet(1);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(pc->PageCount(), c.pagesLeft);
        const bool alive = int(form_->ComponentCount()) == before;
        EXPECT_EQ(alive, c.sheetKept);
        if (c.sheetKept && c.canClose) {
            EXPECT_EQ(second->PageControl(), nullptr);
        }
        delete pc;
    }
}

TEST_F(PageControlTest, CloseButtonsTakeTheSkinsCloseIconOrTheNamedSection) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two"});
    pc->SetShowCloseBtns(true);
    EXPECT_EQ(pc->CloseButtonIndex(), -1); // no close icon in this skin: no close buttons
    AddSection("GLOBALINFO");
    AddImage("GLOBALINFO", "BICONCLOSE", RECT{0, 0, 18, 12}, 3, 1);
    pc->LookUpCloseButtonSkin();
    EXPECT_EQ(pc->CloseButtonSize(), (SIZE{6, 6})); // one frame: 18 / 3 wide, 12 / 2 tall
    const RECT r = pc->SkinnedTabBounds(1, false);
    EXPECT_EQ(pc->CloseButtonBounds(1), (RECT{r.right - 7, r.top + 1, r.right - 1, r.top + 7}));
    pc->SetCloseBtnSkin("DIALOG");
    pc->LookUpCloseButtonSkin();
    EXPECT_EQ(pc->CloseButtonSize(), (SIZE{15, 15}));
}

TEST_F(PageControlTest, ASheetAnswersForThePageControlsCache) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two"});
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    TTabSheet* sheet = pc->ActivePage();
    ParentCacheAnswer = ParentCacheInfo{};
    SendSkinCommand(sheet, SkinCommandWParam(scGetCache), 0);
    EXPECT_TRUE(ParentCacheAnswer.Usable);
    EXPECT_EQ(ParentCacheAnswer.Bitmap, pc->SkinData->CacheBitmap.get());
    EXPECT_EQ(ParentCacheAnswer.X, sheet->Left());
    EXPECT_EQ(ParentCacheAnswer.Y, sheet->Top());
    EXPECT_TRUE(AskSkinCommand(sheet, scIsSkinned));
    EXPECT_FALSE(AskSkinCommand(sheet, scIsNotReady));
    pc->SkinData->CacheInvalid = true; // the sheet is not ready while the control is not
    EXPECT_TRUE(AskSkinCommand(sheet, scIsNotReady));
}

TEST_F(PageControlTest, APageChangeKeepsTheCacheAndADeletedTabRebuildsIt) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two", "Three"});
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(pc->SkinData->CacheInvalid);
    SendMessage(pc->Handle(), TCM_SETCURSEL, 2, 0);
    NMHDR change{pc->Handle(), 0, TCN_SELCHANGE};
    pc->TrackedTab = 1;
    pc->Perform(CN_NOTIFY, 0, LPARAM(&change));
    EXPECT_EQ(pc->ActivePage(), pc->Pages(2));
    EXPECT_EQ(pc->TrackedTab, -1);
    EXPECT_FALSE(pc->SkinData->CacheInvalid); // only the strip and the active tab repainted
    delete pc->Pages(1);
    EXPECT_TRUE(pc->SkinData->CacheInvalid);
}

TEST(ScrollButtonsTest, AButtonThatCannotMoveThePositionIsInaccessible) {
    TsUpDown ud(nullptr);
    ud.SetOrientation(udHorizontal);
    ud.SetBounds(0, 0, 34, 17);
    ud.SetMin(0);
    ud.SetMax(3);
    EXPECT_EQ(ud.FirstHalf(), (RECT{0, 0, 17, 17}));
    struct Case {
        int position;
        bool show;
        bool left, right; // inaccessible
    } cases[] = {{0, true, true, false},
                 {3, true, false, true},
                 {1, true, false, false},
                 {0, false, false, false}};
    for (const Case& c : cases) {
        ud.SetPosition(c.position);
        ud.ShowInaccessibility = c.show;
        EXPECT_EQ(ud.Inaccessible(true), c.left) << c.position << c.show;
        EXPECT_EQ(ud.Inaccessible(false), c.right) << c.position << c.show;
    }
    ud.SetOrientation(udVertical); // up is the first button and stops at Max
    ud.SetBounds(0, 0, 34, 17);
    ud.ShowInaccessibility = true;
    ud.SetPosition(3);
    EXPECT_TRUE(ud.Inaccessible(true));
    EXPECT_EQ(ud.FirstHalf(), (RECT{0, 0, 34, 8}));
}

TEST_F(PageControlTest, TheHotTabAndTheActiveTabShowTheirFramesOnTheWindow) {
    AddPageSkin();
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two", "Three"});
    pc->SetHotTrack(true);
    pc->HandleNeeded();
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(pc->Handle());
    const auto pixel = [&](POINT p) { return TColor(GetPixel(dc, p.x, p.y)); };
    const RECT active = Native(pc, 0);
    // The active tab reaches 2 pixels beyond its native rectangle, over the strip.
    EXPECT_EQ(pixel(POINT{active.left - 1, active.top - 1}), kActive);
    EXPECT_EQ(pixel(BesideCaption(Native(pc, 1), false)), kTab);
    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(Native(pc, 1))));
    EXPECT_EQ(pixel(BesideCaption(Native(pc, 1), false)), kHot);
    pc->Perform(WM_MOUSEMOVE, 0, At(Centre(Native(pc, 2))));
    EXPECT_EQ(pixel(BesideCaption(Native(pc, 1), false)), kTab);
    EXPECT_EQ(pixel(BesideCaption(Native(pc, 2), false)), kHot);
    ReleaseDC(pc->Handle(), dc);
}

TEST_F(PageControlTest, PressAndReleaseOnATabsCloseButtonAsksToCloseIt) {
    AddPageSkin();
    AddSection("GLOBALINFO");
    AddImage("GLOBALINFO", "BICONCLOSE", RECT{0, 0, 18, 12}, 3, 1);
    TsPageControl* pc = MakeControl(tpTop, {"One", "Two"});
    pc->SetShowCloseBtns(true);
    int asked = -1;
    pc->OnCloseBtnClick = [&](TComponent*, int tab, bool& canClose, TqvCloseAction&) {
        asked = tab;
        canClose = false;
    };
    const POINT outside = BesideCaption(Native(pc, 1), false);
    pc->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(outside));
    pc->Perform(WM_LBUTTONUP, 0, At(outside));
    EXPECT_EQ(asked, -1); // the tab, not its button
    const POINT button = Centre(pc->CloseButtonBounds(1));
    pc->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(button));
    EXPECT_TRUE(CloseButtonPressed);
    pc->Perform(WM_LBUTTONUP, 0, At(button));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(CloseButtonPressed);
    EXPECT_EQ(pc->PageCount(), 2);
}
