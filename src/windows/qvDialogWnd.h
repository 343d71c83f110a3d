#pragma once
// Takes over a system dialog window ("#32770") that the program did not make: draws its
// frame, title bar, icon, caption and caption buttons from the skin, paints its client
// background, answers the non-client hit test, turns clicks on its buttons into system
// commands and shows a skinned system menu.
#include <memory>
#include <string>

#include "paint/sMaskData.h"
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Font.h"
#include "windows/qvDialogGeometry.h"
#include "windows/qvScrollWnd.h"
#include "windows/sTitleButtons.h"

class TqvProvider;
class TqvSystemMenu;
class TsCommonData;
class TsSkinManager;
struct TMessage;

// Set while the dialog gives itself a window region (the region's own frame paint waits).
extern bool SettingRegion;

class TqvDialogWnd : public TqvScrollWnd {
  public:
    // Takes over the window's procedure; the skin section is "DIALOG", the manager the
    // default one.
    TqvDialogWnd(HWND window, TqvProvider* provider);
    ~TqvDialogWnd() override;
    TqvDialogWnd(const TqvDialogWnd&) = delete;
    TqvDialogWnd& operator=(const TqvDialogWnd&) = delete;

    // The wrapper of a window, or null.
    static TqvDialogWnd* FromWindow(HWND window);

    unsigned char FrameKind = fkUninitialized;
    DWORD SavedStyle = 0;
    DWORD SavedExStyle = 0;
    bool ShowsActive = true;
    bool RegionChanged = true;
    bool ChildrenWrapped = false;
    HICON DialogIcon = nullptr;
    TFont DialogCaptionFont;
    TAOR CornerRects;
    Bitmap ButtonsBackground;
    int HotButton = 0;
    TsFrameButton Minimize, Maximize, Close, Help;
    int RestoreImage = -1;
    std::unique_ptr<TqvSystemMenu> SystemMenu;
    TqvProvider* DialogProvider = nullptr;

    // The window's size as the last geometry refresh saw it.
    int W = 0, H = 0;

    void InitDialogFrame();
    void UpdateButtonIndexes();
    void RefreshGeometry();
    TqvDialogFacts Facts() const;
    // Composes the whole window image into the cache (only when it is invalid).
    void PaintFrame();
    void UpdateRegion();
    void ApplyRegion(bool redraw);
    void SetHotButton(int code, bool repaint = true);
    void PressButton(int code);
    void RedrawFrameButton(int code);
    void PopupSystemMenu(int x, int y);
    // The button records as the geometry sees them, placed for the present window.
    TqvDialogButtons Buttons() const;
    // Whether painting waits: no active skin, or the update lock is set.
    bool Updating() const;

    // Fades the dialog in over time milliseconds on the window's timer (the manager's
    // DialogShow animation); a time too short for two steps shows it at once.
    void StartShowAnimation(int time);

    void WindowProc(TMessage& message) override;

  private:
    void ShowAnimationTick();
    void EndShowAnimation();
    bool SkinCommand(TMessage& m) override;
    void RedrawWithOwnProcedure(TMessage& m);
    void NcPaint(TMessage& m);
    void Paint(TMessage& m);
    void PaintDialogClient();
    void EraseBackground(TMessage& m);
    void HitTest(TMessage& m);
    void AfterInherited(const TMessage& m);
    void LeftButtonDown(TMessage& m);
    void LeftButtonUp(TMessage& m);
    void DoubleClick(TMessage& m);
    void SendCommand(WPARAM command, LPARAM lParam = 0);
    void WrapNewChildren();
    void RedrawWhole(UINT extra = 0);

    // Painting pieces of the frame.
    void PaintGrip(Bitmap& cache);
    void PaintTitle(Bitmap& cache);
    void PaintIcon(Bitmap& cache);
    void PaintTitleBarBand(Bitmap& cache);
    void SaveButtonsBackground(const Bitmap& cache);
    void PaintCaptionButtons(Bitmap& cache);
    void PaintCaptionText(Bitmap& cache);
    void CopyFrameStrips(HDC dc);
    TsFrameButton* ButtonOf(int code);
    int ImageFor(int code, const TqvDialogFacts& f) const;
    bool ButtonEnabled(int code, const TqvDialogFacts& f) const;
    SIZE ImageSize(int imageIndex) const;
    SIZE GripSize() const;
    int GlobalImage(const char* name) const;

    int showSteps_ = 0; // 0: no fade running
    int showStep_ = 0;
    HBRUSH dialogBrush_ = nullptr;
    COLORREF dialogBrushColor_ = 0;
};
