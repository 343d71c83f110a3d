#include "platform/controls/ToolBar.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BarTestUtil.h"
#include "platform/controls/ControlSupport.h"
#include "platform/text/Text.h"

namespace {

// What the tool bar's parent is told and how it answers custom draw.
struct ParentScript {
    struct Stage {
        DWORD stage;
        uintptr_t item;
        UINT state;
    };
    std::vector<Stage> stages;
    std::vector<int> commands;
    std::vector<std::pair<UINT, int>> notifications; // code, item (tool bar notifications)
    std::map<DWORD, LRESULT> answers;                // by stage
    std::map<uintptr_t, LRESULT> itemAnswers;        // item pre-paint answer by command id
    std::function<void(HWND bar, int id)> onCommand;
    std::function<void(HWND bar, uintptr_t id)> onItemPrePaint;
};

ParentScript& Script() {
    static ParentScript script;
    return script;
}

LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ParentScript& p = Script();
    if (msg == WM_COMMAND) {
        p.commands.push_back(LOWORD(wParam));
        if (p.onCommand) p.onCommand(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return 0;
    }
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == NM_CUSTOMDRAW) {
            auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
            p.stages.push_back({cd->dwDrawStage, cd->dwItemSpec, cd->uItemState});
            if (cd->dwDrawStage == CDDS_ITEMPREPAINT) {
                if (p.onItemPrePaint) p.onItemPrePaint(hdr->hwndFrom, cd->dwItemSpec);
                auto it = p.itemAnswers.find(cd->dwItemSpec);
                if (it != p.itemAnswers.end()) return it->second;
            }
            auto it = p.answers.find(cd->dwDrawStage);
            return it == p.answers.end() ? CDRF_DODEFAULT : it->second;
        }
        auto* tb = reinterpret_cast<NMTOOLBAR*>(lParam);
        p.notifications.push_back({hdr->code, tb->iItem});
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TBBUTTON Btn(int id, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED,
             const char* text = nullptr) {
    TBBUTTON b;
    b.idCommand = id;
    b.fsStyle = style;
    b.fsState = state;
    b.iString = intptr_t(text);
    return b;
}

TBBUTTON Sep(int width = 0) {
    TBBUTTON b;
    b.iBitmap = width;
    b.fsStyle = TBSTYLE_SEP;
    return b;
}

class ToolBarTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Script() = ParentScript{};
        WNDCLASS wc;
        wc.lpszClassName = "ToolBarTestParent";
        wc.lpfnWndProc = ParentProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        RegisterToolBarClass();
        RegisterToolBarClass();
        parent_ = Track(MakePlainParent(400, 300, "ToolBarTestParent"));
    }
    void TearDown() override {
        WindowTest::TearDown();
        Script() = ParentScript{};
    }
    // A bar at (0, 0) of 400 x 40 holding the given buttons.
    HWND MakeBar(DWORD style, std::vector<TBBUTTON> buttons) {
        HWND bar =
            CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | style, 0,
                           0, 400, 40, parent_, nullptr, nullptr, nullptr);
        SendMessage(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessage(bar, TB_ADDBUTTONSA, buttons.size(), LPARAM(buttons.data()));
        return bar;
    }
    static RECT ItemRect(HWND bar, int index) {
        RECT r{};
        EXPECT_TRUE(SendMessage(bar, TB_GETITEMRECT, index, LPARAM(&r))) << index;
        return r;
    }
    static void Repaint(HWND bar) {
        Script().stages.clear();
        InvalidateRect(bar, nullptr, true);
        UpdateWindow(bar);
    }
    HWND parent_ = nullptr;
};

const std::vector<TBBUTTON> kRow = {
    Btn(1), Sep(), Sep(13), Btn(2), Btn(3, TBSTYLE_BUTTON, TBSTATE_ENABLED | TBSTATE_HIDDEN),
    Btn(4)};

TEST_F(ToolBarTest, ButtonsAndSeparatorsLieSideBySide) {
    struct Case {
        DWORD style;
        int top;
    } cases[] = {{CCS_NODIVIDER | TBSTYLE_FLAT, 0}, {0, 2}};
    for (const Case& c : cases) {
        HWND bar = MakeBar(c.style, kRow);
        EXPECT_EQ(SendMessage(bar, TB_BUTTONCOUNT, 0, 0), 6);
        // 24 x 22 buttons, separators 8 (by default) and 13 wide, the hidden button takes no room.
        RECT expected[] = {{0, 0, 24, 22}, {24, 0, 32, 22}, {32, 0, 45, 22}, {45, 0, 69, 22}, {},
                           {69, 0, 93, 22}};
        for (int i : {0, 1, 2, 3, 5}) {
            RECT want = OffsetRect(expected[i], 0, c.top);
            EXPECT_TRUE(SameRect(ItemRect(bar, i), want))
                << i << ": " << RectText(ItemRect(bar, i));
        }
        RECT r;
        EXPECT_FALSE(SendMessage(bar, TB_GETITEMRECT, 4, LPARAM(&r)));
        EXPECT_FALSE(SendMessage(bar, TB_GETITEMRECT, 6, LPARAM(&r)));
        EXPECT_EQ(SendMessage(bar, TB_GETBUTTONSIZE, 0, 0), LRESULT(MAKELONG(24, 22)));
        SendMessage(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(30, 30));
        EXPECT_EQ(SendMessage(bar, TB_GETBUTTONSIZE, 0, 0), LRESULT(MAKELONG(30, 30)));
        EXPECT_TRUE(SameRect(ItemRect(bar, 3), OffsetRect({51, 0, 81, 30}, 0, c.top)));
        DestroyWindow(bar);
    }
}

TEST_F(ToolBarTest, TextWidensEveryButtonAndIsCopied) {
    std::string text = "Сақтау";
    std::vector<TBBUTTON> row = {Btn(1, TBSTYLE_BUTTON, TBSTATE_ENABLED, text.c_str()), Btn(2)};
    HWND bar = MakeBar(CCS_NODIVIDER, row);
    text = "changed"; // the bar keeps its own copy
    HFONT font = CreateMessageFont();
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    SIZE extent;
    GetTextExtentPoint32(dc, "Сақтау", int(std::string("Сақтау").size()), &extent);
    DeleteDC(dc);
    DeleteObject(font);
    int width = std::max<int>(24, extent.cx + 12), height = std::max<int>(22, extent.cy + 6);
    EXPECT_TRUE(SameRect(ItemRect(bar, 0), {0, 0, width, height}));
    EXPECT_TRUE(SameRect(ItemRect(bar, 1), {width, 0, 2 * width, height}));
    TBBUTTON got;
    ASSERT_TRUE(SendMessage(bar, TB_GETBUTTON, 0, LPARAM(&got)));
    EXPECT_EQ(got.idCommand, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(got.iString)), "Сақтау");
}

TEST_F(ToolBarTest, InsertDeleteAndAutoSize) {
    HWND bar = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, parent_,
                              nullptr, nullptr, nullptr);
    std::vector<TBBUTTON> row = {Btn(1), Btn(2)};
    SendMessage(bar, TB_ADDBUTTONSA, 2, LPARAM(row.data()));
    TBBUTTON b = Btn(7);
    SendMessage(bar, TB_INSERTBUTTONA, 1, LPARAM(&b));
    TBBUTTON got;
    SendMessage(bar, TB_GETBUTTON, 1, LPARAM(&got));
    EXPECT_EQ(got.idCommand, 7);
    EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 2, 0), 2);
    ASSERT_TRUE(SendMessage(bar, TB_DELETEBUTTON, 0, 0));
    ASSERT_EQ(Script().notifications.size(), 1u);
    EXPECT_EQ(Script().notifications[0].first, TBN_DELETINGBUTTON);
    EXPECT_EQ(Script().notifications[0].second, 1);
    EXPECT_EQ(SendMessage(bar, TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_FALSE(SendMessage(bar, TB_DELETEBUTTON, 5, 0));
    SendMessage(bar, TB_AUTOSIZE, 0, 0);
    RECT r;
    GetWindowRect(bar, &r);
    // Divider 2, buttons 22, 2 below.
    EXPECT_TRUE(SameRect(r, {0, 0, 400, 26})) << RectText(r);
}

TEST_F(ToolBarTest, ClicksSendCommandsAndToggleChecks) {
    std::vector<TBBUTTON> row = {Btn(1),
                                 Sep(),
                                 Btn(2, TBSTYLE_BUTTON, 0),
                                 Btn(3, TBSTYLE_CHECK),
                                 Btn(4, TBSTYLE_CHECKGROUP),
                                 Btn(5, TBSTYLE_CHECKGROUP)};
    HWND bar = MakeBar(CCS_NODIVIDER | TBSTYLE_FLAT, row);
    // Buttons at x 0, [sep 24..32], 32, 56, 80, 104; all 22 high.
    struct Step {
        int x;
        std::vector<int> commands;
        LRESULT state3, state4, state5;
    } steps[] = {
        {10, {1}, TBSTATE_ENABLED, TBSTATE_ENABLED, TBSTATE_ENABLED},
        {28, {}, TBSTATE_ENABLED, TBSTATE_ENABLED, TBSTATE_ENABLED}, // separator
        {40, {}, TBSTATE_ENABLED, TBSTATE_ENABLED, TBSTATE_ENABLED}, // disabled
        {60, {3}, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTATE_ENABLED, TBSTATE_ENABLED},
        {84,
         {4},
         TBSTATE_ENABLED | TBSTATE_CHECKED,
         TBSTATE_ENABLED | TBSTATE_CHECKED,
         TBSTATE_ENABLED},
        {108,
         {5},
         TBSTATE_ENABLED | TBSTATE_CHECKED,
         TBSTATE_ENABLED,
         TBSTATE_ENABLED | TBSTATE_CHECKED},
        {108,
         {5},
         TBSTATE_ENABLED | TBSTATE_CHECKED,
         TBSTATE_ENABLED,
         TBSTATE_ENABLED | TBSTATE_CHECKED},
        {60, {3}, TBSTATE_ENABLED, TBSTATE_ENABLED, TBSTATE_ENABLED | TBSTATE_CHECKED},
    };
    for (const Step& s : steps) {
        Script().commands.clear();
        Click({s.x, 10});
        EXPECT_EQ(Script().commands, s.commands) << "x " << s.x;
        EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 3, 0), s.state3) << "x " << s.x;
        EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 4, 0), s.state4) << "x " << s.x;
        EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 5, 0), s.state5) << "x " << s.x;
    }
    // Pressing, leaving the button and releasing elsewhere is no click.
    Script().commands.clear();
    MouseDown({10, 10});
    EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 1, 0), TBSTATE_ENABLED | TBSTATE_PRESSED);
    MouseMoveTo({200, 10});
    EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 1, 0), TBSTATE_ENABLED);
    MouseUp({200, 10});
    EXPECT_TRUE(Script().commands.empty());
    EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 99, 0), -1);
}

TEST_F(ToolBarTest, StateMessagesByCommandId) {
    HWND bar = MakeBar(CCS_NODIVIDER, {Btn(1), Btn(2)});
    EXPECT_TRUE(SendMessage(bar, TB_CHECKBUTTON, 2, 1));
    EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 2, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_TRUE(SendMessage(bar, TB_ENABLEBUTTON, 2, 0));
    EXPECT_EQ(SendMessage(bar, TB_GETSTATE, 2, 0), TBSTATE_CHECKED);
    EXPECT_TRUE(SendMessage(bar, TB_SETSTATE, 1, TBSTATE_ENABLED | TBSTATE_HIDDEN));
    // Hiding button 1 moves button 2 to the start.
    EXPECT_TRUE(SameRect(ItemRect(bar, 1), {0, 0, 24, 22}));
    EXPECT_FALSE(SendMessage(bar, TB_CHECKBUTTON, 42, 1));
}

TEST_F(ToolBarTest, ClickHandlerMayDestroyTheBar) {
    HWND bar = MakeBar(CCS_NODIVIDER, {Btn(1)});
    Script().onCommand = [](HWND from, int) { DestroyWindow(from); };
    Click({10, 10});
    EXPECT_EQ(Script().commands, std::vector<int>{1});
    EXPECT_FALSE(IsWindow(bar));
}

TEST_F(ToolBarTest, CustomDrawStagesComeInOrderWithItemStates) {
    HWND bar = MakeBar(CCS_NODIVIDER,
                       {Btn(1), Sep(), Btn(2, TBSTYLE_CHECK, TBSTATE_ENABLED | TBSTATE_CHECKED),
                        Btn(3, TBSTYLE_BUTTON, 0), Btn(4)});
    SendMessage(bar, TB_SETHOTITEM, 4, 0);
    ParentScript& p = Script();
    p.answers = {{CDDS_PREERASE, CDRF_NOTIFYPOSTERASE},
                 {CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT},
                 {CDDS_ITEMPREPAINT, CDRF_NOTIFYPOSTPAINT}};
    p.itemAnswers = {{3, CDRF_DODEFAULT}}; // no post-paint for item 3
    Repaint(bar);
    struct Want {
        DWORD stage;
        uintptr_t item;
        UINT state;
    } want[] = {
        {CDDS_PREERASE, 0, 0},
        {CDDS_POSTERASE, 0, 0},
        {CDDS_PREPAINT, 0, 0},
        {CDDS_ITEMPREPAINT, 1, 0},
        {CDDS_ITEMPOSTPAINT, 1, 0},
        {CDDS_ITEMPREPAINT, 2, CDIS_CHECKED},
        {CDDS_ITEMPOSTPAINT, 2, CDIS_CHECKED},
        {CDDS_ITEMPREPAINT, 3, CDIS_DISABLED},
        {CDDS_ITEMPREPAINT, 4, CDIS_HOT},
        {CDDS_ITEMPOSTPAINT, 4, CDIS_HOT},
        {CDDS_POSTPAINT, 0, 0},
    };
    ASSERT_EQ(p.stages.size(), std::size(want));
    for (size_t i = 0; i < std::size(want); ++i) {
        EXPECT_EQ(p.stages[i].stage, want[i].stage) << i;
        EXPECT_EQ(p.stages[i].item, want[i].item) << i;
        EXPECT_EQ(p.stages[i].state, want[i].state) << i;
    }
    // Without the item and post flags the parent hears only the two pre stages.
    p.answers.clear();
    Repaint(bar);
    ASSERT_EQ(p.stages.size(), 2u);
    EXPECT_EQ(p.stages[0].stage, CDDS_PREERASE);
    EXPECT_EQ(p.stages[1].stage, CDDS_PREPAINT);
}

TEST_F(ToolBarTest, CustomDrawAnswersDecideWhatIsDrawn) {
    // Not flat: every button shows a raised edge by default.
    HWND bar = MakeBar(CCS_NODIVIDER, {Btn(1), Btn(2), Btn(3)});
    COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    ParentScript& p = Script();
    p.answers = {{CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW}};
    p.itemAnswers = {{2, CDRF_SKIPDEFAULT}, {3, TBCDRF_NOEDGES}};
    Repaint(bar);
    Bitmap shot = Screenshot();
    EXPECT_EQ(PixelOf(shot, 0, 0), light);
    EXPECT_EQ(PixelOf(shot, 23, 21), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_TRUE(SameRect(InkBox(shot, {24, 0, 48, 22}, face), {})) << "skipped button drawn";
    EXPECT_TRUE(SameRect(InkBox(shot, {48, 0, 72, 22}, face), {})) << "edges drawn despite NOEDGES";
    // Skipping the whole paint: no button is drawn and no item is offered.
    p.answers = {{CDDS_PREPAINT, CDRF_SKIPDEFAULT | CDRF_NOTIFYITEMDRAW}};
    Repaint(bar);
    shot = Screenshot();
    EXPECT_TRUE(SameRect(InkBox(shot, {0, 0, 72, 22}, face), {}));
    ASSERT_EQ(p.stages.size(), 2u);
    // Skipping the erase leaves the parent's own drawing underneath.
    p.answers = {{CDDS_PREERASE, CDRF_SKIPDEFAULT}, {CDDS_PREPAINT, CDRF_SKIPDEFAULT}};
    HDC dc = GetDC(bar);
    RECT all{0, 0, 400, 40};
    FillRect(dc, &all, GetSysColorBrush(COLOR_HIGHLIGHT));
    ReleaseDC(bar, dc);
    Repaint(bar);
    EXPECT_EQ(PixelOf(Screenshot(), 200, 30), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ToolBarTest, ItemHandlerMayDeleteButtonsWhilePainting) {
    HWND bar = MakeBar(CCS_NODIVIDER, {Btn(1), Btn(2), Btn(3)});
    ParentScript& p = Script();
    p.answers = {{CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW}};
    p.onItemPrePaint = [](HWND from, uintptr_t id) {
        if (id == 1) SendMessage(from, TB_DELETEBUTTON, 2, 0);
    };
    Repaint(bar);
    std::vector<uintptr_t> items;
    for (const auto& s : p.stages)
        if (s.stage == CDDS_ITEMPREPAINT) items.push_back(s.item);
    EXPECT_EQ(items, (std::vector<uintptr_t>{1, 2}));
}

TEST_F(ToolBarTest, HotTrackingFollowsThePointer) {
    HWND bar = MakeBar(CCS_NODIVIDER | TBSTYLE_FLAT, {Btn(1), Btn(2), Btn(3, TBSTYLE_BUTTON, 0)});
    COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
             shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), -1);
    MouseMoveTo({30, 10});
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), 1);
    UpdateWindow(parent_);
    Bitmap shot = Screenshot();
    // Flat: the hot button alone is raised by one pixel.
    EXPECT_EQ(PixelOf(shot, 24, 0), light);
    EXPECT_EQ(PixelOf(shot, 47, 21), shadow);
    EXPECT_TRUE(SameRect(InkBox(shot, {0, 0, 24, 22}, face), {}));
    MouseMoveTo({60, 10}); // the disabled button does not become hot
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), -1);
    UpdateWindow(parent_);
    EXPECT_TRUE(SameRect(InkBox(Screenshot(), {0, 0, 72, 22}, face), {}));
    EXPECT_EQ(SendMessage(bar, TB_SETHOTITEM, 0, 0), -1);
    EXPECT_EQ(SendMessage(bar, TB_SETHOTITEM, 5, 0), 0);
    EXPECT_EQ(SendMessage(bar, TB_GETHOTITEM, 0, 0), -1);
}

TEST_F(ToolBarTest, DropDownButtonsNotifyInsteadOfCommanding) {
    MakeBar(CCS_NODIVIDER, {Btn(1), Btn(9, TBSTYLE_DROPDOWN)});
    Click({30, 10});
    ASSERT_EQ(Script().notifications.size(), 1u);
    EXPECT_EQ(Script().notifications[0].first, TBN_DROPDOWN);
    EXPECT_EQ(Script().notifications[0].second, 9);
    EXPECT_TRUE(Script().commands.empty());
}

TEST_F(ToolBarTest, ChildOverASeparatorStaysWherePlaced) {
    HWND bar = MakeBar(CCS_NODIVIDER, {Btn(1), Sep(100), Btn(2)});
    HWND child = CreateWindowEx(0, "Recorder", "", WS_CHILD | WS_VISIBLE, 24, 0, 100, 22, bar,
                                nullptr, nullptr, nullptr);
    TBBUTTON b = Btn(5);
    SendMessage(bar, TB_INSERTBUTTONA, 0, LPARAM(&b));
    SendMessage(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(30, 30));
    SendMessage(bar, TB_AUTOSIZE, 0, 0);
    UpdateWindow(parent_);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_TRUE(SameRect(r, {24, 0, 124, 22})) << RectText(r);
}

TEST_F(ToolBarTest, DestroyAnnouncesEveryButton) {
    HWND bar = MakeBar(CCS_NODIVIDER, {Btn(1), Sep(), Btn(2)});
    DestroyWindow(bar);
    std::vector<std::pair<UINT, int>> want = {
        {TBN_DELETINGBUTTON, 1}, {TBN_DELETINGBUTTON, 0}, {TBN_DELETINGBUTTON, 2}};
    EXPECT_EQ(Script().notifications, want);
}

} // namespace
