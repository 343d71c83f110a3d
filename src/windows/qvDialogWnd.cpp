#include "windows/qvDialogWnd.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "paint/sSkinItems.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/OwnerDraw.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Canvas.h"
#include "toolkit/Messages.h"
#include "windows/qvProvider.h"
#include "windows/qvSystemMenu.h"
#include "windows/sFrameRegion.h"

bool SettingRegion = false;

namespace {

constexpr const char* kGlobalInfo = "GLOBALINFO";
constexpr const char* kTitleSection = "FORMTITLE";
constexpr int kDefaultButtonSize = 21;
constexpr UINT kKeepRegionQuery = 48205;
constexpr WPARAM kKeepRegionAnswer = 16802;
// Sent by some dialogs after they rebuilt their controls.
constexpr UINT kControlsRebuilt = WM_USER + 302;
constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;
constexpr WPARAM kIconSmall = 0; // WM_GETICON's kinds
constexpr WPARAM kIconBig = 1;

// A caption button went down and has not been released (one flag for the process).
bool ButtonPressedFlag = false;

bool IsButtonCode(int code) {
    return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP;
}

void CopyStrip(HDC dc, HDC source, int x, int y, int w, int h) {
    if (w > 0 && h > 0) BitBlt(dc, x, y, w, h, source, x, y, SRCCOPY);
}

} // namespace

// ---------------------------------------------------------------- life

TqvDialogWnd::TqvDialogWnd(HWND window, TqvProvider* provider)
    : TqvScrollWnd(window, false, "DIALOG", PrimaryManager, nullptr), DialogProvider(provider) {
    SkinManager = PrimaryManager;
    SystemMenu = std::make_unique<TqvSystemMenu>(nullptr, this);
    SystemMenu->UpdateItems();
    if (SkinManager && SkinManager->SkinnedPopups())
        if (TsMenuEngine* engine = SkinManager->MenuEngine())
            engine->AttachPopupMenu(SystemMenu.get(), true);
}

TqvDialogWnd::~TqvDialogWnd() {
    EndShowAnimation(); // never leave the dialog see-through
    if (dialogBrush_) DeleteObject(dialogBrush_);
    if (HotButton != 0) ButtonPressedFlag = false;
    SystemMenu.reset();
}

TqvDialogWnd* TqvDialogWnd::FromWindow(HWND window) {
    return dynamic_cast<TqvDialogWnd*>(TqvMainWnd::FromWindow(window));
}

// ---------------------------------------------------------------- state

void TqvDialogWnd::RefreshGeometry() {
    if (!Handle || !IsWindow(Handle)) return;
    TqvMainWnd::RefreshGeometry();
    W = Width;
    H = Height;
    CaptionText = GetWindowText(Handle);
}

TqvDialogFacts TqvDialogWnd::Facts() const {
    TqvDialogFacts f;
    f.FrameKind = FrameKind;
    f.SavedStyle = SavedStyle;
    f.SavedExStyle = SavedExStyle;
    f.WindowWidth = W;
    f.WindowHeight = H;
    if (Handle && IsWindow(Handle)) {
        f.CurrentStyle = DWORD(GetWindowLong(Handle, GWL_STYLE));
        f.ClassStyle = UINT(GetClassLongPtr(Handle, GCL_STYLE));
        f.Iconic = IsIconic(Handle);
        f.Maximized = IsZoomed(Handle);
        RECT client{};
        GetClientRect(Handle, &client);
        f.ClientWidth = WidthOf(client);
        f.ClientHeight = HeightOf(client);
    }
    return f;
}

bool TqvDialogWnd::Updating() const { return !SkinData->SkinActive() || SkinData->UpdateLock; }

int TqvDialogWnd::GlobalImage(const char* name) const {
    if (!SkinManager) return -1;
    return SkinManager->GetImageEntryIndex(SkinManager->GetSectionIndex(kGlobalInfo), kGlobalInfo,
                                           name);
}

SIZE TqvDialogWnd::ImageSize(int imageIndex) const {
    if (!SkinManager || !SkinManager->ImageIndexValid(imageIndex))
        return SIZE{kDefaultButtonSize, kDefaultButtonSize};
    const TsMaskData& md = SkinManager->MasksData[size_t(imageIndex)];
    const int frames = std::max<int>(1, md.ImageCount);
    if (md.Bmp) return SIZE{md.Bmp->Width() / frames, md.Bmp->Height() / 2};
    return SIZE{WidthOf(md.R) / frames, HeightOf(md.R) / std::max<int>(1, md.MaskType + 1)};
}

SIZE TqvDialogWnd::GripSize() const {
    const int grip = GlobalImage("GRIPIMAGE");
    if (!SkinManager || !SkinManager->ImageIndexValid(grip)) return SIZE{0, 0};
    const TsMaskData& md = SkinManager->MasksData[size_t(grip)];
    if (md.Bmp) return SIZE{md.Bmp->Width() / 3, md.Bmp->Height() / 2};
    return SkinManager->GetMaskFrameSize(grip);
}

TqvDialogButtons TqvDialogWnd::Buttons() const {
    const TqvDialogFacts f = Facts();
    const auto valid = [&](int image) {
        return SkinManager && SkinManager->ImageIndexValid(image);
    };
    TqvDialogButtons b;
    b.Close = {ImageSize(Close.ImageIndex), valid(Close.ImageIndex), {}};
    b.Maximize = {ImageSize(Maximize.ImageIndex), valid(ImageFor(HTMAXBUTTON, f)), {}};
    b.Minimize = {ImageSize(Minimize.ImageIndex), valid(ImageFor(HTMINBUTTON, f)), {}};
    b.Help = {ImageSize(Help.ImageIndex), valid(Help.ImageIndex), {}};
    LayoutDialogButtons(f, b);
    return b;
}

// ---------------------------------------------------------------- initialization

void TqvDialogWnd::InitDialogFrame() {
    if (!Handle || !IsWindow(Handle)) return;
    SavedStyle = DWORD(GetWindowLong(Handle, GWL_STYLE));
    SavedExStyle = DWORD(GetWindowLong(Handle, GWL_EXSTYLE));
    FrameKind = DialogFrameKind(SavedStyle);
    DialogIcon = reinterpret_cast<HICON>(SendMessage(Handle, WM_GETICON, kIconSmall, 0));
    if (!DialogIcon)
        DialogIcon = reinterpret_cast<HICON>(SendMessage(Handle, WM_GETICON, kIconBig, 0));
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0)) {
        const LOGFONT& lf = metrics.lfCaptionFont;
        DialogCaptionFont.SetName(lf.lfFaceName);
        if (lf.lfHeight != 0) DialogCaptionFont.SetHeight(std::abs(int(lf.lfHeight)));
        DialogCaptionFont.SetStyle(lf.lfWeight >= 600 ? unsigned(fsBold) : 0u);
    }
    // The system draws no buttons and no menu of its own: ours follow the saved style.
    SetWindowLong(Handle, GWL_STYLE, LONG(SavedStyle & ~WS_SYSMENU));
    RefreshGeometry();
    SystemMenu->UpdateItems();
}

void TqvDialogWnd::UpdateButtonIndexes() {
    if (!SkinManager) return;
    const int g = SkinManager->GetSectionIndex(kGlobalInfo);
    if (g < 0) return;
    const auto global = [&](const char* name) {
        return SkinManager->GetImageEntryIndex(g, kGlobalInfo, name);
    };
    const auto own = [&](const char* section, const char* name) {
        return SkinManager->GetImageEntryIndex(SkinData->SectionIndex, section, name);
    };
    const auto big = [&] {
        Minimize.ImageIndex = global("BICONMIN");
        Maximize.ImageIndex = global("BICONMAX");
        Close.ImageIndex = global("BICONCLOSE");
        Help.ImageIndex = global("BICONHELP");
    };
    Close.ImageIndex = global("BICONCLOSE");
    if (Close.ImageIndex < 0) {
        Minimize.ImageIndex = own("FORM", "BICONMIN");
        Maximize.ImageIndex = own("FORM", "BICONMAX");
        Close.ImageIndex = own("FORM", "BICONCLOSE");
        Help.ImageIndex = own("FORM", "BICONHELP");
    } else {
        if (FrameKind == fkUninitialized || FrameKind == fkSizing) {
            big();
        } else {
            Close.ImageIndex = global("SICONCLOSE");
            Minimize.ImageIndex = global("SICONMIN");
            Maximize.ImageIndex = global("SICONMAX");
            Help.ImageIndex = global("SICONHELP");
            if (Help.ImageIndex < 0) Help.ImageIndex = global("BICONHELP");
        }
        if (Close.ImageIndex < 0) big();
    }
    RestoreImage = global("BICONNORM");
    if (RestoreImage < 0) RestoreImage = own(SkinData->SkinSection().c_str(), "BICONNORM");
}

// ---------------------------------------------------------------- frame composition

void TqvDialogWnd::PaintFrame() {
    if (!SkinData->CacheInvalid) return;
    RegionChanged = true;
    Bitmap& cache = *SkinData->CacheBitmap;
    cache.SetSize(W, H);
    if (SkinData->Section() && W > 0 && H > 0) {
        RenderSkinItem(*SkinData, ParentCacheInfo{}, true, false, &cache, POINT{0, 0},
                       RECT{0, 0, W, H}, ShowsActive ? 1 : 0);
        if (FrameKind == fkSizing) PaintGrip(cache);
        if (DialogCaptionHeight(Facts()) > 0) {
            PaintTitle(cache);
            PaintIcon(cache);
            if (SavedStyle & WS_SYSMENU) PaintTitleBarBand(cache);
            SaveButtonsBackground(cache);
            PaintCaptionButtons(cache);
            PaintCaptionText(cache);
        }
    }
    SkinData->CacheInvalid = false;
}

void TqvDialogWnd::PaintGrip(Bitmap& cache) {
    const int grip = GlobalImage("GRIPIMAGE");
    if (!SkinManager->ImageIndexValid(grip)) return;
    const SIZE size = GripSize();
    const TqvDialogFacts f = Facts();
    PaintMaskImage(
        cache,
        POINT{W - size.cx - DialogFrameBorderWidth(f), H - size.cy - DialogFrameBorderHeight(f)}, 0,
        SkinManager->MasksData[size_t(grip)], 1);
}

void TqvDialogWnd::PaintTitle(Bitmap& cache) {
    const int title = SkinManager->GetSectionIndex(kTitleSection);
    if (title < 0) return;
    const TqvDialogFacts f = Facts();
    const RECT band = f.Iconic ? RECT{0, 0, W, H}
                               : RECT{0, 0, W, DialogFrameBorderHeight(f) + DialogCaptionHeight(f)};
    const POINT origin = DialogClientOrigin(f);
    RenderSectionItem(title, kTitleSection, ParentCacheInfo{&cache, origin.x, origin.y, true}, -1,
                      -1, SkinManager, cache, POINT{0, 0}, band, ShowsActive, false);
}

void TqvDialogWnd::PaintIcon(Bitmap& cache) {
    if (!DialogIcon) return;
    const TqvDialogFacts f = Facts();
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    const int x = DialogFrameBorderWidth(f);
    const int y = (DialogCaptionHeight(f) + DialogFrameBorderHeight(f) - cy) / 2;
    TsBitmapDC dc(cache);
    if (!DrawIconEx(dc.Handle(), x, y, DialogIcon, cx, cy, 0, nullptr, DI_NORMAL))
        DrawIconEx(dc.Handle(), x, y, LoadIcon(nullptr, IDI_APPLICATION), cx, cy, 0, nullptr,
                   DI_NORMAL);
}

void TqvDialogWnd::PaintTitleBarBand(Bitmap& cache) {
    const int image = SkinManager->GetImageEntryIndex(SkinData->SectionIndex,
                                                      SkinData->SkinSection(), "TITLEBAR");
    if (!SkinManager->ImageIndexValid(image)) return;
    const TsMaskData& md = SkinManager->MasksData[size_t(image)];
    const int third =
        md.Bmp ? md.Bmp->Width() / 9 : WidthOf(md.R) / (std::max<int>(1, md.ImageCount) * 3);
    const TqvDialogFacts f = Facts();
    const int buttons = DialogButtonsWidth(f, Buttons());
    const RECT band{W - (2 * third + buttons), 0, cache.Width(),
                    DialogFrameBorderHeight(f) + DialogCaptionHeight(f)};
    PaintMaskBorders(cache, band, true, true, ShowsActive ? 1 : 0, md,
                     ParentCacheInfo{&cache, 0, 0, true});
}

void TqvDialogWnd::SaveButtonsBackground(const Bitmap& cache) {
    const TqvDialogFacts f = Facts();
    const int width = DialogButtonsWidth(f, Buttons()) + DialogFrameBorderWidth(f);
    const int height = std::max(0, DialogTopAreaHeight(f));
    ButtonsBackground = Bitmap(width, height, 24);
    CopyBitmapBlock(ButtonsBackground, 0, 0, cache, W - width - 1, 0, width, height);
}

TsFrameButton* TqvDialogWnd::ButtonOf(int code) {
    switch (code) {
    case HTMINBUTTON: return &Minimize;
    case HTMAXBUTTON: return &Maximize;
    case HTCLOSE: return &Close;
    case HTHELP: return &Help;
    default: return nullptr;
    }
}

int TqvDialogWnd::ImageFor(int code, const TqvDialogFacts& f) const {
    switch (code) {
    case HTMAXBUTTON: return f.Maximized ? RestoreImage : Maximize.ImageIndex;
    case HTMINBUTTON: return f.Iconic ? RestoreImage : Minimize.ImageIndex;
    case HTCLOSE: return Close.ImageIndex;
    case HTHELP: return Help.ImageIndex;
    default: return -1;
    }
}

bool TqvDialogWnd::ButtonEnabled(int code, const TqvDialogFacts& f) const {
    using C = TqvDialogCommand;
    switch (code) {
    case HTMAXBUTTON: return DialogCommandEnabled(f, f.Maximized ? C::Restore : C::Maximize);
    case HTMINBUTTON: return DialogCommandEnabled(f, f.Iconic ? C::Restore : C::Minimize);
    case HTCLOSE: return DialogCommandEnabled(f, C::Close);
    case HTHELP: return true;
    default: return false;
    }
}

void TqvDialogWnd::PaintCaptionButtons(Bitmap& cache) {
    const TqvDialogFacts f = Facts();
    const TqvDialogButtons b = Buttons();
    const std::pair<int, const TqvButtonSlot*> slots[] = {{HTCLOSE, &b.Close},
                                                          {HTMAXBUTTON, &b.Maximize},
                                                          {HTMINBUTTON, &b.Minimize},
                                                          {HTHELP, &b.Help}};
    for (const auto& [code, slot] : slots) {
        TsFrameButton& record = *ButtonOf(code);
        record.Rect = slot->Rect;
        if (!slot->Drawable || WidthOf(slot->Rect) <= 0) continue;
        const int mode = ShowsActive && ButtonEnabled(code, f) ? 1 : 2;
        PaintMaskImage(cache, POINT{record.Rect.left, record.Rect.top}, record.State,
                       SkinManager->MasksData[size_t(ImageFor(code, f))], mode);
    }
}

void TqvDialogWnd::PaintCaptionText(Bitmap& cache) {
    if (CaptionText.empty()) return;
    const TqvDialogFacts f = Facts();
    const int small = GetSystemMetrics(SM_CXSMICON);
    const int border = DialogFrameBorderWidth(f);
    const int buttons = DialogButtonsWidth(f, Buttons());
    RECT r{border + 4 + (DialogIcon ? small : 0), DialogFrameBorderHeight(f), W - buttons - 6,
           DialogCaptionHeight(f)};
    if (WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    TsBitmapDC dc(cache);
    TCanvas canvas(dc.Handle());
    canvas.Font = DialogCaptionFont;
    std::string text;
    CutText(canvas, CaptionText, W - small - border - buttons - 6, text);
    if (text.empty()) return;
    const int title = SkinManager->GetSectionIndex(kTitleSection);
    WriteSectionText(canvas, text, true, SkinManager, ShowsActive,
                     title >= 0 ? title : SkinData->SectionIndex,
                     DT_SINGLELINE | DT_VCENTER | DT_LEFT, r);
}

// ---------------------------------------------------------------- one button

void TqvDialogWnd::RedrawFrameButton(int code) {
    TsFrameButton* button = ButtonOf(code);
    Bitmap& cache = *SkinData->CacheBitmap;
    if (!button || cache.Empty() || cache.Width() != W || !SkinManager) return;
    const RECT r = button->Rect;
    if (WidthOf(r) <= 0 ||
        r.left <= DialogFrameBorderWidth(Facts()) + GetSystemMetrics(SM_CXSMICON))
        return;
    const int left = W - ButtonsBackground.Width() - 1;
    CopyBitmapBlock(cache, r.left, r.top, ButtonsBackground, r.left - left, r.top, WidthOf(r),
                    HeightOf(r));
    const TqvDialogFacts f = Facts();
    int image = button->ImageIndex;
    bool enabled = ButtonEnabled(code, f);
    if (code == HTMAXBUTTON && f.Maximized) {
        image = GlobalImage("BICONNORM");
        if (image < 0) image = RestoreImage;
    } else if (f.Iconic && code == HTMINBUTTON) {
        image = RestoreImage;
    } else if (f.Iconic && code == HTMAXBUTTON) {
        image = GlobalImage("BICONMAX");
        if (image < 0)
            image = SkinManager->GetImageEntryIndex(SkinData->SectionIndex, SkinData->SkinSection(),
                                                    "BICONMAX");
        enabled = DialogCommandEnabled(f, TqvDialogCommand::Maximize);
    }
    if (SkinManager->ImageIndexValid(image)) {
        const bool faded = (!enabled || button->State == 0) && (!enabled || !ShowsActive);
        PaintMaskImage(cache, POINT{r.left, r.top}, button->State,
                       SkinManager->MasksData[size_t(image)], faded ? 2 : 1);
    }
    if (!Handle || !IsWindow(Handle)) return;
    const HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    {
        TsBitmapDC source(cache);
        BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), source.Handle(), r.left, r.top, SRCCOPY);
    }
    ReleaseDC(Handle, dc);
}

void TqvDialogWnd::SetHotButton(int code, bool repaint) {
    if (!IsButtonCode(code)) code = 0;
    const int old = HotButton;
    if (old == code) return;
    HotButton = code;
    if (TsFrameButton* b = ButtonOf(old)) {
        b->State = 0;
        if (repaint) RedrawFrameButton(old);
    }
    if (TsFrameButton* b = ButtonOf(code)) {
        b->State = 1;
        if (repaint) RedrawFrameButton(code);
    }
    ButtonPressedFlag = false;
}

void TqvDialogWnd::PressButton(int code) {
    const int old = HotButton;
    if (old != code)
        if (TsFrameButton* b = ButtonOf(old)) {
            b->State = 0;
            RedrawFrameButton(old);
        }
    TsFrameButton* target = ButtonOf(code);
    const TqvDialogFacts f = Facts();
    const bool usable = code != HTMAXBUTTON ||
                        DialogCommandEnabled(f, TqvDialogCommand::Maximize) ||
                        (f.Maximized && DialogCommandEnabled(f, TqvDialogCommand::Restore));
    if (!target || !usable) {
        if (target) {
            target->State = 0;
            RedrawFrameButton(code);
        }
        HotButton = 0;
        ButtonPressedFlag = false;
        return;
    }
    HotButton = code;
    target->State = 2;
    RedrawFrameButton(code);
    ButtonPressedFlag = true;
}

// ---------------------------------------------------------------- region

void TqvDialogWnd::UpdateRegion() {
    CornerRects.clear();
    if (!SkinManager) return;
    const int title = SkinManager->GetSectionIndex(kTitleSection);
    const int titleBorder =
        title >= 0 ? SkinManager->GetImageEntryIndex(title, kTitleSection, "BORDERSMASK") : -1;
    CornerRects = FrameCornerRects(*SkinManager, SkinData->BorderMaskIndex, titleBorder, W, H);
}

void TqvDialogWnd::ApplyRegion(bool redraw) {
    if (FrameKind == fkPopup || !Handle) return;
    if (SendMessage(Handle, kKeepRegionQuery, kKeepRegionAnswer, 0) == LRESULT(kKeepRegionAnswer))
        return;
    SettingRegion = true;
    SetWindowRgn(Handle, MakeFrameRegion(CornerRects, W, H), redraw);
}

// ---------------------------------------------------------------- painting

void TqvDialogWnd::WrapNewChildren() {
    if (DialogProvider && Handle) DialogProvider->WrapDialogChildren(Handle);
}

void TqvDialogWnd::RedrawWhole(UINT extra) {
    if (Handle)
        RedrawWindow(Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | extra);
}

void TqvDialogWnd::CopyFrameStrips(HDC dc) {
    const Bitmap& cache = *SkinData->CacheBitmap;
    if (cache.Empty()) return;
    TsBitmapDC source(cache);
    const HDC s = source.Handle();
    const int cw = cache.Width(), ch = cache.Height();
    if (FrameKind == fkPopup && (SavedStyle & WS_THICKFRAME)) {
        CopyStrip(dc, s, 0, 0, W, 3);
        CopyStrip(dc, s, 0, 3, 3, ch);
        CopyStrip(dc, s, 3, H - 3, W - 3, 3);
        CopyStrip(dc, s, cw - 3, 3, 3, ch);
        return;
    }
    const TqvDialogFacts f = Facts();
    const int bw = DialogFrameBorderWidth(f), bh = DialogFrameBorderHeight(f);
    const int y0 = bh + DialogCaptionHeight(f) + (f.Iconic ? 1 : 0);
    CopyStrip(dc, s, 0, 0, W, DialogTopAreaHeight(f));
    CopyStrip(dc, s, 0, y0, bw, ch);
    CopyStrip(dc, s, bw, H - bh, W - bw, bh);
    CopyStrip(dc, s, cw - bw, y0, bw, ch);
}

void TqvDialogWnd::NcPaint(TMessage& m) {
    RefreshGeometry();
    WrapNewChildren();
    if (Updating()) return;
    if (!SettingRegion && RegionChanged && (FrameKind != fkPopup || (SavedStyle & WS_THICKFRAME))) {
        UpdateRegion();
        RegionChanged = false;
        ApplyRegion(true);
    }
    if (const HDC dc = GetWindowDC(Handle)) {
        const int saved = SaveDC(dc);
        if (SkinData->CacheInvalid) PaintFrame();
        CopyFrameStrips(dc);
        RestoreDC(dc, saved);
        ReleaseDC(Handle, dc);
    }
    SettingRegion = false;
    m.Result = 0;
}

void TqvDialogWnd::Paint(TMessage& m) {
    RefreshGeometry();
    const unsigned char layout = DialogProvider ? DialogProvider->LayoutKind : 0;
    if (layout == 1 || layout == 3) {
        // The dialog paints its own areas first; ours go around them.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        const bool own = dc == nullptr;
        if (own) dc = GetWindowDC(Handle);
        if (dc) {
            const int saved = SaveDC(dc);
            if (layout == 1)
                IntersectClipRect(dc, SampleRect.left, SampleRect.top, SampleRect.right,
                                  SampleRect.bottom);
            TMessage paint{WM_PAINT, WPARAM(reinterpret_cast<uintptr_t>(dc)), 0, 0};
            PassOn(paint);
            RestoreDC(dc, saved);
            if (own) ReleaseDC(Handle, dc);
        }
    }
    PaintDialogClient();
    if (!ChildrenWrapped) {
        ChildrenWrapped = true;
        WrapNewChildren();
    }
    m.Result = 0;
}

void TqvDialogWnd::PaintDialogClient() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(Handle, &ps);
    if (!dc) return;
    const int saved = SaveDC(dc);
    if (!Updating()) {
        const unsigned char layout = DialogProvider ? DialogProvider->LayoutKind : 0;
        if (layout == 1)
            ExcludeClipRect(dc, SampleRect.left, SampleRect.top, SampleRect.right,
                            SampleRect.bottom);
        if (layout == 3)
            for (const RECT& r : FixedAreaRects())
                ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        if (SkinData->CacheInvalid) PaintFrame();
        const TqvDialogFacts f = Facts();
        const POINT origin{DialogFrameBorderWidth(f), DialogClientOrigin(f).y};
        CopyCacheToDC(Handle, *SkinData, origin, 0, 0, false, dc, RECT{0, 0, W, H});
        RepaintChildWindows(Handle);
    }
    RestoreDC(dc, saved);
    EndPaint(Handle, &ps);
}

void TqvDialogWnd::EraseBackground(TMessage& m) {
    const unsigned char layout = DialogProvider ? DialogProvider->LayoutKind : 0;
    if (layout != 3) {
        m.Result = 1;
        return;
    }
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    const int saved = dc ? SaveDC(dc) : 0;
    if (dc) {
        HRGN areas = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& r : FixedAreaRects()) {
            HRGN one = CreateRectRgnIndirect(&r);
            CombineRgn(areas, areas, one, RGN_OR);
            DeleteObject(one);
        }
        ExtSelectClipRgn(dc, areas, RGN_AND);
        DeleteObject(areas);
    }
    PassOn(m);
    if (dc) RestoreDC(dc, saved);
}

// ---------------------------------------------------------------- hit test and mouse

void TqvDialogWnd::HitTest(TMessage& m) {
    RefreshGeometry();
    const POINT p{GET_X_LPARAM(m.LParam) - WindowRect.left,
                  GET_Y_LPARAM(m.LParam) - WindowRect.top};
    const TqvDialogHit hit =
        DialogHitTest(Facts(), Buttons(), p, GetSystemMetrics(SM_CXSMICON), GripSize());
    if (hit.MakesHot) SetHotButton(hit.Code);
    if (hit.Code == HTTRANSPARENT) SetHotButton(0);
    if (hit.Code == HTNOWHERE || hit.Code == HTCAPTION) {
        PassOn(m);
        SetHotButton(0);
        return;
    }
    m.Result = hit.Code;
}

void TqvDialogWnd::SendCommand(WPARAM command, LPARAM lParam) {
    if (Handle) SendMessage(Handle, WM_SYSCOMMAND, command, lParam);
}

void TqvDialogWnd::PopupSystemMenu(int x, int y) {
    SystemMenu->UpdateItems();
    SystemMenu->Popup(x, y);
}

void TqvDialogWnd::LeftButtonDown(TMessage& m) {
    const int hit = int(m.WParam);
    const TqvDialogFacts f = Facts();
    if (hit == HTSYSMENU) {
        SetHotButton(0);
        RefreshGeometry();
        PopupSystemMenu(WindowRect.left + DialogFrameBorderWidth(f),
                        WindowRect.top + DialogFrameBorderHeight(f) +
                            GetSystemMetrics(SM_CYSMICON));
        return;
    }
    if (IsButtonCode(hit)) {
        PressButton(hit);
        return;
    }
    if (f.Iconic) {
        SendCommand(kDragMove, m.LParam);
        return;
    }
    SetHotButton(0);
    RefreshGeometry();
    if (f.Maximized && GET_Y_LPARAM(m.LParam) - WindowRect.top <=
                           DialogFrameBorderHeight(f) + DialogCaptionHeight(f)) {
        // A maximised dialog is not dragged by its caption.
        if (!ShowsActive) SetFocus(Handle);
        return;
    }
    PassOn(m);
}

void TqvDialogWnd::LeftButtonUp(TMessage& m) {
    // A client release carries key flags, not a hit code (MK_CONTROL is 8, like HTMINBUTTON):
    // it means a button only while one is held down, and then the held one.
    if (m.Msg == WM_LBUTTONUP) {
        if (!ButtonPressedFlag || !IsButtonCode(HotButton)) {
            PassOn(m);
            return;
        }
        m.WParam = WPARAM(HotButton);
        POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ClientToScreen(Handle, &screen);
        m.LParam = MAKELPARAM(screen.x, screen.y);
    }
    const int code = int(m.WParam);
    const TqvDialogFacts f = Facts();
    switch (code) {
    case HTMINBUTTON: {
        if (!ButtonPressedFlag) {
            SetHotButton(0);
            return;
        }
        RefreshGeometry();
        const POINT p{GET_X_LPARAM(m.LParam) - WindowRect.left,
                      GET_Y_LPARAM(m.LParam) - WindowRect.top};
        if (!InsideInclusive(Minimize.Rect, p)) {
            PassOn(m);
            return;
        }
        SetHotButton(0);
        SendCommand(f.Iconic ? SC_RESTORE : SC_MINIMIZE);
        return;
    }
    case HTMAXBUTTON:
        if (f.Iconic && !DialogCommandEnabled(f, TqvDialogCommand::Maximize)) return;
        if (!ButtonPressedFlag) {
            SetHotButton(0);
            return;
        }
        SetHotButton(0);
        SendCommand(f.Maximized ? SC_RESTORE : SC_MAXIMIZE);
        ProcessPendingMessages();
        SystemMenu->UpdateItems();
        return;
    case HTCLOSE:
        if (!ButtonPressedFlag) return;
        Close.State = 0;
        SendCommand(SC_CLOSE);
        return;
    case HTHELP:
        if (ButtonPressedFlag) {
            SendCommand(SC_CONTEXTHELP);
            SetHotButton(0);
            SystemMenu->UpdateItems();
            SendMessage(Handle, WM_NCPAINT, 1, 0);
        } else {
            SetHotButton(0);
        }
        return;
    default: PassOn(m); return;
    }
}

void TqvDialogWnd::DoubleClick(TMessage& m) {
    const TqvDialogFacts f = Facts();
    if (m.WParam == HTCAPTION) {
        if (DialogCommandEnabled(f, TqvDialogCommand::Maximize) ||
            DialogCommandEnabled(f, TqvDialogCommand::Restore)) {
            SendCommand(f.Maximized || f.Iconic ? SC_RESTORE : SC_MAXIMIZE);
            SystemMenu->UpdateItems();
        }
    } else if (m.WParam == HTSYSMENU) {
        SendCommand(SC_CLOSE);
    }
}

// ---------------------------------------------------------------- messages

void TqvDialogWnd::AfterInherited(const TMessage& m) {
    if (m.Msg != WM_SYSCOMMAND || !Handle || !IsWindow(Handle)) return;
    const WPARAM command = m.WParam & 0xFFFF;
    if (command == kDragMove) {
        RedrawWhole();
        return;
    }
    const WPARAM kind = m.WParam & 0xFFF0;
    if (kind == SC_MAXIMIZE || kind == SC_RESTORE) {
        if (DialogCommandVisible(Facts(), TqvDialogCommand::Maximize)) Maximize.State = 0;
        SetHotButton(0);
    }
}

void TqvDialogWnd::RedrawWithOwnProcedure(TMessage& m) {
    SendMessage(Handle, WM_SETREDRAW, 0, 0);
    PassOn(m);
    SendMessage(Handle, WM_SETREDRAW, 1, 0);
    SkinData->CacheInvalid = true;
}

// ---- The showing fade

namespace {
// Apart from the scroll bars' timers (0xFFF2, 0xFFFD, 0xFFFE).
constexpr UINT kShowTimer = 0xFFF5;
// The fade steps of the painting core.
constexpr int kShowTickMs = 10;
} // namespace

void TqvDialogWnd::StartShowAnimation(int time) {
    const int steps = time / kShowTickMs;
    const LONG exStyle = GetWindowLong(Handle, GWL_EXSTYLE);
    // A window made layered by someone else keeps its own transparency.
    if (steps < 2 || showSteps_ > 0 || (exStyle & WS_EX_LAYERED)) return;
    SetWindowLong(Handle, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (!SetLayeredWindowAttributes(Handle, 0, 0, LWA_ALPHA) ||
        !SetTimer(Handle, kShowTimer, kShowTickMs, nullptr)) {
        SetWindowLong(Handle, GWL_EXSTYLE, exStyle);
        return;
    }
    showSteps_ = steps;
    showStep_ = 0;
}

void TqvDialogWnd::ShowAnimationTick() {
    ++showStep_;
    if (showStep_ >= showSteps_) {
        EndShowAnimation();
        return;
    }
    // Opacity rises in equal steps: 255 * step / steps, rounded down.
    SetLayeredWindowAttributes(Handle, 0, BYTE(255 * showStep_ / showSteps_), LWA_ALPHA);
}

void TqvDialogWnd::EndShowAnimation() {
    if (showSteps_ == 0) return;
    showSteps_ = showStep_ = 0;
    if (!Handle || !IsWindow(Handle)) return;
    KillTimer(Handle, kShowTimer);
    SetLayeredWindowAttributes(Handle, 0, 255, LWA_ALPHA); // shows the window whole at once
    SetWindowLong(Handle, GWL_EXSTYLE, GetWindowLong(Handle, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

void TqvDialogWnd::WindowProc(TMessage& m) {
    if (m.Msg == WM_TIMER && m.WParam == kShowTimer && showSteps_ > 0) {
        ShowAnimationTick();
        m.Result = 0;
        return;
    }
    if (m.Msg == WM_DESTROY) EndShowAnimation();
    if (Destroyed || !Handle) {
        TqvScrollWnd::WindowProc(m);
        return;
    }
    const bool visible = IsWindowVisible(Handle);
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        SkinData->CacheInvalid = true;
        RegionChanged = true;
        break;
    case WM_ACTIVATE:
        if (!visible) break;
        RedrawWithOwnProcedure(m);
        ShowsActive = LOWORD(m.WParam) != 0;
        RedrawWhole(RDW_ALLCHILDREN);
        SystemMenu->UpdateItems();
        return;
    case WM_NCACTIVATE:
        if (!visible) break;
        RedrawWithOwnProcedure(m);
        ShowsActive = LOWORD(m.WParam) != 0;
        SendMessage(Handle, WM_NCPAINT, 1, 0);
        return;
    case WM_ENABLE:
    case WM_SETTEXT:
        if (!visible) break;
        RedrawWithOwnProcedure(m);
        CaptionText = GetWindowText(Handle);
        SendMessage(Handle, WM_NCPAINT, 1, 0);
        return;
    case WM_NCPAINT:
        if (!visible) break;
        NcPaint(m);
        return;
    case WM_PAINT:
        if (!visible) break;
        Paint(m);
        return;
    case WM_ERASEBKGND: EraseBackground(m); return;
    case WM_DRAWITEM:
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
            item && item->CtlType == ODT_STATIC)
            SetBkMode(item->hDC, TRANSPARENT);
        break;
    case WM_NCHITTEST: HitTest(m); return;
    case WM_GETDLGCODE: m.Result = 0; return;
    case WM_CTLCOLORDLG: {
        // One brush per dialog, made again only when the skin's colour changes.
        const COLORREF color = COLORREF(SkinManager ? SkinManager->SkinGlobalColor() : 0);
        if (!dialogBrush_ || color != dialogBrushColor_) {
            if (dialogBrush_) DeleteObject(dialogBrush_);
            dialogBrush_ = CreateSolidBrush(color);
            dialogBrushColor_ = color;
        }
        m.Result = LRESULT(reinterpret_cast<uintptr_t>(dialogBrush_));
        return;
    }
    case WM_NCLBUTTONDOWN: LeftButtonDown(m); return;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: LeftButtonUp(m); return;
    case WM_NCLBUTTONDBLCLK: DoubleClick(m); return;
    case WM_NCRBUTTONDOWN:
        if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) return;
        break;
    case WM_NCRBUTTONUP:
        if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) {
            SetHotButton(0);
            PopupSystemMenu(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        }
        return;
    case WM_MOUSELEAVE: SetHotButton(0); break;
    case WM_MOUSEMOVE:
        // The dialog takes the hover from whatever child had it.
        if (IsWindowEnabled(Handle) && HotWindow && HotWindow != Handle) {
            const HWND previous = HotWindow;
            HotWindow = nullptr;
            if (IsWindow(previous))
                SendSkinCommand(previous, SkinCommandWParam(scMouseLeft), LPARAM(Manager()));
        }
        break;
    case kControlsRebuilt:
        SendMessage(Handle, WM_SETREDRAW, 0, 0);
        PassOn(m);
        WrapNewChildren();
        SendMessage(Handle, WM_SETREDRAW, 1, 0);
        RedrawWhole();
        return;
    case SM_ORVENCMD:
        if (SkinCommand(m)) return;
        break;
    default: break;
    }
    TqvScrollWnd::WindowProc(m);
    AfterInherited(m);
}

bool TqvDialogWnd::SkinCommand(TMessage& m) {
    switch (SkinCommandCode(m.WParam)) {
    case scSkinLoaded:
        if (m.LParam != LPARAM(SkinManager)) return true;
        SkinData->RefreshSkinIndexes();
        SkinData->CacheInvalid = true;
        if (SkinData->GetSkinManager()) UpdateButtonIndexes();
        return true;
    case scGetCache: {
        // The children sit in the client area: their backgrounds start where the client part
        // of the window image does, and an image not yet composed is composed first.
        RefreshGeometry();
        if (SkinData->CacheInvalid && !Updating()) PaintFrame();
        const TqvDialogFacts f = Facts();
        ParentCacheAnswer =
            ParentCacheInfo{SkinData->CacheBitmap.get(), DialogFrameBorderWidth(f),
                            DialogClientOrigin(f).y, !SkinData->CacheBitmap->Empty()};
        return true;
    }
    case scSetUpdating:
        SkinData->UpdateLock = SkinCommandLowWord(m.WParam) == 1;
        if (Updating()) SkinData->CacheInvalid = true;
        return false;
    case scIsNotReady:
        m.Result = SkinData->CacheInvalid || Updating() ? 1 : 0;
        m.LParam = m.Result;
        return true;
    case scIsSkinned: m.Result = m.LParam = 1; return true;
    case scHasImageBackground: {
        const TsGeneralData* s = SkinData->Section();
        m.Result = s && s->GradientPercent + s->ImagePercent > 0 ? 1 : 0;
        return true;
    }
    case scGetBgColor:
        if (SkinData->SkinActive(false))
            if (const TsGeneralData* s = SkinData->Section()) ParentBgColor = s->HotColor;
        return true;
    default: return false;
    }
}
