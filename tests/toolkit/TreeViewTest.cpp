// The tree view: node order and indices, nodes made before and after the window, the change
// event by mouse, keyboard and code, and properties reaching the window.
#include "toolkit/TreeView.h"

#include <string>
#include <vector>

#include "ControlTestFixture.h"

namespace {

class TreeViewTest : public ControlTest {
  protected:
    // A      0
    //   A1   1
    //     x  2
    //   A2   3
    // B      4
    //   B1   5
    // C      6
    void MakeTree() {
        form_ = MakeForm(300, 300);
        tree_ = Child<TTreeView>(form_, 0, 0, 300, 300);
        TTreeNodes& items = tree_->Items();
        a_ = items.Add(nullptr, "A");
        a1_ = items.AddChild(a_, "A1");
        x_ = items.AddChild(a1_, "x");
        a2_ = items.Add(a1_, "A2");
        b_ = items.Add(a_, "B");
        b1_ = items.AddChild(b_, "B1");
        c_ = items.Add(nullptr, "C");
        tree_->OnChange = [this](TComponent*, TTreeNode* node) {
            changes_.push_back(node ? node->Text() : "null");
        };
    }
    POINT RowPoint(TTreeNode* node) {
        RECT r{};
        *reinterpret_cast<HTREEITEM*>(&r) = node->ItemId();
        EXPECT_TRUE(SendMessage(tree_->Handle(), TVM_GETITEMRECT, 1, LPARAM(&r)))
            << node->Text() << " not shown";
        return ScreenPoint(tree_, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    TForm* form_ = nullptr;
    TTreeView* tree_ = nullptr;
    TTreeNode *a_{}, *a1_{}, *x_{}, *a2_{}, *b_{}, *b1_{}, *c_{};
    std::vector<std::string> changes_;
};

TEST_F(TreeViewTest, AbsoluteIndexIsPreOrderAndLevelIsDepth) {
    MakeTree();
    struct Case {
        TTreeNode* node;
        int index;
        int level;
    };
    const Case cases[] = {{a_, 0, 0}, {a1_, 1, 1}, {x_, 2, 2}, {a2_, 3, 1},
                          {b_, 4, 0}, {b1_, 5, 1}, {c_, 6, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node->Text());
        EXPECT_EQ(c.node->AbsoluteIndex(), c.index);
        EXPECT_EQ(c.node->Level(), c.level);
        EXPECT_EQ(tree_->Items().Item(c.index), c.node);
    }
    EXPECT_EQ(tree_->Items().Count(), 7);
    EXPECT_EQ(tree_->Items().Item(7), nullptr);
    EXPECT_EQ(tree_->Items().Item(-1), nullptr);
    EXPECT_EQ(a2_->Parent(), a_) << "Add puts the node beside its sibling";

    // A node added later in the middle moves the indices after it.
    TTreeNode* b2 = tree_->Items().AddChild(b_, "B2");
    EXPECT_EQ(b2->AbsoluteIndex(), 6);
    EXPECT_EQ(c_->AbsoluteIndex(), 7);
}

TEST_F(TreeViewTest, NodesMadeBeforeTheWindowAreInsertedWithTheirStateAndLaterOnesToo) {
    MakeTree();
    a_->SetExpanded(true);
    a_->SetImageIndex(3);
    ShowAndSettle(form_);
    const HWND hwnd = tree_->Handle();
    EXPECT_EQ(SendMessage(hwnd, TVM_GETCOUNT, 0, 0), 7);
    for (TTreeNode* n = tree_->Items().GetFirstNode(); n; n = n->GetNext()) {
        SCOPED_TRACE(n->Text());
        char buffer[16] = {};
        TVITEMA tv;
        tv.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE;
        tv.hItem = n->ItemId();
        tv.pszText = buffer;
        tv.cchTextMax = sizeof buffer;
        ASSERT_TRUE(SendMessage(hwnd, TVM_GETITEMA, 0, LPARAM(&tv)));
        EXPECT_EQ(std::string(buffer), n->Text());
        EXPECT_EQ(tv.iImage, n->ImageIndex());
        const auto parent = reinterpret_cast<HTREEITEM>(
            SendMessage(hwnd, TVM_GETNEXTITEM, TVGN_PARENT, LPARAM(n->ItemId())));
        EXPECT_EQ(parent, n->Parent() ? n->Parent()->ItemId() : nullptr);
    }
    EXPECT_TRUE(a_->Expanded());
    EXPECT_FALSE(b_->Expanded());

    TTreeNode* late = tree_->Items().AddChild(c_, "Кесте 1.2");
    EXPECT_EQ(SendMessage(hwnd, TVM_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(
                  SendMessage(hwnd, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(c_->ItemId()))),
              late->ItemId());

    tree_->Items().Clear();
    EXPECT_EQ(SendMessage(hwnd, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(tree_->Selected(), nullptr);
    EXPECT_TRUE(changes_.empty()) << "clearing is not a selection by the user";
}

TEST_F(TreeViewTest, OnChangeFollowsMouseKeyboardAndCodeButNotAReselection) {
    MakeTree();
    a_->Expand();
    ShowAndSettle(form_);

    Click(RowPoint(a1_));
    EXPECT_EQ(tree_->Selected(), a1_);
    AdvanceClock(1000);   // a second click, not a double click that would expand A1
    Click(RowPoint(a1_)); // the selected node again: no change
    tree_->SetFocus();
    KeyPress(VK_DOWN); // A1 is collapsed, so the next row is A2
    KeyPress(VK_DOWN);
    tree_->SetSelected(c_);
    tree_->SetSelected(c_);
    EXPECT_EQ(changes_, (std::vector<std::string>{"A1", "A2", "B", "C"}));
    EXPECT_EQ(tree_->Selected(), c_);
    EXPECT_TRUE(c_->Selected());
}

TEST_F(TreeViewTest, PropertiesReachTheWindowBeforeAndAfterItIsMade) {
    MakeTree();
    tree_->SetShowLines(false);
    tree_->SetHideSelection(false);
    tree_->SetIndent(23);
    tree_->SetColor(RGB(1, 2, 3));
    tree_->Font().SetColor(RGB(200, 0, 0));
    ShowAndSettle(form_);
    const HWND hwnd = tree_->Handle();
    const auto style = [&] { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); };
    struct Flag {
        const char* name;
        DWORD bit;
        bool set;
    };
    const Flag before[] = {
        {"buttons", TVS_HASBUTTONS, true},     {"lines", TVS_HASLINES, false},
        {"root", TVS_LINESATROOT, true},       {"show selection", TVS_SHOWSELALWAYS, true},
        {"hot track", TVS_TRACKSELECT, false}, {"no tooltips", TVS_NOTOOLTIPS, false}};
    for (const Flag& f : before) EXPECT_EQ((style() & f.bit) != 0, f.set) << f.name;
    EXPECT_EQ(SendMessage(hwnd, TVM_GETINDENT, 0, 0), 23);
    EXPECT_EQ(COLORREF(SendMessage(hwnd, TVM_GETBKCOLOR, 0, 0)), RGB(1, 2, 3));
    EXPECT_EQ(COLORREF(SendMessage(hwnd, TVM_GETTEXTCOLOR, 0, 0)), RGB(200, 0, 0));

    tree_->SetHotTrack(true);
    tree_->SetToolTips(false);
    tree_->SetShowButtons(false);
    tree_->SetColor(RGB(9, 9, 9));
    EXPECT_TRUE(style() & TVS_TRACKSELECT);
    EXPECT_TRUE(style() & TVS_NOTOOLTIPS);
    EXPECT_FALSE(style() & TVS_HASBUTTONS);
    EXPECT_EQ(COLORREF(SendMessage(hwnd, TVM_GETBKCOLOR, 0, 0)), RGB(9, 9, 9));
}

} // namespace
