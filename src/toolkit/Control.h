#pragma once
// Controls: components with a place in a parent, alignment and anchors, visibility, colour,
// font, hint and cursor. Every message a control gets passes through its replaceable
// WindowProc, which calls the virtual WndProc unless a subclasser put itself in between.
// Windowless controls (TGraphicControl) are painted by their parent and get their mouse
// messages through it; windowed ones (TWinControl) own a window of the window system.
#include <functional>
#include <string>

#include "platform/gdi/SysColors.h"
#include "toolkit/Component.h"
#include "toolkit/Font.h"
#include "toolkit/Messages.h"

class TWinControl;
class TForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = unsigned;
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1,
    csCaptureMouse = 2,
    csClickEvents = 4,
    csOpaque = 8,
    csDoubleClicks = 16,
    csParentBackground = 32,
};
// What a control is doing at the moment (ControlState).
enum TControlStateFlag : unsigned {
    csLButtonDown = 1, // the left button went down on the control and is not up yet
    csPaintCopy = 2,   // painting into a bitmap that is copied to the window afterwards
};

// Cursors by their window-system ids (0: the parent's, or the arrow).
constexpr int crDefault = 0;
constexpr int crHandPoint = 32649;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState, int x, int y)>;

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    int ClientWidth() const { return WidthOf(ClientRect()); }
    int ClientHeight() const { return HeightOf(ClientRect()); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent up to a shown form.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const;
    void SetShowHint(bool show) {
        showHint_ = show;
        parentShowHint_ = false;
    }
    void SetParentShowHint(bool value) { parentShowHint_ = value; }
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    unsigned ControlStyle() const { return controlStyle_; }
    void SetControlStyle(unsigned style) { controlStyle_ = style; }
    unsigned ControlState() const { return controlState_; }
    void SetControlState(unsigned state) { controlState_ = state; }
    // Whether the parent's background shows behind the control (csParentBackground).
    bool ParentBackground() const { return (controlStyle_ & csParentBackground) != 0; }
    virtual void SetParentBackground(bool value);
    // Windowed controls paint into a memory bitmap first, then copy it to the window at once.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    // The bounds code last gave the control (SetBounds); the parent's alignment moves it
    // with PlaceAt and leaves these alone. While loading nothing is recorded (nor aligned):
    // the present bounds.
    RECT ExplicitBounds() const { return Loading() ? BoundsRect() : anchorBounds_; }

    // The message path: WindowProc may be replaced by a subclasser, who calls the previous one.
    std::function<void(TMessage&)> WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends a message record; the caller reads back the result and any parameter the
    // handler wrote its answer into.
    LRESULT Perform(TMessage& m);

    virtual void Invalidate();
    void Repaint();
    void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;
    // The form the control sits on, or null.
    TForm* ParentForm() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    // The mouse came over the control, or left it (CM_MOUSEENTER / CM_MOUSELEAVE naming it).
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Called by the parent's layout; moves the control without asking for a new layout.
    void PlaceAt(const RECT& bounds);

  protected:
    virtual void WndProc(TMessage& m);
    // What happens to a message nobody handled: windowed controls pass it to their window
    // class; windowless ones drop it.
    virtual void DefaultHandler(TMessage& m);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Click();
    virtual void DblClick();
    virtual void Resize();
    void Loaded() override;
    // Moves the window (windowed controls) after the fields have changed.
    virtual void BoundsChanged(const RECT& old);
    virtual void VisibleChanged();
    void RequestAlign();

    // Anchoring: the place and the parent's size the control was designed with.
    RECT anchorBounds_{};
    SIZE anchorParent_{};
    bool anchorRecorded_ = false;
    void RecordAnchorOrigin();
    friend class TWinControl;

  private:
    void ParentColorChanged();
    void ParentFontChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = SysColor(COLOR_BTNFACE);
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    int cursor_ = crDefault;
    unsigned controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
    unsigned controlState_ = 0;
    bool doubleBuffered_ = false;
};

TShiftState ShiftFromKeys(WPARAM keys);
