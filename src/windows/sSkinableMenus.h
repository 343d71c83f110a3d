#pragma once
// The menu skinning: makes menus owner-drawn and gives their items measure and draw handlers
// that paint them from the skin. Menu-bar items are drawn over the band the form's skin
// provider painted; popup items over a backdrop prepared once per popup from "MAINMENU", with
// an optional extra line at the left and an icon column. One object per skin manager.
#include <functional>

#include "paint/sMaskData.h"
#include "skin/sMenuEngine.h"
#include "toolkit/Canvas.h"
#include "toolkit/MenuItem.h"
#include "toolkit/Panel.h"
#include "windows/sMenuItemKind.h"

class TsSkinManager;

// Called after an item is drawn, on the canvas and rectangle it was drawn in.
using TsMenuManagerDrawItemEvent =
    std::function<void(TMenuItem* sender, TCanvas& canvas, const RECT& rect, TOwnerDrawState state,
                       TsMenuItemType itemType)>;

class TsSkinableMenus : public TsMenuEngine {
  public:
    explicit TsSkinableMenus(TsSkinManager* owner);
    ~TsSkinableMenus() override;

    // Published properties.
    int Margin = 3;
    int Spacing = 6;
    int BorderWidth = 3;
    int BevelWidth = 0; // stored only
    TAlignment Alignment = taLeftJustify;
    TFont CaptionFont;
    TsMenuManagerDrawItemEvent OnDrawItem;
    // The frame thickness of the "MAINMENU" border image, looked up once after each load.
    int SkinBorderWidth();

    TsSkinManager* Owner() const { return owner_; }
    bool HooksActive() const { return hooksActive_; }
    const TAOR& PopupCornerRects() const { return popupCornerRects_; }

    // Hooks (or unhooks) every menu the application's components own.
    void ApplyActive(bool active);

    // TsMenuEngine
    void ResetBorderWidth() override { skinBorderWidth_ = -1; }
    void RefreshHooks() override;
    void ResetPopupState() override;
    void AttachMainMenu(TMenu* menu, bool active) override;
    void AttachPopupMenu(TMenu* menu, bool active) override;
    void AttachMenuItems(TMenuItem* item, bool active) override;
    void AttachSingleItem(TMenuItem* item, bool active) override;
    bool HandleApplicationMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The four handlers the items get.
    void PopupMeasure(TMenuItem* item, TCanvas& canvas, int& width, int& height);
    void PopupDraw(TMenuItem* item, TCanvas& canvas, const RECT& rect, TOwnerDrawState state);
    void TopLineMeasure(TMenuItem* item, TCanvas& canvas, int& width, int& height);
    void TopLineDraw(TMenuItem* item, TCanvas& canvas, const RECT& rect, TOwnerDrawState state);

    // The backdrop of the popup whose first item is given, at window size (frame included);
    // kept while the popup stays the same. With a window, the window is shaped too.
    void PrepareBackdrop(TMenuItem* firstItem, int width, int height, HWND window);
    // Asks once per popup whether it shows the extra line, and with what.
    void DecideExtraLine(TMenuItem* firstItem);
    void ShapeMenuWindow(HWND window, const Bitmap* backdrop);
    // The client size of a popup measured by the handlers (for when its window is not known).
    SIZE PopupSize(TMenuItem* parent);
    // The extra line's width when it shows, else 0.
    int ExtraWidth() const;
    // 1 for an item in its popup's first column (all items before the decision), else 0.
    int ExtraLineFactor(const TMenuItem& item) const;

  private:
    bool IsOurs(const TMenuItem& item) const;
    void InstallTopLineHandlers(TMenuItem* item);
    void InstallPopupHandlers(TMenuItem* item);
    void ClearOurHandlers(TMenuItem* item);
    void HookOwnedComponents(TComponent* owner, bool active);
    void ApplyItemFont(TCanvas& canvas, const TMenuItem& item, bool bold) const;

    void PaintExtraLine(Bitmap& backdrop, int height);
    void PaintIconColumn(Bitmap& backdrop, int height);
    void CollectCorners(int mainSection, int width, int height);

    void DrawFrameStrips(HWND window, const TMenuItem& item, const RECT& rect, int factor);
    void PostItemDrawn(TMenuItem* item);
    void DrawSeparator(TCanvas& canvas, const RECT& rect);
    void DrawCaptionItem(TMenuItem& item, TCanvas& canvas, const RECT& rect);
    void DrawNormalItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, TOwnerDrawState state,
                        int factor);
    void FillColumnEnd(const TMenuItem& item, TCanvas& canvas, const RECT& rect);
    void PaintCheckMark(const TMenuItem& item, Bitmap& work, bool selected);
    void WriteItemTexts(const TMenuItem& item, TCanvas& canvas, int width, int height, bool hot,
                        int section);

    TsSkinManager* owner_;
    bool hooksActive_ = false;
    bool shaping_ = false;
    int skinBorderWidth_ = -1;
    bool backdropPainted_ = false; // the skin had "MAINMENU" for the current backdrop
    TAOR popupCornerRects_;
};

// Lets every skin manager make its menu skinning.
void InstallMenuSkinning();
