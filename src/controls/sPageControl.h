#pragma once
// The skinned page control and its page. The control paints its frame, page area and the
// inactive tabs into its cache and the active tab, which overlaps the page frame, on top of it;
// a sheet shows the control's cache behind its children. Tabs can track the mouse, carry close
// buttons, take a section of their own per sheet, and overflowing single-line strips scroll with
// skinned buttons.
#include <functional>
#include <memory>
#include <string>

#include "controls/sSpeedButton.h"
#include "controls/sUpDown.h"
#include "paint/sCommonData.h"
#include "paint/sFade.h"
#include "toolkit/PageControl.h"

class TsPageControl;
class TsTabSheet;

enum TqvCloseAction { qvaHide, qvaFree };
using TqvCloseBtnClick =
    std::function<void(TComponent* sender, int tabIndex, bool& canClose, TqvCloseAction& action)>;

// Stored with the form; has no effect on painting.
struct TsTabSkinData {
    bool CustomColor = false;
    bool CustomFont = false;
    std::string SkinSection;
};

// The close button an unskinned sheet shows while close buttons are on.
class TsTabBtn : public TsSpeedButton {
  public:
    TsTabBtn(TComponent* owner, TsTabSheet* sheet);
    const char* ClassName() const override { return "TsTabBtn"; }
    TsTabSheet* Sheet() const { return sheet_; }

  protected:
    void Click() override;

  private:
    TsTabSheet* sheet_;
};

class TsTabSheet : public TTabSheet {
  public:
    explicit TsTabSheet(TComponent* owner);
    ~TsTabSheet() override;
    const char* ClassName() const override { return "TsTabSheet"; }

    const std::string& TabSkin() const { return tabSkin_; }
    void SetTabSkin(const std::string& value);
    const std::string& ButtonSkin() const { return buttonSkin_; }
    void SetButtonSkin(const std::string& value);
    bool UseCloseBtn() const { return useCloseBtn_; }
    void SetUseCloseBtn(bool value);
    TsTabSkinData SkinData;
    TsTabBtn* CloseButton() const { return closeButton_.get(); }
    // The page control when it is a skinned one.
    TsPageControl* SkinnedControl() const;

  protected:
    void WndProc(TMessage& m) override;

  private:
    friend class TsPageControl;
    void InvalidateControl();
    void Paint(TMessage& m);

    std::string tabSkin_;
    std::string buttonSkin_;
    bool useCloseBtn_ = true;
    std::unique_ptr<TsTabBtn> closeButton_;
};

class TsPageControl : public TPageControl {
  public:
    explicit TsPageControl(TComponent* owner);
    ~TsPageControl() override;
    const char* ClassName() const override { return "TsPageControl"; }

    std::unique_ptr<TsCommonData> SkinData;
    TqvAnimatEvents AnimatEvents = aeGlobalDef;
    bool ShowCloseBtns() const { return showCloseBtns_; }
    void SetShowCloseBtns(bool value);
    const std::string& CloseBtnSkin() const { return closeBtnSkin_; }
    void SetCloseBtnSkin(const std::string& value);
    TqvCloseBtnClick OnCloseBtnClick;
    int TrackedTab = -1;
    TsUpDown* ScrollButtons() const { return scrollButtons_.get(); }
    int CloseButtonIndex() const { return closeButtonIndex_; }
    SIZE CloseButtonSize() const { return {closeBtnWidth_, closeBtnHeight_}; }

    void Loaded() override;

    // Geometry, in the control's client coordinates.
    RECT NativeTabRect(int tabIndex);
    RECT StripArea();
    RECT FrameArea();
    RECT SkinnedTabBounds(int tabIndex, bool active);
    int TabAtPoint(POINT p);
    int TabRowNumber(int tabIndex);
    RECT CloseButtonBounds(int tabIndex);
    int OverflowTabCount();
    int VisibleTabCount() const { return PageCount(); }
    // The section the page area takes for the current tab position.
    std::string PageSection() const;

    // Painting.
    void RenderTab(int pageIndex, int state, POINT offset, Bitmap& target);
    void RenderTabToDC(int pageIndex, int state, HDC dc);
    void RenderTabOnWindow(int pageIndex, int state);
    virtual void RenderCloseButton(HDC dc, RECT tabRect, HDC sourceDC, int state);
    void RenderCloseButtons(HDC dc);
    void RenderCloseButtonState(int pageIndex, int buttonState, int tabState);
    void RenderTabStrip(const ParentCacheInfo& parentCache);
    void LookUpCloseButtonSkin();

    void SyncScrollButtons();
    void PlaceScrollButtons();
    void ShapeScrollButtons(bool redraw);
    void SyncCloseButtons();
    // Asks OnCloseBtnClick and then frees the sheet or hides its tab.
    void CloseSheet(int pageIndex);

  protected:
    void WndProc(TMessage& m) override;
    void UpdateActivePage() override;

  private:
    bool Skinned() const { return SkinData && SkinData->SkinActive(false); }
    TsTabSheet* SkinnedSheet(int pageIndex) const;
    bool SheetUsesCloseBtn(int pageIndex) const;
    // Tab section and border mask for a page; false when the tab is not painted.
    bool TabSection(int pageIndex, int& section, int& borderMask) const;
    int ActivePageIndex() const;
    void FullPaint(TMessage& m);
    void PaintTabCaption(int pageIndex, int state, bool active, RECT r, int section,
                         Bitmap& target);
    void PaintNonClient();
    bool HandleSkinCommand(TMessage& m);
    bool HandleMouse(TMessage& m);
    void RepaintTabNormal(int pageIndex, bool ht);
    void PaintStripFromCache();
    void RedrawAll();
    void ScrollTabs(int position);

    std::string sectionInUse_;
    int paintedTabCount_ = 0;
    std::unique_ptr<TsUpDown> scrollButtons_;
    bool showCloseBtns_ = false;
    std::string closeBtnSkin_;
    int closeButtonIndex_ = -1;
    int closeBtnWidth_ = 0;
    int closeBtnHeight_ = 0;
    bool tabSizePending_ = false;
    bool animating_ = false;
};

// The program-wide flag that a left button went down on a skinned close button.
extern bool CloseButtonPressed;
