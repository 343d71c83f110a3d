#pragma once
// The skin data every skinned control owns: its section and the indexes the skin manager
// resolves for it, its background cache, its hot and focus state and its answers to the skin
// commands. Beside it, the painting that works from such data: the control's background
// composed from the skin layers, the cache copied to the screen, windowless children drawn
// over the cache, the corner repair and skinned text.
#include <functional>
#include <memory>
#include <string>

#include "graphics/ParentCacheInfo.h"
#include "graphics/sAlphaGraph.h"
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class TCanvas;
class TComponent;
class TControl;
class TWinControl;
class TsSkinManager;
struct TMessage;
struct TsGeneralData;

class TsCommonData {
  public:
    // Owner is the control (or form skinning component) the data belongs to; withCache gives
    // it an empty cache bitmap at once.
    TsCommonData(TComponent* owner, bool withCache);
    ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    // The skin data of a control (or other owner), or null when it has none.
    static TsCommonData* Of(const TComponent* owner);

    // Published properties.
    const std::string& SkinSection() const { return skinSection_; }
    // Upper case; empty stores "UNKNOWN". Tells the owner to refresh (valid section) or to
    // drop its skin (missing section).
    void SetSkinSection(const std::string& value);
    // The stored manager (null: the default one).
    TsSkinManager* SkinManager() const { return skinManager_; }
    void SetSkinManager(TsSkinManager* value);
    bool CustomColor() const { return customColor_; }
    void SetCustomColor(bool value);
    bool CustomFont() const { return customFont_; }
    void SetCustomFont(bool value);

    // Painting is suspended while set.
    bool UpdateLock = false;

  private:
    std::string skinSection_;
    bool customFont_ = false;
    bool customColor_ = false;
    TsSkinManager* skinManager_ = nullptr;

  public:
    int BorderMaskIndex = -1;
    int SectionIndex = -1; // -1: not skinned
    int PatternIndex = -1;
    int HotPatternIndex = -1;
    // A child being repainted alone over this control's cache.
    TControl* PaintingChild = nullptr;
    // The owner does not rebuild its cache while set.
    bool CacheLocked = false;
    bool CacheInvalid = true;
    // The last rebuild saw only part of the parent's background.
    bool CacheIncomplete = true;
    TControl* HostControl = nullptr; // the owner when it is a control
    TComponent* HostObject = nullptr;
    std::unique_ptr<Bitmap> CacheBitmap;
    // Set by the owner class; selects the default section and whether the mouse makes it hot.
    int ControlKind = 0;
    bool Focused = false;
    bool MouseOver = false;

    // Stops a running fade of the owner (scStopFading); set by owners that fade.
    std::function<void()> StopFading;
    // The form skinning component answers some commands for its form itself (frame data, the
    // form's background colour and image). When set it sees every skin command first and
    // returns true when it has answered it completely.
    std::function<bool(TMessage&)> FormCommand;

    // The stored manager, or the application's default one.
    TsSkinManager* GetSkinManager() const;
    // The owner and the manager are alive, the skin is loaded (when checkLoaded) and the
    // section index is valid.
    bool SkinActive(bool checkLoaded = true) const;
    // The section's record; null when the section index is not valid.
    const TsGeneralData* Section() const;
    void RefreshSkinIndexes();
    // Called by the owner once its properties are read.
    void Loaded();
    // Marks the cache invalid and asks the owner to repaint when it can.
    void Invalidate();
    // Gives the cache the owner's size (24 bits).
    void SizeCacheBitmap();
    void BeginUpdate();
    void EndUpdate();
    void SetUpdateLock(bool value) { UpdateLock = value; }
    // No skin loaded, locked, no parent, or the parent is not ready.
    bool IsUpdating() const;
    bool IsHot() const;
    bool IsTransparent() const;
    // The owner's background has to be composed over its parent's.
    bool NeedsParentImage() const;
    // The parent's cache as the parent reports it; empty when it has none.
    ParentCacheInfo QueryParentBackground() const;
    static ParentCacheInfo QueryParentBackground(HWND window);

    // The owner's window procedure passes every message here first; true means the message
    // is answered and the owner has nothing more to do with it.
    bool HandleMessage(TMessage& message);
    // The receivers of the skin commands; false for codes this data does not answer.
    bool HandleSkinCommand(TMessage& message);

    // The control is an edit: it takes the section's colours.
    bool IsEdit() const { return ControlKind == 97; }
    // Kinds that never become hot through the mouse.
    static bool NeverHotKind(int kind);
    // The section a control of the kind takes when it names none; for kinds without one the
    // host's class name in upper case.
    static std::string DefaultSection(int kind, const TComponent* host);

  private:
    TsSkinManager* ManagerIfLoaded() const;
    TWinControl* Container() const;
    TWinControl* OwnerParent() const;
    void UpdateIndexes();
    void SendRefreshOrRemove();
    void ApplyEditColors();
    void RestoreEditColors();
    void Repaint();
    void RedrawOwner(UINT flags);
    bool FromThisManager(const TMessage& message);
    void PassToChildren(TMessage& message);
    void SkinLoaded(TMessage& message);
    void RemoveSkin(TMessage& message);
    void RefreshSkin(TMessage& message);
    void RefreshTree(TMessage& message);
    TColor BackgroundColor() const;
    void MouseEntered(const TMessage& message);
    void OwnerResized();
};

// The skinned background of a control into rect of bitmap (normally its cache): the layers,
// the section's border and its corner pictures. offset is rect's origin in the parent's
// coordinates; state 0 is the normal look, other values the hot one (and the border frame).
void RenderSkinItem(TsCommonData& skinData, ParentCacheInfo parentCache, bool fillCenter,
                    bool useParent, Bitmap* bitmap, POINT offset, RECT rect, int state);

// The layers without borders, in the owner's own colour when it keeps one.
void PaintSkinBackground(TsCommonData& skinData, const ParentCacheInfo& parentCache, bool hot,
                         Bitmap& bitmap, POINT offset, RECT rect);

// Copies the cache from srcOrigin into dstRect of the context, leaving out the children that
// paint themselves over it (windowless or opaque ones; offsetX, offsetY move the children's
// bounds into the context). fixCorners repairs the corners first.
void CopyCacheToDC(TControl* control, TsCommonData& skinData, POINT srcOrigin, int offsetY,
                   int offsetX, bool fixCorners, HDC dc, RECT dstRect);
// The same for a window: every visible child window is left out, a group box only with its
// frame.
void CopyCacheToDC(HWND window, TsCommonData& skinData, POINT srcOrigin, int offsetY, int offsetX,
                   bool fixCorners, HDC dc, RECT dstRect);

// The container's windowless children over its cache, drawn off-screen and copied once each
// to the context (moved by offset).
void PaintGraphicChildren(HDC dc, TWinControl* container, POINT offset);

// Text in the owner's font and the section's colours with their contours; disabled text is
// 40% of the font colour over 60% of the section colour.
void WriteSkinText(TCanvas& canvas, const std::string& text, bool enabled, bool hot,
                   const TsCommonData& skinData, UINT flags, RECT& rect);

// Corner bits of FillTransparentCorners.
enum TsCorner : unsigned { crnTopLeft = 1, crnBottomLeft = 2, crnTopRight = 4, crnBottomRight = 8 };
constexpr unsigned kAllCorners = crnTopLeft | crnBottomLeft | crnTopRight | crnBottomRight;

// Gives the KeyColor pixels of the border's corners in the cache the parent's background
// (its pixels, or its plain colour).
void FillTransparentCorners(TsCommonData& skinData, int state, unsigned corners);
void FillAllCorners(TsCommonData& skinData, int state);
// The section's optional corner pictures ("IMGTOPLEFT" ...) at the corners of rect.
void PaintCornerImages(const TsCommonData& skinData, Bitmap& bitmap, RECT rect, int state);

// The text shortened with "..." to fit maxWidth on the canvas: unchanged when it fits, empty
// when maxWidth is not positive or not even one character fits before the dots.
void CutText(TCanvas& canvas, const std::string& text, int maxWidth, std::string& result);
