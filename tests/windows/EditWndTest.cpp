// The edit-like wrappers: the colours they give their controls and the frame they paint
// from the section around the client.
#include "windows/AdapterTestFixture.h"
#include "windows/qvEditWnd.h"
#include "windows/qvTreeViewWnd.h"

namespace {

class EditWndTest : public AdapterTest {};

TEST_F(EditWndTest, TheTreeTakesTheHotColourAndTheFirstHotFontColourAndKeepsThem) {
    auto* tree = Put<TTreeView>(form_, "TV1", {10, 10, 110, 110});
    tree->Items().AddChild(nullptr, "Node");
    ProvideAndWrap();
    RedrawWindow(tree->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETBKCOLOR, 0, 0), LRESULT(kEditHot));
    EXPECT_EQ(tree->Font().Color(), kEditHotFont);
    // A client pixel far from the node shows the background colour.
    RECT client = ClientRectInWindow(tree->Handle());
    EXPECT_EQ(ScreenPixel(tree, client.right - 3, client.bottom - 3), kEditHot);

    manager_->StripSkinFromAll();
    ProcessPendingMessages();
    EXPECT_EQ(WrapperOf(tree), nullptr);
    EXPECT_EQ(SendMessage(tree->Handle(), TVM_GETBKCOLOR, 0, 0), LRESULT(kEditHot));
    EXPECT_EQ(tree->Font().Color(), kEditHotFont);
}

TEST_F(EditWndTest, TheFrameComesFromTheSectionBorder) {
    // The border image is one solid colour with 2-pixel margins, so every pixel of the
    // client edge (2 pixels thick) shows it.
    auto* list = Put<TDirectoryListBox>(form_, "List", {20, 20, 120, 100});
    ProvideAndWrap();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    const RECT client = ClientRectInWindow(list->Handle());
    ASSERT_EQ(client.left, 2);
    const POINT frame[] = {{0, 0}, {1, 50}, {99, 0}, {98, 79}, {50, 79}, {0, 40}};
    for (const POINT& p : frame) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(ScreenPixel(list, p.x, p.y), kEditBorder);
    }
}

TEST_F(EditWndTest, AnswersTheSectionIndexAndIsSkinned) {
    auto* list = Put<TDirectoryListBox>(form_, "List", {20, 20, 120, 100});
    ProvideAndWrap();
    const int edit = manager_->GetSectionIndex("EDIT");
    EXPECT_EQ(SendSkinCommand(list->Handle(), SkinCommandWParam(scGetSectionIndex), 0), edit + 1);
    TMessage ask{SM_ORVENCMD, SkinCommandWParam(scIsSkinned), 0, 0};
    list->Perform(ask);
    EXPECT_EQ(ask.LParam, 1);
    EXPECT_EQ(ask.Result, 1);
}

} // namespace
