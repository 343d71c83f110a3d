#pragma once
// The adapter of a form's skin provider: it walks the form's controls and wraps the standard
// ones that know nothing of skins, one item per control, and tells the wrapped controls of
// skin changes.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Messages.h"
#include "windows/qvAdapterItem.h"

class TComponent;
class TControl;
class TsSkinProvider;
class TsSkinManager;

class TqvCtrlAdapter {
  public:
    explicit TqvCtrlAdapter(TsSkinProvider* provider);
    virtual ~TqvCtrlAdapter();
    TqvCtrlAdapter(const TqvCtrlAdapter&) = delete;
    TqvCtrlAdapter& operator=(const TqvCtrlAdapter&) = delete;

    TsSkinProvider* Provider = nullptr;
    std::vector<std::unique_ptr<TqvAdapterItem>> WrappedItems;
    std::string DefaultSection;

    virtual bool CanWrap(TControl* control) const;
    // Null for an index outside the list.
    virtual TqvAdapterItem* ItemAt(int index) const;
    // Adds the control with DefaultSection.
    virtual void WrapNewControl(TControl* control);
    virtual void WrapControl(TControl* control, const std::string& skinSection);
    virtual void DropItem(int index);

    // Wraps every supported control under root (null: the provider's form), when the skin
    // manager's rules allow third-party skinning.
    void WrapAllControls(TComponent* root = nullptr);
    int ItemCount() const { return int(WrappedItems.size()); }
    int IndexOf(const TControl* control) const;
    void DropAllItems();
    void DropDeadItems();
    // Drops the control's item, if it has one (the control is going).
    void DropControl(const TComponent* control);
    // Sends the message to every wrapped window whose control has a parent.
    void SendToWrapped(TMessage& message);

  protected:
    virtual std::unique_ptr<TqvAdapterItem> MakeItem(TControl* control);
    TsSkinManager* Manager() const;

  private:
    void WrapTree(TComponent* root, std::vector<const TComponent*>& walked);
    void TakeControl(TControl* control);
    bool wrappingAll_ = false;
    bool droppingAll_ = false;
};
