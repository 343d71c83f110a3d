#pragma once
// A wrapper that can draw the window's scroll bars from the skin: the bars see every message
// first and keep those that belong to them.
#include <memory>

#include "windows/qvMainWnd.h"

class TqvScrollBars;

class TqvScrollWnd : public TqvMainWnd {
  public:
    TqvScrollWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
                 TsSkinManager* manager, TsCommonData* skinData);
    ~TqvScrollWnd() override;

    void WindowProc(TMessage& message) override;
    // The skinned scroll bars, or null (made without them).
    TqvScrollBars* ScrollBars() const { return bars_.get(); }

  protected:
    // Re-reads the scroll state and repaints the bars, unless a bar is being dragged.
    void RefreshScrollBars();
    // Paints the bars over the frame just drawn into the window's context.
    void PaintScrollBars(HDC windowDC);
    bool ScrollBarDragging() const;
    // The room the visible bars take: cx the vertical bar's width, cy the horizontal's height.
    SIZE ScrollBarsReserved() const;

  private:
    struct BarsDeleter {
        void operator()(TqvScrollBars* bars) const;
    };
    std::unique_ptr<TqvScrollBars, BarsDeleter> bars_;
};
