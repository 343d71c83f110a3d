#include "toolkit/PopupMenu.h"

#include "toolkit/Control.h"

namespace {

constexpr const char* kWindowClass = "TPopupMenuOwner";
constexpr const char* kMenuProp = "Toolkit.PopupMenu";

} // namespace

TPopupMenu::~TPopupMenu() {
    // Destroyed while its menu is shown (by a handler the menu loop ran): the loop ends, and
    // the Popup still running learns not to touch this menu again.
    if (destroyedFlag_) {
        *destroyedFlag_ = true;
        if (IsMenuLoopActive()) EndMenu();
    }
    if (window_ && IsWindow(window_)) {
        RemoveProp(window_, kMenuProp);
        DestroyWindow(window_);
    }
}

HWND TPopupMenu::WindowHandle() {
    if (window_ && IsWindow(window_)) return window_;
    WNDCLASS wc;
    if (!GetClassInfo(kWindowClass, &wc)) {
        wc = WNDCLASS{};
        wc.lpszClassName = kWindowClass;
        wc.lpfnWndProc = WindowProc;
        RegisterClass(wc);
    }
    window_ = CreateWindowEx(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, nullptr, nullptr);
    if (window_) SetProp(window_, kMenuProp, this);
    return window_;
}

LRESULT TPopupMenu::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (GetProp(hwnd, kMenuProp) && TMenu::DispatchOwnerDraw(m)) return m.Result;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void TPopupMenu::Popup(int x, int y) {
    // Any handler below may destroy the menu; the flag says so, without touching it.
    bool destroyed = false;
    bool* const outer = destroyedFlag_;
    destroyedFlag_ = &destroyed;
    ShowAndRun(x, y, destroyed);
    if (!destroyed)
        destroyedFlag_ = outer;
    else if (outer)
        *outer = true;
}

void TPopupMenu::ShowAndRun(int x, int y, const bool& destroyed) {
    if (OnPopup) OnPopup(this);
    if (destroyed) return;
    const HMENU menu = Handle();
    const HWND owner = WindowHandle();
    if (!menu || !owner) return;
    UINT flags = TPM_RETURNCMD | TPM_NONOTIFY;
    if (alignment_ == paRight) flags |= TPM_RIGHTALIGN;
    if (alignment_ == paCenter) flags |= TPM_CENTERALIGN;
    const UINT command = TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
    if (destroyed || IsDestroying()) return;
    // Told first: a drop-down button comes up before the chosen item runs.
    if (OnClose) OnClose(this);
    if (destroyed) return;
    if (auto* control = dynamic_cast<TControl*>(popupComponent_)) {
        control->Perform(CN_DROPDOWNCLOSED, 0, LPARAM(this));
        if (destroyed) return;
    }
    if (command) DispatchCommand(command);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}
