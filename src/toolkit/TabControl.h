#pragma once
// The standard tab control: a strip of tabs named by a list of texts, on any side, over one
// display area that the program fills as the selected tab asks. It holds no pages (that is
// the page control); a change of tab is reported through OnChanging and OnChange.
#include <string>
#include <vector>

#include "toolkit/PageControl.h"

class TTabControl : public TWinControl {
  public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;
    const char* ClassName() const override { return "TTabControl"; }

    int TabCount() const { return int(tabs_.size()); }
    const std::string& Tab(int index) const { return tabs_.at(size_t(index)); }
    void SetTabs(const std::vector<std::string>& tabs);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    // Tab k shows image k of the list.
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* images);
    // The area under the tabs, in client coordinates.
    RECT DisplayRect();
    // The tab under a client point, or -1.
    int IndexOfTabAt(int x, int y);
    RECT TabRect(int index);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual bool CanChange();
    virtual void Change();

  private:
    void InsertTabs();
    void SetStyleValue(bool& field, bool value);

    std::vector<std::string> tabs_;
    int tabIndex_ = -1;
    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    bool hotTrack_ = false;
    bool multiLine_ = false;
    TTabImages images_;
};
