#pragma once
// A bar between a control aligned to an edge and the rest of the parent: dragging it resizes
// that control (the neighbour at the splitter's edge). Disabled, it ignores the mouse.
#include <functional>

#include "toolkit/GraphicControl.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

using TCanResizeEvent = std::function<void(TComponent* sender, int& newSize, bool& accept)>;

class TSplitter : public TGraphicControl {
  public:
    explicit TSplitter(TComponent* owner);
    const char* ClassName() const override { return "TSplitter"; }

    bool AutoSnap() const { return autoSnap_; }
    void SetAutoSnap(bool value) { autoSnap_ = value; }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool value);
    int MinSize() const { return minSize_; }
    void SetMinSize(int value);
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle value) { resizeStyle_ = value; }

    // The control the splitter resizes now, or null.
    TControl* FindControl() const;

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;
    // Paints over the bar after its own painting, on its canvas.
    TNotifyEvent OnPaint;

  protected:
    void Paint() override;
    void WndProc(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    virtual bool CanResize(int& newSize);
    // The size the neighbour would have with the mouse at this point of the splitter.
    int SizeForMouse(int x, int y) const;
    void ApplySize(int size);
    void UpdateCursor();
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    int SizeOf(const TControl* c) const { return Horizontal() ? c->Height() : c->Width(); }
    // The XOR line that shows where the splitter would go, drawn on the parent.
    void ToggleLine();

    bool autoSnap_ = true;
    bool beveled_ = false;
    int minSize_ = 30;
    TResizeStyle resizeStyle_ = rsPattern;

    TControl* control_ = nullptr; // the neighbour being resized while dragging
    POINT downAt_{};              // where the drag began, in the parent
    int startSize_ = 0;
    int maxSize_ = 0;
    int newSize_ = 0;
    bool lineShown_ = false;
    RECT lineRect_{};
};
