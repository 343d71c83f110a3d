#pragma once
// The speed button painted from the skin: its look is composed once into the cache of its
// skin data and copied on each paint; the mouse entering, leaving, pressing and releasing it
// may fade between looks; a drop-down style adds a part that opens a pop-up menu.
#include <functional>
#include <memory>
#include <string>

#include "paint/sCommonData.h"
#include "paint/sControlImage.h"
#include "paint/sFade.h"
#include "toolkit/Panel.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolButton.h"

enum TsDisabledGlyphKindFlag : unsigned { dgBlended = 1, dgGrayed = 2 };
using TsDisabledGlyphKind = unsigned;

using TBmpPaintEvent = std::function<void(TComponent* sender, Bitmap& bmp)>;

class TsSpeedButton : public TSpeedButton, public TsFadeHost {
  public:
    explicit TsSpeedButton(TComponent* owner);
    ~TsSpeedButton() override;
    const char* ClassName() const override { return "TsSpeedButton"; }

    // Published properties.
    TsCommonData* SkinData() const { return skinData_.get(); }
    TsDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TsDisabledKind value);
    TsDisabledGlyphKind DisabledGlyphKind() const { return disabledGlyphKind_; }
    void SetDisabledGlyphKind(TsDisabledGlyphKind value);
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool value);
    // Percentage of the background showing through the glyph, 0..100.
    int Blend() const { return blend_; }
    void SetBlend(int value);
    int TextOffset() const { return textOffset_; }
    void SetTextOffset(int value);
    // These hide the standard setters: the skinned look and the rebuilt glyph follow them.
    void SetImageIndex(int value);
    void SetImages(TImageList* value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TToolButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TToolButtonStyle value);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* value);
    bool DrawOverBorder() const { return drawOverBorder_; }
    void SetDrawOverBorder(bool value);
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment value);
    TqvAnimatEvents AnimatEvents = aeGlobalDef;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TBmpPaintEvent OnPaint;

    void Loaded() override;

    // The look's geometry and state (see the .cpp for the rules).
    virtual void EmitCaptionText(RECT rect, UINT flags);
    virtual void RenderCaption();
    virtual SIZE CaptionExtent();
    virtual void RenderGlyph();
    virtual int GlyphFrameWidth() const;
    virtual int GlyphFrameHeight() const;
    virtual void ComposeLook();
    // 0 normal, 1 hot, 2 pressed.
    virtual int LookState() const;
    virtual RECT CaptionBox();
    virtual RECT GlyphBox();

    // Repaints with the parent told that this child paints alone.
    void RepaintAnnounced();
    bool MenuOpen() const { return menuOpen_; }

    // The fade's side.
    TsCommonData& FadeSkinData() override { return *skinData_; }
    void RebuildCache() override { ComposeLook(); }
    void RepaintNow() override { RepaintAnnounced(); }
    std::unique_ptr<TsAnimTimer>& FadeTimer() override { return fade_; }

    // Program-wide: the button whose drop-down menu is shown, and whether any is shown.
    static TsSpeedButton* CurrentDropDown;
    static bool DropDownMenuOpen;
    // The menu skinning paints a pop-up: while a drop-down button is registered, the hints it
    // turned off come back and the registration ends.
    static void MenuPopupPainted();

  protected:
    void Paint() override;
    void WndProc(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;
    void GlyphChanged() override;

  private:
    bool Ready() const;
    bool Skinned() const { return skinData_ && skinData_->SkinActive(); }
    int DropWidth() const { return buttonStyle_ == tbsDropDown ? 16 : 0; }
    int MarginOffset() const { return margin_ < 0 ? 0 : margin_ + 3; }
    int MaxTextWidth() const;
    bool HasCaption() const { return !Caption().empty(); }
    void PropertyChanged(bool always = false);
    void SetOpaque(bool opaque);
    void ComposeBackground(const ParentCacheInfo& parent);
    void ComposeButton();
    void ComposeDropPart();
    void GlyphFromBitmap(Bitmap& cache, POINT at);
    void GlyphFromImages(Bitmap& cache, POINT at);
    // Gives the standard painting a glyph made from the image list while unskinned.
    void BuildGlyphFromImages();
    void DropDown();
    void PerformMouseLeave();
    bool HasImages() const { return images_ && images_->Count() > 0; }

    std::unique_ptr<TsCommonData> skinData_;
    std::unique_ptr<TsAnimTimer> fade_; // after the skin data it points to: goes first
    TCanvas cacheCanvas_;
    int storedNumGlyphs_ = 0;
    int storedSpacing_ = 0;
    bool storedDown_ = false;
    TsDisabledKind disabledKind_ = dkBlended;
    TsDisabledGlyphKind disabledGlyphKind_ = dgBlended;
    bool grayed_ = false;
    int blend_ = 0;
    int textOffset_ = 0;
    bool showCaption_ = true;
    TAlignment alignment_ = taCenter;
    TToolButtonStyle buttonStyle_ = tbsButton;
    TPopupMenu* dropdownMenu_ = nullptr;
    bool drawOverBorder_ = true;
    TAlignment textAlignment_ = taCenter;
    bool menuOpen_ = false;
    bool buildingGlyph_ = false;
};
