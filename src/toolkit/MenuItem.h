#pragma once
// Menu items: a tree of captions with click handlers. The menu that owns the tree (a main
// menu, a pop-up menu) turns it into window-system menus; each entry carries its item as item
// data, so that a measure or draw request and a chosen command find their way back to it. A
// change to one item updates its entry in place; adding, removing or hiding items rebuilds
// the entries of that one submenu, keeping the menu handles and the owner-draw flags.
#include <functional>
#include <string>
#include <vector>

#include "platform/menus/Menu.h"
#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

class TMenu;
class TMenuItem;

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
// The owner-draw state of an item, with the window system's ODS_* bits.
enum TOwnerDrawStateFlag : unsigned {
    odSelected = ODS_SELECTED,
    odGrayed = ODS_GRAYED,
    odDisabled = ODS_DISABLED,
    odChecked = ODS_CHECKED,
    odFocused = ODS_FOCUS,
    odDefault = ODS_DEFAULT,
    odHotLight = ODS_HOTLIGHT,
    odInactive = ODS_INACTIVE,
    odNoAccel = ODS_NOACCEL,
};
using TOwnerDrawState = unsigned;

using TMenuMeasureItemEvent =
    std::function<void(TMenuItem* sender, TCanvas& canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* sender, TCanvas& canvas, const RECT& rect, bool selected)>;
using TAdvancedMenuDrawItemEvent = std::function<void(TMenuItem* sender, TCanvas& canvas,
                                                      const RECT& rect, TOwnerDrawState state)>;

class TMenuItem : public TComponent {
  public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    const char* ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    TMenuBreak Break() const { return break_; }
    void SetBreak(TMenuBreak value);
    HBITMAP Bitmap() const { return bitmap_; }
    // The item does not own the bitmap.
    void SetBitmap(HBITMAP bitmap);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    const std::string& ShortCutText() const { return shortCut_; }
    void SetShortCutText(const std::string& text);
    bool IsLine() const { return caption_ == "-"; }

    TMenuItem* Parent() const { return parent_; }
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(size_t(index)); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int MenuIndex() const;
    UINT Command() const { return command_; }
    // The menu the tree belongs to, or null while the item is in no menu.
    TMenu* GetParentMenu() const;
    // The window-system menu of the item's children (the menu bar for a main menu's root),
    // made with the entries when first asked; null for an item without children.
    HMENU Handle();

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
    virtual void Click();

    // The item (this or below) that has the command, or null.
    TMenuItem* FindCommand(UINT command);
    // The live item an entry's item data names, or null for data that is not an item.
    static TMenuItem* FromItemData(uintptr_t data);

    // Owner drawing: the size and the picture of the entry. By default the events decide;
    // without them the item measures and draws itself as the classic menu does.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    virtual void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);
    virtual void AdvancedDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state,
                                  bool topLevel);

  private:
    friend class TMenu;
    // The entry's description; `keepType` are type bits set on the entry by its drawer.
    void FillInfo(MENUITEMINFO& info, std::string& text, UINT keepType);
    // Puts the visible children's entries into handle_ again.
    void RebuildEntries();
    // Updates this item's entry in its parent's menu.
    void UpdateEntry();
    void Changed(bool rebuilt);
    int EntryPosition() const;
    void DestroyHandle();
    void DrawDefault(TCanvas& canvas, const RECT& rect, TOwnerDrawState state, bool topLevel);

    std::string caption_;
    std::string shortCut_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    bool default_ = false;
    TMenuBreak break_ = mbNone;
    HBITMAP bitmap_ = nullptr;
    int imageIndex_ = -1;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;         // set on a menu's root only
    std::vector<TMenuItem*> items_; // owned by the form, like every component
    HMENU handle_ = nullptr;
    bool barHandle_ = false; // the root of a main menu holds a menu bar, not a pop-up
    UINT command_;
};
