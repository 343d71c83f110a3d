#include "windows/sCaptionButtons.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Messages.h"

namespace {

constexpr const char* kGlobalInfo = "GLOBALINFO";
constexpr int kDefaultButtonSize = 21;
// Images lower than this sit two pixels lower, nearer the caption's middle.
constexpr int kLowImageHeight = 16;

bool ButtonPressedFlag = false;

bool IsSizingEdge(LRESULT hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }

} // namespace

TsCaptionButtons::TsCaptionButtons(TsCaptionHost& host) : host_(host) {}

TsCaptionButtons::~TsCaptionButtons() {
    // A frame that goes with its button held down leaves no press behind for the others.
    if (hot_ != 0) ButtonPressedFlag = false;
}

bool TsCaptionButtons::ButtonPressed() { return ButtonPressedFlag; }

TsCommandFacts TsCaptionButtons::Facts() const {
    const TForm* form = host_.HostForm();
    return form ? CommandFactsOf(*form) : TsCommandFacts{};
}

// ---- Images and sizes

void TsCaptionButtons::UpdateButtonIndexes(const std::string& formSection) {
    TsSkinManager* m = host_.HostManager();
    if (!m) return;
    SystemMenu(); // a skinned frame always has its menu: the buttons' width counts on it
    const int g = m->GetSectionIndex(kGlobalInfo);
    const int own = m->GetSectionIndex(formSection);
    const auto global = [&](const char* name) {
        return m->GetImageEntryIndex(g, kGlobalInfo, name);
    };
    const auto ofForm = [&](const char* name) {
        return m->GetImageEntryIndex(own, formSection, name);
    };
    const auto bigGlobal = [&] {
        Minimize.ImageIndex = global("BICONMIN");
        Maximize.ImageIndex = global("BICONMAX");
        Close.ImageIndex = global("BICONCLOSE");
        Help.ImageIndex = global("BICONHELP");
    };
    if (global("BICONCLOSE") < 0) {
        Minimize.ImageIndex = ofForm("BICONMIN");
        Maximize.ImageIndex = ofForm("BICONMAX");
        Close.ImageIndex = ofForm("BICONCLOSE");
        Help.ImageIndex = ofForm("BICONHELP");
    } else {
        const TForm* form = host_.HostForm();
        const TFormBorderStyle style = form ? form->BorderStyle() : bsSizeable;
        if (style != bsSingle && style != bsSizeable) {
            Close.ImageIndex = global("SICONCLOSE");
            Minimize.ImageIndex = global("SICONMIN");
            Maximize.ImageIndex = global("SICONMAX");
            Help.ImageIndex = global("SICONHELP");
            if (Help.ImageIndex < 0) Help.ImageIndex = global("BICONHELP");
        } else {
            bigGlobal();
        }
        if (Close.ImageIndex < 0) bigGlobal();
    }
    RestoreImage = global("BICONNORM");
    if (RestoreImage < 0) RestoreImage = ofForm("BICONNORM");
    TitleButtonImage = global("TITLEBUTTON");
    if (TitleButtonImage < 0) TitleButtonImage = ofForm("TITLEBUTTON");
    for (int i = 0; i < TitleButtons.Count(); ++i) {
        TsTitleButton& b = TitleButtons.Items(i);
        b.FrameButton.ImageIndex = b.UseSkinData ? TitleButtonImage : -1;
    }
}

int TsCaptionButtons::FrameButtonHeight() const {
    const TsSkinManager* m = host_.HostManager();
    if (!m || !m->ImageIndexValid(Close.ImageIndex)) return kDefaultButtonSize;
    return m->GetMaskFrameSize(Close.ImageIndex).cy;
}

int TsCaptionButtons::FrameButtonWidth(const TsFrameButton& b) const {
    const TsSkinManager* m = host_.HostManager();
    if (!m || !m->ImageIndexValid(b.ImageIndex)) return kDefaultButtonSize;
    return m->GetMaskFrameSize(b.ImageIndex).cx;
}

int TsCaptionButtons::TitleButtonWidth(const TsTitleButton& b) const {
    const int glyph = b.Glyph && !b.Glyph->Empty() ? b.Glyph->Width() + 2 : 0;
    const TsSkinManager* m = host_.HostManager();
    const int image = m && m->ImageIndexValid(TitleButtonImage)
                          ? m->GetMaskFrameSize(TitleButtonImage).cx
                          : kDefaultButtonSize;
    return std::max(glyph, image);
}

int TsCaptionButtons::ButtonSpacing() const {
    const TsSkinManager* m = host_.HostManager();
    return m ? m->SkinData.ButtonSpacing : 0;
}

int TsCaptionButtons::ButtonsWidth() const {
    const TsCommandFacts facts = Facts();
    const int spacing = ButtonSpacing();
    int width = 0;
    if ((facts.BorderIcons & biSystemMenu) && menu_) {
        width += FrameButtonWidth(Close) + spacing;
        if (CommandVisible(facts, TsSystemCommand::Maximize))
            width += FrameButtonWidth(Maximize) + spacing;
        if (CommandVisible(facts, TsSystemCommand::Minimize))
            width += FrameButtonWidth(Minimize) + spacing;
        if (CommandVisible(facts, TsSystemCommand::Help)) width += FrameButtonWidth(Help) + spacing;
    }
    for (int i = 0; i < TitleButtons.Count(); ++i)
        width += TitleButtonWidth(TitleButtons.Items(i)) + spacing;
    return width;
}

// ---- Layout and painting

TsFrameButton* TsCaptionButtons::ButtonOf(int code) {
    switch (code) {
    case HTMINBUTTON: return &Minimize;
    case HTMAXBUTTON: return &Maximize;
    case HTCLOSE: return &Close;
    case HTHELP: return &Help;
    default: break;
    }
    if (IsTitleCode(code)) return &TitleButtons.Items(code - kTitleButtonHitBase).FrameButton;
    return nullptr;
}

bool TsCaptionButtons::IsTitleCode(int code) const {
    return code >= kTitleButtonHitBase && code < kTitleButtonHitBase + TitleButtons.Count();
}

void TsCaptionButtons::LayoutButtons() {
    const TsTitleMetrics m = host_.TitleMetrics();
    const TsCommandFacts facts = Facts();
    const int spacing = ButtonSpacing();
    const int height = FrameButtonHeight();
    int top = (m.CaptionHeight + m.FrameBorderHeight - height) / 2;
    if (height < kLowImageHeight) top += 2;
    int x = m.FrameWidth - m.FrameBorderWidth - spacing;
    slots_.clear();
    const auto place = [&](TsFrameButton& b, int code, int width) {
        b.Rect = RECT{x - width, top, x, top + height};
        slots_.push_back(Slot{code, &b});
        x = b.Rect.left - spacing;
    };
    for (TsFrameButton* b : {&Minimize, &Maximize, &Close, &Help}) b->Rect = RECT{};
    // A missing image still takes its place, so that what is drawn and what is hit agree.
    if (facts.BorderIcons & biSystemMenu) {
        place(Close, HTCLOSE, FrameButtonWidth(Close));
        if (CommandVisible(facts, TsSystemCommand::Maximize))
            place(Maximize, HTMAXBUTTON, FrameButtonWidth(Maximize));
        if (CommandVisible(facts, TsSystemCommand::Minimize))
            place(Minimize, HTMINBUTTON, FrameButtonWidth(Minimize));
        if (CommandVisible(facts, TsSystemCommand::Help))
            place(Help, HTHELP, FrameButtonWidth(Help));
    }
    for (int i = 0; i < TitleButtons.Count(); ++i) {
        TsTitleButton& b = TitleButtons.Items(i);
        place(b.FrameButton, kTitleButtonHitBase + i, TitleButtonWidth(b));
    }
}

bool TsCaptionButtons::ButtonEnabled(int code, const TsCommandFacts& facts) const {
    switch (code) {
    case HTMAXBUTTON:
        return facts.WindowState == wsMaximized ? CommandEnabled(facts, TsSystemCommand::Restore)
                                                : CommandEnabled(facts, TsSystemCommand::Maximize);
    case HTMINBUTTON:
        return facts.Iconic ? CommandEnabled(facts, TsSystemCommand::Restore)
                            : CommandEnabled(facts, TsSystemCommand::Minimize);
    case HTCLOSE:
    case HTHELP: return true;
    default: break;
    }
    return IsTitleCode(code) && TitleButtons.Items(code - kTitleButtonHitBase).Enabled;
}

bool TsCaptionButtons::ButtonUsable(int code, const TsCommandFacts& facts) const {
    switch (code) {
    case HTCLOSE: return (facts.BorderIcons & biSystemMenu) != 0;
    case HTMAXBUTTON:
        return CommandEnabled(facts, TsSystemCommand::Maximize) ||
               (facts.WindowState == wsMaximized &&
                CommandEnabled(facts, TsSystemCommand::Restore) && !facts.Iconic);
    case HTMINBUTTON: return facts.Iconic || CommandEnabled(facts, TsSystemCommand::Minimize);
    case HTHELP: return true;
    default: break;
    }
    return IsTitleCode(code) && TitleButtons.Items(code - kTitleButtonHitBase).Enabled;
}

int TsCaptionButtons::ImageFor(int code, const TsCommandFacts& facts) const {
    switch (code) {
    case HTMAXBUTTON: return facts.WindowState == wsMaximized ? RestoreImage : Maximize.ImageIndex;
    case HTMINBUTTON: return facts.Iconic ? RestoreImage : Minimize.ImageIndex;
    case HTCLOSE: return Close.ImageIndex;
    case HTHELP: return Help.ImageIndex;
    default: break;
    }
    if (!IsTitleCode(code)) return -1;
    const TsTitleButton& b = TitleButtons.Items(code - kTitleButtonHitBase);
    return b.UseSkinData ? TitleButtonImage : -1;
}

void TsCaptionButtons::DrawGlyph(Bitmap& cache, const TsTitleButton& button, int shift) const {
    if (!button.Glyph || button.Glyph->Empty()) return;
    Bitmap glyph = *button.Glyph;
    if (!glyph.SetFormat(24) || cache.BitsPerPixel() != 24) return;
    const RECT& r = button.FrameButton.Rect;
    const int x = r.left + (r.right - r.left - glyph.Width()) / 2 + shift;
    const int y = r.top + (FrameButtonHeight() - glyph.Height()) / 2 + shift;
    CopyKeyed(cache, glyph, x, y, TColor(glyph.GetPixel(0, glyph.Height() - 1)));
}

void TsCaptionButtons::DrawButton(Bitmap& cache, const Slot& slot, bool repaint) {
    const TsSkinManager* m = host_.HostManager();
    const TsCommandFacts facts = Facts();
    const bool active = host_.ShowsActive();
    const bool enabled = ButtonEnabled(slot.Code, facts);
    const TsFrameButton& b = *slot.Button;
    const bool title = IsTitleCode(slot.Code);
    int mode = active && enabled ? 1 : 2;
    if (repaint) {
        // A hot or pressed button shows in full even on an inactive frame.
        if (title)
            mode = !enabled || (b.State == 0 && !active) ? 2 : 1;
        else
            mode = (!enabled || b.State == 0) && (!enabled || !active) ? 2 : 1;
    }
    const int image = ImageFor(slot.Code, facts);
    if (m && m->ImageIndexValid(image))
        PaintMaskImage(cache, POINT{b.Rect.left, b.Rect.top}, b.State, m->MasksData[size_t(image)],
                       mode);
    if (title) {
        const TsTitleButton& button = TitleButtons.Items(slot.Code - kTitleButtonHitBase);
        DrawGlyph(cache, button, repaint && b.State == 2 ? 1 : 0);
    }
}

void TsCaptionButtons::SaveBackground(const Bitmap& cache) {
    const TsTitleMetrics m = host_.TitleMetrics();
    const int width = ButtonsWidth() + m.FrameBorderWidth;
    const int height = std::max(0, m.TopAreaHeight);
    background_ = Bitmap(width, height, cache.BitsPerPixel() == 32 ? 32 : 24);
    CopyBitmapBlock(background_, 0, 0, cache, m.FrameWidth - width - 1, 0, width, height);
}

void TsCaptionButtons::PaintCaptionButtons(Bitmap& cache) {
    if (host_.TitleMetrics().CaptionHeight <= 0) {
        slots_.clear();
        return;
    }
    LayoutButtons();
    for (const Slot& slot : slots_) DrawButton(cache, slot, false);
}

void TsCaptionButtons::RestoreBackground(Bitmap& cache, const RECT& rect) const {
    if (background_.Empty()) return;
    const int left = host_.TitleMetrics().FrameWidth - background_.Width() - 1;
    CopyBitmapBlock(cache, rect.left, rect.top, background_, rect.left - left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top);
}

void TsCaptionButtons::RedrawFrameButton(int code) {
    TForm* form = host_.HostForm();
    Bitmap* cache = host_.FrameCache();
    // A cache of another width is about to be composed again, buttons and all.
    if (!form || !cache || cache->Empty() || cache->Width() != host_.TitleMetrics().FrameWidth)
        return;
    const auto slot = std::find_if(slots_.begin(), slots_.end(),
                                   [code](const Slot& s) { return s.Code == code; });
    if (slot == slots_.end()) return;
    const RECT r = slot->Button->Rect;
    if (r.left < host_.TitleMetrics().IconRect.right || r.right <= r.left) return;
    RestoreBackground(*cache, r);
    DrawButton(*cache, *slot, true);
    if (!form->HandleAllocated()) return;
    const HWND hwnd = form->Handle();
    const HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    {
        TsBitmapDC source(*cache);
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Handle(), r.left,
               r.top, SRCCOPY);
    }
    ReleaseDC(hwnd, dc);
}

// ---- Hot and pressed

void TsCaptionButtons::SetHotButton(int code) {
    if (!ButtonOf(code)) code = 0;
    if (code == hot_) return;
    StopTracking();
    const int old = hot_;
    hot_ = code;
    if (TsFrameButton* b = ButtonOf(old)) {
        b->State = 0;
        RedrawFrameButton(old);
    }
    if (TsFrameButton* b = ButtonOf(code)) {
        b->State = 1;
        RedrawFrameButton(code);
    }
    ButtonPressedFlag = false;
}

void TsCaptionButtons::PressButton(int code) {
    TsFrameButton* target = ButtonOf(code);
    const int old = hot_;
    if (old != code) {
        if (TsFrameButton* b = ButtonOf(old)) {
            b->State = 0;
            RedrawFrameButton(old);
        }
    }
    // A button that could not act is not pressed.
    if (!target || !ButtonUsable(code, Facts())) {
        if (target && old == code) {
            target->State = 0;
            RedrawFrameButton(code);
        }
        hot_ = 0;
        ButtonPressedFlag = false;
        return;
    }
    hot_ = code;
    target->State = 2;
    RedrawFrameButton(code);
    ButtonPressedFlag = true;
    TForm* form = host_.HostForm();
    if (form && form->HandleAllocated()) {
        SetCapture(form->Handle());
        tracking_ = code;
    }
}

// ---- Hit test

RECT TsCaptionButtons::WindowRectOfForm() const {
    RECT r{};
    TForm* form = host_.HostForm();
    if (form && form->HandleAllocated()) GetWindowRect(form->Handle(), &r);
    return r;
}

POINT TsCaptionButtons::WindowPointOf(LPARAM screenPoint) const {
    const RECT w = WindowRectOfForm();
    return POINT{GET_X_LPARAM(screenPoint) - w.left, GET_Y_LPARAM(screenPoint) - w.top};
}

int TsCaptionButtons::HitInButtonBand(POINT p, const TsTitleMetrics& m) {
    if (p.x >= m.FrameBorderWidth && p.x <= m.FrameBorderWidth + m.IconWidth) return HTSYSMENU;
    const TsCommandFacts facts = Facts();
    // Counted from the right: where two buttons touch, the right one takes the shared column.
    for (const Slot& slot : slots_) {
        const RECT& r = slot.Button->Rect;
        if (p.x < r.left || p.x > r.right) continue;
        return ButtonUsable(slot.Code, facts) ? slot.Code : HTCAPTION;
    }
    return HTCAPTION;
}

bool TsCaptionButtons::InGrip(POINT p, const TsTitleMetrics& m) const {
    if (host_.GripMode() != gmRightBottom && !host_.InScrollGripSquare(p)) return false;
    const TsSkinManager* manager = host_.HostManager();
    if (!manager) return false;
    const int grip = manager->GetImageEntryIndex(manager->GetSectionIndex(kGlobalInfo), kGlobalInfo,
                                                 "GRIPIMAGE");
    if (!manager->ImageIndexValid(grip)) return false;
    const SIZE size = manager->GetMaskFrameSize(grip);
    return p.x >= m.FrameWidth - size.cx - m.FrameBorderWidth &&
           p.y >= m.FrameHeight - size.cy - m.FrameBorderHeight;
}

LRESULT TsCaptionButtons::HitTest(TMessage& message) {
    TForm* form = host_.HostForm();
    const TsTitleMetrics m = host_.TitleMetrics();
    if (!form || m.CaptionHeight <= 0) {
        host_.CallOwnHandler(message);
        return message.Result;
    }
    LayoutButtons();
    const POINT p = WindowPointOf(message.LParam);
    const int height = FrameButtonHeight();
    const int band = (m.FrameBorderHeight + m.CaptionHeight - height) / 2;
    LRESULT hit = HTNOWHERE;
    if (p.y >= band && p.y <= band + height) {
        hit = HitInButtonBand(p, m);
        SetHotButton(int(hit)); // codes that name no button clear it
    } else if (InGrip(p, m)) {
        hit = HTBOTTOMRIGHT;
        SetHotButton(0);
    } else {
        SetHotButton(0);
    }
    if (form->WindowState() == wsMaximized) {
        const RECT w = WindowRectOfForm();
        const int width = w.right - w.left, heightOfWindow = w.bottom - w.top;
        // The frame of a maximised form lies outside the work area: its edge is not ours.
        if (p.x < 2 || p.y < 2 || p.x >= width - 2 || p.y >= heightOfWindow - 2) {
            SetHotButton(0);
            hit = HTTRANSPARENT;
        }
    }
    if (hit == HTNOWHERE || hit == HTCAPTION) {
        SetHotButton(0);
        host_.CallOwnHandler(message);
        hit = message.Result;
    }
    if (host_.ResizeMode() == rmBorder && (hit == HTCAPTION || IsSizingEdge(hit)))
        dragKind_ = int(hit);
    message.Result = hit;
    return hit;
}

// ---- Mouse on the frame

void TsCaptionButtons::SendCommand(WPARAM command, LPARAM lParam) {
    TForm* form = host_.HostForm();
    if (form && form->HandleAllocated())
        SendMessage(form->Handle(), WM_SYSCOMMAND, command, lParam);
}

POINT TsCaptionButtons::SystemMenuPoint() const {
    const RECT w = WindowRectOfForm();
    const TsTitleMetrics m = host_.TitleMetrics();
    return POINT{w.left + m.FrameBorderWidth,
                 w.top + m.FrameBorderHeight + m.FormBorderWidth + m.IconHeight};
}

void TsCaptionButtons::MaximizeOrRestore(const TsCommandFacts& facts) {
    TForm* form = host_.HostForm();
    if (!form) return;
    if (facts.WindowState == wsMaximized || facts.Iconic) {
        if (!facts.MdiChild && facts.WindowState == wsMaximized) form->SetWindowState(wsNormal);
        SendCommand(SC_RESTORE);
    } else {
        if (!facts.MdiChild) form->SetWindowState(wsMaximized);
        SendCommand(SC_MAXIMIZE);
    }
}

bool TsCaptionButtons::LeftButtonDown(TMessage& message) {
    const int hit = int(message.WParam);
    const TsCommandFacts facts = Facts();
    if (hit == HTSYSMENU) {
        SetHotButton(0);
        const POINT at = SystemMenuPoint();
        PopupSystemMenu(at.x, at.y);
        return true;
    }
    if (hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE || hit == HTHELP) {
        PressButton(hit);
        return true;
    }
    if (IsTitleCode(hit)) {
        PressButton(hit);
        TsTitleButton& button = TitleButtons.Items(hit - kTitleButtonHitBase);
        if (hot_ == hit && button.OnMouseDown)
            button.OnMouseDown(&button, mbLeft, 0, GET_X_LPARAM(message.LParam),
                               GET_Y_LPARAM(message.LParam));
        return true;
    }
    if (facts.Iconic) {
        SendCommand(SC_MOVE | HTCAPTION, message.LParam);
        return true;
    }
    SetHotButton(0);
    TForm* form = host_.HostForm();
    const TsTitleMetrics m = host_.TitleMetrics();
    if (form && facts.WindowState == wsMaximized &&
        WindowPointOf(message.LParam).y < m.FrameBorderHeight + m.CaptionHeight) {
        // A maximised window is not dragged by its caption.
        if (form->HandleAllocated() && GetActiveWindow() != form->Handle())
            SetActiveWindow(form->Handle());
        return true;
    }
    if (host_.ResizeMode() == rmStandard || hit == HTMENU) {
        host_.CallOwnHandler(message);
        return true;
    }
    // The caption click still activates the form; only the caption and the edges drag an
    // outline (the menu bar and the scroll bars keep their own clicks).
    if (hit == HTCAPTION || !IsSizingEdge(hit)) host_.CallOwnHandler(message);
    if (hit == HTCAPTION || IsSizingEdge(hit))
        host_.StartOutlineDrag(hit,
                               POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
    return true;
}

// A release over the pressed button acts; anywhere else it only lets the button go.
bool TsCaptionButtons::TrackPressedButton(const TMessage& message) {
    TsFrameButton* button = ButtonOf(tracking_);
    TForm* form = host_.HostForm();
    if (!button || !form || !form->HandleAllocated()) return false;
    POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    ClientToScreen(form->Handle(), &screen);
    const RECT w = WindowRectOfForm();
    const int state =
        InsideInclusive(button->Rect, POINT{screen.x - w.left, screen.y - w.top}) ? 2 : 0;
    if (button->State != state) {
        button->State = state;
        RedrawFrameButton(tracking_);
    }
    return true;
}

void TsCaptionButtons::StopTracking() {
    if (!tracking_) return;
    tracking_ = 0;
    TForm* form = host_.HostForm();
    if (form && form->HandleAllocated() && GetCapture() == form->Handle()) ReleaseCapture();
}

bool TsCaptionButtons::ReleaseButton(int code, POINT screenPoint) {
    StopTracking();
    TsFrameButton* button = ButtonOf(code);
    const bool pressed = ButtonPressedFlag && hot_ == code && button;
    const RECT w = WindowRectOfForm();
    const POINT p{screenPoint.x - w.left, screenPoint.y - w.top};
    if (!pressed || !InsideInclusive(button->Rect, p)) {
        SetHotButton(0);
        return true;
    }
    const TsCommandFacts facts = Facts();
    TForm* form = host_.HostForm();
    if (IsTitleCode(code)) {
        TsTitleButton& title = TitleButtons.Items(code - kTitleButtonHitBase);
        SetHotButton(0);
        if (title.OnMouseUp) title.OnMouseUp(&title, mbLeft, 0, screenPoint.x, screenPoint.y);
        return true;
    }
    SetHotButton(0);
    switch (code) {
    case HTMINBUTTON:
        if (Application && form == Application->MainForm())
            SendCommand(SC_MINIMIZE);
        else
            SendCommand(facts.Iconic ? SC_RESTORE : SC_MINIMIZE);
        break;
    case HTMAXBUTTON:
        if (!ButtonUsable(HTMAXBUTTON, facts)) break;
        MaximizeOrRestore(facts);
        ProcessPendingMessages();
        UpdateSystemMenu();
        break;
    case HTCLOSE: SendCommand(SC_CLOSE); break;
    case HTHELP:
        SendCommand(SC_CONTEXTHELP);
        UpdateSystemMenu();
        if (form && form->HandleAllocated())
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        break;
    default: break;
    }
    return true;
}

bool TsCaptionButtons::LeftButtonUp(TMessage& message, bool clientMessage) {
    POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    int code = 0;
    if (ButtonPressedFlag && ButtonOf(hot_)) {
        code = hot_; // the pressed button decides, wherever the mouse went
        TForm* form = host_.HostForm();
        if (clientMessage && form && form->HandleAllocated())
            ClientToScreen(form->Handle(), &screen);
    } else if (!clientMessage) {
        code = int(message.WParam);
    }
    if (ButtonOf(code)) return ReleaseButton(code, screen);
    if (host_.EndOutlineDrag()) return true;
    if (clientMessage) return false;
    host_.CallOwnHandler(message);
    return true;
}

bool TsCaptionButtons::DoubleClick(TMessage& message) {
    host_.EndOutlineDrag();
    const TsCommandFacts facts = Facts();
    const int hit = int(message.WParam);
    if (hit == HTCAPTION && (CommandEnabled(facts, TsSystemCommand::Maximize) ||
                             CommandEnabled(facts, TsSystemCommand::Restore))) {
        MaximizeOrRestore(facts);
        UpdateSystemMenu();
    } else if (hit == HTSYSMENU) {
        SendCommand(SC_CLOSE);
    }
    return true;
}

bool TsCaptionButtons::HandleMouseMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCLBUTTONDOWN: return LeftButtonDown(message);
    case WM_NCLBUTTONUP: return LeftButtonUp(message, false);
    case WM_LBUTTONUP: return LeftButtonUp(message, true);
    case WM_NCLBUTTONDBLCLK: return DoubleClick(message);
    case WM_MOUSEMOVE: return tracking_ && TrackPressedButton(message);
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press is over without a command.
        if (tracking_ &&
            HWND(message.LParam) != (host_.HostForm() ? host_.HostForm()->Handle() : nullptr)) {
            tracking_ = 0;
            SetHotButton(0);
        }
        return false;
    case WM_NCRBUTTONDOWN: return message.WParam == HTCAPTION || message.WParam == HTSYSMENU;
    case WM_NCRBUTTONUP:
        if (message.WParam == HTCAPTION || message.WParam == HTSYSMENU) {
            SetHotButton(0);
            PopupSystemMenu(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        }
        return true;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE: SetHotButton(0); return false;
    case WM_SYSCOMMAND:
        if ((message.WParam & 0xFFF0) != SC_KEYMENU || message.LParam != VK_SPACE) return false;
        host_.CallOwnHandler(message);
        if (Facts().BorderIcons & biSystemMenu) {
            const POINT at = SystemMenuPoint();
            PopupSystemMenu(at.x, at.y);
        }
        return true;
    default: break;
    }
    return false;
}

// ---- System menu

TsSystemMenu& TsCaptionButtons::SystemMenu() {
    if (menu_) return *menu_;
    if (TComponent* owner = host_.MenuOwner()) {
        menu_ = owner->Make<TsSystemMenu>(host_.HostForm());
    } else {
        ownMenu_ = std::make_unique<TsSystemMenu>(nullptr, host_.HostForm());
        menu_ = ownMenu_.get();
    }
    return *menu_;
}

void TsCaptionButtons::UpdateSystemMenu() {
    if (host_.HostForm()) SystemMenu().UpdateItems(Facts());
}

void TsCaptionButtons::PopupSystemMenu(int x, int y) {
    TsSystemMenu& menu = SystemMenu();
    UpdateSystemMenu();
    TsSkinManager* manager = host_.HostManager();
    if (MakeSkinMenu && manager) menu.RebuildSkinItems(*manager);
    if (manager && manager->SkinnedPopups())
        if (auto* engine = manager->MenuEngine()) engine->AttachPopupMenu(&menu, true);
    menu.Popup(x, y);
}
