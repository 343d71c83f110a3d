#pragma once
// The splitter painted from the skin's "SPLITTER" section: hot while the mouse is over it,
// pressed while it is dragged with live resizing. It keeps no cache between paints.
#include <memory>

#include "paint/sCommonData.h"
#include "toolkit/Splitter.h"

class TsSplitter : public TSplitter {
  public:
    explicit TsSplitter(TComponent* owner);
    ~TsSplitter() override;
    const char* ClassName() const override { return "TsSplitter"; }

    std::unique_ptr<TsCommonData> SkinData;

    // The look it paints now: 0 normal, 1 hot, 2 pressed (dragged with rsUpdate).
    int PaintState() const;
    bool Dragging() const { return dragging_; }

  protected:
    void Loaded() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& m) override;

  private:
    bool SkinCommand(TMessage& m);
    // What a skinned splitter does before and after the plain handling; true: handled.
    bool BeforeSkinned(TMessage& m);
    void AfterSkinned(const TMessage& m);
    void SnapCollapsedNeighbours();
    bool dragging_ = false;
    bool holdsHints_ = false;
};
