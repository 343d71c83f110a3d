#include "platform/controls/TreeView.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/WindowSystem.h"

namespace {

struct Heard {
    UINT code;
    UINT action;
    HTREEITEM item;
};

std::vector<Heard> g_heard;
bool g_vetoSelection = false;
bool g_destroyOnSelChanged = false;
HTREEITEM g_redItem = nullptr;  // custom draw paints this one's label background red
HTREEITEM g_skipItem = nullptr; // custom draw skips this one

LRESULT TreeParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        const auto item = reinterpret_cast<HTREEITEM>(cd->nmcd.dwItemSpec);
        if (item == g_skipItem) return CDRF_SKIPDEFAULT;
        if (item == g_redItem) {
            cd->clrTextBk = RGB(255, 0, 0);
            cd->clrText = RGB(0, 0, 255);
        }
        return CDRF_DODEFAULT;
    }
    if (hdr->code == TVN_SELCHANGINGA || hdr->code == TVN_SELCHANGEDA ||
        hdr->code == TVN_ITEMEXPANDINGA || hdr->code == TVN_ITEMEXPANDEDA) {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lParam);
        g_heard.push_back({hdr->code, nm->action, nm->itemNew.hItem});
        if (hdr->code == TVN_SELCHANGINGA && g_vetoSelection) return 1;
        if (hdr->code == TVN_SELCHANGEDA && g_destroyOnSelChanged) DestroyWindow(hdr->hwndFrom);
        return 0;
    }
    g_heard.push_back({hdr->code, 0, nullptr});
    return 0;
}

class TreeViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(800, 600);
        ProcessPendingMessages();
        RegisterTreeViewClass();
        WNDCLASS wc;
        wc.lpszClassName = "TreeParent";
        wc.lpfnWndProc = TreeParentProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        g_heard.clear();
        g_vetoSelection = g_destroyOnSelChanged = false;
        g_redItem = g_skipItem = nullptr;
        parent_ = CreateWindowEx(0, "TreeParent", "", WS_POPUP | WS_VISIBLE, 50, 50, 400, 300,
                                 nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(parent_);
    }
    void TearDown() override {
        MouseUp(POINT{0, 0});
        DestroyWindow(parent_);
        ProcessPendingMessages();
    }
    HWND MakeTree(DWORD style, int height = 200) {
        tree_ = CreateWindowEx(0, "SysTreeView32", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 200,
                               height, parent_, reinterpret_cast<HMENU>(5), nullptr, nullptr);
        return tree_;
    }
    HTREEITEM Add(HTREEITEM parent, const char* text) {
        TVINSERTSTRUCT ins;
        ins.hParent = parent;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_INSERTITEM, 0, LPARAM(&ins)));
    }
    HTREEITEM Next(WPARAM code, HTREEITEM item = nullptr) {
        return reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_GETNEXTITEM, code, LPARAM(item)));
    }
    HTREEITEM Caret() { return Next(TVGN_CARET); }
    bool IsExpanded(HTREEITEM item) {
        TVITEM tv;
        tv.mask = TVIF_STATE;
        tv.hItem = item;
        SendMessage(tree_, TVM_GETITEM, 0, LPARAM(&tv));
        return (tv.state & TVIS_EXPANDED) != 0;
    }
    void Select(HTREEITEM item) { SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, LPARAM(item)); }
    RECT Label(HTREEITEM item) {
        RECT r{};
        *reinterpret_cast<HTREEITEM*>(&r) = item;
        EXPECT_TRUE(SendMessage(tree_, TVM_GETITEMRECT, 1, LPARAM(&r)));
        return r;
    }
    POINT OnLabel(HTREEITEM item) {
        const RECT r = Label(item);
        POINT p{r.left + 3, (r.top + r.bottom) / 2};
        ClientToScreen(tree_, &p);
        return p;
    }
    // A point on the item's +/- button, found by asking the tree what lies left of the label.
    POINT OnButton(HTREEITEM item) {
        const RECT r = Label(item);
        for (int x = 0; x < r.left; ++x) {
            TVHITTESTINFO hit;
            hit.pt = POINT{x, (r.top + r.bottom) / 2};
            SendMessage(tree_, TVM_HITTEST, 0, LPARAM(&hit));
            if (hit.hItem == item && (hit.flags & TVHT_ONITEMBUTTON)) {
                ClientToScreen(tree_, &hit.pt);
                return hit.pt;
            }
        }
        ADD_FAILURE() << "no button";
        return POINT{};
    }
    std::vector<UINT> Codes() {
        std::vector<UINT> out;
        for (const Heard& h : g_heard) out.push_back(h.code);
        return out;
    }
    COLORREF Pixel(int clientX, int clientY) {
        ProcessPendingMessages();
        const Bitmap shot = Screenshot();
        POINT p{clientX, clientY};
        ClientToScreen(tree_, &p);
        const BYTE* px = shot.ScanLine(p.y) + p.x * (shot.BitsPerPixel() / 8);
        return RGB(px[2], px[1], px[0]);
    }
    int CountColour(const RECT& clientRect, COLORREF colour) {
        ProcessPendingMessages();
        const Bitmap shot = Screenshot();
        int n = 0;
        for (int y = clientRect.top; y < clientRect.bottom; ++y)
            for (int x = clientRect.left; x < clientRect.right; ++x) {
                POINT p{x, y};
                ClientToScreen(tree_, &p);
                const BYTE* px = shot.ScanLine(p.y) + p.x * (shot.BitsPerPixel() / 8);
                if (RGB(px[2], px[1], px[0]) == colour) ++n;
            }
        return n;
    }
    HWND parent_ = nullptr;
    HWND tree_ = nullptr;
};

} // namespace

TEST_F(TreeViewTest, ItemsKeepTheirOrderTextAndRelations) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM a = Add(TVI_ROOT, "Дәріс");
    HTREEITEM b = Add(TVI_ROOT, "Практика");
    HTREEITEM a1 = Add(a, "Дәріс 1");
    TVINSERTSTRUCT first;
    first.hParent = TVI_ROOT;
    first.hInsertAfter = TVI_FIRST;
    first.item.mask = TVIF_TEXT | TVIF_PARAM;
    first.item.pszText = const_cast<char*>("Бірінші");
    first.item.lParam = 77;
    HTREEITEM f =
        reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_INSERTITEMA, 0, LPARAM(&first)));
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(Next(TVGN_ROOT), f);
    EXPECT_EQ(Next(TVGN_NEXT, f), a);
    EXPECT_EQ(Next(TVGN_NEXT, a), b);
    EXPECT_EQ(Next(TVGN_PREVIOUS, a), f);
    EXPECT_EQ(Next(TVGN_CHILD, a), a1);
    EXPECT_EQ(Next(TVGN_PARENT, a1), a);
    EXPECT_EQ(Next(TVGN_NEXT, b), nullptr);

    char buffer[64];
    TVITEM tv;
    tv.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    tv.hItem = f;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof buffer;
    ASSERT_TRUE(SendMessage(tree_, TVM_GETITEM, 0, LPARAM(&tv)));
    EXPECT_EQ(std::string(buffer), "Бірінші");
    EXPECT_EQ(tv.lParam, 77);
    EXPECT_EQ(tv.cChildren, 0);
    tv.hItem = a;
    SendMessage(tree_, TVM_GETITEM, 0, LPARAM(&tv));
    EXPECT_EQ(tv.cChildren, 1);
    tv.cchTextMax = 4; // "Дә" is 4 bytes: only the first letter and the terminator fit... in bytes
    SendMessage(tree_, TVM_GETITEM, 0, LPARAM(&tv));
    EXPECT_EQ(std::string(buffer).size(), 3u);

    EXPECT_EQ(SendMessage(tree_, TVM_GETINDENT, 0, 0), 19);
    SendMessage(tree_, TVM_DELETEITEM, 0, LPARAM(a));
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 2);
    tv.hItem = a1; // gone with its parent
    EXPECT_FALSE(SendMessage(tree_, TVM_GETITEM, 0, LPARAM(&tv)));
    SendMessage(tree_, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, KeyboardMovesTheSelectionAndExpandsAndCollapses) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM a = Add(TVI_ROOT, "A");
    Add(a, "A1");
    HTREEITEM b = Add(TVI_ROOT, "B");
    HTREEITEM b1 = Add(b, "B1");
    HTREEITEM b1a = Add(b1, "B1a");
    HTREEITEM c = Add(TVI_ROOT, "C");
    SetFocus(tree_);
    Select(a);
    g_heard.clear();
    struct Step {
        UINT vk;
        HTREEITEM caret;
        bool bExpanded;
        bool b1Expanded;
    };
    const Step steps[] = {
        {VK_DOWN, b, false, false},  // A is collapsed: its child is skipped
        {VK_RIGHT, b, true, false},  // expands B, keeps the selection
        {VK_RIGHT, b1, true, false}, // to the first child
        {VK_RIGHT, b1, true, true},  // expands B1
        {VK_DOWN, b1a, true, true},  {VK_LEFT, b1, true, true}, // a leaf goes to its parent
        {VK_LEFT, b1, true, false},                             // an expanded item collapses
        {VK_LEFT, b, true, false},   {VK_SUBTRACT, b, false, false},
        {VK_ADD, b, true, false},    {VK_MULTIPLY, b, true, true}, // everything below B
        {VK_END, c, true, true},     {VK_HOME, a, true, true},
        {VK_UP, a, true, true},   // stays at the top
        {VK_NEXT, c, true, true}, // a page is more than the five shown rows
        {VK_PRIOR, a, true, true},
    };
    for (const Step& s : steps) {
        KeyPress(s.vk);
        EXPECT_EQ(Caret(), s.caret) << "key " << s.vk;
        EXPECT_EQ(IsExpanded(b), s.bExpanded) << "key " << s.vk;
        EXPECT_EQ(IsExpanded(b1), s.b1Expanded) << "key " << s.vk;
    }
    // The first key: one selection change, by keyboard, announced before and after.
    ASSERT_GE(g_heard.size(), 2u);
    EXPECT_EQ(g_heard[0].code, TVN_SELCHANGINGA);
    EXPECT_EQ(g_heard[0].action, TVC_BYKEYBOARD);
    EXPECT_EQ(g_heard[0].item, b);
    EXPECT_EQ(g_heard[1].code, TVN_SELCHANGEDA);
    EXPECT_EQ(g_heard[2].code, TVN_ITEMEXPANDINGA);
    EXPECT_EQ(g_heard[2].action, TVE_EXPAND);
    EXPECT_EQ(g_heard[3].code, TVN_ITEMEXPANDEDA);
}

TEST_F(TreeViewTest, ClickSelectsOnceAndAVetoKeepsTheSelection) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM a = Add(TVI_ROOT, "Alpha");
    HTREEITEM b = Add(TVI_ROOT, "Beta");
    Click(OnLabel(b));
    EXPECT_EQ(Caret(), b);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_SELCHANGEDA, NM_CLICK}));
    EXPECT_EQ(g_heard[1].action, TVC_BYMOUSE);
    EXPECT_EQ(g_heard[1].item, b);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), tree_);

    g_heard.clear();
    AdvanceClock(1000); // not a double click
    Click(OnLabel(b));  // the selected item again: no change is announced
    EXPECT_EQ(Codes(), (std::vector<UINT>{NM_CLICK}));

    g_heard.clear();
    g_vetoSelection = true;
    AdvanceClock(1000);
    Click(OnLabel(a));
    EXPECT_EQ(Caret(), b);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_SELCHANGINGA, NM_CLICK}));
}

TEST_F(TreeViewTest, ButtonsAndDoubleClicksToggleAndCollapsingMovesAHiddenSelectionUp) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM a = Add(TVI_ROOT, "Alpha");
    HTREEITEM a1 = Add(a, "Alpha one");
    HTREEITEM b = Add(TVI_ROOT, "Beta");
    Add(b, "Beta one");
    Click(OnButton(a));
    EXPECT_TRUE(IsExpanded(a));
    EXPECT_EQ(Caret(), nullptr); // the button does not select
    Click(OnLabel(a1));
    EXPECT_EQ(Caret(), a1);
    AdvanceClock(1000);
    Click(OnButton(a));
    EXPECT_FALSE(IsExpanded(a));
    EXPECT_EQ(Caret(), a);

    AdvanceClock(1000);
    g_heard.clear();
    DoubleClick(OnLabel(b));
    EXPECT_TRUE(IsExpanded(b));
    EXPECT_EQ(Caret(), b);
    const std::vector<UINT> codes = Codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), NM_DBLCLK), codes.end());
    AdvanceClock(1000);
    DoubleClick(OnLabel(b));
    EXPECT_FALSE(IsExpanded(b));
}

TEST_F(TreeViewTest, ALongTreeScrollsByArrowsTrackThumbAndWheel) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT, 200);
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 50; ++i)
        items.push_back(Add(TVI_ROOT, ("Item " + std::to_string(i)).c_str()));
    ASSERT_TRUE(GetWindowLong(tree_, GWL_STYLE) & WS_VSCROLL);
    const int h = int(SendMessage(tree_, TVM_GETITEMHEIGHT, 0, 0));
    const int rows = 200 / h; // the horizontal bar is not needed for short texts
    EXPECT_FALSE(GetWindowLong(tree_, GWL_STYLE) & WS_HSCROLL);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(tree_, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 49);
    EXPECT_EQ(int(si.nPage), rows);

    RECT wr;
    GetWindowRect(tree_, &wr);
    const POINT downArrow{wr.right - 8, wr.bottom - 8}, upArrow{wr.right - 8, wr.top + 8};
    auto top = [&] { return Next(TVGN_FIRSTVISIBLE); };
    Click(downArrow);
    EXPECT_EQ(top(), items[1]);
    AdvanceClock(600);    // apart from the click before, so that this is no double click
    MouseDown(downArrow); // held: one at once, one after 300 ms, one 55 ms later
    AdvanceClock(355);
    MouseUp(downArrow);
    EXPECT_EQ(top(), items[4]);
    Click(upArrow);
    EXPECT_EQ(top(), items[3]);
    AdvanceClock(600);
    Click(POINT{wr.right - 8, wr.bottom - 30}); // the track below the thumb: a page
    EXPECT_EQ(top(), items[size_t(3 + rows)]);
    EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 3 + rows);

    // Drag the thumb far down: the last page.
    SCROLLBARINFO sbi;
    GetScrollBarInfo(tree_, OBJID_VSCROLL, &sbi);
    const POINT thumb{wr.right - 8, sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2};
    AdvanceClock(600);
    MouseDown(thumb);
    MouseMoveTo(POINT{thumb.x, thumb.y + 1000});
    MouseUp(POINT{thumb.x, thumb.y + 1000});
    EXPECT_EQ(top(), items[size_t(50 - rows)]);

    SetFocus(tree_);
    Wheel(POINT{wr.left + 20, wr.top + 20}, WHEEL_DELTA); // one notch up: three lines
    EXPECT_EQ(top(), items[size_t(50 - rows - 3)]);
    Wheel(POINT{wr.left + 20, wr.top + 20}, -2 * WHEEL_DELTA);
    EXPECT_EQ(top(), items[size_t(50 - rows)]); // not beyond the last page

    // Selecting an item out of view scrolls it in.
    Select(items[0]);
    EXPECT_EQ(top(), items[0]);
}

TEST_F(TreeViewTest, HotTrackingDrawsTheItemUnderTheMouseInTheHotColour) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT | TVS_TRACKSELECT);
    HTREEITEM a = Add(TVI_ROOT, "Alpha beta");
    const RECT label = Label(a);
    const COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
    EXPECT_EQ(CountColour(label, hot), 0);
    MouseMoveTo(OnLabel(a));
    EXPECT_GT(CountColour(label, hot), 0);
    // The underline: a full run of the hot colour along one row of the label.
    bool underlined = false;
    for (int y = label.top; y < label.bottom && !underlined; ++y)
        underlined =
            CountColour(Rect(label.left + 3, y, label.right - 3, y + 1), hot) == WidthOf(label) - 6;
    EXPECT_TRUE(underlined);
    MouseMoveTo(POINT{700, 500}); // off the tree and its parent
    EXPECT_EQ(CountColour(label, hot), 0);
}

namespace {
WNDPROC g_treeProc = nullptr;
// A wrapper that answers WM_ERASEBKGND itself without painting anything.
LRESULT SwallowEraseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) return 1;
    return CallWindowProc(g_treeProc, hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(TreeViewTest, CustomDrawAndColoursPaintTheWholeClient) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    g_treeProc = SubclassWindow(tree_, SwallowEraseProc);
    HTREEITEM a = Add(TVI_ROOT, "Alpha");
    HTREEITEM b = Add(TVI_ROOT, "Beta");
    HTREEITEM c = Add(TVI_ROOT, "Gamma");
    g_redItem = b;
    g_skipItem = c;
    const COLORREF green = RGB(0, 128, 0);
    SendMessage(tree_, TVM_SETBKCOLOR, 0, LPARAM(green));
    EXPECT_EQ(COLORREF(SendMessage(tree_, TVM_GETBKCOLOR, 0, 0)), green);
    InvalidateRect(tree_, nullptr, true);
    RECT client;
    GetClientRect(tree_, &client);
    EXPECT_EQ(Pixel(client.right - 1, client.bottom - 1), green);
    EXPECT_EQ(Pixel(0, 0), green);
    EXPECT_EQ(CountColour(Label(a), RGB(255, 0, 0)), 0);
    EXPECT_GT(CountColour(Label(b), RGB(255, 0, 0)), 0);
    EXPECT_GT(CountColour(Label(b), RGB(0, 0, 255)), 0); // its text colour
    const RECT skipped = Label(c);
    EXPECT_EQ(CountColour(skipped, green), WidthOf(skipped) * HeightOf(skipped)); // nothing drawn

    SendMessage(tree_, TVM_SETTEXTCOLOR, 0, LPARAM(RGB(200, 0, 200)));
    EXPECT_GT(CountColour(Label(a), RGB(200, 0, 200)), 0);
    SendMessage(tree_, TVM_SETBKCOLOR, 0, LPARAM(CLR_DEFAULT)); // back to the window colour
    EXPECT_EQ(Pixel(client.right - 1, client.bottom - 1), GetSysColor(COLOR_WINDOW));
}

TEST_F(TreeViewTest, ATreeDestroyedByItsSelectionHandlerIsLeftAlone) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    Add(TVI_ROOT, "Alpha");
    HTREEITEM b = Add(TVI_ROOT, "Beta");
    g_destroyOnSelChanged = true;
    const POINT p = OnLabel(b);
    MouseDown(p);
    EXPECT_FALSE(IsWindow(tree_));
    MouseUp(p);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TreeViewTest, AWideItemBringsTheHorizontalBarWhichShiftsTheLabels) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT, 120);
    HTREEITEM a = Add(TVI_ROOT, "Short");
    EXPECT_FALSE(GetWindowLong(tree_, GWL_STYLE) & WS_HSCROLL);
    HTREEITEM wide = Add(TVI_ROOT, "Студенттердін өзіндік жұмыстарына арналған тапсырмалар");
    ASSERT_TRUE(GetWindowLong(tree_, GWL_STYLE) & WS_HSCROLL);
    const RECT before = Label(a);
    RECT wr;
    GetWindowRect(tree_, &wr);
    ASSERT_FALSE(GetWindowLong(tree_, GWL_STYLE) & WS_VSCROLL);
    Click(POINT{wr.right - 8, wr.bottom - 8}); // the right arrow of the bottom bar
    const int shift = GetScrollPos(tree_, SB_HORZ);
    EXPECT_GT(shift, 0);
    EXPECT_EQ(Label(a).left, before.left - shift);
    // All the way right: the wide label ends at the client's right edge.
    SendMessage(tree_, WM_HSCROLL, SB_RIGHT, 0);
    RECT client;
    GetClientRect(tree_, &client);
    EXPECT_EQ(Label(wide).right, client.right);
    SendMessage(tree_, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(Label(a).left, before.left);
    // Deleting the wide item takes the bar away again.
    SendMessage(tree_, TVM_DELETEITEM, 0, LPARAM(wide));
    EXPECT_FALSE(GetWindowLong(tree_, GWL_STYLE) & WS_HSCROLL);
}

TEST_F(TreeViewTest, LinesAreDrawnOnlyWithTheLinesStyle) {
    for (DWORD lines : {DWORD(0), TVS_HASLINES}) {
        MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT | lines);
        HTREEITEM a = Add(TVI_ROOT, "Alpha");
        HTREEITEM a1 = Add(a, "One");
        Add(a, "Two");
        SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, LPARAM(a));
        const RECT label = Label(a1);
        // Left of a leaf's label there is no button: grey there can only be a line.
        const int grey =
            CountColour(Rect(0, label.top, label.left, label.bottom), GetSysColor(COLOR_GRAYTEXT));
        if (lines)
            EXPECT_GT(grey, 0);
        else
            EXPECT_EQ(grey, 0);
        DestroyWindow(tree_);
    }
}
