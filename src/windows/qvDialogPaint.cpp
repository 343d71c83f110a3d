#include "windows/qvDialogPaint.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "graphics/sAlphaGraph.h"
#include "graphics/sGraphUtils.h"
#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "paint/sControlImage.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "platform/controls/Button.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

namespace {

constexpr const char* kGlobalInfo = "GLOBALINFO";
// What a check box without a checked image leaves for its mark.
constexpr int kDefaultMarkSize = 16;

int GlobalImage(const TsSkinManager& manager, const char* name) {
    return manager.GetImageEntryIndex(manager.GetSectionIndex(kGlobalInfo), kGlobalInfo, name);
}

// Copies rect of dst from src, whose pixel (srcX, srcY) goes to rect's top-left corner;
// pixels whose source lies outside src stay as they are.
void CopyFromParent(Bitmap& dst, RECT rect, const Bitmap& src, int srcX, int srcY) {
    if (dst.BitsPerPixel() != 24 || src.BitsPerPixel() != 24) return;
    const int dx = srcX - int(rect.left), dy = srcY - int(rect.top); // source = target + (dx, dy)
    const int left = std::max({int(rect.left), 0, -dx});
    const int right = std::min({int(rect.right), dst.Width(), src.Width() - dx});
    const int top = std::max({int(rect.top), 0, -dy});
    const int bottom = std::min({int(rect.bottom), dst.Height(), src.Height() - dy});
    if (left >= right || top >= bottom) return;
    const size_t bytes = size_t(right - left) * 3;
    for (int y = top; y < bottom; ++y)
        std::memcpy(dst.ScanLine(y) + left * 3, src.ScanLine(y + dy) + (left + dx) * 3, bytes);
}

void FillBitmapRect(Bitmap& bitmap, RECT rect, TColor color) {
    TsBitmapDC dc(bitmap);
    FillDCRect(dc.Handle(), rect, color);
}

// The parent's pixels behind rect (the parent's bitmap read at the window's position plus the
// answer's offset), or its plain colour when it has no usable background.
void ParentBehind(Bitmap& cache, RECT rect, const ParentCacheInfo& parentCache, POINT position,
                  TColor parentColor) {
    if (parentCache.Usable && parentCache.Bitmap)
        CopyFromParent(cache, rect, *parentCache.Bitmap, position.x + parentCache.X + rect.left,
                       position.y + parentCache.Y + rect.top);
    else
        FillBitmapRect(cache, rect, parentColor);
}

} // namespace

// ---- Check boxes and radio buttons

bool IsCheckBoxStyle(DWORD style) {
    return (style & 3) == 3 || (style & 2) != 0 || (style & 5) == 5;
}

int CheckStateOf(LRESULT check) {
    if (check & BST_INDETERMINATE) return 2;
    return (check & BST_CHECKED) ? 1 : 0;
}

const char* CheckMarkName(bool checkBox, int checkState) {
    if (checkState == 2) return "BOXGRAYED";
    if (checkBox) return checkState == 1 ? "BOXCHECKED" : "BOXUNCHECKED";
    return checkState == 1 ? "RADIOCHECKED" : "RADIOUNCHECKED";
}

int CheckButtonState(LRESULT buttonState, bool focused, bool hovered) {
    if (buttonState & BST_PUSHED) return 2;
    return focused || hovered ? 1 : 0;
}

SIZE MarkFrameSize(const TsSkinManager& manager, int imageIndex) {
    return manager.GetMaskFrameSize(imageIndex);
}

RECT MarkRect(SIZE frame, int height) {
    const int top = (height - frame.cy) / 2;
    return RECT{0, top, frame.cx, top + frame.cy};
}

int MarkTextIndent(const TsSkinManager& manager, int checkedImage) {
    return manager.ImageIndexValid(checkedImage) ? MarkFrameSize(manager, checkedImage).cx
                                                 : kDefaultMarkSize;
}

void PaintCheckBoxCache(TsCommonData& skinData, const ParentCacheInfo& parentCache,
                        const TqvCheckBoxLook& look, int width, int height) {
    Bitmap& cache = SizedCache(skinData, width, height);
    RenderSkinItem(skinData, parentCache, true, true, &cache, look.PositionInParent,
                   RECT{0, 0, width, height}, skinData.IsHot() ? 1 : 0);
    TsSkinManager* manager = skinData.GetSkinManager();
    if (!manager) {
        skinData.CacheInvalid = false;
        return;
    }
    const int mark = GlobalImage(*manager, CheckMarkName(look.CheckBox, look.CheckState));
    if (manager->ImageIndexValid(mark) && manager->MasksData[size_t(mark)].ImageCount == 0)
        manager->MasksData[size_t(mark)].ImageCount = 1;
    const int indent = MarkTextIndent(
        *manager, GlobalImage(*manager, look.CheckBox ? "BOXCHECKED" : "RADIOCHECKED"));
    if (!look.Caption.empty()) {
        TsBitmapDC dc(cache);
        TCanvas canvas(dc.Handle());
        canvas.Brush.Style = bsClear;
        AssignFontHandle(canvas.Font, look.Font);
        RECT text{indent + 2, 0, width - 4, height - 2};
        const UINT flags = look.MultiLine ? DT_CENTER | DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
        WriteSkinText(canvas, look.Caption, true, look.ButtonState == 1, skinData, flags, text);
        if (look.Focused) DrawDottedFrame(dc.Handle(), RECT{indent + 2, 2, width - 4, height - 2});
    }
    if (cache.Width() >= 1 && manager->ImageIndexValid(mark)) {
        const RECT r = MarkRect(MarkFrameSize(*manager, mark), height);
        ParentFillColor = KeyColor;
        PaintMaskImage(cache, POINT{r.left, r.top}, look.ButtonState,
                       manager->MasksData[size_t(mark)], 1);
    }
    if (!look.Enabled && parentCache.Usable && parentCache.Bitmap) {
        const int x = look.PositionInParent.x + parentCache.X;
        const int y = look.PositionInParent.y + parentCache.Y;
        // d = round(s - 0.4*(s - d)): the button keeps 40 %, the parent shows through at 60 %.
        BlendImageKeyed(cache, 0, 0, KeyColor, 0.4, RECT{x, y, x + width - 1, y + height - 1},
                        *parentCache.Bitmap);
    }
    skinData.CacheInvalid = false;
}

// ---- Up-down arrows

RECT SpinUpperHalf(int leftOffset, int width, int height) {
    return RECT{leftOffset, 0, width, height - height / 2};
}

RECT SpinLowerHalf(int leftOffset, int width, int height) {
    return RECT{leftOffset, height / 2, width, height};
}

TqvSpinStates SpinStatesAt(POINT cursor, RECT windowRect, bool buttonDown) {
    TqvSpinStates states;
    const bool inside = cursor.x >= windowRect.left && cursor.x < windowRect.right &&
                        cursor.y >= windowRect.top && cursor.y < windowRect.bottom;
    if (!inside) return states;
    const int pressedOrHot = 1 + (buttonDown ? 1 : 0);
    if (cursor.y < windowRect.bottom - HeightOf(windowRect) / 2)
        states.Upper = pressedOrHot;
    else
        states.Lower = pressedOrHot;
    return states;
}

POINT CenteredGlyph(RECT half, SIZE frame) {
    return POINT{half.left + (WidthOf(half) - frame.cx) / 2,
                 half.top + (HeightOf(half) - frame.cy) / 2};
}

namespace {

void PaintArrow(Bitmap& cache, const TsSkinManager& manager, int glyph, RECT half, int state) {
    if (!manager.ImageIndexValid(glyph)) return;
    const TsMaskData& md = manager.MasksData[size_t(glyph)];
    // A frame count or mask type of 0 in a skin file still means one frame.
    const SIZE frame{WidthOf(md.R) / std::max<int>(1, md.ImageCount),
                     HeightOf(md.R) / std::max<int>(1, md.MaskType + 1)};
    PaintMaskImage(cache, CenteredGlyph(half, frame), state, md, 1);
}

} // namespace

void PaintSpinCache(TsCommonData& skinData, const ParentCacheInfo& parentCache, int leftOffset,
                    TqvSpinStates states, POINT positionInParent, int width, int height) {
    Bitmap& cache = SizedCache(skinData, width, height);
    const RECT halves[2] = {SpinUpperHalf(leftOffset, width, height),
                            SpinLowerHalf(leftOffset, width, height)};
    const int halfStates[2] = {states.Upper, states.Lower};
    for (int i = 0; i < 2; ++i)
        RenderSkinItem(
            skinData, parentCache, true, true, &cache,
            POINT{positionInParent.x + halves[i].left, positionInParent.y + halves[i].top},
            halves[i], halfStates[i]);
    if (const TsSkinManager* manager = skinData.GetSkinManager()) {
        PaintArrow(cache, *manager, manager->CachedIndexes.ScrollBtnTop.GlyphMask, halves[0],
                   states.Upper);
        PaintArrow(cache, *manager, manager->CachedIndexes.ScrollBtnBottom.GlyphMask, halves[1],
                   states.Lower);
    }
    skinData.CacheInvalid = false;
}

// ---- Group boxes

RECT CaptionBandRect(SIZE textSize, int width) {
    int right = textSize.cx + 14;
    if (width < right) right = width - 1;
    return RECT{6, 0, right, std::max<int>(4, textSize.cy) + 2};
}

SIZE MeasureCaption(HFONT font, const std::string& caption) {
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    RECT r{0, 0, 0, 0};
    DrawText(dc, caption.c_str(), int(caption.size()), &r, DT_CENTER | DT_CALCRECT);
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{WidthOf(r), HeightOf(r)};
}

RECT PaintGroupBoxCache(TsCommonData& skinData, const ParentCacheInfo& parentCache,
                        const TqvGroupBoxLook& look, int width, int height) {
    Bitmap& cache = SizedCache(skinData, width, height);
    const RECT band = CaptionBandRect(MeasureCaption(look.Font, look.Caption), width);
    const int half = HeightOf(band) / 2;
    ParentBehind(cache, RECT{0, 0, width, band.bottom}, parentCache, look.PositionInParent,
                 look.ParentColor);
    RenderSkinItem(skinData, parentCache, true, true, &cache,
                   POINT{look.PositionInParent.x, look.PositionInParent.y + half},
                   RECT{0, half, width, height}, 0);
    if (!look.Caption.empty()) {
        ParentBehind(cache, band, parentCache, look.PositionInParent, look.ParentColor);
        TsBitmapDC dc(cache);
        TCanvas canvas(dc.Handle());
        canvas.Brush.Style = bsClear;
        AssignFontHandle(canvas.Font, look.Font);
        RECT text = band;
        WriteSkinText(canvas, look.Caption, true, false, skinData,
                      DT_CENTER | DT_SINGLELINE | DT_VCENTER, text);
    }
    skinData.CacheInvalid = false;
    return band;
}

// ---- Combo boxes

RECT ComboButtonRect(int width, int height) {
    const int w = std::max(0, std::min(GetSystemMetrics(SM_CXVSCROLL), width - 4));
    return RECT{width - 2 - w, 2, width - 2, std::max(2, height - 2)};
}

RECT ComboFieldRect(int width, int height) {
    const RECT button = ComboButtonRect(width, height);
    return RECT{3, 3, std::max(3, int(button.left) - 1), std::max(3, height - 3)};
}

int ComboButtonState(bool dropped, bool hot, bool enabled) {
    if (dropped) return 2;
    return hot && enabled ? 1 : 0;
}

namespace {

void PaintComboButton(Bitmap& cache, const TsSkinManager& manager,
                      const ParentCacheInfo& parentCache, RECT button, POINT positionInParent,
                      int state) {
    const TsScrollPartIndexes& part = manager.CachedIndexes.ScrollBtnBottom;
    if (IsRectEmpty(button) || !manager.SectionIndexValid(part.Section)) return;
    RenderItemBackground(part.Section, "SCROLLBTNBOTTOM", parentCache, KeyColor, part.HotPattern,
                         part.Pattern, &manager, cache,
                         POINT{positionInParent.x + button.left, positionInParent.y + button.top},
                         button, state != 0);
    if (manager.ImageIndexValid(part.BordersMask)) {
        ParentCacheInfo moved = parentCache;
        moved.X += positionInParent.x;
        moved.Y += positionInParent.y;
        PaintMaskBorders(cache, button, true, true, state,
                         manager.MasksData[size_t(part.BordersMask)], moved);
    }
    PaintArrow(cache, manager, part.GlyphMask, button, state);
}

void WriteComboText(Bitmap& cache, TsCommonData& skinData, const TqvComboLook& look, RECT field,
                    bool plainField) {
    TsBitmapDC dc(cache);
    if (!dc.Handle()) return;
    TCanvas canvas(dc.Handle());
    canvas.Brush.Style = bsClear;
    AssignFontHandle(canvas.Font, look.Font);
    const bool highlight = look.Focused && !look.Dropped && look.Enabled;
    if (highlight) FillDCRect(dc.Handle(), field, SysColor(COLOR_HIGHLIGHT));
    RECT text{field.left + 2, field.top, field.right, field.bottom};
    const UINT flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (highlight || plainField) {
        // The field is the system's window colour here, so its text takes the system's colours.
        canvas.Font.SetColor(SysColor(highlight      ? COLOR_HIGHLIGHTTEXT
                                      : look.Enabled ? COLOR_WINDOWTEXT
                                                     : COLOR_GRAYTEXT));
        DrawCanvasText(canvas, look.Text, text, flags);
    } else {
        WriteSkinText(canvas, look.Text, look.Enabled, false, skinData, flags, text);
    }
    if (highlight) DrawFocusRect(dc.Handle(), &field);
}

} // namespace

void PaintComboCache(TsCommonData& skinData, const ParentCacheInfo& parentCache,
                     const TqvComboLook& look, int width, int height) {
    Bitmap& cache = SizedCache(skinData, width, height);
    const TsSkinManager* manager = skinData.GetSkinManager();
    const TColor border = DialogFieldBorder(manager);
    const bool plainField = look.DialogMode && border != KeyColor;
    if (plainField)
        PaintDialogField(cache, border);
    else
        RenderSkinItem(skinData, parentCache, true, true, &cache, look.PositionInParent,
                       RECT{0, 0, width, height}, 0);
    if (manager)
        PaintComboButton(cache, *manager, parentCache, ComboButtonRect(width, height),
                         look.PositionInParent,
                         ComboButtonState(look.Dropped, look.Hot, look.Enabled));
    if (!look.Text.empty() || (look.Focused && !look.Dropped))
        WriteComboText(cache, skinData, look, ComboFieldRect(width, height), plainField);
    skinData.CacheInvalid = false;
}

// ---- Shared

Bitmap& SizedCache(TsCommonData& skinData, int width, int height) {
    if (!skinData.CacheBitmap) skinData.CacheBitmap = NewBitmap24(0, 0);
    Bitmap& cache = *skinData.CacheBitmap;
    if (cache.BitsPerPixel() != 24) cache.SetFormat(24);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (cache.Width() != width || cache.Height() != height) cache.SetSize(width, height);
    return cache;
}

void PaintBaseCache(TsCommonData& skinData, HWND window, POINT positionInParent, int width,
                    int height) {
    Bitmap& cache = SizedCache(skinData, width, height);
    if (skinData.SkinActive()) {
        const ParentCacheInfo parentCache = TsCommonData::QueryParentBackground(window);
        RenderSkinItem(skinData, parentCache, true, true, &cache, positionInParent,
                       RECT{0, 0, width, height}, 0);
        if (const TControl* owner = skinData.HostControl; owner && !owner->Enabled())
            ApplyDisabledLook(cache, dkBlended, owner, positionInParent, parentCache);
    }
    skinData.CacheInvalid = false;
}

void PaintDialogField(Bitmap& cache, TColor border) {
    cache.Fill(ColorToRGB(SysColor(COLOR_WINDOW)));
    const int w = cache.Width(), h = cache.Height();
    for (int x = 0; x < w; ++x) {
        cache.SetPixel(x, 0, border);
        cache.SetPixel(x, h - 1, border);
    }
    for (int y = 0; y < h; ++y) {
        cache.SetPixel(0, y, border);
        cache.SetPixel(w - 1, y, border);
    }
}

TColor DialogFieldBorder(const TsSkinManager* manager) {
    return manager ? TColor(manager->SkinData.BorderColor) : KeyColor;
}

bool WindowPaintHeld(const TsCommonData& skinData, HWND window) {
    if (skinData.HostControl) return skinData.IsUpdating();
    const TsSkinManager* manager = skinData.GetSkinManager();
    if (!manager || !manager->SkinData.Loaded || skinData.UpdateLock) return true;
    const HWND parent = window ? GetParent(window) : nullptr;
    return parent && AskWindowSkinCommand(parent, scIsNotReady);
}

namespace {

void AssignLogFont(TFont& font, const LOGFONT& log) {
    TFont made;
    made.SetName(log.lfFaceName);
    made.SetHeight(int(std::abs(log.lfHeight)));
    unsigned style = 0;
    if (log.lfWeight >= FW_BOLD) style |= fsBold;
    if (log.lfItalic) style |= fsItalic;
    if (log.lfUnderline) style |= fsUnderline;
    if (log.lfStrikeOut) style |= fsStrikeOut;
    made.SetStyle(style);
    made.SetCharset(log.lfCharSet);
    made.SetColor(font.Color());
    font.Assign(made);
}

} // namespace

void AssignFontHandle(TFont& font, HFONT handle) {
    LOGFONT log;
    if (handle && GetObject(handle, int(sizeof log), &log) == int(sizeof log)) {
        AssignLogFont(font, log);
        return;
    }
    AssignMessageFont(font);
}

void AssignMessageFont(TFont& font) {
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        AssignLogFont(font, metrics.lfMessageFont);
}
