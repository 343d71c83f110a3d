#pragma once
// The standard page control: a tab control whose tabs select TTabSheets. The sheets fill the
// display area the tab control leaves (TCM_ADJUSTRECT); only the active one is visible.
#include <functional>
#include <vector>

#include "toolkit/Canvas.h"
#include "toolkit/ImageList.h"
#include "toolkit/TabImages.h"
#include "toolkit/TabSheet.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// The tab control window styles both tab controls of the toolkit ask for.
DWORD TabWindowStyle(TTabPosition position, TTabStyle style, bool hotTrack, bool multiLine);

class TPageControl;
using TTabChangingEvent = std::function<void(TComponent* sender, bool& allowChange)>;
using TDrawTabEvent =
    std::function<void(TPageControl* sender, int tabIndex, const RECT& rect, bool active)>;

class TPageControl : public TWinControl {
  public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    const char* ClassName() const override { return "TPageControl"; }

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(size_t(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int TabIndex() const;
    void SetTabIndex(int index);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    // The tabs show the image of their sheet's ImageIndex from this list.
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* images);
    // The area the sheets fill, in the control's client coordinates.
    RECT DisplayRect();
    TCanvas& Canvas() { return canvas_; }

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

    // Called by the sheets.
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PageCaptionChanged(TTabSheet* page);
    void PageImageChanged(TTabSheet* page);

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void DestroyWnd() override;
    void WndProc(TMessage& m) override;
    void AlignControls(RECT& rect) override;
    // Makes the sheet of the selected tab the active page.
    virtual void UpdateActivePage();
    virtual bool CanChange();
    virtual void Change();
    virtual void DrawTab(int tabIndex, const RECT& rect, bool active);
    void ShowOnlyActive();
    void Notification(TComponent* component, TOperation operation) override;

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    bool hotTrack_ = false;
    bool multiLine_ = false;
    bool ownerDraw_ = false;

  private:
    void InsertTabs();
    TCITEM ItemOf(TTabSheet* page) const;
    TTabImages images_;
    void ApplyItemSize();
    void HookParent();
    void UnhookParent();
    int parentHook_ = 0;
    TCanvas canvas_;
};
