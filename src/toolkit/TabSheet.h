#pragma once
// One page of a page control: a window filling the control's display area, shown while its
// tab is selected. Its caption is the tab's text.
#include "toolkit/WinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
  public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    const char* ClassName() const override { return "TTabSheet"; }

    TPageControl* PageControl() const { return pageControl_; }
    // Adds the sheet to the control's pages (last) and makes the control its parent.
    void SetPageControl(TPageControl* control);
    int PageIndex() const;
    // The tab's image in the page control's Images, -1 none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

  protected:
    void WndProc(TMessage& m) override;

  private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    int imageIndex_ = -1;
};
