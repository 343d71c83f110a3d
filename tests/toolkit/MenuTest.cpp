// Menus of the toolkit: entries that carry their items, owner drawing through the items'
// events, changes made in place, pop-up menus, and image lists drawn normal and greyed.
#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "toolkit/ImageList.h"
#include "toolkit/MainMenu.h"
#include "toolkit/PopupMenu.h"

namespace {

class MenuTest : public ControlTest {
  protected:
    // A form with a bar of two items, the first with a submenu of two.
    void Build(bool ownerDraw) {
        form_ = MakeForm(300, 200);
        menu_ = form_->Make<TMainMenu>();
        menu_->SetOwnerDraw(ownerDraw);
        file_ = Item("Файл");
        help_ = Item("Анықтама");
        open_ = Item("Ашу");
        exit_ = Item("Шығу");
        menu_->Items().Add(file_);
        menu_->Items().Add(help_);
        file_->Add(open_);
        file_->Add(exit_);
        form_->SetMenu(menu_);
    }
    TMenuItem* Item(const char* caption) {
        auto* item = form_->Make<TMenuItem>();
        item->SetCaption(caption);
        return item;
    }
    static MENUITEMINFO Info(HMENU menu, int position, std::string* text = nullptr) {
        char buffer[128] = {};
        MENUITEMINFO info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING | MIIM_STATE | MIIM_ID;
        info.dwTypeData = buffer;
        info.cch = sizeof buffer;
        EXPECT_TRUE(GetMenuItemInfo(menu, UINT(position), true, &info));
        if (text) *text = buffer;
        info.dwTypeData = nullptr;
        return info;
    }

    TForm* form_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TMenuItem *file_ = nullptr, *help_ = nullptr, *open_ = nullptr, *exit_ = nullptr;
};

TEST_F(MenuTest, EntriesCarryTheirItemsAndTheirText) {
    Build(false);
    const HMENU bar = menu_->Handle();
    std::string text;
    EXPECT_EQ(Info(bar, 0, &text).dwItemData, reinterpret_cast<uintptr_t>(file_));
    EXPECT_EQ(text, "Файл");
    EXPECT_EQ(Info(bar, 1).dwItemData, reinterpret_cast<uintptr_t>(help_));
    EXPECT_EQ(GetSubMenu(bar, 0), file_->Handle());
    EXPECT_EQ(Info(file_->Handle(), 1).dwItemData, reinterpret_cast<uintptr_t>(exit_));
    EXPECT_EQ(TMenuItem::FromItemData(reinterpret_cast<uintptr_t>(exit_)), exit_);
    EXPECT_EQ(TMenuItem::FromItemData(0x1234), nullptr); // data that is not an item is not trusted
}

TEST_F(MenuTest, ItemPropertiesReachTheirEntries) {
    Build(false);
    exit_->SetRadioItem(true);
    exit_->SetChecked(true);
    exit_->SetDefault(true);
    open_->SetBreak(mbBarBreak);
    open_->SetEnabled(false);
    const MENUITEMINFO exitInfo = Info(file_->Handle(), 1), openInfo = Info(file_->Handle(), 0);
    EXPECT_TRUE(exitInfo.fType & MFT_RADIOCHECK);
    EXPECT_EQ(exitInfo.fState & (MFS_CHECKED | MFS_DEFAULT), MFS_CHECKED | MFS_DEFAULT);
    EXPECT_TRUE(openInfo.fType & MFT_MENUBARBREAK);
    EXPECT_EQ(openInfo.fState & MFS_GRAYED, MFS_GRAYED);
    // Checking a radio item unchecks the others of its menu.
    open_->SetRadioItem(true);
    open_->SetChecked(true);
    EXPECT_FALSE(exit_->Checked());
    EXPECT_FALSE(Info(file_->Handle(), 1).fState & MFS_CHECKED);
}

TEST_F(MenuTest, AChangeUpdatesTheEntryInPlaceAndKeepsTheDrawersFlag) {
    Build(false);
    form_->Show();
    const HMENU bar = menu_->Handle(), sub = file_->Handle();
    int rebuilt = 0, changed = 0;
    menu_->AddChangeListener([&](TMenu*, TMenuItem*, bool r) { (r ? rebuilt : changed)++; });
    int second = 0;
    menu_->AddChangeListener([&](TMenu*, TMenuItem*, bool) { ++second; });
    // Whoever draws the menu marks an entry owner-drawn on the handle itself.
    MENUITEMINFO mark;
    mark.fMask = MIIM_FTYPE;
    mark.fType = MFT_OWNERDRAW;
    ASSERT_TRUE(SetMenuItemInfo(sub, 1, true, &mark));

    exit_->SetCaption("Жабу");
    std::string text;
    MENUITEMINFO info = Info(sub, 1, &text);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(text, "Жабу"); // an owner-drawn entry keeps its text for its drawer
    EXPECT_EQ(menu_->Handle(), bar);
    EXPECT_EQ(file_->Handle(), sub);
    EXPECT_EQ(GetMenu(form_->Handle()), bar);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(rebuilt, 0);

    // A new item rebuilds that submenu's entries: same handles, the flag kept, both told.
    file_->Insert(0, Item("Жаңа"));
    EXPECT_EQ(GetMenuItemCount(sub), 3);
    EXPECT_TRUE(Info(sub, 2).fType & MFT_OWNERDRAW);
    EXPECT_FALSE(Info(sub, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(file_->Handle(), sub);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(second, 2);
    // A hidden item leaves the menu; the positions of the others follow.
    open_->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(Info(sub, 1).dwItemData, reinterpret_cast<uintptr_t>(exit_));
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnThroughTheirEvents) {
    Build(true);
    struct Drawn {
        TMenuItem* item;
        RECT rect;
        TOwnerDrawState state;
        std::string text;
    };
    std::vector<Drawn> drawn;
    std::vector<TMenuItem*> measured;
    for (TMenuItem* item : {file_, help_, open_, exit_}) {
        item->OnMeasureItem = [&measured](TMenuItem* sender, TCanvas&, int& width, int& height) {
            measured.push_back(sender);
            width = 60;
            height = 18;
        };
        item->OnAdvancedDrawItem = [&drawn](TMenuItem* sender, TCanvas& canvas, const RECT& r,
                                            TOwnerDrawState s) {
            canvas.Brush.Color = RGB(0, 128, 0);
            canvas.FillRect(r);
            drawn.push_back(Drawn{sender, r, s, sender->Caption()});
        };
    }
    ShowAndSettle(form_);
    // The bar's items: measured once each, drawn in the measured width.
    ASSERT_GE(measured.size(), 2u);
    EXPECT_EQ(measured[0], file_);
    EXPECT_EQ(measured[1], help_);
    ASSERT_FALSE(drawn.empty());
    const Drawn* helpDraw = nullptr;
    for (const Drawn& d : drawn)
        if (d.item == help_) helpDraw = &d;
    ASSERT_NE(helpDraw, nullptr);
    EXPECT_EQ(WidthOf(helpDraw->rect), 60);
    EXPECT_EQ(helpDraw->text, "Анықтама");
    EXPECT_EQ(Info(menu_->Handle(), 1).fType & MFT_OWNERDRAW, MFT_OWNERDRAW);

    // A WM_DRAWITEM built from the entry finds its item through the item data.
    drawn.clear();
    const HDC dc = GetDC(form_->Handle());
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_MENU;
    dis.itemID = exit_->Command();
    dis.itemState = ODS_SELECTED | ODS_CHECKED;
    dis.hwndItem = reinterpret_cast<HWND>(file_->Handle());
    dis.hDC = dc;
    dis.rcItem = RECT{0, 0, 60, 18};
    dis.itemData = Info(file_->Handle(), 1).dwItemData;
    EXPECT_EQ(SendMessage(form_->Handle(), WM_DRAWITEM, 0, LPARAM(&dis)), 1);
    ReleaseDC(form_->Handle(), dc);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].item, exit_);
    EXPECT_EQ(drawn[0].state, unsigned(odSelected | odChecked));
    EXPECT_EQ(drawn[0].rect, (RECT{0, 0, 60, 18}));

    // A measure request for a submenu entry goes to its item too.
    measured.clear();
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_MENU;
    mis.itemData = reinterpret_cast<uintptr_t>(open_);
    SendMessage(form_->Handle(), WM_MEASUREITEM, 0, LPARAM(&mis));
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0], open_);
    EXPECT_EQ(mis.itemWidth, 60u);
    EXPECT_EQ(mis.itemHeight, 18u);
}

TEST_F(MenuTest, APopupMenuRunsTheChosenItem) {
    form_ = MakeForm(300, 200);
    auto* popup = form_->Make<TPopupMenu>();
    auto* first = Item("Бір");
    auto* second = Item("Екі");
    popup->Items().Add(first);
    popup->Items().Add(second);
    int clicked = 0, closed = 0, shown = 0;
    second->OnClick = [&](TComponent*) { ++clicked; };
    popup->OnPopup = [&](TComponent*) { ++shown; };
    popup->OnClose = [&](TComponent*) { ++closed; };
    ShowAndSettle(form_);
    Headless()->SetDriver([&] {
        RECT r{};
        if (GetMenuItemRect(nullptr, popup->Handle(), 1, &r)) {
            Click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        }
        return true;
    });
    popup->Popup(200, 200);
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(clicked, 1);
}

TEST_F(MenuTest, AnImageListDrawsItsImagesNormalAndGreyed) {
    TImageList images(nullptr, 2, 2);
    images.SetTransparentColor(RGB(255, 0, 255));
    // A strip of two 2x2 images: the first with one transparent pixel at (1, 1).
    Bitmap strip(4, 2, 24, true);
    strip.Fill(RGB(10, 20, 30));
    strip.SetPixel(1, 1, RGB(255, 0, 255));
    ASSERT_EQ(images.Add(strip), 0);
    EXPECT_EQ(images.Count(), 2);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP target = CreateDIBSection(4, 4, 24, true);
    SelectObject(dc, target);
    const COLORREF ground = RGB(1, 2, 3);
    const auto reset = [&] { BitmapOf(target)->Fill(ground); };
    const auto at = [&](int x, int y) { return BitmapOf(target)->GetPixel(x, y) & 0xFFFFFF; };

    reset();
    images.Draw(dc, 1, 1, 0, true);
    const COLORREF image = RGB(10, 20, 30);
    const COLORREF normal[4][4] = {{ground, ground, ground, ground},
                                   {ground, image, image, ground},
                                   {ground, image, ground, ground},
                                   {ground, ground, ground, ground}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(at(x, y), normal[y][x]) << x << "," << y;

    // Greyed: each opaque pixel in the highlight one down and right, then in the shadow.
    reset();
    images.Draw(dc, 0, 0, 0, false);
    const COLORREF s = GetSysColor(COLOR_BTNSHADOW), h = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF greyed[4][4] = {{s, s, ground, ground},
                                   {s, h, h, ground},
                                   {ground, h, ground, ground},
                                   {ground, ground, ground, ground}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(at(x, y), greyed[y][x]) << x << "," << y;
    images.Draw(dc, 0, 0, 5, true); // a bad index draws nothing
    DeleteDC(dc);
    DeleteObject(target);
}

} // namespace
