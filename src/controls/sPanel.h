#pragma once
// The panel painted from the skin: its whole look (the parent showing through, the section's
// layers, borders, corner pictures, caption and what OnPaint adds) is composed once into the
// skin data's cache and only copied to the window on each paint. Without a skin it is the
// plain panel, except that an OnPaint handler replaces the plain painting.
#include <functional>
#include <memory>

#include "paint/sCommonData.h"
#include "toolkit/Panel.h"

using TPaintEvent = std::function<void(TComponent* sender, TCanvas& canvas)>;

class TsPanel : public TPanel {
  public:
    explicit TsPanel(TComponent* owner);
    ~TsPanel() override;
    const char* ClassName() const override { return "TsPanel"; }

    std::unique_ptr<TsCommonData> SkinData;
    // Draws over the panel: on the cache while skinned, on the window otherwise.
    TPaintEvent OnPaint;

    // Brings the cache up to date when needed and copies it to dc (the panel's canvas when
    // null), then the windowless children over it; notifyChildren lets the child windows
    // that waited for this panel paint now.
    virtual void PresentCache(HDC dc, bool notifyChildren);

  protected:
    void Loaded() override;
    void WndProc(TMessage& m) override;
    void PaintWindow(HDC dc) override;
    void Paint() override;

  private:
    bool OursCommand(const TMessage& m) const;
    bool HandleSkinChange(TMessage& m);
    void PlainMessage(TMessage& m);
    void SkinnedMessage(TMessage& m);
    void PaintSkinned(const TMessage& m);
    void PrintSkinned(const TMessage& m);
    void ComposeLook();
    void WriteCaptionToCache(RECT r);
    // The area the caption is centred in: the client shrunk by the border and each bevel's
    // width, though no bevel is drawn while skinned.
    RECT CaptionRect() const;
};
