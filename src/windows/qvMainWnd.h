#pragma once
// The base of every wrapper that skins a window from outside: it takes over the window's
// message handling (the window procedure of a plain window, or the WindowProc of a toolkit
// control), answers the skin commands as a skinned control would and hands everything else
// to the handler it replaced. Descendants paint the window's frame and background.
#include <functional>
#include <memory>
#include <string>

#include "platform/core/WinTypes.h"
#include "platform/window/WindowSystem.h"
#include "skin/sHookedWrapper.h"
#include "toolkit/Messages.h"

class TsCommonData;
class TsSkinManager;
class TWinControl;

class TqvMainWnd : public TsHookedWrapper {
  public:
    // withScrollBars: the wrapper draws the window's scroll bars (TqvScrollWnd). skinData
    // null: the wrapper makes and owns one; its section is set to skinSection when empty.
    TqvMainWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
               TsSkinManager* manager, TsCommonData* skinData);
    ~TqvMainWnd() override;
    TqvMainWnd(const TqvMainWnd&) = delete;
    TqvMainWnd& operator=(const TqvMainWnd&) = delete;

    HWND Handle = nullptr;
    TsSkinManager* SkinManager = nullptr; // null: the default manager
    TsCommonData* SkinData = nullptr;
    bool OwnsSkinData = false;
    bool Destroyed = false; // the window went, or the take-over was undone
    bool Skinned = false;   // the skin look has been applied
    bool DialogMode = false;
    std::string CaptionText;

    // Geometry refreshed before painting.
    HWND ParentWindow = nullptr;
    RECT WindowRect{}, ParentRect{};
    POINT PositionInParent{}; // the window's top-left corner in its parent's client area
    int Width = 0, Height = 0;
    void RefreshGeometry();

    virtual void SaveStandardLook() {}
    virtual void RestoreStandardLook() {}
    virtual void ApplySkinLook() { Skinned = true; }
    virtual void WindowProc(TMessage& message);
    // Hands the message to the saved handler (window procedure or toolkit WindowProc).
    void PassOn(TMessage& message);

    // The toolkit control the window belongs to, or null for a plain window.
    TWinControl* Control() const { return control_; }
    bool WithScrollBars() const { return withScrollBars_; }
    // The stored manager, or the default one.
    TsSkinManager* Manager() const;
    // The manager exists and has a skin loaded.
    bool SkinLoaded() const;

    // Gives the window its own handling and look back; once only. Owners call it before
    // freeing the wrapper (the destructor calls it as well, but from there only the base
    // class's RestoreStandardLook is reached), so a class that overrides
    // RestoreStandardLook calls it from its own destructor.
    void Unwrap();

    // TsHookedWrapper
    HWND Window() const override { return Handle; }
    bool Attached() const override { return attached_; }

    // The wrapper of a window (the "QVSBSC" property), or null.
    static TqvMainWnd* FromWindow(HWND window);
    // Set while system dialogs are wrapped; copied into DialogMode at creation.
    static bool WrappingDialogChild;
    // The window the mouse made hot through a wrapper (null: none).
    static HWND HotWindow;

  protected:
    // The skin commands of the base; true when answered and not to be passed on.
    virtual bool SkinCommand(TMessage& message);
    // Skin command 23: rebuilds the cache when it is invalid (the base: BuildBaseCache).
    virtual void RebuildFrameCache() { BuildBaseCache(); }
    // The window is being destroyed: the take-over is undone.
    void WindowGone();
    void BecomeHot();
    void GiveUpHot();

  public:
    // When the cache is invalid: the cache at window size, the section's background with its
    // borders over the parent's background at the window's place in it, the disabled look
    // for a disabled window; then the cache is valid.
    void BuildBaseCache();
    // Copies the cache's border strips (outside the client area and its scroll bars) onto the
    // window's context.
    void CopyFrameStrips(HDC windowDC) const;
    // Runs SaveStandardLook once. The constructor cannot reach a descendant's override, so
    // whoever makes a wrapper calls this right after; the first message does it otherwise.
    void Start();

  private:
    void Dispatch(TMessage& message);
    struct Link;
    class ToolkitRoute;
    static LRESULT Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void TakeOver();
    void GiveBackHandling();
    bool RouteIsCurrent() const;

    std::unique_ptr<TsCommonData> ownSkinData_;
    TWinControl* control_ = nullptr;
    bool withScrollBars_ = false;
    bool attached_ = false;
    bool started_ = false;
    bool unwrapped_ = false;
    bool themeSwitched_ = false;
    WNDPROC oldProc_ = nullptr;
    std::function<void(TMessage&)> oldWindowProc_;
    std::shared_ptr<Link> link_;
};
