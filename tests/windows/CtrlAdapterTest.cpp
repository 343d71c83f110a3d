// The form's adapter: which controls it takes, which wrapper each gets, and how wrapping
// follows the skin and the controls' lives.
#include "controls/sPanel.h"
#include "platform/controls/Button.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "windows/AdapterTestFixture.h"
#include "windows/qvBitBtnWnd.h"
#include "windows/qvEditWnd.h"
#include "windows/qvTransPanelWnd.h"
#include "windows/qvTreeViewWnd.h"

namespace {

// A toolkit control over a standard window class and style of the test's choosing.
class StandardWindow : public TWinControl {
  public:
    StandardWindow(TComponent* owner, const char* cls, DWORD style)
        : TWinControl(owner), cls_(cls), style_(style) {}

  protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.ClassName = cls_;
        params.Style |= style_;
    }

  private:
    const char* cls_;
    DWORD style_;
};

class CtrlAdapterTest : public AdapterTest {};

TEST_F(CtrlAdapterTest, KindsAndWhatCanBeWrapped) {
    TsSkinProvider* provider = Provide(form_);
    TqvCtrlAdapter& adapter = *provider->Adapter();
    struct Case {
        TControl* Control;
        TqvAdaptedKind Kind;
        bool Wrappable;
    };
    auto* unmade = form_->Make<TTreeView>(); // no window yet
    auto standard = [&](const char* cls, DWORD style) {
        auto* c = form_->Make<StandardWindow>(cls, style);
        c->SetBounds(0, 0, 40, 20);
        c->SetParent(form_);
        c->HandleNeeded();
        return c;
    };
    const Case cases[] = {
        {Put<TBitBtn>(form_, "b", {0, 0, 75, 25}), TqvAdaptedKind::BitButton, true},
        {Put<TTreeView>(form_, "t", {0, 30, 100, 80}), TqvAdaptedKind::TreeView, true},
        {Put<TDirectoryListBox>(form_, "d", {110, 30, 200, 80}), TqvAdaptedKind::Edit, true},
        {Put<TPanel>(form_, "p", {0, 120, 50, 150}), TqvAdaptedKind::Panel, false},
        {Put<TStatusBar>(form_, "s", {0, 150, 100, 170}), TqvAdaptedKind::None, false},
        {unmade, TqvAdaptedKind::None, false},
        {standard("Button", BS_GROUPBOX), TqvAdaptedKind::GroupBox, true},
        {standard("Button", BS_PUSHBUTTON), TqvAdaptedKind::Button, true},
        {standard("Button", BS_AUTOCHECKBOX), TqvAdaptedKind::None, false},
        {standard("Edit", 0), TqvAdaptedKind::Edit, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control->Name());
        EXPECT_EQ(AdaptedKindOf(c.Control), c.Kind);
        EXPECT_EQ(adapter.CanWrap(c.Control), c.Wrappable);
    }
}

TEST_F(CtrlAdapterTest, EachControlGetsTheWrapperOfItsKind) {
    auto* button = Put<TBitBtn>(form_, "BitBtn1", {10, 10, 85, 35});
    auto* tree = Put<TTreeView>(form_, "TV1", {10, 40, 110, 140});
    auto* list = Put<TDirectoryListBox>(form_, "DirectoryListBox1", {120, 40, 200, 100});
    auto* plain = Put<TPanel>(form_, "Panel1", {210, 10, 280, 60});
    TsSkinProvider* provider = ProvideAndWrap();
    TqvCtrlAdapter& adapter = *provider->Adapter();

    ASSERT_EQ(adapter.ItemCount(), 3); // the plain panel is not taken by the scan
    EXPECT_EQ(adapter.IndexOf(plain), -1);
    // Asked for one by one, it gets the panel wrapper and the "PANEL" section.
    adapter.WrapControl(plain, "");
    ASSERT_GE(adapter.IndexOf(plain), 0);
    EXPECT_NE(dynamic_cast<TqvTransPanelWnd*>(WrapperOf(plain)), nullptr);
    EXPECT_EQ(adapter.ItemAt(adapter.IndexOf(plain))->SkinData->SkinSection(), "PANEL");
    struct Case {
        TWinControl* Control;
        const char* Section;
        bool (*IsKind)(TqvMainWnd*);
    };
    const Case cases[] = {
        {button, "BUTTON", [](TqvMainWnd* w) { return dynamic_cast<TqvBitBtnWnd*>(w) != nullptr; }},
        {tree, "EDIT", [](TqvMainWnd* w) { return dynamic_cast<TqvTreeViewWnd*>(w) != nullptr; }},
        {list, "EDIT",
         [](TqvMainWnd* w) {
             return dynamic_cast<TqvEditWnd*>(w) && !dynamic_cast<TqvTreeViewWnd*>(w);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control->Name());
        TqvAdapterItem* item = adapter.ItemAt(adapter.IndexOf(c.Control));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->SkinData->SkinSection(), c.Section);
        EXPECT_TRUE(c.IsKind(item->Wrapper.get()));
        EXPECT_EQ(WrapperOf(c.Control), item->Wrapper.get());
        EXPECT_EQ(SendSkinCommand(c.Control->Handle(), SkinCommandWParam(scIsSkinned), 0), 1);
    }
    EXPECT_EQ(adapter.ItemAt(-1), nullptr);
    EXPECT_EQ(adapter.ItemAt(4), nullptr);
}

TEST_F(CtrlAdapterTest, SelfSkinnedControlsAreLeftAloneTheirChildrenAreNot) {
    // A skinned panel answers the is-skinned command itself; the tree on it is still wrapped,
    // as the contents tree on its skinned tab sheet is.
    auto* panel = Put<TsPanel>(form_, "sPanel1", {0, 0, 200, 150});
    auto* tree = Put<TTreeView>(panel, "TV1", {10, 10, 110, 110});
    TsSkinProvider* provider = ProvideAndWrap();
    TqvCtrlAdapter& adapter = *provider->Adapter();
    adapter.WrapControl(panel, "PANEL");
    EXPECT_EQ(adapter.IndexOf(panel), -1);
    EXPECT_EQ(WrapperOf(panel), nullptr);
    EXPECT_GE(adapter.IndexOf(tree), 0);
    EXPECT_NE(WrapperOf(tree), nullptr);
}

TEST_F(CtrlAdapterTest, AddingAWrappedControlAgainChangesOnlyItsSection) {
    auto* tree = Put<TTreeView>(form_, "TV1", {10, 10, 110, 110});
    TsSkinProvider* provider = ProvideAndWrap();
    TqvCtrlAdapter& adapter = *provider->Adapter();
    TqvMainWnd* wrapper = WrapperOf(tree);
    ASSERT_NE(wrapper, nullptr);
    adapter.WrapControl(tree, "PANEL");
    EXPECT_EQ(adapter.ItemCount(), 1);
    EXPECT_EQ(WrapperOf(tree), wrapper);
    EXPECT_EQ(adapter.ItemAt(0)->SkinData->SkinSection(), "PANEL");
}

TEST_F(CtrlAdapterTest, TheProviderMayRefuseAControlOrNameItsSection) {
    auto* tree = Put<TTreeView>(form_, "TV1", {10, 10, 110, 110});
    auto* list = Put<TDirectoryListBox>(form_, "List", {120, 10, 200, 80});
    TsSkinProvider* provider = Provide(form_);
    provider->OnSkinItem = [&](TComponent* item, bool& canBeAdded, std::string& section) {
        if (item == list) canBeAdded = false;
        if (item == tree) section = "PANEL";
    };
    provider->Adapter()->DropAllItems();
    provider->Adapter()->WrapAllControls();
    EXPECT_EQ(WrapperOf(list), nullptr);
    ASSERT_NE(WrapperOf(tree), nullptr);
    EXPECT_EQ(WrapperOf(tree)->SkinData->SkinSection(), "PANEL");
}

TEST_F(CtrlAdapterTest, NewControlsAreWrappedAndGoneOnesDropped) {
    TsSkinProvider* provider = ProvideAndWrap();
    TqvCtrlAdapter& adapter = *provider->Adapter();
    EXPECT_EQ(adapter.ItemCount(), 0);
    auto* tree = Put<TTreeView>(form_, "TV1", {10, 10, 110, 110});
    // The form announces its new child to the provider, which hands it to the adapter.
    SendSkinCommand(form_->Handle(), SkinCommandWParam(scChildChanged), LPARAM(tree));
    ASSERT_EQ(adapter.ItemCount(), 1);
    delete tree;
    EXPECT_EQ(adapter.ItemCount(), 0);
}

TEST_F(CtrlAdapterTest, RemovingTheSkinUnwrapsAndGivesTheListBoxItsColoursBack) {
    auto* list = Put<TDirectoryListBox>(form_, "List", {120, 10, 200, 80});
    list->SetColor(0x00FFFF);
    list->Font().SetColor(0x123456);
    TsSkinProvider* provider = ProvideAndWrap();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(list->Color(), kEditColor);
    EXPECT_EQ(list->Font().Color(), kEditHotFont);

    manager_->StripSkinFromAll();
    ProcessPendingMessages();
    EXPECT_EQ(provider->Adapter(), nullptr);
    EXPECT_EQ(WrapperOf(list), nullptr);
    EXPECT_EQ(list->Color(), 0x00FFFF);
    EXPECT_EQ(list->Font().Color(), 0x123456);
    // The window works on as before, through its own handler.
    EXPECT_EQ(SendSkinCommand(list->Handle(), SkinCommandWParam(scIsSkinned), 0), 0);
}

TEST_F(CtrlAdapterTest, ThirdPartySkinningOffWrapsNothing) {
    Put<TTreeView>(form_, "TV1", {10, 10, 110, 110});
    manager_->SkinningRules = srStdForms | srStdDialogs;
    TsSkinProvider* provider = ProvideAndWrap();
    EXPECT_EQ(provider->Adapter()->ItemCount(), 0);
}

} // namespace
