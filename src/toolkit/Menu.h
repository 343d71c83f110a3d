#pragma once
// What main menus and pop-up menus share: the root item whose children are the entries, the
// window-system menu built from them, owner drawing with the items' events and an image
// list, the commands routed back to the items, and listeners told of changes.
#include <functional>
#include <vector>

#include "toolkit/ImageList.h"
#include "toolkit/MenuItem.h"

// `rebuilt`: the entries of a submenu were put in again (items added, removed or hidden),
// not only updated in place.
using TMenuChangeEvent = std::function<void(TMenu* sender, TMenuItem* source, bool rebuilt)>;

class TMenu : public TComponent {
  public:
    ~TMenu() override;
    const char* ClassName() const override { return "TMenu"; }

    // The root whose children are the menu's entries.
    TMenuItem& Items() { return root_; }
    HMENU Handle() { return root_.Handle(); }

    // Every entry drawn by its item (WM_MEASUREITEM / WM_DRAWITEM to the owner window).
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    // Makes every entry again, so that owner-drawn ones are measured anew (their measure
    // handlers changed).
    void RebuildEntries();
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // Runs the click of the item with the command; false when none has it.
    bool DispatchCommand(UINT command);
    // Answers WM_MEASUREITEM / WM_DRAWITEM of a menu entry that carries a live item; false for
    // anything else (another control's owner-drawn parts).
    static bool DispatchOwnerDraw(TMessage& m);

    // Several listeners may join; the id removes one.
    int AddChangeListener(TMenuChangeEvent listener);
    void RemoveChangeListener(int id);

  protected:
    TMenu(TComponent* owner, bool bar);
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TMenuItem;
    void MenuChanged(TMenuItem* source, bool rebuilt);

    TMenuItem root_;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    struct Listener {
        int id;
        TMenuChangeEvent call;
    };
    std::vector<Listener> listeners_;
    int nextListener_ = 1;
};
