#include "toolkit/ToolBar.h"

#include <algorithm>

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ToolBar.h"

namespace {

// An aligned child is stretched by the core's alignment pass just before the row is laid
// out; its own size is the one code gave it.
RECT OwnBounds(const TControl* c) {
    if (c->Align() == alNone) return c->BoundsRect();
    return c->ExplicitBounds();
}

SIZE OwnSize(const TControl* c) {
    const RECT r = OwnBounds(c);
    return SIZE{WidthOf(r), HeightOf(r)};
}

} // namespace

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

void TToolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = TOOLBARCLASSNAME;
    // The toolkit places the bar; the window must not move or size itself.
    // The edges are the bar's own non-client frame, so the window draws no divider.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | WS_CLIPCHILDREN | CCS_NODIVIDER;
    if (flat_) params.Style |= TBSTYLE_FLAT;
    if (showCaptions_ || list_) params.Style |= TBSTYLE_LIST;
}

void TToolBar::HandleCreated() {
    // The window measured its client area before the bar heard its messages.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessage(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    synced_.clear();
    Realign();
}

void TToolBar::SetButtonHeight(int value) {
    buttonHeight_ = std::max(1, value);
    if (HandleAllocated())
        SendMessage(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    Realign();
}

void TToolBar::SetButtonWidth(int value) {
    buttonWidth_ = std::max(1, value);
    if (HandleAllocated())
        SendMessage(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    Realign();
}

void TToolBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == showCaptions_) return;
    showCaptions_ = value;
    synced_.clear();
    RecreateWnd();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
    if (value == edgeBorders_) return;
    edgeBorders_ = value;
    FrameChanged();
}

void TToolBar::SetEdgeInner(TEdgeStyle value) {
    if (value == edgeInner_) return;
    edgeInner_ = value;
    FrameChanged();
}

void TToolBar::SetEdgeOuter(TEdgeStyle value) {
    if (value == edgeOuter_) return;
    edgeOuter_ = value;
    FrameChanged();
}

void TToolBar::SetList(bool value) {
    if (value == list_) return;
    list_ = value;
    RecreateWnd();
}

void TToolBar::SetImageList(TImageList*& field, TImageList* images) {
    if (images == field) return;
    // The other list may be the same one: only drop the link when neither holds it.
    TImageList* old = field;
    field = images;
    if (old && old != images_ && old != hotImages_) old->RemoveFreeNotification(this);
    if (images) images->FreeNotification(this);
    Invalidate();
}

void TToolBar::SetImages(TImageList* images) { SetImageList(images_, images); }
void TToolBar::SetHotImages(TImageList* images) { SetImageList(hotImages_, images); }

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) images_ = nullptr;
    if (component == hotImages_) hotImages_ = nullptr;
}

int TToolBar::EdgeSize() const { return (edgeInner_ != esNone) + (edgeOuter_ != esNone); }

RECT TToolBar::FrameWidths() const {
    const int e = EdgeSize(), band = 2 * BorderWidth();
    const auto side = [&](TEdgeBorder b) { return (edgeBorders_ & b ? e : 0) + band; };
    return RECT{side(ebLeft), side(ebTop), side(ebRight), side(ebBottom)};
}

void TToolBar::SetBorderWidth(int width) {
    if (std::max(0, width) == BorderWidth()) return;
    TWinControl::SetBorderWidth(width);
    FrameChanged();
}

void TToolBar::FrameChanged() {
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Realign();
}

// The edges, then the border band in the bar's colour. `given` is the context of a print,
// in window coordinates; otherwise the window's own.
void TToolBar::PaintFrame(HDC given) {
    if (!HandleAllocated()) return;
    const HWND hwnd = Handle();
    const RECT f = FrameWidths();
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    const RECT whole{0, 0, WidthOf(wr), HeightOf(wr)};
    const RECT client{f.left, f.top, std::max(f.left, whole.right - f.right),
                      std::max(f.top, whole.bottom - f.bottom)};
    if (client == whole) return;
    HDC dc = given ? given : GetWindowDC(hwnd);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    const auto line = [](TEdgeStyle style) {
        return style == esNone ? edgeLineNone : style == esRaised ? edgeLineRaised : edgeLineSunken;
    };
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &whole, brush);
    DeleteObject(brush);
    // The edge sides are the bar's edge borders under other names.
    DrawEdgeSides(dc, whole, line(edgeOuter_), line(edgeInner_), edgeBorders_);
    RestoreDC(dc, saved);
    if (!given) ReleaseDC(hwnd, dc);
}

// Where the image goes in its place: left in List style, else centred over any caption.
void TToolBar::DrawButtonImage(TToolButton* button, const RECT& place, UINT state) {
    if (!images_ || button->ImageIndex() < 0 || button->ImageIndex() >= images_->Count()) return;
    const bool hot = (state & (CDIS_HOT | CDIS_SELECTED | CDIS_CHECKED)) != 0;
    const TImageList* list =
        hot && hotImages_ && button->ImageIndex() < hotImages_->Count() ? hotImages_ : images_;
    const int w = WidthOf(place), h = HeightOf(place);
    int x, y;
    if (list_) {
        x = 5;
        y = (h - list->Height()) / 2;
    } else {
        SIZE a{};
        if (showCaptions_) GetTextExtentPoint32(canvas_.Handle(), "A", 1, &a);
        x = (w - list->Width()) / 2 - (button->Style() == tbsDropDown ? 8 : 0) + 1;
        y = (h - list->Height() - (showCaptions_ ? int(a.cy) + 3 : 0)) / 2;
    }
    if (state & (CDIS_SELECTED | CDIS_CHECKED)) ++x, ++y;
    list->Draw(canvas_.Handle(), place.left + x, place.top + y, button->ImageIndex(),
               (state & CDIS_DISABLED) == 0);
}

void TToolBar::ButtonsChanged() {
    synced_.clear();
    Realign();
}

// The first layout orders the children by Left (equal Lefts keep their order of insertion);
// a child that comes later goes before the first one lying right of its Left. Placing the
// children changes their Left, so the order is kept rather than sorted again.
void TToolBar::OrderRow() {
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    const auto isChild = [&children](TControl* c) {
        return std::find(children.begin(), children.end(), c) != children.end();
    };
    order_.erase(
        std::remove_if(order_.begin(), order_.end(), [&](TControl* c) { return !isChild(c); }),
        order_.end());
    if (order_.empty()) {
        order_ = children;
        std::stable_sort(order_.begin(), order_.end(), [](const TControl* a, const TControl* b) {
            return OwnBounds(a).left < OwnBounds(b).left;
        });
    } else {
        for (TControl* c : children) {
            if (std::find(order_.begin(), order_.end(), c) != order_.end()) continue;
            const int left = OwnBounds(c).left;
            const auto at = std::find_if(order_.begin(), order_.end(), [left](const TControl* o) {
                return OwnBounds(o).left > left;
            });
            order_.insert(at, c);
        }
    }
    row_.clear();
    for (TControl* c : order_)
        if (c->Visible()) row_.push_back(c);
}

// A button's place carries its caption; every other child is a separator as wide as itself.
void TToolBar::SyncButtons() {
    if (!HandleAllocated()) return;
    std::vector<std::string> wanted;
    for (TControl* c : row_) {
        auto* b = dynamic_cast<TToolButton*>(c);
        if (b && !b->IsSeparator())
            wanted.push_back("B" + (showCaptions_ ? b->Caption() : std::string()));
        else
            wanted.push_back((b && b->Style() == tbsSeparator ? "S" : "C") +
                             std::to_string(OwnSize(c).cx));
    }
    if (wanted == synced_) return;
    synced_ = wanted;
    const HWND hwnd = Handle();
    while (SendMessage(hwnd, TB_BUTTONCOUNT, 0, 0) > 0)
        if (!SendMessage(hwnd, TB_DELETEBUTTON, 0, 0)) break;
    std::vector<TBBUTTON> buttons(row_.size());
    for (size_t i = 0; i < row_.size(); ++i) {
        TControl* c = row_[i];
        auto* b = dynamic_cast<TToolButton*>(c);
        TBBUTTON& tb = buttons[i];
        tb.idCommand = int(i) + 1; // custom drawing names the button by this
        tb.fsState = TBSTATE_ENABLED;
        if (b && !b->IsSeparator()) {
            tb.fsStyle = TBSTYLE_BUTTON;
            tb.iString = showCaptions_ ? intptr_t(b->Caption().c_str()) : 0;
        } else {
            tb.fsStyle = TBSTYLE_SEP;
            tb.iBitmap = std::max(1, int(OwnSize(c).cx));
            // Only a plain separator is the window's to draw; a divider draws its own line.
            if (!b || b->Style() != tbsSeparator) tb.fsState |= TBSTATE_HOLDSCONTROL;
        }
    }
    if (!buttons.empty())
        SendMessage(hwnd, TB_ADDBUTTONSA, WPARAM(buttons.size()), LPARAM(buttons.data()));
}

// Without a window the row is laid out as the window would: from x 0, no gaps.
RECT TToolBar::PlaceOf(int index) const {
    if (HandleAllocated()) {
        RECT r{};
        if (SendMessage(const_cast<TToolBar*>(this)->Handle(), TB_GETITEMRECT, WPARAM(index),
                        LPARAM(&r)))
            return r;
    }
    int x = 0;
    for (int i = 0; i < index; ++i) x += OwnSize(row_[size_t(i)]).cx;
    return RECT{x, 0, x + OwnSize(row_[size_t(index)]).cx, buttonHeight_};
}

void TToolBar::PlaceRow() {
    for (size_t i = 0; i < row_.size(); ++i) {
        TControl* c = row_[i];
        const RECT place = PlaceOf(int(i));
        const auto* b = dynamic_cast<TToolButton*>(c);
        // Tool buttons take their whole place; other controls keep their size at its corner.
        const SIZE own = OwnSize(c);
        const int width = b && !b->IsSeparator() ? WidthOf(place) : own.cx;
        const int height = b ? HeightOf(place) : own.cy;
        if (c->Left() != place.left || c->Top() != place.top || c->Width() != width ||
            c->Height() != height)
            c->SetBounds(place.left, place.top, width, height);
    }
}

void TToolBar::AlignControls(RECT&) {
    OrderRow();
    SyncButtons();
    PlaceRow();
}

bool TToolBar::CustomDraw(const RECT& r, TCustomDrawStage stage) {
    bool defaultDraw = true;
    if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, r, stage, defaultDraw);
    return defaultDraw;
}

bool TToolBar::CustomDrawButton(TToolButton* button, UINT state, TCustomDrawStage stage,
                                TTBCustomDrawFlags& flags) {
    bool defaultDraw = true;
    if (OnAdvancedCustomDrawButton)
        OnAdvancedCustomDrawButton(this, button, state, stage, flags, defaultDraw);
    return defaultDraw;
}

std::vector<TControl*> TToolBar::RowControls() {
    OrderRow();
    return row_;
}

LRESULT TToolBar::CNCustomDraw(NMCUSTOMDRAW& cd) {
    OrderRow(); // a child may have gone since the last layout
    canvas_.SetHandle(cd.hdc);
    canvas_.Font = Font();
    LRESULT result = CDRF_DODEFAULT;
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (!CustomDraw(cd.rc, cdPrePaint)) result |= CDRF_SKIPDEFAULT;
        if (WantsButtonDraw() || images_) result |= CDRF_NOTIFYITEMDRAW;
        if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_POSTPAINT: CustomDraw(cd.rc, cdPostPaint); break;
    case CDDS_PREERASE:
        if (!CustomDraw(cd.rc, cdPreErase)) result |= CDRF_SKIPDEFAULT;
        if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTERASE;
        break;
    case CDDS_POSTERASE: CustomDraw(cd.rc, cdPostErase); break;
    case CDDS_ITEMPREPAINT:
    case CDDS_ITEMPOSTPAINT: {
        const size_t index = size_t(cd.dwItemSpec) - 1;
        auto* button = index < row_.size() ? dynamic_cast<TToolButton*>(row_[index]) : nullptr;
        const TCustomDrawStage stage =
            cd.dwDrawStage == CDDS_ITEMPREPAINT ? cdPrePaint : cdPostPaint;
        if (!button) break;
        TTBCustomDrawFlags flags = 0;
        const bool defaultDraw =
            !WantsButtonDraw() || CustomDrawButton(button, cd.uItemState, stage, flags);
        if (!defaultDraw) result |= CDRF_SKIPDEFAULT;
        if (flags & tbNoEdges) result |= TBCDRF_NOEDGES;
        if (flags & tbNoEtchedEffect) result |= TBCDRF_NOETCHEDEFFECT;
        if (flags & tbHiliteHotTrack) result |= TBCDRF_HILITEHOTTRACK;
        if (flags & tbNoOffset) result |= TBCDRF_NOOFFSET;
        if (flags & tbNoMark) result |= TBCDRF_NOMARK;
        // The image goes over what the window drew, when it drew the button.
        if (images_ && defaultDraw && stage == cdPrePaint) result |= CDRF_NOTIFYPOSTPAINT;
        if (images_ && stage == cdPostPaint) DrawButtonImage(button, cd.rc, cd.uItemState);
        break;
    }
    default: break;
    }
    canvas_.SetHandle(nullptr);
    return result;
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        TWinControl::WndProc(m);
        if (m.LParam) {
            RECT& r = *reinterpret_cast<RECT*>(m.LParam);
            const RECT f = FrameWidths();
            r.left = std::min(r.left + f.left, r.right);
            r.top = std::min(r.top + f.top, r.bottom);
            r.right = std::max(r.left, r.right - f.right);
            r.bottom = std::max(r.top, r.bottom - f.bottom);
        }
        return;
    case WM_NCPAINT:
        TWinControl::WndProc(m);
        PaintFrame(reinterpret_cast<HDC>(m.LParam));
        return;
    default: break;
    }
    if (m.Msg == CN_NOTIFY && m.LParam) {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        if (hdr->code == NM_CUSTOMDRAW) {
            m.Result = CNCustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
            return;
        }
    }
    TWinControl::WndProc(m);
}
