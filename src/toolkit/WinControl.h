#pragma once
// Windowed controls: each owns a window of the window system, made when first needed. A
// control of our own registers a class named after itself; a control that wraps a standard
// class (a button, a tree view) creates that class and subclasses it, so that every message
// passes through the control's WindowProc and reaches the class through DefaultHandler.
#include <string>
#include <vector>

#include "toolkit/Control.h"

struct TCreateParams {
    std::string ClassName; // the window class; a class unknown to the window system is registered
    std::string Caption;
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT WindowClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }

    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // The control a window of ours belongs to, or null.
    static TWinControl* FromHandle(HWND hwnd);

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(size_t(index)); }

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop);
    bool CanFocus() const;
    bool Focused() const;
    void SetFocus();

    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);

    RECT ClientRect() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    // Lays out the aligned and anchored children; `changed` wins ties at its edge.
    void Realign(TControl* changed = nullptr);
    // Paints the control and its children into a context (origin at the control's corner).
    void PaintTo(HDC dc, int x, int y);

  protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void RecreateWnd();
    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    // The window's own picture; by default what its class paints into the context.
    virtual void PaintWindow(HDC dc);
    void PaintBuffered(HDC dc, const RECT& area);
    // The windowless children over the window's picture, in z-order.
    void PaintControls(HDC dc);
    virtual void AlignControls(RECT& rect);
    void BoundsChanged(const RECT& old) override;
    void VisibleChanged() override;
    void Loaded() override;
    // Made after the window exists, so that properties kept in the window can be set.
    virtual void HandleCreated() {}

  private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void PaintHandler(HDC dc);
    void RouteMouse(TMessage& m);
    // Gives the mouse back after a windowless child's press and release.
    void EndChildCapture();
    TControl* ControlAt(POINT client) const;
    void SetMouseControl(TControl* control);
    // The mouse is over the window itself (CM_MOUSEENTER sent), until WM_MOUSELEAVE.
    void TrackMouseOver(bool over);
    // Sends CM_SHOWINGCHANGED to this control and its windowed children whose Showing changed.
    void UpdateShowing();
    bool ReflectNotification(TMessage& m);
    void ApplyAnchors(TControl* c, const RECT& client);
    static LRESULT ToolkitProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC defProc_ = nullptr;
    std::vector<TControl*> controls_;    // windowed and windowless, in z-order (first = bottom)
    TControl* mouseControl_ = nullptr;   // the windowless child under the mouse
    TControl* captureControl_ = nullptr; // the windowless child holding the mouse
    int tabOrder_ = -1;
    bool tabStop_ = false;
    int borderWidth_ = 0;
    bool aligning_ = false;
    bool mouseOver_ = false;       // the mouse is over the window (not a windowed child)
    bool showing_ = false;         // Showing() as last told by CM_SHOWINGCHANGED
    bool windowGoing_ = false;     // DestroyWnd is destroying the window
    bool ncDestroyPassed_ = false; // the class has heard WM_NCDESTROY
};
