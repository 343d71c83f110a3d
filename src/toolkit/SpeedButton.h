#pragma once
// A windowless button with an optional picture: a plain push button, one of a group of which
// one stays down, or (alone in its group, with AllowAllUp) a check button.
#include <memory>

#include "platform/gdi/Bitmap.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/ImageList.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
  public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    const char* ClassName() const override { return "TSpeedButton"; }

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // NumGlyphs pictures side by side: 0 normal, 1 disabled, 2 pressed, 3 down. The colour of
    // the bottom-left pixel is transparent.
    const Bitmap& Glyph() const { return glyph_; }
    virtual void SetGlyph(const Bitmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; } // -1: the glyph and caption are centred together
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // The face is not filled: what lies under the button shows through it.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Without a glyph, the picture is image ImageIndex of Images (greyed when disabled).
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

    // The glyph was replaced (after the button has taken it up).
    TNotifyEvent OnGlyphChange;

    // The state the button paints: up, pressed by the mouse, or held down in its group.
    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }

  protected:
    void Paint() override;
    void WndProc(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Releases the siblings of the same group.
    void UpdateExclusive();
    virtual void DrawFrame(HDC dc, RECT& r);
    virtual void DrawContents(HDC dc, const RECT& r);
    // The picture of one glyph index, drawn with the transparent colour left out.
    void DrawGlyph(HDC dc, int x, int y, int index);
    // Runs OnGlyphChange; a subclass that keeps a look of its own renews it here.
    virtual void GlyphChanged();
    void Notification(TComponent* component, TOperation operation) override;
    // Whether the picture comes from Images.
    bool UsesImages() const;
    int GlyphIndexForState() const;
    SIZE GlyphSize() const;

    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool flat_ = false;
    Bitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = false;
    TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    TButtonState state_ = bsUp;
    bool mouseInControl_ = false;
    bool dragging_ = false;

  private:
    void ReleaseMasks();
    void BuildMasks();
    // The glyph with transparent pixels made black, and the mask (white where transparent).
    HBITMAP image_ = nullptr;
    HBITMAP mask_ = nullptr;
};
