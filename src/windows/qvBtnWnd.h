#pragma once
// The wrapper of push buttons: the button is painted from its skin section in its state
// (normal, hot or pushed) into the cache, with its caption, and the cache is copied to the
// window; the window itself paints nothing.
#include "windows/qvMainWnd.h"

class TCanvas;

class TqvBtnWnd : public TqvMainWnd {
  public:
    TqvBtnWnd(HWND handle, const std::string& skinSection, TsSkinManager* manager,
              TsCommonData* skinData);
    ~TqvBtnWnd() override;

    void WindowProc(TMessage& message) override;
    // 2 pushed, 0 disabled, 1 focused, hot or the default button, else 0.
    int ButtonState() const;
    // Rebuilds the cache for the present state when it is invalid or the state changed.
    void UpdateCache();

  protected:
    // What the button shows over its background; the caption by default.
    virtual void PaintContent(TCanvas& canvas, int state);
    void PaintCaption(TCanvas& canvas, int state, RECT textRect, UINT alignment);
    void CopyCacheTo(HDC dc);
    void Paint(TMessage& message);
    // Passes the message on with redrawing off, then repaints the button at once.
    void PassOnAndRedraw(TMessage& message);
    void Redraw();
    void TrackMouse(const TMessage& message);
    bool SectionTransparent() const;

  private:
    int cachedState_ = -1;
};
