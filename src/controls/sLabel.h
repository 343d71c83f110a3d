#pragma once
// Labels over skinned backgrounds. TsCustomLabel takes its font colour from the skin, can
// paint a skin section behind its text and dims disabled text toward the parent's
// background; TsLabel makes the skin colour optional; TsLabelFX adds a soft, blurred drop
// shadow and a choice of text colour.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "toolkit/Label.h"

class TsCustomLabel : public TLabel {
  public:
    explicit TsCustomLabel(TComponent* owner);
    const char* ClassName() const override { return "TsCustomLabel"; }

    // Painted behind the text when the skin has it; kept as written (the lookup is exact).
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(const std::string& value);

    // The font to paint with, its colour brought in line with the skin.
    virtual TFont& FontForSkin();

  protected:
    void Paint() override;
    void WndProc(TMessage& m) override;
    void DoDrawText(RECT& rect, UINT flags) override;

    // The caption as drawn: one space when measuring an empty (or lone "&") caption.
    std::string TextToDraw(UINT flags) const;
    UINT AdjustedFlags(UINT flags) const;
    // Draws or, with DT_CALCRECT, measures text in the canvas's font.
    void DrawTextOnCanvas(const std::string& text, RECT& rect, UINT flags);
    static bool SkinLoaded();

    // Up while a paint applies the skin's font colour: the font-change notices that causes
    // are ignored, so the label is not repainted again. One flag for every label.
    static bool paintingGuard_;

  private:
    void PaintSectionBehind();
    std::string skinSection_;
};

class TsLabel : public TsCustomLabel {
  public:
    explicit TsLabel(TComponent* owner);
    const char* ClassName() const override { return "TsLabel"; }

    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value) { useSkinColor_ = value; }

    TFont& FontForSkin() override;

  protected:
    void WndProc(TMessage& m) override;

  private:
    bool useSkinColor_ = true;
};

enum TsShadowMode { smNone, smCustom, smSkin1 };

// The drop shadow settings of a TsLabelFX; any change repaints the label.
class TsShadow {
  public:
    explicit TsShadow(TControl* owner);

    TsShadowMode Mode() const { return mode_; }
    void SetMode(TsShadowMode value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int BlurCount() const { return blurCount_; }
    void SetBlurCount(int value);
    int Distance() const { return distance_; }
    void SetDistance(int value);

    // The components of the shadow colour in effect.
    uint8_t R = 0, G = 0, B = 0;
    void TakeComponents(TColor color);

  private:
    void Changed();
    TControl* owner_;
    TsShadowMode mode_ = smSkin1;
    TColor color_ = 0;
    int blurCount_ = 4;
    int distance_ = 1;
};

enum TsKindType { ktStandard, ktCustom, ktSkin };

// Where the text colour of an enabled TsLabelFX comes from.
class TsKind {
  public:
    explicit TsKind(TControl* owner) : owner_(owner) {}

    TsKindType KindType() const { return kindType_; }
    void SetKindType(TsKindType value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);

  private:
    void Changed();
    TControl* owner_;
    TsKindType kindType_ = ktSkin;
    TColor color_ = 0xFFFFFF;
};

class TsLabelFX : public TsCustomLabel {
  public:
    explicit TsLabelFX(TComponent* owner);
    const char* ClassName() const override { return "TsLabelFX"; }

    std::unique_ptr<TsShadow> Shadow;
    std::unique_ptr<TsKind> Kind;
    // Room the shadow takes beyond the text, recorded when the label is measured.
    int ShadowMarginTopLeft = 0;     // never positive
    int ShadowMarginBottomRight = 0; // never negative

    // The blur grid of an image of the text (white on black): (w + 2) x (h + 2) cells, a
    // border of zeros around the image; each pass stamps the text's pixels at 255, then
    // averages every inner cell from its four neighbours in place, row by row.
    static void BlurShadow(const Bitmap& image, int passes, std::vector<uint8_t>& cells);
    // Mixes the shadow colour (blue, green, red) into each pixel by its cell's strength:
    // over the pixels already there when transparent, else over the background colour.
    static void ComposeShadow(Bitmap& image, const std::vector<uint8_t>& cells,
                              const uint8_t shadowBgr[3], bool transparent, COLORREF background);

  protected:
    void DoDrawText(RECT& rect, UINT flags) override;

  private:
    struct ShadowParams {
        TColor Color;
        int Blur;
        int Distance;
    };
    ShadowParams ShadowInEffect();
    TColor TextColor() const;
    void DrawShadowed(const std::string& text, const RECT& r, UINT flags, const ShadowParams& p,
                      TColor textColor);

    Bitmap shadowImage_{0, 0, 32, true};
    std::vector<uint8_t> blur_;
};
