// The skinned system menu: its items follow the command table, its skin submenu lists the
// available skins and switches among them, and the frame opens it where the rules say.
#include <algorithm>

#include "platform/menus/Menu.h"
#include "windows/CaptionTestFixture.h"

namespace {

void AddStoredSkins(TsSkinManager& manager, int count) {
    for (int i = 0; i < count; ++i) manager.InternalSkins().Add().Name = "Skin" + std::to_string(i);
}

} // namespace

TEST_F(CaptionTest, TheMainWindowsMenuCanMoveButNotClose) {
    form_->SetBorderStyle(bsSingle);
    form_->SetBorderIcons(biMaximize);
    buttons_->UpdateSystemMenu();
    TsSystemMenu& menu = buttons_->SystemMenu();
    EXPECT_TRUE(menu.ItemMove->Visible());
    EXPECT_TRUE(menu.ItemMove->Enabled());
    EXPECT_FALSE(menu.ItemClose->Visible());
    EXPECT_FALSE(menu.ItemRestore->Visible());
    EXPECT_FALSE(menu.ItemMinimize->Visible());
    EXPECT_FALSE(menu.ItemMaximize->Visible());
    EXPECT_TRUE(menu.ItemSize->Visible());
    EXPECT_FALSE(menu.ItemSize->Enabled());
    EXPECT_EQ(menu.ItemClose->ShortCutText(), "Alt+F4");
}

TEST_F(CaptionTest, TheSkinSubmenuListsTheSkinsWithTheActiveOneChecked) {
    AddStoredSkins(*manager_, 3);
    manager_->SetActive(false); // the name changes without a load
    manager_->SetSkinName("Skin1");
    TsSystemMenu& menu = buttons_->SystemMenu();
    menu.RebuildSkinItems(*manager_);
    menu.RebuildSkinItems(*manager_); // a second build replaces the first
    ASSERT_NE(menu.SkinSelectItem(), nullptr);
    EXPECT_EQ(menu.Items().Items(0)->Caption(), "Available skins");
    EXPECT_TRUE(menu.Items().Items(1)->IsLine());
    EXPECT_EQ(menu.Items().Items(2), menu.ItemRestore);
    TMenuItem& select = *menu.SkinSelectItem();
    ASSERT_EQ(select.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(select.Items(i)->Name(), "SkinSelectItem" + std::to_string(i));
        EXPECT_EQ(select.Items(i)->Caption(), "Skin" + std::to_string(i));
        EXPECT_TRUE(select.Items(i)->RadioItem());
        EXPECT_EQ(select.Items(i)->Checked(), i == 1);
    }
}

TEST_F(CaptionTest, EveryTwentiethSkinStartsAColumn) {
    AddStoredSkins(*manager_, 41);
    manager_->SetActive(false);
    TsSystemMenu& menu = buttons_->SystemMenu();
    menu.RebuildSkinItems(*manager_);
    TMenuItem& select = *menu.SkinSelectItem();
    ASSERT_EQ(select.Count(), 41);
    for (int i = 0; i < 41; ++i) {
        // The list is sorted: find each item by its number, not by its caption.
        const bool breaks = i == 20 || i == 40;
        EXPECT_EQ(select.Items(i)->Break(), breaks ? mbBreak : mbNone) << i;
    }
}

TEST_F(CaptionTest, NoSkinsNoSubmenu) {
    manager_->SetActive(false);
    TsSystemMenu& menu = buttons_->SystemMenu();
    menu.RebuildSkinItems(*manager_);
    EXPECT_EQ(menu.SkinSelectItem(), nullptr);
    EXPECT_EQ(menu.Items().Items(0), menu.ItemRestore);
}

TEST_F(CaptionTest, ChoosingASkinItemSetsTheSkinNameWithoutAmpersands) {
    manager_->InternalSkins().Add().Name = "Blue";
    manager_->InternalSkins().Add().Name = "&Grey";
    manager_->SetActive(false);
    TsSystemMenu& menu = buttons_->SystemMenu();
    menu.RebuildSkinItems(*manager_);
    TMenuItem& select = *menu.SkinSelectItem();
    ASSERT_EQ(select.Count(), 2);
    TMenuItem* grey = select.Items(0)->Caption() == "&Grey" ? select.Items(0) : select.Items(1);
    grey->Click();
    EXPECT_EQ(manager_->SkinName(), "Grey");
}

TEST_F(CaptionTest, MenuItemsSendTheirSystemCommands) {
    TsSystemMenu& menu = buttons_->SystemMenu();
    menu.ItemMove->Click();
    menu.ItemMaximize->Click();
    EXPECT_EQ(form_->WindowState(), wsMaximized);
    menu.ItemClose->Click();
    EXPECT_EQ((std::vector<WPARAM>{SC_MOVE, SC_MAXIMIZE, SC_CLOSE}), Commands);
}

TEST_F(CaptionTest, TheMainFormsMinimizeItemMinimisesTheApplication) {
    TForm* other = app_->CreateForm<TForm>();
    other->SetBounds(300, 300, 100, 100);
    form_->Show();
    other->Show();
    buttons_->SystemMenu().ItemMinimize->Click();
    EXPECT_TRUE(IsIconic(form_->Handle()));
    EXPECT_TRUE(IsIconic(other->Handle()));
}

TEST_F(CaptionTest, AClickOnTheIconOpensTheMenuUnderTheIcon) {
    AddStoredSkins(*manager_, 3);
    manager_->SetActive(false);
    form_->Show();
    RECT w{};
    GetWindowRect(form_->Handle(), &w);
    RECT shown{};
    int runs = 0;
    Headless()->SetDriver([&] {
        ++runs;
        EnumWindows([&](HWND hwnd) {
            if (IsWindowVisible(hwnd) && hwnd != form_->Handle() &&
                GetClassName(hwnd) != "TApplication") {
                GetWindowRect(hwnd, &shown);
                return false;
            }
            return true;
        });
        EndMenu();
        return true;
    });
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDOWN, HTSYSMENU, 10, 10));
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(runs, 1);
    // At (left + 4, top + 4 + 0 + 16).
    EXPECT_EQ(shown.left, w.left + 4);
    EXPECT_EQ(shown.top, w.top + 20);
    ASSERT_NE(buttons_->SystemMenu().SkinSelectItem(), nullptr);
    EXPECT_EQ(buttons_->SystemMenu().SkinSelectItem()->Count(), 3);
}

TEST_F(CaptionTest, WithoutMakeSkinMenuThereIsNoSkinSubmenu) {
    AddStoredSkins(*manager_, 3);
    manager_->SetActive(false);
    buttons_->MakeSkinMenu = false;
    Headless()->SetDriver([] {
        EndMenu();
        return true;
    });
    EXPECT_TRUE(Mouse(WM_NCRBUTTONUP, HTCAPTION, 100, 10));
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(buttons_->SystemMenu().SkinSelectItem(), nullptr);
}

TEST_F(CaptionTest, AltSpaceReachesTheFormThenOpensTheSkinnedMenu) {
    form_->Show();
    int runs = 0;
    Headless()->SetDriver([&] {
        ++runs;
        EndMenu();
        return true;
    });
    TMessage key{WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE, 0};
    EXPECT_TRUE(buttons_->HandleMouseMessage(key));
    TMessage other{WM_SYSCOMMAND, SC_KEYMENU, 'F', 0};
    EXPECT_FALSE(buttons_->HandleMouseMessage(other));
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(std::count(host_.OwnMessages.begin(), host_.OwnMessages.end(), WM_SYSCOMMAND), 1);
}

namespace {

// Notes the pop-up menus it is handed.
class NotingMenuEngine : public TsMenuEngine {
  public:
    explicit NotingMenuEngine(std::vector<TMenu*>& attached) : attached_(attached) {}
    void ResetBorderWidth() override {}
    void RefreshHooks() override {}
    void ResetPopupState() override {}
    void AttachMainMenu(TMenu*, bool) override {}
    void AttachPopupMenu(TMenu* menu, bool active) override {
        if (active) attached_.push_back(menu);
    }
    void AttachMenuItems(TMenuItem*, bool) override {}
    void AttachSingleItem(TMenuItem*, bool) override {}
    bool HandleApplicationMessage(UINT, WPARAM, LPARAM) override { return false; }

  private:
    std::vector<TMenu*>& attached_;
};

} // namespace

TEST_F(CaptionTest, WithSkinnedPopupsTheMenuIsHandedToTheMenuSkinning) {
    std::vector<TMenu*> attached;
    TsSkinManager::MakeMenuEngine = [&](TsSkinManager*) {
        return std::make_unique<NotingMenuEngine>(attached);
    };
    TsSkinManager menus(nullptr);
    TsSkinManager::MakeMenuEngine = nullptr;
    menus.SetActive(false);
    host_.Manager = &menus;
    Headless()->SetDriver([] {
        EndMenu();
        return true;
    });
    buttons_->PopupSystemMenu(100, 100);
    menus.SetSkinnedPopups(false);
    buttons_->PopupSystemMenu(100, 100);
    Headless()->SetDriver(nullptr);
    host_.Manager = manager_.get();
    EXPECT_EQ((std::vector<TMenu*>{&buttons_->SystemMenu()}), attached);
}
