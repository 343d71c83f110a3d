#pragma once
// One control a form's adapter skins from outside: the control, the skin data the item owns
// for it and the wrapper chosen for its kind of window.
#include <memory>
#include <string>

class TControl;
class TsCommonData;
class TsSkinManager;
class TqvMainWnd;

// The kinds of control the adapter knows, by the first that matches.
enum class TqvAdaptedKind {
    None,
    BitButton,
    Button,
    GroupBox,
    TreeView,
    Edit, // edits and list boxes
    Panel,
    SynEdit,     // third-party editors, skinned as edits
    RichView,    // third-party rich text views: the base answers only
    VirtualTree, // third-party virtual trees and lists: the base answers only
};

// The kind of a control: by its class first, then by its window's class; None for a control
// without a window.
TqvAdaptedKind AdaptedKindOf(TControl* control);

class TqvAdapterItem {
  public:
    TqvAdapterItem(TControl* control, TsSkinManager* manager);
    virtual ~TqvAdapterItem();
    TqvAdapterItem(const TqvAdapterItem&) = delete;
    TqvAdapterItem& operator=(const TqvAdapterItem&) = delete;

    TControl* Control = nullptr;
    std::unique_ptr<TsCommonData> SkinData;
    std::unique_ptr<TqvMainWnd> Wrapper;

    // Chooses the wrapper for the control's kind and makes it; none when the window does
    // not exist, the control skins itself or no wrapper fits.
    virtual void AttachWrapper(TControl* control);
    // The wrapper exists and its window still has it.
    bool WrapperAlive() const;
    // Unwraps and frees the wrapper.
    void FreeWrapper();
};
