#pragma once
// The form skinning component: placed on a form, it takes over the look of the form's whole
// window while a skin is active (frame, title bar with icon, caption text and caption
// buttons, menu bar, window region and client background) by replacing the form's window
// procedure. The non-client area keeps the size the window system gives it; the provider
// paints over it from one composed image of the whole window.
#include <functional>
#include <memory>
#include <string>

#include "paint/sCommonData.h"
#include "paint/sMaskData.h"
#include "platform/gdi/Bitmap.h"
#include "toolkit/Component.h"
#include "toolkit/Form.h"
#include "toolkit/Messages.h"
#include "toolkit/Panel.h"
#include "windows/sCaptionHost.h"
#include "windows/sFrameGeometry.h"
#include "windows/sMenuLineHost.h"

class TsCaptionButtons;
class TqvCtrlAdapter;
class TsTitleButtons;
class TControl;
class TMenuItem;

// An own picture for the title icon; a size of 0 follows from the caption height.
struct TsTitleIcon {
    std::unique_ptr<Bitmap> Glyph;
    int Width = 0;
    int Height = 0;
};

// Asked before a control of the form is skinned: it may refuse or name another section.
using TAddItemEvent =
    std::function<void(TComponent* item, bool& canBeAdded, std::string& skinSection)>;

class TsSkinProvider : public TComponent, public TsCaptionHost, public TsMenuLineHost {
  public:
    explicit TsSkinProvider(TComponent* owner);
    ~TsSkinProvider() override;
    const char* ClassName() const override { return "TsSkinProvider"; }

    // Published properties.
    std::unique_ptr<TsCommonData> SkinData;
    const std::string& TitleSkin() const { return titleSkin_; }
    void SetTitleSkin(const std::string& value);
    std::string MenuLineSkin;
    TAlignment CaptionAlignment() const { return captionAlignment_; }
    void SetCaptionAlignment(TAlignment value);
    bool ShowAppIcon() const { return showAppIcon_; }
    void SetShowAppIcon(bool value);
    TsTitleIcon TitleIcon;
    TsTitleButtons& TitleButtons();
    bool MakeSkinMenu() const;
    void SetMakeSkinMenu(bool value);
    bool UseGlobalColor() const { return useGlobalColor_; }
    void SetUseGlobalColor(bool value);
    TsResizeMode ResizeModeValue = rmStandard;
    TsGripMode GripModeValue = gmNone;
    bool ScreenSnap = false;
    int SnapBuffer = 10;
    TAddItemEvent OnSkinItem;

    // The form whose window this provider skins; null for an inert second provider.
    TForm* Form() const { return form_; }
    // The provider that skins the form, or null.
    static TsSkinProvider* OfForm(const TForm* form);
    // The caption buttons, the frame hit test and the system menu.
    TsCaptionButtons& CaptionButtons() { return *captionButtons_; }
    // The adapter that skins the form's standard controls; null while no skin is active.
    TqvCtrlAdapter* Adapter() const { return adapter_.get(); }

    void InitSkinning();
    // The frame image: rebuilt into the cache whenever it is marked invalid.
    void PaintFrame();
    void UpdateRegion();
    void ApplyRegion(bool redraw);
    // After a skin switch: the frame and the region are made again.
    void RebuildFrame();
    // The skin is loaded and the form's section exists: every message is filtered.
    bool Skinned() const;
    bool IsUpdating() const;
    // The form's geometry at this moment.
    TsFrameFacts Facts() const;
    int MenuLineCount();
    const TAOR& CornerRects() const { return cornerRects_; }
    const Bitmap* TitleCache() const { return titleCache_.get(); }
    bool RegionChanged = true;
    bool TitleChanged = true;

    // TsCaptionHost
    TForm* HostForm() const override { return form_; }
    TsSkinManager* HostManager() const override;
    TsTitleMetrics TitleMetrics() const override;
    bool ShowsActive() const override { return showsActive_; }
    Bitmap* FrameCache() override;
    void CallOwnHandler(TMessage& message) override;
    TsResizeMode ResizeMode() const override { return ResizeModeValue; }
    TsGripMode GripMode() const override { return GripModeValue; }
    void StartOutlineDrag(int hit, POINT screenPoint) override;
    bool EndOutlineDrag() override;

    // TsMenuLineHost
    const Bitmap* MenuLineCache() const override;
    int MenuLineTop() const override;
    TsSkinManager* MenuLineManager() const override { return HostManager(); }

  protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    static LRESULT ProviderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void HookWindow();
    void UnhookWindow();
    void WindowProc(TMessage& m);
    // The toolkit's own notifications, which reach the form without passing its window.
    void ToolkitMessage(TMessage& m);
    void PassToolkitMessage(TMessage& m);
    bool SkinCommand(TMessage& m);
    bool SkinnedMessage(TMessage& m);

    void SkinLoaded(TMessage& m);
    void SkinRemoved(TMessage& m);
    void SkinRefreshed(TMessage& m);
    void PrepareSkinning();
    // Creates the adapter when there is none and lets it wrap the form's controls again.
    void RescanAdapter();
    // Runs adapter work; an error it raises is swallowed, skinning goes on.
    template <typename Work>
    void AdapterCall(Work work);
    void RemoveSysMenuStyle();
    void SetGlobalColor();
    void RestoreColor();
    void AttachFormMenus(bool active);
    void MakeMenuOwnerDrawn(bool active);

    void NcPaint(HDC windowDC);
    void PaintClient(HDC dc);
    void PaintTitleContent(const TsFrameFacts& f, Bitmap& cache);
    void PaintTitleIcon(const TsFrameFacts& f, Bitmap& cache);
    void PaintTitleBarBand(const TsFrameFacts& f, Bitmap& cache);
    void PaintMenuLine(const TsFrameFacts& f, Bitmap& cache);
    void PaintCaptionText(const TsFrameFacts& f, Bitmap& cache);
    void PaintGrip(Bitmap& cache);
    void CallOnPaint(const TsFrameFacts& f, Bitmap& cache);
    void InvalidateFrame();
    void RepaintNonClient();
    void RedrawWhole();
    int TitleSectionIndex() const;
    std::string TitleSectionName() const;

    void GetMinMaxInfo(TMessage& m);
    void SnapToWorkArea(TMessage& m);
    void SizeChanged(TMessage& m);
    void NcActivate(TMessage& m);
    void SysCommand(TMessage& m);
    void OutlineMouseMove(POINT screen);
    void DrawOutline(const RECT& r);
    RECT OutlineFor(POINT screen) const;
    void Print(TMessage& m);

    TForm* form_ = nullptr;
    HWND hooked_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    std::function<void(TMessage&)> oldWindowProc_;
    std::unique_ptr<TsCaptionButtons> captionButtons_;
    std::unique_ptr<TqvCtrlAdapter> adapter_;
    std::string titleSkin_;
    TAlignment captionAlignment_ = taLeftJustify;
    bool showAppIcon_ = true;
    bool useGlobalColor_ = true;
    bool showsActive_ = false;
    bool settingRegion_ = false;
    bool menuOwnerDrawDone_ = false;
    bool skinnedOnce_ = false; // a skin has been made active on the form
    bool systemMenuMade_ = false;
    bool removedSysMenu_ = false; // the window had WS_SYSMENU until the skin took it
    int menuLineCount_ = -1;
    TAOR cornerRects_;
    std::unique_ptr<Bitmap> titleCache_;
    std::unique_ptr<Bitmap> menuLineCache_;

    // The outline drag of the border resize mode.
    struct OutlineDrag {
        bool Running = false;
        int Hit = HTCAPTION;
        POINT Start{};
        RECT StartRect{};
        RECT Shown{};
    };
    OutlineDrag drag_;
};

// Sets the manager's form-provider hooks.
void InstallFormSkinning();
