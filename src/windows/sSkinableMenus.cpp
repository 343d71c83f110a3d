#include "windows/sSkinableMenus.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "controls/sSpeedButton.h"
#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sSkinItems.h"
#include "platform/gdi/Gdi.h"
#include "platform/menus/Menu.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/MainMenu.h"
#include "toolkit/PopupMenu.h"
#include "windows/sMenuBackdrop.h"
#include "windows/sMenuLineHost.h"
#include "windows/sMenuWindow.h"

namespace {

constexpr UINT kMenuItemDrawn = 48307;   // lParam: the item drawn without its window at hand
constexpr UINT kShapeMenuWindow = 48308; // lParam: the window to shape
constexpr int kSystemFrame = 3;          // the system's popup frame: client (x, y) lies at +3
constexpr int kShortcutGap = 8;          // the shortcut ends this far before the item's edge
constexpr int kExtraLineBottom = 12;     // the extra line's glyph and text stand this far up
constexpr int kTopLineGlyphIndent = 3;
constexpr char kDefaultExtraCaption[] = "Don`t forget OnGetExtraLineData event...";
constexpr char kSkinSelectItem[] = "SkinSelectItem";
constexpr char kPopupWindowClass[] = "#32768";

// The engines alive now: a handler left on an item after its engine went does nothing.
std::unordered_set<const TsSkinableMenus*>& LiveEngines() {
    static std::unordered_set<const TsSkinableMenus*> engines;
    return engines;
}

struct PopupMeasureHandler {
    TsSkinableMenus* Menus;
    void operator()(TMenuItem* item, TCanvas& canvas, int& width, int& height) const {
        if (LiveEngines().count(Menus)) Menus->PopupMeasure(item, canvas, width, height);
    }
};
struct PopupDrawHandler {
    TsSkinableMenus* Menus;
    void operator()(TMenuItem* item, TCanvas& canvas, const RECT& rect,
                    TOwnerDrawState state) const {
        if (LiveEngines().count(Menus)) Menus->PopupDraw(item, canvas, rect, state);
    }
};
struct TopLineMeasureHandler {
    TsSkinableMenus* Menus;
    void operator()(TMenuItem* item, TCanvas& canvas, int& width, int& height) const {
        if (LiveEngines().count(Menus)) Menus->TopLineMeasure(item, canvas, width, height);
    }
};
struct TopLineDrawHandler {
    TsSkinableMenus* Menus;
    void operator()(TMenuItem* item, TCanvas& canvas, const RECT& rect,
                    TOwnerDrawState state) const {
        if (LiveEngines().count(Menus)) Menus->TopLineDraw(item, canvas, rect, state);
    }
};

template <typename Handler, typename Function>
bool Holds(const Function& f, const TsSkinableMenus* menus) {
    const Handler* h = f.template target<Handler>();
    return h && h->Menus == menus;
}

bool MeasureIsOurs(const TMenuItem& item, const TsSkinableMenus* menus) {
    return Holds<PopupMeasureHandler>(item.OnMeasureItem, menus) ||
           Holds<TopLineMeasureHandler>(item.OnMeasureItem, menus);
}
bool DrawIsOurs(const TMenuItem& item, const TsSkinableMenus* menus) {
    return Holds<PopupDrawHandler>(item.OnAdvancedDrawItem, menus) ||
           Holds<TopLineDrawHandler>(item.OnAdvancedDrawItem, menus);
}
// The program drew the item itself: either draw event of its own.
bool HasOwnDraw(const TMenuItem& item, const TsSkinableMenus* menus) {
    return item.OnDrawItem || (item.OnAdvancedDrawItem && !DrawIsOurs(item, menus));
}

bool IsTopLineItem(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    return parent && !parent->Parent() && dynamic_cast<TMainMenu*>(item.GetParentMenu());
}

TMenuItem* FirstItemOf(TMenuItem& item) {
    TMenuItem* parent = item.Parent();
    return parent && parent->Count() > 0 ? parent->Items(0) : &item;
}

TForm* FormOf(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    for (TComponent* c = menu ? menu->Owner() : item.Owner(); c; c = c->Owner())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

// The visible siblings next to the item in its parent, or null at the ends.
const TMenuItem* NextVisible(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    if (!parent) return nullptr;
    for (int i = item.MenuIndex() + 1; i < parent->Count(); ++i)
        if (parent->Items(i)->Visible()) return parent->Items(i);
    return nullptr;
}
bool FirstVisible(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    if (!parent) return true;
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i)->Visible()) return parent->Items(i) == &item;
    return false;
}
// The entry's position in its parent's window-system menu (invisible items have none).
int EntryPosition(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    int position = 0;
    for (int i = 0; parent && i < parent->Count(); ++i) {
        if (parent->Items(i) == &item) return position;
        position += parent->Items(i)->Visible();
    }
    return -1;
}

UINT AlignmentFlag(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

// Copies a part of source (its top-left at sx, sy) onto the context.
void CopyFrom(const Bitmap& source, HDC dc, int x, int y, int width, int height, int sx, int sy) {
    if (!dc || width <= 0 || height <= 0) return;
    TsBitmapDC src(source);
    BitBlt(dc, x, y, width, height, src.Handle(), sx, sy, SRCCOPY);
}

// Fills the whole bitmap from source, whose point (sx, sy) goes to the bitmap's origin.
void FillFrom(Bitmap& target, const Bitmap& source, int sx, int sy) {
    TsBitmapDC dst(target);
    CopyFrom(source, dst.Handle(), 0, 0, target.Width(), target.Height(), sx, sy);
}

// A section painted into rect of target over parent, whose point (px, py) lies under the
// target's origin.
void PaintSectionOver(const TsSkinManager* manager, int section, std::string_view name,
                      const Bitmap* parent, int px, int py, Bitmap& target, RECT rect, bool hot,
                      bool fillCenter) {
    const ParentCacheInfo info{parent, px, py, parent != nullptr};
    RenderSectionItem(section, name, info, -1, -1, manager, target, POINT{rect.left, rect.top},
                      rect, hot, fillCenter);
}

// An item's own bitmap drawn with its key-colour pixels left out.
void DrawItemBitmap(Bitmap& target, HBITMAP handle, int x, int y) {
    const Bitmap* glyph = BitmapOf(handle);
    if (!glyph || glyph->Empty()) return;
    if (glyph->BitsPerPixel() == 24) {
        CopyKeyed(target, *glyph, x, y, KeyColor);
        return;
    }
    Bitmap copy = *glyph;
    if (copy.SetFormat(24)) CopyKeyed(target, copy, x, y, KeyColor);
}

// The item's glyph (own bitmap, else its menu's image) at (x, y); its size, or 0 x 0.
SIZE DrawItemGlyph(const TMenuItem& item, Bitmap& target, bool enabled, int x, int y) {
    if (item.Bitmap()) {
        const Bitmap* glyph = BitmapOf(item.Bitmap());
        if (!glyph) return SIZE{};
        DrawItemBitmap(target, item.Bitmap(), x, y);
        return SIZE{glyph->Width(), glyph->Height()};
    }
    const TMenu* menu = item.GetParentMenu();
    if (menu && menu->Images() && item.ImageIndex() >= 0) {
        TsBitmapDC dc(target);
        menu->Images()->Draw(dc.Handle(), x, y, item.ImageIndex(), enabled);
        return SIZE{menu->Images()->Width(), menu->Images()->Height()};
    }
    return SIZE{};
}

SIZE OwnGlyphSize(const TMenuItem& item) {
    if (item.Bitmap()) {
        const Bitmap* glyph = BitmapOf(item.Bitmap());
        return glyph ? SIZE{glyph->Width(), glyph->Height()} : SIZE{};
    }
    const TMenu* menu = item.GetParentMenu();
    if (menu && menu->Images() && item.ImageIndex() >= 0)
        return SIZE{menu->Images()->Width(), menu->Images()->Height()};
    return SIZE{};
}

int TextWidthOf(TCanvas& canvas, const std::string& text) {
    RECT r{};
    DrawCanvasText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    return WidthOf(r);
}

} // namespace

TsSkinableMenus::TsSkinableMenus(TsSkinManager* owner) : owner_(owner) {
    LiveEngines().insert(this);
}

TsSkinableMenus::~TsSkinableMenus() {
    LiveEngines().erase(this);
    ::ResetPopupState();
}

int TsSkinableMenus::SkinBorderWidth() {
    if (skinBorderWidth_ >= 0) return skinBorderWidth_;
    skinBorderWidth_ = 0;
    if (!owner_) return 0;
    const int section = owner_->GetSectionIndex("MAINMENU");
    const int mask = owner_->GetImageEntryIndex(section, "MAINMENU", "BORDERSMASK");
    if (owner_->ImageIndexValid(mask)) {
        const int width = owner_->MasksData[size_t(mask)].BorderWidth;
        skinBorderWidth_ = width > 0 ? width : 3;
    }
    return skinBorderWidth_;
}

int TsSkinableMenus::ExtraWidth() const {
    const bool shown = owner_ && owner_->MenuSupport.UseExtraLine && PopupState().ExtraLineVisible;
    return shown ? owner_->MenuSupport.ExtraLineWidth : 0;
}

int TsSkinableMenus::ExtraLineFactor(const TMenuItem& item) const {
    if (!PopupState().ExtraLineDecided) return 1;
    return InFirstMenuColumn(item) ? 1 : 0;
}

void TsSkinableMenus::ResetPopupState() { ::ResetPopupState(); }

// ---------------------------------------------------------------- hooking

void TsSkinableMenus::RefreshHooks() {
    const bool loaded = owner_ && owner_->SkinData.Loaded;
    if (loaded != hooksActive_) ApplyActive(loaded);
}

void TsSkinableMenus::ApplyActive(bool active) {
    hooksActive_ = active;
    if (!Application || (owner_ && owner_->Designing())) return;
    try {
        HookOwnedComponents(Application, active);
    } catch (...) {
        // A component that fails while its menus are hooked keeps its look; the rest go on.
    }
}

void TsSkinableMenus::HookOwnedComponents(TComponent* owner, bool active) {
    const bool popups = owner_ && owner_->SkinnedPopups();
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (auto* mainMenu = dynamic_cast<TMainMenu*>(c)) {
            AttachMainMenu(mainMenu, active);
            TMenuItem& root = mainMenu->Items();
            for (int k = 0; k < root.Count(); ++k) AttachMenuItems(root.Items(k), active);
        } else if (auto* popup = dynamic_cast<TPopupMenu*>(c)) {
            if (popups) AttachPopupMenu(popup, active);
        } else if (auto* item = dynamic_cast<TMenuItem*>(c)) {
            if (popups && !dynamic_cast<TMainMenu*>(item->GetParentMenu())) {
                if (active)
                    InstallPopupHandlers(item);
                else
                    ClearOurHandlers(item);
                AttachMenuItems(item, active);
            }
        }
        HookOwnedComponents(c, active);
    }
}

void TsSkinableMenus::InstallTopLineHandlers(TMenuItem* item) {
    if (!item->OnMeasureItem || MeasureIsOurs(*item, this))
        item->OnMeasureItem = TopLineMeasureHandler{this};
    if (owner_ && owner_->SkinData.Loaded && !HasOwnDraw(*item, this))
        item->OnAdvancedDrawItem = TopLineDrawHandler{this};
}

void TsSkinableMenus::InstallPopupHandlers(TMenuItem* item) {
    if (!item->OnMeasureItem || MeasureIsOurs(*item, this))
        item->OnMeasureItem = PopupMeasureHandler{this};
    if (!HasOwnDraw(*item, this)) item->OnAdvancedDrawItem = PopupDrawHandler{this};
}

void TsSkinableMenus::ClearOurHandlers(TMenuItem* item) {
    if (MeasureIsOurs(*item, this)) item->OnMeasureItem = nullptr;
    if (DrawIsOurs(*item, this)) item->OnAdvancedDrawItem = nullptr;
}

void TsSkinableMenus::AttachMainMenu(TMenu* menu, bool active) {
    if (!menu) return;
    TMenuItem& root = menu->Items();
    bool measureChanged = false;
    for (int i = 0; i < root.Count(); ++i) {
        TMenuItem* item = root.Items(i);
        const bool wasOurs = MeasureIsOurs(*item, this);
        if (active)
            InstallTopLineHandlers(item);
        else
            ClearOurHandlers(item);
        measureChanged = measureChanged || wasOurs != MeasureIsOurs(*item, this);
    }
    if (menu->IsDestroying()) return;
    // The bar keeps the widths it measured: handlers given back in a skin switch need a new
    // measure, or the bar keeps the plain widths it had in between.
    if (measureChanged && menu->OwnerDraw() == active)
        menu->RebuildEntries();
    else
        menu->SetOwnerDraw(active);
}

void TsSkinableMenus::AttachPopupMenu(TMenu* menu, bool active) {
    if (!menu) return;
    // The toolkit's pop-up menus have no show animation to switch off.
    menu->SetOwnerDraw(active);
    AttachMenuItems(&menu->Items(), active);
}

void TsSkinableMenus::AttachMenuItems(TMenuItem* item, bool active) {
    if (!item) return;
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* sub = item->Items(i);
        if (!active)
            ClearOurHandlers(sub);
        else if (!IsTopLineItem(*sub))
            InstallPopupHandlers(sub);
        AttachMenuItems(sub, active);
    }
}

void TsSkinableMenus::AttachSingleItem(TMenuItem* item, bool active) {
    if (!item) return;
    if (TMenu* menu = item->GetParentMenu(); menu && !menu->IsDestroying())
        menu->SetOwnerDraw(active);
    if (!active)
        ClearOurHandlers(item);
    else if (IsTopLineItem(*item))
        InstallTopLineHandlers(item);
    else if (owner_ && owner_->SkinnedPopups())
        InstallPopupHandlers(item);
}

// ---------------------------------------------------------------- the popup state

void TsSkinableMenus::DecideExtraLine(TMenuItem* firstItem) {
    TsPopupState& s = PopupState();
    if (s.ExtraLineDecided || s.ExtraLineDeciding) return;
    if (firstItem && firstItem->Name() == kSkinSelectItem) {
        s.ExtraLineVisible = false;
        return;
    }
    s.ExtraLineDeciding = true;
    s.ExtraLineSection = "EXTRALINE";
    s.ExtraLineGlyph.reset();
    s.ExtraLineCaption = kDefaultExtraCaption;
    s.ExtraLineVisible = true;
    if (owner_ && owner_->OnGetMenuExtraLineData) {
        try {
            owner_->OnGetMenuExtraLineData(firstItem, s.ExtraLineSection, s.ExtraLineCaption,
                                           s.ExtraLineGlyph, s.ExtraLineVisible);
        } catch (...) {
            s.ExtraLineDeciding = false;
            throw;
        }
    }
    std::erase(s.ExtraLineCaption, '&');
    if (!s.ExtraLineVisible) s.ExtraLineGlyph.reset();
    s.ExtraLineDecided = true;
    s.ExtraLineDeciding = false;
}

void TsSkinableMenus::PrepareBackdrop(TMenuItem* firstItem, int width, int height, HWND window) {
    TsPopupState& s = PopupState();
    // A popup that changed its size since (an item added while it shows) needs a new one.
    if (s.Backdrop && s.FirstItem == firstItem && s.Backdrop->Width() == width &&
        s.Backdrop->Height() == height)
        return;
    DecideExtraLine(firstItem);
    s.FirstItem = firstItem;
    s.Backdrop = NewBitmap24(width, height);
    const int glyphWidth = firstItem ? int(MenuGlyphSize(*firstItem).cx) : 0;
    s.IconColumnWidth = Margin + glyphWidth + Spacing;
    backdropPainted_ = false;
    const int section = owner_ ? owner_->GetSectionIndex("MAINMENU") : -1;
    if (section < 0) {
        // No skin for popups: a blank backdrop in the menu colour, and the system's frame.
        s.Backdrop->Fill(ColorToRGB(SysColor(COLOR_MENU)));
        return;
    }
    Bitmap& backdrop = *s.Backdrop;
    RenderSectionItem(section, "MAINMENU", ParentCacheInfo{}, -1, -1, owner_, backdrop, POINT{0, 0},
                      RECT{0, 0, width, height}, false, false);
    backdropPainted_ = true;
    PaintExtraLine(backdrop, height);
    PaintIconColumn(backdrop, height);
    CollectCorners(section, width, height);
    if (window) ShapeMenuWindow(window, s.Backdrop.get());
}

void TsSkinableMenus::PaintExtraLine(Bitmap& backdrop, int height) {
    TsPopupState& s = PopupState();
    if (!owner_->MenuSupport.UseExtraLine || !s.ExtraLineVisible) return;
    const int section = owner_->GetSectionIndex(s.ExtraLineSection);
    if (section < 0) return;
    const int border = SkinBorderWidth();
    const int w = owner_->MenuSupport.ExtraLineWidth, h = height - 2 * border;
    const std::unique_ptr<Bitmap> strip = NewBitmap24(w, h);
    if (strip->Empty()) return;
    PaintSectionOver(owner_, section, s.ExtraLineSection, &backdrop, border, border, *strip,
                     RECT{0, 0, w, h}, false, true);
    int textBottom = h - kExtraLineBottom;
    if (s.ExtraLineGlyph && !s.ExtraLineGlyph->Empty()) {
        const Bitmap& glyph = *s.ExtraLineGlyph;
        CopyKeyed(*strip, glyph, (w - glyph.Width()) / 2, h - kExtraLineBottom - glyph.Height(),
                  KeyColor);
        textBottom = h - glyph.Height() - 20;
    }
    // The caption reads upward: the font turned by -270 degrees, its cell height the size.
    const TFont& f = owner_->MenuSupport.ExtraLineFont;
    LOGFONT lf;
    lf.lfHeight = f.Height();
    lf.lfEscapement = lf.lfOrientation = -2700;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = (f.Style() & fsItalic) != 0;
    lf.lfUnderline = (f.Style() & fsUnderline) != 0;
    lf.lfStrikeOut = (f.Style() & fsStrikeOut) != 0;
    lf.lfCharSet = f.Charset();
    f.Name().copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
    {
        TsBitmapDC dc(*strip);
        HFONT font = CreateFontIndirect(&lf);
        const HGDIOBJ old = SelectObject(dc.Handle(), font);
        SIZE extent{};
        GetTextExtentPoint32(dc.Handle(), s.ExtraLineCaption.c_str(),
                             int(s.ExtraLineCaption.size()), &extent);
        SetBkMode(dc.Handle(), TRANSPARENT);
        SetTextColor(dc.Handle(), ColorToRGB(owner_->SectionsData[size_t(section)].FontColor[0]));
        ::TextOut(dc.Handle(), (w - int(extent.cy)) / 2, textBottom, s.ExtraLineCaption.c_str(),
                  int(s.ExtraLineCaption.size()));
        SelectObject(dc.Handle(), old);
        DeleteObject(font);
    }
    TsBitmapDC target(backdrop);
    CopyFrom(*strip, target.Handle(), border, border, w, h, 0, 0);
    s.ExtraLineGlyph.reset();
}

void TsSkinableMenus::PaintIconColumn(Bitmap& backdrop, int height) {
    const std::string& name = owner_->MenuSupport.IcoLineSkin;
    const int section = name.empty() ? -1 : owner_->GetSectionIndex(name);
    if (section < 0) return;
    const int border = SkinBorderWidth();
    const int x = ExtraWidth() + border;
    const int w = PopupState().IconColumnWidth, h = height - 2 * border;
    const std::unique_ptr<Bitmap> column = NewBitmap24(w, h);
    if (column->Empty()) return;
    PaintSectionOver(owner_, section, name, &backdrop, x, border, *column, RECT{0, 0, w, h}, false,
                     true);
    TsBitmapDC target(backdrop);
    CopyFrom(*column, target.Handle(), x, border, w, h, 0, 0);
}

void TsSkinableMenus::CollectCorners(int mainSection, int width, int height) {
    popupCornerRects_.clear();
    const int mask = owner_->GetImageEntryIndex(mainSection, "MAINMENU", "BORDERSMASK");
    if (!owner_->ImageIndexValid(mask)) return;
    const TsMaskData& md = owner_->MasksData[size_t(mask)];
    CornerRegionRects(popupCornerRects_, width, md, false, 0);
    CornerRegionRects(popupCornerRects_, width, md, true, height - md.WB);
}

void TsSkinableMenus::ShapeMenuWindow(HWND window, const Bitmap* backdrop) {
    ::ShapeMenuWindow(window, backdrop, popupCornerRects_, shaping_);
}

SIZE TsSkinableMenus::PopupSize(TMenuItem* parent) {
    if (!parent) return SIZE{};
    std::vector<TsPopupEntrySize> entries;
    const HDC dc = CreateCompatibleDC(nullptr);
    {
        TCanvas canvas(dc);
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            if (!item->Visible()) continue;
            ApplyItemFont(canvas, *item, false);
            int width = 0, height = GetSystemMetrics(SM_CYMENU);
            item->MeasureItem(canvas, width, height);
            entries.push_back(TsPopupEntrySize{width, height, item->Break() != mbNone});
        }
    }
    DeleteDC(dc);
    return PopupClientSize(entries);
}

bool TsSkinableMenus::HandleApplicationMessage(UINT msg, WPARAM, LPARAM lParam) {
    // Only popup menu windows are shaped: a form under a bar item must keep its procedure.
    auto shape = [this](HWND window) {
        if (window && IsWindow(window) && GetClassName(window) == kPopupWindowClass)
            ShapeMenuWindow(window, PopupState().Backdrop.get());
    };
    if (msg == kShapeMenuWindow) {
        shape(reinterpret_cast<HWND>(lParam));
        return true;
    }
    if (msg != kMenuItemDrawn) return false;
    if (!PopupState().Backdrop) return false;
    TMenuItem* item = TMenuItem::FromItemData(uintptr_t(lParam));
    if (!item || !item->Parent()) return true;
    const int position = EntryPosition(*item);
    TForm* form = FormOf(*item);
    const HWND bar = form && form->HandleAllocated() ? form->Handle() : nullptr;
    RECT r{};
    if (position >= 0 && GetMenuItemRect(bar, item->Parent()->Handle(), UINT(position), &r))
        shape(WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    return true;
}

// ---------------------------------------------------------------- measuring

void TsSkinableMenus::ApplyItemFont(TCanvas& canvas, const TMenuItem& item, bool bold) const {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    TFont font;
    font.SetName(metrics.lfMenuFont.lfFaceName);
    font.SetHeight(int(std::abs(metrics.lfMenuFont.lfHeight)));
    font.SetStyle(bold ? unsigned(fsBold) : 0u);
    if (const TForm* form = FormOf(item)) font.SetCharset(form->Font().Charset());
    font.SetColor(canvas.Font.Color());
    canvas.Font.Assign(font);
}

void TsSkinableMenus::PopupMeasure(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
    if (!item || item->IsDestroying()) return;
    TsPopupState& s = PopupState();
    s.Measuring = true;
    TMenuItem* first = FirstItemOf(*item);
    if (first != s.FirstItem) {
        ::ResetPopupState();
        s.FirstItem = first;
    }
    const TsMenuItemType kind = MenuItemKindOf(item->Caption());
    s.LastItemKind = kind;
    DecideExtraLine(first);
    ApplyItemFont(canvas, *item, false);
    std::string text;
    if (kind == smCaption)
        text = "-" + item->Caption() + "-";
    else if (kind == smNormal)
        text = CaptionWithShortcut(*item);
    const SIZE glyph = MenuGlyphSize(*item);
    TsPopupItemMeasure m;
    m.GlyphWidth = glyph.cx;
    m.GlyphHeight = glyph.cy;
    m.TextWidth = text.empty() ? 0 : TextWidthOf(canvas, text);
    m.TextHeight = canvas.TextHeight("W");
    m.Margin = Margin;
    m.Spacing = Spacing;
    m.ExtraWidth = ExtraWidth() * ExtraLineFactor(*item);
    width = PopupItemWidth(m);
    height = PopupItemHeight(kind, m);
}

void TsSkinableMenus::TopLineMeasure(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
    if (!item) return;
    ApplyItemFont(canvas, *item, item->Default());
    height = GetSystemMetrics(SM_CYMENU) - 1;
    // The drawing keeps the margins and the glyph clear of the text: they are measured too,
    // so that a caption is never cut at the item's edges.
    const int text = TextWidthOf(canvas, CaptionWithShortcut(*item));
    width = std::max(width, text + 2 * Margin + int(OwnGlyphSize(*item).cx));
}

// ---------------------------------------------------------------- popup items

void TsSkinableMenus::PopupDraw(TMenuItem* item, TCanvas& canvas, const RECT& rect,
                                TOwnerDrawState state) {
    if (!item || !item->Owner() || !owner_) return;
    TMenuItem* first = FirstItemOf(*item);
    if (first != PopupState().FirstItem) ::ResetPopupState();
    TsSpeedButton::MenuPopupPainted();

    const HWND window = WindowFromDC(canvas.Handle());
    SIZE size{};
    RECT wr{};
    if (window && GetWindowRect(window, &wr)) {
        size = SIZE{WidthOf(wr), HeightOf(wr)};
    } else {
        const SIZE client = PopupSize(item->Parent());
        size = SIZE{client.cx + 2 * BorderWidth, client.cy + 2 * BorderWidth};
    }
    PrepareBackdrop(first, size.cx, size.cy, window);
    if (!PopupState().Backdrop || PopupState().Backdrop->Empty()) return;
    // After the backdrop: its preparation decides the extra line, which the factor needs.
    const int factor = ExtraLineFactor(*item);
    if (window)
        DrawFrameStrips(window, *item, rect, factor);
    else
        PostItemDrawn(item);

    switch (MenuItemKindOf(item->Caption())) {
    case smDivider: DrawSeparator(canvas, rect); break;
    case smCaption: DrawCaptionItem(*item, canvas, rect); break;
    default: DrawNormalItem(*item, canvas, rect, state, factor); break;
    }
    if (!OnDrawItem) return;
    // Separators and caption items are told after they are drawn, on the menu's canvas.
    const TsMenuItemType kind = MenuItemKindOf(item->Caption());
    if (kind != smNormal) OnDrawItem(item, canvas, rect, state, kind);
}

void TsSkinableMenus::DrawFrameStrips(HWND window, const TMenuItem& item, const RECT& rect,
                                      int factor) {
    // Without "MAINMENU" the system's frame stays.
    if (!backdropPainted_) return;
    const Bitmap& backdrop = *PopupState().Backdrop;
    const int w = backdrop.Width(), h = backdrop.Height(), bw = BorderWidth;
    const HDC dc = GetWindowDC(window);
    if (!dc) return;
    if (FirstVisible(item)) CopyFrom(backdrop, dc, 0, 0, w, bw, 0, 0);
    if (!NextVisible(item)) CopyFrom(backdrop, dc, 0, h - bw, w, bw, 0, h - bw);
    const int top = bw + rect.top, rows = HeightOf(rect);
    const int left = factor * ExtraWidth() + std::max(SkinBorderWidth(), bw);
    CopyFrom(backdrop, dc, 0, top, left, rows, 0, top);
    CopyFrom(backdrop, dc, w - bw, top, bw, rows, w - bw, top);
    ReleaseDC(window, dc);
}

void TsSkinableMenus::PostItemDrawn(TMenuItem* item) {
    if (!Application) return;
    const HWND app = Application->Handle();
    MSG waiting;
    if (!app || PeekMessage(&waiting, app, kMenuItemDrawn, kShapeMenuWindow, PM_NOREMOVE)) return;
    PostMessage(app, kMenuItemDrawn, 0, LPARAM(reinterpret_cast<uintptr_t>(item)));
}

void TsSkinableMenus::DrawSeparator(TCanvas& canvas, const RECT& rect) {
    const Bitmap& backdrop = *PopupState().Backdrop;
    const int w = WidthOf(rect), h = HeightOf(rect);
    const std::unique_ptr<Bitmap> work = NewBitmap24(w, h);
    if (work->Empty()) return;
    FillFrom(*work, backdrop, rect.left + kSystemFrame, rect.top + kSystemFrame);
    const int divider = owner_->GetSectionIndex("DIVIDERV");
    const int image = divider >= 0 ? owner_->GetImageEntryIndex(divider, "DIVIDERV", "BORDERSMASK")
                                   : owner_->GetImageEntryIndex(owner_->GetSectionIndex("TRACKBAR"),
                                                                "TRACKBAR", "SLIDERCHANNEL");
    if (!owner_->ImageIndexValid(image)) {
        // The etched line of the classic menus: a dark grey row over a white one.
        CopyFrom(*work, canvas.Handle(), rect.left, rect.top, w, h, 0, 0);
        const int y = rect.top + std::max(0, h / 2 - 1);
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = 0x808080;
        canvas.FillRect(RECT{rect.left, y, rect.right, y + 1});
        canvas.Brush.Color = 0xFFFFFF;
        canvas.FillRect(RECT{rect.left, y + 1, rect.right, y + 2});
        return;
    }
    const int extra = ExtraWidth();
    RECT line{extra + Margin + Spacing, 0, w - (extra + 2 * Margin + Spacing), h};
    const int iconColumn = PopupState().IconColumnWidth;
    if (line.left < extra + iconColumn) line.left = extra + iconColumn + 2;
    PaintMaskBorders(*work, line, true, true, 0, owner_->MasksData[size_t(image)],
                     ParentCacheInfo{work.get(), 0, 0, true});
    CopyFrom(*work, canvas.Handle(), rect.left, rect.top, w, h, 0, 0);
}

void TsSkinableMenus::DrawCaptionItem(TMenuItem& item, TCanvas& canvas, const RECT& rect) {
    const Bitmap& backdrop = *PopupState().Backdrop;
    const int w = WidthOf(rect), h = HeightOf(rect), extra = ExtraWidth();
    const std::unique_ptr<Bitmap> work = NewBitmap24(w, h);
    if (work->Empty()) return;
    FillFrom(*work, backdrop, rect.left + kSystemFrame, rect.top + kSystemFrame);
    const int section = owner_->GetSectionIndex("TOOLBAR");
    if (section >= 0)
        PaintSectionOver(owner_, section, "TOOLBAR", &backdrop, rect.left + kSystemFrame,
                         rect.top + kSystemFrame, *work, RECT{extra + 1, 1, w - 1, h - 1}, false,
                         true);
    {
        TsBitmapDC dc(*work);
        TCanvas wc(dc.Handle());
        wc.Font.Assign(CaptionFont);
        RECT text{extra, 0, w, h};
        WriteSectionText(wc, CaptionItemWord(item.Caption()), true, owner_, false, section,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE, text);
    }
    CopyFrom(*work, canvas.Handle(), rect.left, rect.top, w, h, 0, 0);
}

void TsSkinableMenus::FillColumnEnd(const TMenuItem& item, TCanvas& canvas, const RECT& rect) {
    const Bitmap& backdrop = *PopupState().Backdrop;
    const int bottom = backdrop.Height() - 2 * kSystemFrame;
    const TMenuItem* next = NextVisible(item);
    const bool columnEnds = next ? next->Break() != mbNone : true;
    if (columnEnds && rect.bottom < bottom)
        CopyFrom(backdrop, canvas.Handle(), rect.left, rect.bottom, WidthOf(rect),
                 bottom - rect.bottom, rect.left + kSystemFrame, rect.bottom + kSystemFrame);
    // The gap between this column and the one before it.
    if (item.Break() != mbNone)
        CopyFrom(backdrop, canvas.Handle(), rect.left - 4, rect.top, 4, bottom, rect.left - 1,
                 rect.top + kSystemFrame);
}

void TsSkinableMenus::DrawNormalItem(TMenuItem& item, TCanvas& canvas, const RECT& rect,
                                     TOwnerDrawState state, int factor) {
    TsPopupState& s = PopupState();
    s.LastItemKind = smNormal;
    FillColumnEnd(item, canvas, rect);
    const Bitmap& backdrop = *s.Backdrop;
    const int offset = factor * ExtraWidth();
    const int w = WidthOf(rect) - offset, h = HeightOf(rect);
    const std::unique_ptr<Bitmap> work = NewBitmap24(w, h);
    if (work->Empty()) return;
    const bool enabled = item.Enabled() && !(state & (odDisabled | odGrayed));
    const bool selected = enabled && (state & odSelected);
    const int bx = offset + rect.left + kSystemFrame, by = rect.top + kSystemFrame;
    // The backdrop first: a skin without "MENUITEM" shows it behind the text.
    FillFrom(*work, backdrop, bx, by);
    const int section = owner_->GetSectionIndex("MENUITEM");
    if (section >= 0)
        PaintSectionOver(owner_, section, "MENUITEM", &backdrop, bx, by, *work, RECT{0, 0, w, h},
                         selected, true);
    if (item.Checked()) PaintCheckMark(item, *work, selected);
    const SIZE own = OwnGlyphSize(item);
    if (own.cx > 0) DrawItemGlyph(item, *work, enabled, (h - own.cy) / 2, (h - own.cy) / 2);
    {
        TsBitmapDC dc(*work);
        TCanvas wc(dc.Handle());
        WriteItemTexts(item, wc, w, h, enabled && (state & (odSelected | odHotLight)), section);
        if (OnDrawItem) OnDrawItem(&item, wc, RECT{0, 0, w, h}, state, smNormal);
    }
    if (!enabled) {
        // 40 % of the item stays, 60 % comes from the backdrop; its key pixels change nothing.
        const int x = offset + BorderWidth + rect.left, y = BorderWidth + rect.top;
        BlendImageKeyed(*work, 0, 0, KeyColor, 0.4, RECT{x, y, x + w - 1, y + h - 1}, backdrop);
    }
    CopyFrom(*work, canvas.Handle(), offset + rect.left, rect.top, w, h, 0, 0);
}

void TsSkinableMenus::PaintCheckMark(const TMenuItem& item, Bitmap& work, bool selected) {
    const int info = owner_->GetSectionIndex("GLOBALINFO");
    int image =
        owner_->GetImageEntryIndex(info, "GLOBALINFO", item.RadioItem() ? "RADIOCHECKED" : "CHECK");
    if (!owner_->ImageIndexValid(image))
        image = owner_->GetImageEntryIndex(info, "GLOBALINFO", "BOXCHECKED");
    if (!owner_->ImageIndexValid(image)) return;
    const TsMaskData& md = owner_->MasksData[size_t(image)];
    const SIZE frame = owner_->GetMaskFrameSize(image);
    const int frameIndex = selected ? std::min(1, md.ImageCount - 1) : 0;
    PaintMaskImage(work, POINT{Margin, (work.Height() - int(frame.cy)) / 2}, frameIndex, md, 1);
}

void TsSkinableMenus::WriteItemTexts(const TMenuItem& item, TCanvas& canvas, int width, int height,
                                     bool hot, int section) {
    ApplyItemFont(canvas, item, item.Default());
    const int glyphWidth = MenuGlyphSize(item).cx;
    // The text may use the whole work bitmap: right-aligned text ends at its right edge.
    RECT text{glyphWidth + 2 * Margin + Spacing, 0, width, height};
    const UINT align =
        RightAlignedCaption(item.Caption()) ? UINT(DT_RIGHT) : AlignmentFlag(Alignment);
    const UINT line = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOCLIP;
    WriteSectionText(canvas, ShownCaption(item.Caption()), true, owner_, hot, section, align | line,
                     text);
    if (item.ShortCutText().empty()) return;
    // It ends kShortcutGap pixels before the item's right edge, in every column.
    const int sw = canvas.TextWidth(item.ShortCutText());
    RECT shortcut{width - sw - kShortcutGap, 0, width, height};
    WriteSectionText(canvas, item.ShortCutText(), true, owner_, hot, section, DT_LEFT | line,
                     shortcut);
}

// ---------------------------------------------------------------- menu-bar items

void TsSkinableMenus::TopLineDraw(TMenuItem* item, TCanvas& canvas, const RECT& rect,
                                  TOwnerDrawState state) {
    if (!item || !owner_) return;
    TsMenuLineHost* host = TsMenuLineHost::Painting;
    if (!host) host = TsMenuLineHost::OfForm(FormOf(*item));
    if (!host) return;
    const int w = WidthOf(rect), h = HeightOf(rect);
    const std::unique_ptr<Bitmap> work = NewBitmap24(w, h);
    if (work->Empty()) return;
    const bool enabled = item->Enabled() && !(state & (odDisabled | odGrayed));
    const bool hot = enabled && (state & (odSelected | odHotLight));
    const Bitmap* cache = host->MenuLineCache();
    const int cx = rect.left, cy = rect.top - host->MenuLineTop();
    {
        TsBitmapDC dc(*work);
        // The band behind the item; without one, what the canvas shows there now.
        if (cache)
            CopyFrom(*cache, dc.Handle(), 0, 0, w, h, cx, cy);
        else
            BitBlt(dc.Handle(), 0, 0, w, h, canvas.Handle(), rect.left, rect.top, SRCCOPY);
    }
    const int section = owner_->GetSectionIndex("MENUITEM");
    if (section >= 0)
        PaintSectionOver(owner_, section, "MENUITEM", cache, cx, cy, *work, RECT{0, 0, w, h}, hot,
                         true);
    const SIZE glyph = OwnGlyphSize(*item);
    if (glyph.cx > 0) DrawItemGlyph(*item, *work, enabled, kTopLineGlyphIndent, (h - glyph.cy) / 2);
    {
        TsBitmapDC dc(*work);
        TCanvas wc(dc.Handle());
        ApplyItemFont(wc, *item, item->Default());
        const int lineSection = owner_->GetSectionIndex("MENULINE");
        RECT text{Margin + int(glyph.cx), 0, w - Margin, h};
        UINT flags =
            DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFlag(Alignment);
        if (state & odNoAccel) flags |= DT_HIDEPREFIX;
        WriteSectionText(wc, ShownCaption(item->Caption()), true, owner_, hot, lineSection, flags,
                         text);
        if (!item->ShortCutText().empty()) {
            RECT shortcut{0, 0, w - kShortcutGap, h};
            WriteSectionText(wc, item->ShortCutText(), true, owner_, hot, lineSection,
                             DT_RIGHT | DT_SINGLELINE | DT_VCENTER, shortcut);
        }
        if (OnDrawItem && !enabled) OnDrawItem(item, wc, RECT{0, 0, w, h}, state, smTopLine);
    }
    // A disabled item keeps 102/256 of its look over the band: (d*102 + s*153 + 127) >> 8.
    if (!enabled && cache)
        BlendImages(*work, *cache, 102, POINT{0, 0}, RECT{cx, cy, cx + w, cy + h});
    CopyFrom(*work, canvas.Handle(), rect.left, rect.top, w, h, 0, 0);
    if (OnDrawItem && enabled) OnDrawItem(item, canvas, rect, state, smTopLine);
}

void InstallMenuSkinning() {
    TsSkinManager::MakeMenuEngine = [](TsSkinManager* manager) -> std::unique_ptr<TsMenuEngine> {
        return std::make_unique<TsSkinableMenus>(manager);
    };
}
