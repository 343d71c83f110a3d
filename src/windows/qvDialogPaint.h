#pragma once
// The rules and cache painting of the dialog control wrappers, kept apart from the wrappers'
// message handling: which mark a check box or radio button shows, where it lies, the halves
// of an up-down and their states, a group box's caption band, and the composition of their
// caches from the skin. Rectangles are half-open.
#include <string>

#include "graphics/ParentCacheInfo.h"
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

class TFont;
class TsCommonData;
class TsSkinManager;

// ---- Check boxes and radio buttons

// The button style decides: a check box, or (any other style) a radio button.
bool IsCheckBoxStyle(DWORD style);
// 2 indeterminate, 1 checked, 0 unchecked, from the button's BM_GETCHECK answer.
int CheckStateOf(LRESULT check);
// The "GLOBALINFO" image that shows a check state (0, 1, 2).
const char* CheckMarkName(bool checkBox, int checkState);
// 2 pushed (BM_GETSTATE), else 1 focused or hovered, else 0.
int CheckButtonState(LRESULT buttonState, bool focused, bool hovered);
// One state frame of a mark image; 0 x 0 when the image is missing.
SIZE MarkFrameSize(const TsSkinManager& manager, int imageIndex);
// The mark's place at the left, centred vertically in a window of the given height.
RECT MarkRect(SIZE frame, int height);
// The width the text leaves for the mark: the checked image's frame, 16 without one.
int MarkTextIndent(const TsSkinManager& manager, int checkedImage);

// Everything a check box's cache is made from, read from its window before painting.
struct TqvCheckBoxLook {
    bool CheckBox = true;
    int CheckState = 0;
    int ButtonState = 0;
    bool Focused = false;
    bool Enabled = true;
    bool MultiLine = false;
    std::string Caption;
    HFONT Font = nullptr;
    POINT PositionInParent{};
};

// The cache of a check box of width x height: the section's background over the parent's,
// the caption (with a dotted focus frame), the mark, and for a disabled button 60 % of the
// parent's background blended over it.
void PaintCheckBoxCache(TsCommonData& skinData, const ParentCacheInfo& parentCache,
                        const TqvCheckBoxLook& look, int width, int height);

// ---- Up-down arrows

RECT SpinUpperHalf(int leftOffset, int width, int height);
RECT SpinLowerHalf(int leftOffset, int width, int height);

struct TqvSpinStates {
    int Upper = 0;
    int Lower = 0;
};
// 0 normal, 1 hot, 2 pressed for each half, from the cursor and the window's rectangle (both
// in screen coordinates).
TqvSpinStates SpinStatesAt(POINT cursor, RECT windowRect, bool buttonDown);
// A glyph frame's top-left corner centred in a half (halves rounded toward zero).
POINT CenteredGlyph(RECT half, SIZE frame);

// Both halves of an up-down with their arrows into the cache of width x height.
void PaintSpinCache(TsCommonData& skinData, const ParentCacheInfo& parentCache, int leftOffset,
                    TqvSpinStates states, POINT positionInParent, int width, int height);

// ---- Group boxes

// The caption band for a measured caption of the given size in a window this wide.
RECT CaptionBandRect(SIZE textSize, int width);
// The caption measured centred with the font, calculate-only.
SIZE MeasureCaption(HFONT font, const std::string& caption);

struct TqvGroupBoxLook {
    std::string Caption;
    HFONT Font = nullptr;
    bool Enabled = true;
    POINT PositionInParent{};
    // Used when the parent has no usable background.
    TColor ParentColor = 0;
};

// The group box's cache: the parent's background behind the caption band, the section's
// body from half the band's height down, and the caption centred in the band. Returns the
// band.
RECT PaintGroupBoxCache(TsCommonData& skinData, const ParentCacheInfo& parentCache,
                        const TqvGroupBoxLook& look, int width, int height);

// ---- Combo boxes

// The drop button at the right, inside a two-pixel frame, as wide as a scroll bar's arrow.
RECT ComboButtonRect(int width, int height);
// The field left of the button, inside the frame.
RECT ComboFieldRect(int width, int height);
// 2 while the list is dropped, 1 while hovered (enabled only), else 0.
int ComboButtonState(bool dropped, bool hot, bool enabled);

// Everything a combo box's cache is made from, read from its window before painting.
struct TqvComboLook {
    std::string Text; // the chosen item
    HFONT Font = nullptr;
    bool Enabled = true;
    bool Focused = false;
    bool Dropped = false;
    bool Hot = false;
    bool DialogMode = false;
    POINT PositionInParent{};
};

// The cache of a combo box: the field as an edit of the same dialog shows it, the chosen item
// (highlighted while the box has the focus and its list is closed), and the drop button
// painted as the skin's down scroll button with its arrow.
void PaintComboCache(TsCommonData& skinData, const ParentCacheInfo& parentCache,
                     const TqvComboLook& look, int width, int height);

// ---- Shared

// A field of a system dialog: the system window colour framed by one pixel of the border
// colour.
void PaintDialogField(Bitmap& cache, TColor border);
// The skin's border colour when it defines one for the fields of system dialogs, else
// KeyColor.
TColor DialogFieldBorder(const TsSkinManager* manager);

// The cache made a 24-bit bitmap of width x height (the wrapped window may have no toolkit
// control whose size the skin data could take).
Bitmap& SizedCache(TsCommonData& skinData, int width, int height);
// The base look of a wrapped dialog control: the section's background with its borders over
// the parent window's background; a disabled owner control gets the disabled look. Without
// the section the cache is only sized.
void PaintBaseCache(TsCommonData& skinData, HWND window, POINT positionInParent, int width,
                    int height);
// Painting waits: no skin loaded, the skin data locked, or the parent not ready yet. A window
// without a toolkit control asks its parent window, since the skin data has no parent.
bool WindowPaintHeld(const TsCommonData& skinData, HWND window);

// The font of a window handle (or the system message font) as a toolkit font.
void AssignFontHandle(TFont& font, HFONT handle);
// The message font of the system's non-client metrics.
void AssignMessageFont(TFont& font);
