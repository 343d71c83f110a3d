#include "controls/sToolBar.h"

#include <algorithm>
#include <exception>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "platform/controls/CustomDraw.h"
#include "platform/controls/ToolBar.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Messages.h"

namespace {

constexpr const char* kButtonSection = "TOOLBUTTON";

bool ClickableStyle(TToolButtonStyle style) {
    return style == tbsButton || style == tbsCheck || style == tbsDropDown;
}

int DropWidth(const TToolButton& button) {
    return button.Style() == tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) : 0;
}

// 0 normal (no state, or only disabled), 2 pressed or checked, 1 anything else (hot).
int ButtonState(UINT state) {
    if ((state & ~UINT(CDIS_DISABLED)) == 0) return 0;
    if (state & (CDIS_SELECTED | CDIS_CHECKED)) return 2;
    return 1;
}

} // namespace

TsToolBar::TsToolBar(TComponent* owner)
    : TToolBar(owner), SkinData(std::make_unique<TsCommonData>(this, true)) {
    SkinData->ControlKind = 54;
    SkinData->Loaded();
    HookCustomDraw();
}

TsToolBar::~TsToolBar() { Destroying(); }

void TsToolBar::Loaded() {
    TToolBar::Loaded();
    SkinData->Loaded();
    HookCustomDraw();
}

void TsToolBar::SetBtnDisabledKind(TsDisabledKind value) {
    btnDisabledKind_ = value;
    Invalidate();
}

void TsToolBar::HookCustomDraw() {
    if (SkinData->SkinActive()) {
        OnAdvancedCustomDraw = [this](TToolBar* sender, const RECT& r, TCustomDrawStage stage,
                                      bool& defaultDraw) {
            BarBackgroundHandler(sender, r, stage, defaultDraw);
        };
        if (!Designing())
            OnAdvancedCustomDrawButton = [this](TToolBar* sender, TToolButton* button, UINT state,
                                                TCustomDrawStage stage, TTBCustomDrawFlags& flags,
                                                bool& defaultDraw) {
                ToolButtonHandler(sender, button, state, stage, flags, defaultDraw);
            };
        return;
    }
    OnAdvancedCustomDraw = nullptr;
    if (!Designing()) OnAdvancedCustomDrawButton = nullptr;
}

void TsToolBar::Notification(TComponent* component, TOperation operation) {
    TToolBar::Notification(component, operation);
    if (operation == opRemove && component == droppedButton_) droppedButton_ = nullptr;
    // Pop-up menus are skinned by the menu layer, which is not part of the bars.
}

// ---- Geometry

POINT TsToolBar::CacheOffset() const {
    const RECT f = FrameWidths();
    return POINT{f.left, f.top};
}

int TsToolBar::IndexOf(const TControl* button) {
    const std::vector<TControl*> row = RowControls();
    const auto it = std::find(row.begin(), row.end(), button);
    return it == row.end() ? -1 : int(it - row.begin());
}

TToolButton* TsToolBar::ButtonAt(int index) {
    const std::vector<TControl*> row = RowControls();
    if (index < 0 || index >= int(row.size())) return nullptr;
    return dynamic_cast<TToolButton*>(row[size_t(index)]);
}

RECT TsToolBar::ToolButtonBounds(int index) {
    RECT r{};
    if (HandleAllocated() && SendMessage(Handle(), TB_GETITEMRECT, WPARAM(index), LPARAM(&r)))
        return r;
    const std::vector<TControl*> row = RowControls();
    if (index >= 0 && index < int(row.size())) return row[size_t(index)]->BoundsRect();
    return RECT{};
}

int TsToolBar::ToolButtonAtPoint(POINT point) {
    const int count = int(RowControls().size());
    for (int i = 0; i < count; ++i) {
        if (!PtInRect(ToolButtonBounds(i), point)) continue;
        const TToolButton* b = ButtonAt(i);
        return b && ClickableStyle(b->Style()) ? i : -1;
    }
    return -1;
}

bool TsToolBar::ButtonDown(int index) {
    if (index < 0 || !HandleAllocated()) return false;
    const LRESULT state = SendMessage(Handle(), TB_GETSTATE, WPARAM(index + 1), 0);
    return state != -1 && (state & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
}

// ---- Hot tracking

void TsToolBar::ChangeTrackedButton(int index) {
    const int old = TrackedButton;
    TrackedButton = index;
    if (old != index && !ButtonDown(old)) RedrawToolButtonNow(old);
}

void TsToolBar::RedrawToolButtonNow(int index) {
    if (index < 0 || !HandleAllocated()) return;
    TToolButton* button = ButtonAt(index);
    if (!button) return;
    // The client context: client coordinates map straight onto the window.
    const HDC dc = GetDC(Handle());
    if (!dc) return;
    Canvas().SetHandle(dc);
    Canvas().Font = Font();
    TTBCustomDrawFlags flags = 0;
    bool defaultDraw = false;
    ToolButtonHandler(this, button, 0, cdPrePaint, flags, defaultDraw);
    Canvas().SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

void TsToolBar::MouseMoved(POINT point) {
    const int index = ToolButtonAtPoint(point);
    if (index == TrackedButton) return;
    if (index >= 0) {
        const TToolButton* b = ButtonAt(index);
        if (!b || !b->Enabled()) return; // a disabled button keeps the previous one hot
    }
    ChangeTrackedButton(index);
    if (!ButtonDown(index)) RedrawToolButtonNow(index);
}

void TsToolBar::DropDownClosed() {
    if (!droppedButton_) return;
    TrackedButton = -1;
    const int index = IndexOf(droppedButton_);
    droppedButton_ = nullptr;
    RedrawToolButtonNow(index);
}

// ---- Painting

void TsToolBar::ComposeLook() {
    SkinData->SizeCacheBitmap();
    const ParentCacheInfo parent = SkinData->QueryParentBackground();
    RenderSkinItem(*SkinData, parent, false, false, SkinData->CacheBitmap.get(),
                   POINT{Left(), Top()}, RECT{0, 0, Width(), Height()}, 0);
    SkinData->CacheInvalid = false;
}

// The four strips of the frame around the client area, from the same places of the cache.
void TsToolBar::CopyBorderStrips(HDC dc) {
    const Bitmap* cache = SkinData->CacheBitmap.get();
    if (!dc || !cache || cache->Empty()) return;
    const POINT co = CacheOffset();
    const int cw = ClientWidth(), ch = ClientHeight(), w = Width(), h = Height();
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, co.x, co.y, co.x + cw, co.y + ch);
    const RECT strips[] = {
        {0, 0, w, co.y},
        {0, co.y, co.x, ch},
        {0, co.y + ch, w, h - ch - co.y},
        {co.x + cw, co.y, w - co.x - cw, ch},
    };
    TsBitmapDC source(*cache);
    for (const RECT& s : strips) // (x, y, width, height)
        if (s.right > 0 && s.bottom > 0)
            BitBlt(dc, s.left, s.top, s.right, s.bottom, source.Handle(), s.left, s.top, SRCCOPY);
    RestoreDC(dc, saved);
}

void TsToolBar::PaintNonClient() {
    SkinData->UpdateLock = SkinData->IsUpdating();
    if (SkinData->UpdateLock || !HandleAllocated()) return;
    if (SkinData->CacheInvalid) ComposeLook();
    const HDC dc = GetWindowDC(Handle());
    CopyBorderStrips(dc);
    ReleaseDC(Handle(), dc);
}

void TsToolBar::SendNcPaint() {
    if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

void TsToolBar::RepaintWhole() {
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, false);
}

void TsToolBar::BarBackgroundHandler(TToolBar*, const RECT& rect, TCustomDrawStage stage,
                                     bool& defaultDraw) {
    if (!SkinData->SkinActive()) {
        defaultDraw = true;
        return;
    }
    SkinData->UpdateLock = SkinData->IsUpdating();
    if (stage != cdPrePaint) {
        defaultDraw = false;
        return;
    }
    defaultDraw = true; // the window goes on to its buttons, which come to ToolButtonHandler
    if (SkinData->UpdateLock) return;
    const HDC dc = Canvas().Handle();
    if (SkinData->CacheInvalid) ComposeLook();
    FillAllCorners(*SkinData, 0);
    const POINT co = CacheOffset();
    CopyCacheToDC(this, *SkinData, POINT{co.x + rect.left, co.y + rect.top}, 0, 0, false, dc, rect);
    PaintGraphicChildren(dc, this, POINT{0, 0});
    RepaintChildren(this);
    if (ClientWidth() != Width() || ClientHeight() != Height()) SendNcPaint();
}

void TsToolBar::ToolButtonHandler(TToolBar*, TToolButton* button, UINT state,
                                  TCustomDrawStage stage, TTBCustomDrawFlags& flags,
                                  bool& defaultDraw) {
    if (!SkinData->SkinActive()) {
        defaultDraw = true;
        return;
    }
    defaultDraw = false;
    if (stage != cdPrePaint || !button || button->IsSeparator()) return;
    const int index = IndexOf(button);
    if (!Flat() && !Designing() && index >= 0 && index == TrackedButton) state |= CDIS_HOT;
    flags |= tbNoEdges | tbNoEtchedEffect;
    TsSkinManager* manager = SkinData->GetSkinManager();
    const Bitmap* cache = SkinData->CacheBitmap.get();
    const HDC target = Canvas().Handle();
    if (!manager || !target || index < 0) return;

    const RECT r = ToolButtonBounds(index);
    const int bw = WidthOf(r), bh = button->Height();
    if (bw <= 0 || HeightOf(r) <= 0) return;
    auto work = NewBitmap24(bw, HeightOf(r));
    TsBitmapDC workDC(*work);
    TCanvas canvas;
    canvas.SetHandle(workDC.Handle());
    canvas.Font = Font();
    const int s = ButtonState(state);
    const int section = manager->GetSectionIndex(kButtonSection);

    const POINT co = CacheOffset();
    ParentCacheInfo parent{cache, co.x, co.y, cache && !cache->Empty()};
    const RECT whole{0, 0, bw, std::min(bh, work->Height())};
    RenderItemBackground(section, kButtonSection, parent, KeyColor, -1, -1, manager, *work,
                         POINT{button->Left(), button->Top()}, whole, s > 0);
    parent.X += button->Left();
    parent.Y += button->Top();
    const int border = manager->GetImageEntryIndex(section, kButtonSection, "BORDERSMASK");
    if (manager->ImageIndexValid(border))
        PaintMaskBorders(*work, whole, true, true, s, manager->MasksData[size_t(border)], parent);

    const int available = bw - DropWidth(*button);
    TImageList* images = Images();
    const int textA = canvas.TextHeight("A");
    if (ShowCaptions()) {
        RECT c;
        if (List()) {
            c = RECT{images ? images->Width() + 6 : 1, 2, available - 2, bh - 2};
        } else {
            const int tw = canvas.TextWidth(button->Caption());
            const int b = images ? (bh - images->Height() - textA - 3) / 2 : (bh - textA) / 2;
            const int top = images ? b + images->Height() + 3 : b;
            const int l = (available - tw) / 2;
            c = RECT{l - 1, top, available - l + 2, bh - b};
        }
        if (s == 2) c = OffsetRect(c, 1, 1);
        WriteSectionText(canvas, button->Caption(), true, manager, s > 0, section,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE, c);
    }

    const int imageIndex = button->ImageIndex();
    if (images && imageIndex >= 0 && imageIndex < images->Count()) {
        TImageList* hot = HotImages();
        const TImageList& list = s != 0 && hot && imageIndex < hot->Count() ? *hot : *images;
        Bitmap picture(1, 1, 24);
        ImageToBitmap(picture, list, imageIndex);
        int x, y;
        if (List()) {
            x = 5;
            y = (bh - list.Height()) / 2;
        } else {
            x = (bw - list.Width()) / 2 - (button->Style() == tbsDropDown ? 8 : 0) + 1;
            y = (bh - list.Height() - (ShowCaptions() ? textA + 3 : 0)) / 2;
        }
        if (s == 2) ++x, ++y;
        CopyKeyed(*work, picture, x, y, TColor(list.BkColor()));
    }

    const int glyph = manager->FindImageEntryIndex("SCROLLBTNBOTTOM", "GLYPHMASK");
    if (button->Style() == tbsDropDown && manager->ImageIndexValid(glyph)) {
        const int ds = (button == droppedButton_ || ButtonDown(index)) ? 2
                       : (state & CDIS_HOT)                            ? 1
                                                                       : 0;
        if (manager->ImageIndexValid(border))
            PaintMaskBorders(*work, RECT{available, 0, bw, bh}, true, true, ds,
                             manager->MasksData[size_t(border)], parent);
        const SIZE frame = manager->GetMaskFrameSize(glyph);
        const int arrow = GetSystemMetrics(SM_CXVSCROLL);
        const POINT at{(arrow - int(frame.cx) - 3) / 2 + available + 2,
                       (ButtonHeight() - int(frame.cy)) / 2};
        PaintMaskImage(*work, at, ds, manager->MasksData[size_t(glyph)], 1);
    }

    if (!button->Enabled() || (state & CDIS_DISABLED))
        ApplyDisabledLook(*work, btnDisabledKind_, Parent(), POINT{0, 0}, parent);

    canvas.SetHandle(nullptr);
    BitBlt(target, button->Left(), button->Top(), bw, work->Height(), workDC.Handle(), 0, 0,
           SRCCOPY);
}

// ---- Messages

bool TsToolBar::SkinCommand(TMessage& m) {
    const bool ours = m.LParam == LPARAM(SkinData->GetSkinManager());
    switch (SkinCommandCode(m.WParam)) {
    case scSkinLoaded:
        // The skin data passes the command on to the children before it looks up its section.
        SkinData->HandleMessage(m);
        return true;
    case scRemoveSkin:
    case scRefresh:
        if (ours) droppedButton_ = nullptr;
        SkinData->HandleMessage(m);
        if (ours) {
            HookCustomDraw();
            RepaintWhole();
            SendNcPaint();
        }
        return true;
    case scRepaintNow:
        if (SkinData->IsUpdating()) {
            SkinData->UpdateLock = false;
            RepaintWhole();
        }
        return true;
    case scIsSkinned: m.LParam = m.Result = 1; return true;
    case scGetApplication: m.Result = LRESULT(Application); return true;
    case scGetCache: {
        if (!SkinData->SkinActive()) return false;
        const Bitmap* cache = SkinData->CacheBitmap.get();
        if (cache && !cache->Empty()) {
            const POINT co = CacheOffset();
            ParentCacheAnswer = ParentCacheInfo{cache, co.x, co.y, true};
        }
        m.Result = 0;
        return true;
    }
    default: return false;
    }
}

// Copies the frame, then lets the window paint its client area (through the custom drawing)
// into the given context.
void TsToolBar::PrintSkinned(TMessage& m) {
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc) return;
    SkinData->UpdateLock = false;
    if (SkinData->CacheInvalid) ComposeLook();
    CopyBorderStrips(dc);
    const POINT co = CacheOffset();
    const int saved = SaveDC(dc);
    POINT old{};
    GetViewportOrgEx(dc, &old);
    SetViewportOrgEx(dc, old.x + co.x, old.y + co.y, nullptr);
    IntersectClipRect(dc, 0, 0, ClientWidth(), ClientHeight());
    Perform(WM_PAINT, WPARAM(dc), 0);
    RestoreDC(dc, saved);
}

// Skinned messages answered before the standard handling; true when nothing more is to be done.
bool TsToolBar::SkinnedMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return true;
    case WM_PRINT: PrintSkinned(m); return true;
    case WM_NCPAINT: PaintNonClient(); return true;
    case CM_TEXTCHANGED: RepaintWhole(); return false;
    default: break;
    }
    if (m.Msg == CN_NOTIFY && m.LParam) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr->code == TBN_DELETINGBUTTON) {
            const int remaining = int(SendMessage(Handle(), TB_BUTTONCOUNT, 0, 0)) - 1;
            if (TrackedButton >= remaining) TrackedButton = -1;
        } else if (hdr->code == TBN_DROPDOWN) {
            const auto* tb = reinterpret_cast<const NMTOOLBAR*>(m.LParam);
            const int index = tb->iItem - 1; // command ids count the row from 1
            if (TToolButton* b = ButtonAt(index)) {
                droppedButton_ = b;
                RedrawToolButtonNow(index);
            }
        }
    }
    return false;
}

void TsToolBar::AfterStandard(const TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED: RepaintWhole(); break;
    case WM_MOUSEMOVE:
        if (!Flat() && !Designing())
            MouseMoved(POINT{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))});
        break;
    case CM_MOUSELEAVE:
        if (m.LParam != LPARAM(this)) break; // a child the mouse left
        [[fallthrough]];
    case WM_MOUSELEAVE:
        if (!Flat() && !Designing()) ChangeTrackedButton(-1);
        break;
    default: break;
    }
}

void TsToolBar::WndProc(TMessage& m) {
    if (m.Msg == SM_ORVENCMD && SkinCommand(m)) return;
    if (IsDestroying() || !SkinData || !SkinData->SkinActive()) {
        TToolBar::WndProc(m);
        return;
    }
    if (SkinnedMessage(m)) return;
    if (SkinData->HandleMessage(m)) return;
    try {
        TToolBar::WndProc(m);
    } catch (...) {
        // Nothing escapes the bar's window procedure, but a failure in a child's event (a
        // button's click) is still reported the usual way.
        if (Application) Application->HandleException(std::current_exception());
    }
    AfterStandard(m);
}
