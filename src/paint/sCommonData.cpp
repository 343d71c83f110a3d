#include "paint/sCommonData.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "graphics/qvFast24.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "platform/controls/Button.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/Messages.h"
#include "toolkit/TabSheet.h"
#include "toolkit/WinControl.h"

namespace {

// Every owner's skin data, so that a control can look at its neighbours' (a container clears
// the hover of its speed buttons). Painting runs on one thread only.
std::unordered_map<const TComponent*, TsCommonData*>& Registry() {
    static std::unordered_map<const TComponent*, TsCommonData*> registry;
    return registry;
}

// The window the mouse was last reported over, for the hover commands of adapted windows.
HWND g_windowUnderMouse = nullptr;

// The platform draws no themed controls, so the theme resets never apply.
constexpr bool kThemesEnabled = false;

std::string UpperCase(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

TColor PlainColor(TColor color) { return TColor(ColorToRGB(color)); }

// The form of a form skinning component, or the owner control itself.
TControl* ColorSource(const TsCommonData& sd) {
    if (sd.HostControl) return sd.HostControl;
    return sd.HostObject ? dynamic_cast<TControl*>(sd.HostObject->Owner()) : nullptr;
}

// Where commands for the owner go: the owner control, or the form of a form skinning
// component.
TControl* CommandTarget(const TsCommonData& sd) { return ColorSource(sd); }

// T*(parent - colour) + colour*256, shifted right by 8, per channel: T is used as a weight out
// of 256 straight from its percentage.
TColor MixByTransparency(TColor parent, TColor color, int transparency) {
    auto channel = [&](int shift) {
        const int p = int((parent >> shift) & 0xFF), c = int((color >> shift) & 0xFF);
        return std::clamp((transparency * (p - c) + c * 256) >> 8, 0, 255);
    };
    return TColor(channel(0) | (channel(8) << 8) | (channel(16) << 16));
}

} // namespace

// ---- Life cycle

TsCommonData::TsCommonData(TComponent* owner, bool withCache)
    : HostControl(dynamic_cast<TControl*>(owner)), HostObject(owner) {
    if (withCache) CacheBitmap = NewBitmap24(0, 0);
    if (owner) Registry()[owner] = this;
}

TsCommonData::~TsCommonData() {
    if (HostObject) {
        auto it = Registry().find(HostObject);
        if (it != Registry().end() && it->second == this) Registry().erase(it);
    }
    BorderMaskIndex = SectionIndex = PatternIndex = HotPatternIndex = -1;
    skinManager_ = nullptr;
    PaintingChild = nullptr;
    HostControl = nullptr;
    HostObject = nullptr;
}

TsCommonData* TsCommonData::Of(const TComponent* owner) {
    auto it = Registry().find(owner);
    return it == Registry().end() ? nullptr : it->second;
}

// ---- Properties

TsSkinManager* TsCommonData::GetSkinManager() const {
    return skinManager_ ? skinManager_ : PrimaryManager;
}

TsSkinManager* TsCommonData::ManagerIfLoaded() const {
    TsSkinManager* manager = GetSkinManager();
    return manager && manager->SkinData.Loaded ? manager : nullptr;
}

void TsCommonData::SetSkinSection(const std::string& value) {
    std::string section = value.empty() ? std::string("UNKNOWN") : UpperCase(value);
    if (section == skinSection_) return;
    skinSection_ = std::move(section);
    UpdateIndexes();
    if (HostControl && HostControl->Parent() && !HostControl->IsDestroying()) SendRefreshOrRemove();
}

void TsCommonData::SetSkinManager(TsSkinManager* value) {
    skinManager_ = value == PrimaryManager ? nullptr : value;
    if (HostObject && HostObject->Loading()) return;
    UpdateIndexes();
    if (HostControl && HostControl->Parent()) SendRefreshOrRemove();
}

void TsCommonData::SetCustomColor(bool value) {
    customColor_ = value;
    if (IsEdit() && SkinActive(false)) ApplyEditColors();
    Invalidate();
}

void TsCommonData::SetCustomFont(bool value) {
    customFont_ = value;
    Invalidate();
}

void TsCommonData::UpdateIndexes() {
    const TsSkinManager* manager = GetSkinManager();
    if (manager && !manager->SectionsData.empty()) {
        RefreshSkinIndexes();
        return;
    }
    CacheInvalid = true;
    SectionIndex = PatternIndex = HotPatternIndex = -1;
}

void TsCommonData::SendRefreshOrRemove() {
    TsSkinManager* manager = GetSkinManager();
    const unsigned code = SkinActive(false) ? scRefresh : scRemoveSkin;
    SendSkinCommand(HostControl, SkinCommandWParam(code), LPARAM(manager));
}

// ---- State

bool TsCommonData::SkinActive(bool checkLoaded) const {
    if (HostObject && HostObject->IsDestroying()) return false;
    const TsSkinManager* manager = GetSkinManager();
    if (!manager || manager->IsDestroying()) return false;
    if (checkLoaded && !manager->SkinData.Loaded) return false;
    return manager->SectionIndexValid(SectionIndex);
}

const TsGeneralData* TsCommonData::Section() const {
    const TsSkinManager* manager = GetSkinManager();
    if (!manager || SectionIndex < 0 || SectionIndex >= int(manager->SectionsData.size()))
        return nullptr;
    return &manager->SectionsData[size_t(SectionIndex)];
}

void TsCommonData::RefreshSkinIndexes() {
    CacheInvalid = true;
    const TsSkinManager* manager = GetSkinManager();
    SectionIndex = manager ? manager->GetSectionIndex(skinSection_) : -1;
    if (SectionIndex < 0) {
        PatternIndex = HotPatternIndex = -1;
        return;
    }
    BorderMaskIndex = manager->GetImageEntryIndex(SectionIndex, skinSection_, "BORDERSMASK");
    PatternIndex = manager->GetTextureImageIndex(SectionIndex, skinSection_, "PATTERN");
    HotPatternIndex = manager->GetTextureImageIndex(SectionIndex, skinSection_, "HOTPATTERN");
}

std::string TsCommonData::DefaultSection(int kind, const TComponent* host) {
    struct KindRange {
        int Low, High;
        const char* Section;
    };
    static constexpr KindRange kTable[] = {
        {2, 8, "EDIT"},          {10, 10, "EDIT"},          {41, 41, "EDIT"},
        {76, 76, "EDIT"},        {78, 78, "EDIT"},          {83, 84, "EDIT"},
        {96, 97, "EDIT"},        {131, 131, "EDIT"},        {140, 140, "EDIT"},
        {227, 227, "EDIT"},      {11, 18, "COMBOBOX"},      {81, 82, "COMBOBOX"},
        {19, 19, "BAR"},         {20, 20, "BARTITLE"},      {32, 32, "CHECKBOX"},
        {152, 152, "CHECKBOX"},  {33, 33, "RADIOBUTTON"},   {51, 51, "PANEL"},
        {59, 59, "PANEL"},       {68, 68, "PANEL"},         {73, 73, "PANEL"},
        {52, 52, "PANEL_LOW"},   {58, 58, "PANEL_LOW"},     {53, 54, "TOOLBAR"},
        {60, 60, "TOOLBAR"},     {56, 56, "DRAGBAR"},       {57, 57, "TABSHEET"},
        {74, 74, "GROUPBOX"},    {226, 226, "GROUPBOX"},    {75, 75, "SPLITTER"},
        {92, 92, "SPEEDBUTTON"}, {95, 95, "SPEEDBUTTON"},   {93, 94, "BUTTON"},
        {98, 98, "TOOLBUTTON"},  {141, 141, "PAGECONTROL"}, {143, 143, "PAGECONTROL"},
        {151, 151, "STATUSBAR"}, {161, 161, "GAUGE"},       {165, 165, "TRACKBAR"},
    };
    for (const KindRange& k : kTable)
        if (InRange(kind, k.Low, k.High)) return k.Section;
    return host ? UpperCase(host->ClassName()) : std::string("UNKNOWN");
}

bool TsCommonData::NeverHotKind(int kind) {
    return InRange(kind, 51, 74) || kind == 110 || InRange(kind, 141, 161);
}

TWinControl* TsCommonData::OwnerParent() const {
    return HostControl ? HostControl->Parent() : nullptr;
}

TWinControl* TsCommonData::Container() const { return dynamic_cast<TWinControl*>(HostControl); }

void TsCommonData::Loaded() {
    if (!skinSection_.empty())
        RefreshSkinIndexes();
    else
        SetSkinSection(DefaultSection(ControlKind, HostObject));
    if (!SkinActive(false)) {
        if (kThemesEnabled && HostControl) HostControl->SetParentBackground(false);
        return;
    }
    if (!OwnerParent() || HostControl->Loading()) return;
    if (Container()) NotifyForm(HostControl);
    if (IsEdit()) ApplyEditColors();
}

void TsCommonData::ApplyEditColors() {
    const TsGeneralData* section = Section();
    if (!HostControl || !section) return;
    if (!customColor_) HostControl->SetColor(section->Color);
    if (!customFont_) HostControl->Font().SetColor(section->FontColor[0]);
}

void TsCommonData::RestoreEditColors() {
    if (!HostControl) return;
    if (!customColor_) HostControl->SetColor(SysColor(COLOR_WINDOW));
    if (!customFont_) HostControl->Font().SetColor(SysColor(COLOR_WINDOWTEXT));
}

void TsCommonData::Invalidate() {
    if (!HostControl || HostControl->IsDestroying() || HostControl->Loading()) return;
    CacheInvalid = true;
    if (IsReadyToRepaint(HostControl)) HostControl->Invalidate();
}

void TsCommonData::SizeCacheBitmap() {
    if (!CacheBitmap) CacheBitmap = NewBitmap24(0, 0);
    if (CacheBitmap->BitsPerPixel() != 24) CacheBitmap->SetFormat(24);
    if (!HostControl) return;
    const int w = std::max(HostControl->Width(), 0), h = std::max(HostControl->Height(), 0);
    if (CacheBitmap->Width() != w || CacheBitmap->Height() != h) CacheBitmap->SetSize(w, h);
}

void TsCommonData::BeginUpdate() {
    UpdateLock = true;
    SendSkinCommand(CommandTarget(*this), SkinCommandWParam(scBeginUpdate), 0);
}

void TsCommonData::EndUpdate() {
    UpdateLock = false;
    SendSkinCommand(CommandTarget(*this), SkinCommandWParam(scEndUpdate), 0);
}

bool TsCommonData::IsUpdating() const {
    if (!ManagerIfLoaded() || UpdateLock) return true;
    TWinControl* parent = OwnerParent();
    if (!parent) return true;
    return AskSkinCommand(parent, scIsNotReady);
}

bool TsCommonData::IsHot() const {
    if (!HostControl || HostControl->IsDestroying() || !HostControl->Enabled() ||
        HostControl->Designing())
        return false;
    if (Focused) return true;
    if (auto* windowed = Container(); windowed && windowed->Focused()) return true;
    return MouseOver && !NeverHotKind(ControlKind);
}

bool TsCommonData::IsTransparent() const {
    const TsGeneralData* section = Section();
    return section && section->Transparency > 0;
}

bool TsCommonData::NeedsParentImage() const {
    if (CacheLocked || !SkinActive(false)) return true;
    if (!HostControl || dynamic_cast<const TTabSheet*>(HostControl)) return true;
    if (HostControl->Loading() || !HostControl->Visible()) return true;
    const TsGeneralData* section = Section();
    if (!section) return false;
    if (HostControl->Enabled() && section->Transparency <= 0) return false;
    TWinControl* parent = OwnerParent();
    if (parent && parent->HandleAllocated()) return AskSkinCommand(parent, scHasImageBackground);
    return true;
}

ParentCacheInfo TsCommonData::QueryParentBackground() const {
    ParentCacheAnswer.Usable = false;
    TWinControl* parent = OwnerParent();
    if (!parent) return ParentCacheInfo{};
    ParentCacheAnswer = ParentCacheInfo{};
    try {
        SendSkinCommand(parent, SkinCommandWParam(scGetCache), 0);
    } catch (...) {
        return ParentCacheInfo{};
    }
    return ParentCacheAnswer;
}

ParentCacheInfo TsCommonData::QueryParentBackground(HWND window) {
    ParentCacheAnswer = ParentCacheInfo{};
    const HWND parent = window ? GetParent(window) : nullptr;
    if (!parent) return ParentCacheInfo{};
    try {
        SendSkinCommand(parent, SkinCommandWParam(scGetCache), 0);
    } catch (...) {
        return ParentCacheInfo{};
    }
    return ParentCacheAnswer;
}

// ---- Messages

bool TsCommonData::HandleMessage(TMessage& m) {
    if (m.Msg == SM_ORVENCMD) return HandleSkinCommand(m);
    if (!HostControl) return false;
    TWinControl* windowed = Container();
    switch (m.Msg) {
    case WM_MOVE:
        if (NeedsParentImage())
            SendSkinCommand(HostControl, SkinCommandWParam(scRefreshTree, 1), 0);
        return false;
    case WM_SIZE: OwnerResized(); return false;
    case CM_BOUNDSCHANGED:
        // Windowless owners hear of moves and size changes only through this.
        if (windowed) return false;
        if (SkinActive(false)) CacheInvalid = true;
        if (NeedsParentImage())
            SendSkinCommand(HostControl, SkinCommandWParam(scRefreshTree, 1), 0);
        return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (windowed && windowed->CanFocus() && windowed->TabStop()) {
            Focused = m.Msg == WM_SETFOCUS;
            CacheInvalid = true;
        }
        return false;
    case CM_ENABLEDCHANGED:
    case WM_FONTCHANGE:
        Focused = false;
        MouseOver = false;
        return false;
    case WM_UPDATEUISTATE:
        if (SkinActive(false)) return true;
        if (kThemesEnabled && windowed && windowed->HandleAllocated())
            SetWindowTheme(windowed->Handle(), "", "");
        return false;
    case WM_PARENTNOTIFY:
        if (windowed && LOWORD(m.WParam) == WM_CREATE) NotifyForm(HostControl);
        return false;
    case CM_MOUSEENTER: MouseEntered(m); return false;
    case CM_MOUSELEAVE:
        if (!HostControl->Designing() && (m.LParam == 0 || m.LParam == LPARAM(HostControl)) &&
            !NeverHotKind(ControlKind))
            MouseOver = false;
        return false;
    default: return false;
    }
}

void TsCommonData::OwnerResized() {
    if (!SkinActive(false)) return;
    CacheInvalid = true;
    const TsGeneralData* section = Section();
    TWinControl* windowed = Container();
    if (!section || section->GradientPercent <= 0 || !windowed) return;
    for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl* child = windowed->Controls(i);
        if (!child || child->IsDestroying()) continue;
        if ((child->Anchors() & (akRight | akBottom)) == 0)
            SendSkinCommand(child, SkinCommandWParam(scRefreshTree, 1), 0);
    }
}

void TsCommonData::MouseEntered(const TMessage& m) {
    if (HostControl->Designing()) return;
    TWinControl* windowed = Container();
    const auto* named = reinterpret_cast<const TControl*>(m.LParam);
    if (windowed) {
        // A speed button the mouse left through a gap may not have heard of it.
        for (int i = 0; i < windowed->ControlCount(); ++i) {
            TControl* child = windowed->Controls(i);
            if (!child || child == named || child->IsDestroying()) continue;
            TsCommonData* data = Of(child);
            if (!data || !data->MouseOver || !data->SkinActive(false)) continue;
            if (data->ControlKind != 92 && data->ControlKind != 95) continue;
            child->Perform(CM_MOUSELEAVE, 0, LPARAM(child));
        }
    }
    if (named && named != HostControl) return;
    if (!NeverHotKind(ControlKind)) MouseOver = true;
    if (!windowed || !windowed->HandleAllocated()) return;
    const HWND now = windowed->Handle();
    if (now == g_windowUnderMouse) return;
    TsSkinManager* manager = GetSkinManager();
    if (g_windowUnderMouse && IsWindow(g_windowUnderMouse))
        SendSkinCommand(g_windowUnderMouse, SkinCommandWParam(scMouseLeft), LPARAM(manager));
    g_windowUnderMouse = now;
    SendSkinCommand(now, SkinCommandWParam(scMouseEntered), LPARAM(manager));
}

bool TsCommonData::FromThisManager(const TMessage& m) {
    return m.LParam == LPARAM(GetSkinManager());
}

void TsCommonData::PassToChildren(TMessage& m) {
    if (TWinControl* container = Container()) {
        TMessage copy = m;
        BroadcastToChildren(container, copy);
    }
}

void TsCommonData::Repaint() {
    if (!HostControl || !IsReadyToRepaint(HostControl)) return;
    HostControl->Invalidate();
}

void TsCommonData::RedrawOwner(UINT flags) {
    TWinControl* windowed = Container();
    if (windowed && windowed->HandleAllocated())
        RedrawWindow(windowed->Handle(), nullptr, nullptr, flags);
    else if (HostControl)
        HostControl->Invalidate();
}

void TsCommonData::SkinLoaded(TMessage& m) {
    PassToChildren(m);
    if (!FromThisManager(m)) return;
    UpdateLock = true;
    RefreshSkinIndexes();
}

void TsCommonData::RemoveSkin(TMessage& m) {
    const bool mine = FromThisManager(m);
    if (mine && skinManager_ && skinManager_->IsDestroying()) skinManager_ = nullptr;
    if (mine) {
        BorderMaskIndex = SectionIndex = PatternIndex = HotPatternIndex = -1;
        UpdateLock = true;
        if (CacheBitmap) CacheBitmap->SetSize(0, 0);
        if (IsEdit()) RestoreEditColors();
    }
    PassToChildren(m);
    if (mine) Repaint();
}

void TsCommonData::RefreshSkin(TMessage& m) {
    const bool mine = FromThisManager(m);
    if (mine) {
        CacheInvalid = true;
        UpdateLock = false;
        if (IsEdit() && SkinActive(false)) ApplyEditColors();
        if (Container()) NotifyForm(HostControl);
    }
    PassToChildren(m);
    if (mine) Repaint();
}

void TsCommonData::RefreshTree(TMessage& m) {
    const bool needsParent = NeedsParentImage();
    CacheInvalid = CacheInvalid || needsParent;
    TWinControl* windowed = Container();
    if (!windowed) return;
    if (SkinCommandLowWord(m.WParam) == 1 && windowed->HandleAllocated())
        RedrawWindow(windowed->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!needsParent) return;
    for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl* child = windowed->Controls(i);
        if (child && !child->IsDestroying())
            SendSkinCommand(child, SkinCommandWParam(scRefreshTree), 0);
    }
}

TColor TsCommonData::BackgroundColor() const {
    const TsGeneralData* section = Section();
    TControl* own = ColorSource(*this);
    const TColor ownColor = own ? PlainColor(own->Color()) : KeyColor;
    if (!section || !SkinActive(false)) return ownColor;
    const TColor sectionColor = customColor_ && own ? ownColor : PlainColor(section->Color);
    if (section->Transparency <= 0) return sectionColor;
    TWinControl* parent = OwnerParent();
    if (!parent) return sectionColor;
    const TColor parentColor = GetParentBgColor(parent);
    if (section->Transparency >= 100) return parentColor;
    return MixByTransparency(parentColor, sectionColor, section->Transparency);
}

bool TsCommonData::HandleSkinCommand(TMessage& m) {
    if (m.Msg != SM_ORVENCMD) return false;
    if (FormCommand && FormCommand(m)) return true;
    const unsigned lowWord = SkinCommandLowWord(m.WParam);
    switch (SkinCommandCode(m.WParam)) {
    case scSkinLoaded: SkinLoaded(m); break;
    case scRemoveSkin: RemoveSkin(m); break;
    case scRefresh: RefreshSkin(m); break;
    case scGetCache:
        if (CacheBitmap && !CacheBitmap->Empty())
            ParentCacheAnswer = ParentCacheInfo{CacheBitmap.get(), 0, 0, true};
        break;
    case scRepaintNow:
        if (IsUpdating()) {
            UpdateLock = false;
            RedrawOwner(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        break;
    case scIsSkinned: m.LParam = m.Result = 1; return true;
    case scSetUpdating: UpdateLock = lowWord == 1; break;
    case scLockCache: CacheLocked = lowWord == 1; break;
    case scIsNotReady: m.LParam = m.Result = (CacheInvalid || IsUpdating()) ? 1 : 0; return true;
    case scIsIncomplete: m.LParam = m.Result = CacheIncomplete ? 1 : 0; return true;
    case scParentChanged:
        if (lowWord == 1 && IsTransparent()) CacheInvalid = true;
        break;
    case 13: break; // compares the section with a shared name nobody sets
    case scSetPaintingChild: PaintingChild = reinterpret_cast<TControl*>(m.LParam); break;
    case scStopFading:
        if (StopFading) StopFading();
        break;
    case scInvalidate: CacheInvalid = true; break;
    case scHasImageBackground: {
        const TsGeneralData* section = SkinActive(false) ? Section() : nullptr;
        bool image;
        if (section && section->Transparency >= 100 && OwnerParent())
            image = AskSkinCommand(OwnerParent(), scHasImageBackground);
        else
            image = (section && section->GradientPercent + section->ImagePercent > 0) ||
                    NeedsParentImage();
        m.LParam = m.Result = image ? 1 : 0;
        return true;
    }
    case scRefreshTree: RefreshTree(m); break;
    case scGetBgColor:
        ParentBgColor = BackgroundColor();
        m.Result = 1;
        return true;
    case scNotFullyPainted: CacheIncomplete = true; break;
    case scBeginUpdate:
    case scEndUpdate: break;
    default: return false;
    }
    m.Result = 0;
    return true;
}

// ---- Painting

namespace {

bool RectInside(const RECT& r, const Bitmap& b) {
    return r.left >= 0 && r.top >= 0 && r.right <= b.Width() && r.bottom <= b.Height() &&
           r.left < r.right && r.top < r.bottom;
}

bool ExcludedChild(const TControl* child, const RECT& dst, int offsetX, int offsetY, RECT& moved) {
    if (!child->Visible()) return false;
    moved = child->BoundsRect();
    moved = OffsetRect(moved, offsetX, offsetY);
    RECT overlap;
    if (!IntersectRect(overlap, moved, dst)) return false;
    return !dynamic_cast<const TWinControl*>(child) || (child->ControlStyle() & csOpaque) ||
           child->Designing();
}

void CopyCache(const TsCommonData& sd, POINT srcOrigin, HDC dc, const RECT& dst) {
    TsBitmapDC source(*sd.CacheBitmap);
    BitBlt(dc, dst.left, dst.top, WidthOf(dst), HeightOf(dst), source.Handle(), srcOrigin.x,
           srcOrigin.y, SRCCOPY);
}

} // namespace

void PaintSkinBackground(TsCommonData& sd, const ParentCacheInfo& parentCache, bool hot,
                         Bitmap& bitmap, POINT offset, RECT rect) {
    TColor color = KeyColor;
    if (sd.CustomColor())
        if (const TControl* own = ColorSource(sd)) color = PlainColor(own->Color());
    RenderItemBackground(sd.SectionIndex, sd.SkinSection(), parentCache, color, sd.HotPatternIndex,
                         sd.PatternIndex, sd.GetSkinManager(), bitmap, offset, rect, hot);
}

void RenderSkinItem(TsCommonData& sd, ParentCacheInfo parentCache, bool fillCenter, bool useParent,
                    Bitmap* bitmap, POINT offset, RECT rect, int state) {
    if (!bitmap || !sd.SkinActive() || !RectInside(rect, *bitmap)) return;
    TsSkinManager* manager = sd.GetSkinManager();
    TWinControl* parent = sd.HostControl ? sd.HostControl->Parent() : nullptr;
    ParentBgColor = KeyColor;
    if (!parentCache.Usable) {
        if (parent) ParentFillColor = ParentBgColor = PlainColor(parent->Color());
    } else if (!sd.NeedsParentImage() && ParentBgColor == KeyColor && parent) {
        ParentBgColor = GetParentBgColor(parent);
    }
    PaintSkinBackground(sd, parentCache, state != 0, *bitmap, offset, rect);
    parentCache.X += offset.x;
    parentCache.Y += offset.y;
    if (manager->ImageIndexValid(sd.BorderMaskIndex)) {
        const TsMaskData& border = manager->MasksData[size_t(sd.BorderMaskIndex)];
        if (state != 0 || sd.SkinSection() != "MENUITEM")
            PaintMaskBorders(*bitmap, rect, fillCenter, useParent, state, border, parentCache);
    }
    ParentFillColor = ParentBgColor = KeyColor;
    PaintCornerImages(sd, *bitmap, rect, state);
}

void CopyCacheToDC(TControl* control, TsCommonData& sd, POINT srcOrigin, int offsetY, int offsetX,
                   bool fixCorners, HDC dc, RECT dstRect) {
    if (!dc || !sd.CacheBitmap || sd.CacheBitmap->Empty()) return;
    if (fixCorners) FillAllCorners(sd, 0);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, dstRect.left, dstRect.top, dstRect.right, dstRect.bottom);
    if (auto* container = dynamic_cast<TWinControl*>(control)) {
        for (int i = 0; i < container->ControlCount(); ++i) {
            const TControl* child = container->Controls(i);
            RECT moved;
            if (child && ExcludedChild(child, dstRect, offsetX, offsetY, moved))
                ExcludeClipRect(dc, moved.left, moved.top, moved.right, moved.bottom);
        }
    }
    CopyCache(sd, srcOrigin, dc, dstRect);
    RestoreDC(dc, saved);
}

void CopyCacheToDC(HWND window, TsCommonData& sd, POINT srcOrigin, int offsetY, int offsetX,
                   bool fixCorners, HDC dc, RECT dstRect) {
    if (!dc || !sd.CacheBitmap || sd.CacheBitmap->Empty()) return;
    if (fixCorners) FillAllCorners(sd, 0);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, dstRect.left, dstRect.top, dstRect.right, dstRect.bottom);
    const TsSkinManager* manager = sd.GetSkinManager();
    const int groupBox = manager ? manager->GetSectionIndex("GROUPBOX") : -1;
    const int groupBorder =
        groupBox >= 0 ? manager->GetImageEntryIndex(groupBox, "GROUPBOX", "BORDERSMASK") : -1;
    for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        POINT topLeft{r.left, r.top};
        ScreenToClient(window, &topLeft);
        r = OffsetRect(r, topLeft.x - r.left + offsetX, topLeft.y - r.top + offsetY);
        const bool isGroupBox = (GetWindowLong(child, GWL_STYLE) & 0xF) == BS_GROUPBOX &&
                                UpperCase(GetClassName(child)) == "BUTTON";
        if (!isGroupBox) {
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
            continue;
        }
        // A group box shows the background through its middle: only its frame is left out.
        const int caption = int(SendSkinCommand(child, SkinCommandWParam(scGetCaptionHeight), 0));
        const int wl = groupBorder >= 0 ? manager->GetMaskWL(groupBorder) : 0;
        const int wr = groupBorder >= 0 ? manager->GetMaskWR(groupBorder) : 0;
        const int wb = groupBorder >= 0 ? manager->GetMaskWB(groupBorder) : 0;
        ExcludeClipRect(dc, r.left, r.top, r.right, r.top + caption);
        ExcludeClipRect(dc, r.left, r.top, r.left + wl, r.bottom);
        ExcludeClipRect(dc, r.right - wr, r.top, r.right, r.bottom);
        ExcludeClipRect(dc, r.left, r.bottom - wb, r.right, r.bottom);
    }
    CopyCache(sd, srcOrigin, dc, dstRect);
    RestoreDC(dc, saved);
}

void PaintGraphicChildren(HDC dc, TWinControl* container, POINT offset) {
    if (!dc || !container || container->ControlCount() == 0) return;
    if (!container->Visible() && !container->Designing()) return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(clip)) {
        SendSkinCommand(container, SkinCommandWParam(scNotFullyPainted), 0);
        return;
    }
    ParentCacheAnswer = ParentCacheInfo{};
    SendSkinCommand(container, SkinCommandWParam(scGetCache), 0);
    const ParentCacheInfo cache = ParentCacheAnswer;
    if (!cache.Usable || !cache.Bitmap) return;

    std::vector<TControl*> children;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* c = container->Controls(i);
        if (!c || dynamic_cast<TWinControl*>(c) || c->IsDestroying()) continue;
        if (!c->Visible() && !c->Designing()) continue;
        if (c->Width() <= 0 || c->Height() <= 0) continue;
        RECT onDc = c->BoundsRect();
        onDc = OffsetRect(onDc, offset.x, offset.y);
        if (RectVisible(dc, &onDc)) children.push_back(c);
    }
    if (children.empty()) return;

    auto offscreen = NewBitmap24(container->Width(), container->Height());
    if (!offscreen || offscreen->Empty()) return;
    TsBitmapDC work(*offscreen);
    if (!work.Handle()) return;
    TsBitmapDC cacheDC(*cache.Bitmap);
    for (TControl* c : children) {
        const RECT r = c->BoundsRect();
        if (c->ControlStyle() & csOpaque) {
            const HBRUSH brush = CreateSolidBrush(ColorToRGB(c->Color()));
            FillRect(work.Handle(), &r, brush);
            DeleteObject(brush);
        } else {
            BitBlt(work.Handle(), r.left, r.top, WidthOf(r), HeightOf(r), cacheDC.Handle(),
                   cache.X + r.left, cache.Y + r.top, SRCCOPY);
        }
    }
    const auto* form = dynamic_cast<const TForm*>(container);
    const bool mdiMain = form && form->FormStyle() == fsMDIForm;
    for (TControl* c : children) {
        const RECT r = c->BoundsRect();
        RECT onDc = r, inside;
        onDc = OffsetRect(onDc, offset.x, offset.y);
        if (!IntersectRect(inside, onDc, clip) || !EqualRect(inside, onDc))
            SendSkinCommand(c, SkinCommandWParam(scNotFullyPainted), 0);
        if (mdiMain && c->Align() != alNone)
            SendSkinCommand(container, SkinCommandWParam(scSetPaintingChild), LPARAM(c));
        const int saved = SaveDC(work.Handle());
        SetViewportOrgEx(work.Handle(), r.left, r.top, nullptr);
        IntersectClipRect(work.Handle(), 0, 0, WidthOf(r), HeightOf(r));
        c->Perform(WM_PAINT, WPARAM(work.Handle()), 0);
        RestoreDC(work.Handle(), saved);
        if (mdiMain && c->Align() != alNone)
            SendSkinCommand(container, SkinCommandWParam(scSetPaintingChild), 0);
    }
    for (TControl* c : children) {
        const RECT r = c->BoundsRect();
        if (r.left >= 0 && r.top >= 0 && r.left < offscreen->Width() &&
            r.top < offscreen->Height() && offscreen->GetPixel(r.left, r.top) == KeyColor)
            continue; // the child left its corner to its own drawing on the window
        BitBlt(dc, r.left + offset.x, r.top + offset.y, WidthOf(r), HeightOf(r), work.Handle(),
               r.left, r.top, SRCCOPY);
    }
}

void WriteSkinText(TCanvas& canvas, const std::string& text, bool enabled, bool hot,
                   const TsCommonData& sd, UINT flags, RECT& rect) {
    const HDC dc = canvas.Handle();
    if (!dc) return;
    if (const TControl* own = ColorSource(sd)) canvas.Font = own->Font();
    const bool skinned = sd.SkinActive(false);
    const TsGeneralData* section = skinned ? sd.Section() : nullptr;
    if (hot && section && sd.SkinSection() == "WEBBUTTON")
        canvas.Font.SetStyle(canvas.Font.Style() | fsUnderline);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
        if (section)
            canvas.Font.SetColor(BlendTwoColors(section->FontColor[0], section->Color, 0.4));
        canvas.TextRect(rect, text, flags);
    } else if (section) {
        const TsFontColors& colors = hot ? section->HotFontColor : section->FontColor;
        if (!sd.CustomFont()) {
            static constexpr POINT kShift[5] = {{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}};
            for (int i = 1; i <= 4; ++i) {
                if (colors[size_t(i)] == -1) continue;
                RECT moved = rect;
                moved = OffsetRect(moved, kShift[i].x, kShift[i].y);
                canvas.Font.SetColor(colors[size_t(i)]);
                canvas.TextRect(moved, text, flags);
            }
            canvas.Font.SetColor(colors[0]);
        }
        canvas.TextRect(rect, text, flags | DT_NOCLIP);
    } else {
        canvas.TextRect(rect, text, flags);
    }
    RestoreDC(dc, saved);
}

// ---- Corners

void PaintCornerImages(const TsCommonData& sd, Bitmap& bitmap, RECT rect, int state) {
    const TsSkinManager* manager = sd.GetSkinManager();
    if (!manager || sd.SectionIndex < 0) return;
    struct Corner {
        const char* Property;
        bool Right, Bottom;
    };
    static constexpr Corner kCorners[] = {{"IMGTOPLEFT", false, false},
                                          {"IMGTOPRIGHT", true, false},
                                          {"IMGBTMLEFT", false, true},
                                          {"IMGBTMRIGHT", true, true}};
    for (const Corner& c : kCorners) {
        const int index =
            manager->GetImageEntryIndex(sd.SectionIndex, sd.SkinSection(), c.Property);
        if (!manager->ImageIndexValid(index)) continue;
        const SIZE frame = manager->GetMaskFrameSize(index);
        const POINT at{c.Right ? rect.right - frame.cx : rect.left,
                       c.Bottom ? rect.bottom - frame.cy : rect.top};
        PaintMaskImage(bitmap, at, state, manager->MasksData[size_t(index)], 1);
    }
}

namespace {

// Where one state frame's image rows lie in the border entry's bitmap.
struct CornerFrame {
    const Bitmap* Source = nullptr;
    int X = 0, Y = 0, FW = 0, FH = 0;
};

bool CornerFrameOf(const TsMaskData& md, int state, CornerFrame& f) {
    f.Source = md.Bmp ? md.Bmp.get() : (md.Manager ? md.Manager->MasterBitmap.get() : nullptr);
    if (!f.Source || f.Source->Empty() || f.Source->BitsPerPixel() != 24) return false;
    RECT r = md.R;
    int count = md.ImageCount;
    bool masked = md.MaskType > 0;
    if (count == 0 && md.Bmp) {
        // An entry with its own bitmap and no counts: three frames over a mask.
        r = RECT{0, 0, md.Bmp->Width(), md.Bmp->Height()};
        count = 3;
        masked = true;
    }
    if (count < 1) return false;
    f.FW = WidthOf(r) / count;
    f.FH = masked ? HeightOf(r) / 2 : HeightOf(r);
    f.X = r.left + f.FW * std::clamp(state, 0, count - 1);
    f.Y = r.top;
    return f.FW > 0 && f.FH > 0;
}

// Copies the KeyColor pixels of a w x h corner slice at (sx, sy) of the frame into the cache
// at (dx, dy): from the parent's bitmap when there is one, else as the plain colour.
void RepairCorner(Bitmap& cache, const CornerFrame& f, int sx, int sy, int dx, int dy, int w, int h,
                  const ParentCacheInfo& parent, TColor color) {
    const Bitmap& src = *f.Source;
    TqvFast24 parentPixels;
    const bool fromParent =
        color == KeyColor && parent.Bitmap && parentPixels.Attach(*parent.Bitmap);
    if (color == KeyColor && !fromParent) return;
    for (int y = 0; y < h; ++y) {
        const int srcY = sy + y, dstY = dy + y;
        if (srcY < 0 || srcY >= src.Height() || dstY < 0 || dstY >= cache.Height()) continue;
        const uint8_t* s = src.ScanLine(srcY);
        uint8_t* d = cache.ScanLine(dstY);
        for (int x = 0; x < w; ++x) {
            const int srcX = sx + x, dstX = dx + x;
            if (srcX < 0 || srcX >= src.Width() || dstX < 0 || dstX >= cache.Width()) continue;
            const uint8_t* sp = s + 3 * srcX;
            if (RGB(sp[2], sp[1], sp[0]) != KeyColor) continue;
            TColor c = color;
            if (fromParent) {
                const int px = parent.X + dstX, py = parent.Y + dstY;
                if (px < 0 || py < 0 || px >= parentPixels.Width || py >= parentPixels.Height)
                    continue;
                c = parentPixels.Pixel(px, py);
            }
            uint8_t* dp = d + 3 * dstX;
            dp[0] = uint8_t(c >> 16);
            dp[1] = uint8_t(c >> 8);
            dp[2] = uint8_t(c);
        }
    }
}

} // namespace

void FillTransparentCorners(TsCommonData& sd, int state, unsigned corners) {
    const TsSkinManager* manager = sd.GetSkinManager();
    TControl* owner = sd.HostControl;
    if (!manager || !manager->ImageIndexValid(sd.BorderMaskIndex) || !sd.CacheBitmap ||
        sd.CacheBitmap->BitsPerPixel() != 24 || !owner || owner->Width() <= 1 ||
        owner->Height() <= 1)
        return;
    ParentCacheInfo parent = sd.QueryParentBackground();
    TWinControl* parentControl = owner->Parent();
    if (!parentControl)
        ParentBgColor = KeyColor;
    else if (!parent.Usable)
        ParentBgColor = PlainColor(parentControl->Color());
    else if (AskSkinCommand(parentControl, scHasImageBackground))
        ParentBgColor = KeyColor;
    else
        ParentBgColor = GetParentBgColor(parentControl);
    const TColor color = ParentBgColor;
    if (color == KeyColor) {
        parent.X += owner->Left();
        parent.Y += owner->Top();
    }
    if (!parent.Usable) parent.Bitmap = nullptr;

    const TsMaskData& md = manager->MasksData[size_t(sd.BorderMaskIndex)];
    CornerFrame f;
    if (CornerFrameOf(md, state, f)) {
        Bitmap& cache = *sd.CacheBitmap;
        const int wl = std::clamp(int(md.WL), 0, f.FW), wr = std::clamp(int(md.WR), 0, f.FW);
        const int wt = std::clamp(int(md.WT), 0, f.FH), wb = std::clamp(int(md.WB), 0, f.FH);
        const int cw = cache.Width(), ch = cache.Height();
        const int right = f.X + f.FW - wr, bottom = f.Y + f.FH - wb;
        if (corners & crnTopLeft) RepairCorner(cache, f, f.X, f.Y, 0, 0, wl, wt, parent, color);
        if (corners & crnBottomLeft)
            RepairCorner(cache, f, f.X, bottom, 0, ch - wb, wl, wb, parent, color);
        if (corners & crnTopRight)
            RepairCorner(cache, f, right, f.Y, cw - wr, 0, wr, wt, parent, color);
        if (corners & crnBottomRight)
            RepairCorner(cache, f, right, bottom, cw - wr, ch - wb, wr, wb, parent, color);
    }
    ParentBgColor = KeyColor;
}

void FillAllCorners(TsCommonData& sd, int state) { FillTransparentCorners(sd, state, kAllCorners); }

// The text is dropped a character at a time until it fits together with its dots: stopping
// as soon as the bare text fits would leave a result wider than maxWidth once the dots go on.
void CutText(TCanvas& canvas, const std::string& text, int maxWidth, std::string& result) {
    result.clear();
    if (maxWidth <= 0) return;
    if (canvas.TextWidth(text) <= maxWidth) {
        result = text;
        return;
    }
    for (size_t length = text.size(); length-- > 1;) {
        std::string candidate = text.substr(0, length) + "...";
        if (canvas.TextWidth(candidate) <= maxWidth) {
            result = std::move(candidate);
            return;
        }
    }
}
