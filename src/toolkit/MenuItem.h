#pragma once
// Menu items: a tree of captions with click handlers. A main menu turns its tree into window-
// system menus and hands each chosen command back to its item.
#include <string>
#include <vector>

#include "platform/menus/Menu.h"
#include "toolkit/Control.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    const char* ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    const std::string& ShortCutText() const { return shortCut_; }
    void SetShortCutText(const std::string& text) { shortCut_ = text; }

    TMenuItem* Parent() const { return parent_; }
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(size_t(index)); }
    void Add(TMenuItem* item);
    int MenuIndex() const;
    UINT Command() const { return command_; }

    TNotifyEvent OnClick;
    virtual void Click();

    // Builds the item's entries into `menu` (recursively for submenus).
    void AppendTo(HMENU menu) const;
    // The item (this or below) that has the command, or null.
    TMenuItem* FindCommand(UINT command);
    // Tells the menu that owns the tree to rebuild.
    std::function<void()> OnChanged;

private:
    void Changed();

    std::string caption_;
    std::string shortCut_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_; // owned by the form, like every component
    UINT command_;
};
