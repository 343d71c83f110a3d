#pragma once
// The skinned cool bar: its background and non-client border come from its section through a
// cache bitmap, and each band's header (grip, image, text) is painted over it, the grip from
// "GRIPH" or, in a skin without one, from "PROGRESSV".
#include <memory>
#include <string>

#include "paint/sCommonData.h"
#include "toolkit/CoolBar.h"

class TsCoolBar : public TCoolBar {
  public:
    explicit TsCoolBar(TComponent* owner);
    ~TsCoolBar() override;
    const char* ClassName() const override { return "TsCoolBar"; }

    void Loaded() override;
    void LookUpGripSection();
    void ComposeLook();
    // The cache into the context (band headers left out, then painted), then the windowless
    // children; with notifyChildren the child windows repaint too.
    virtual void PresentCache(HDC dc, bool notifyChildren);
    void RenderBandHeaders(HDC dc);
    // The header of the band in client coordinates; empty when the band shows none.
    RECT BandHeaderRect(int index);
    int GripSize(const TCoolBand& band) const;
    POINT ClientOffset() const;

    int GripIndex() const { return gripIndex_; }
    int GripMaskIndex() const { return gripMaskIndex_; }
    const std::string& GripName() const { return gripName_; }
    int GripTextureIndex() const { return gripTextureIndex_; }

  private:
    int gripIndex_ = -1;
    int gripMaskIndex_ = -1;
    std::string gripName_;
    int gripTextureIndex_ = -1;

  public:
    std::unique_ptr<TsCommonData> SkinData; // control kind 53, section "TOOLBAR"

  protected:
    void WndProc(TMessage& m) override;

  private:
    bool SkinCommand(TMessage& m);
    void PaintNonClient();
    void CopyBorderStrips(HDC windowDC);
    void PrintSkinned(HDC dc);
    void PaintSkinned(TMessage& m);
    int BandHeight(int index);
    int HeaderWidth(const TCoolBand& band);
    bool ShowsHeader(const TCoolBand& band);
    void SendNcPaint();
    void RepaintWhole();
};
