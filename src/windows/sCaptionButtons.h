#pragma once
// The caption buttons of one skinned frame (Minimize, Maximize or Restore, Close, Help and the
// program's title buttons): their images, places and states, the frame's hit test, the mouse
// on the frame, and the skinned system menu they share their rules with.
#include <memory>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "windows/sCaptionHost.h"
#include "windows/sSystemCommands.h"
#include "windows/sSystemMenu.h"
#include "windows/sTitleButtons.h"

struct TMessage;

// Title button i answers the hit test with this + i.
constexpr int kTitleButtonHitBase = 1000;

class TsCaptionButtons {
  public:
    explicit TsCaptionButtons(TsCaptionHost& host);
    ~TsCaptionButtons();
    TsCaptionButtons(const TsCaptionButtons&) = delete;
    TsCaptionButtons& operator=(const TsCaptionButtons&) = delete;

    TsFrameButton Minimize, Maximize, Close, Help;
    TsTitleButtons TitleButtons;
    int RestoreImage = -1;     // "BICONNORM"
    int TitleButtonImage = -1; // "TITLEBUTTON"
    bool MakeSkinMenu = true;

    // The hit code of the hot or pressed button, 0 for none.
    int HotButton() const { return hot_; }
    // A caption button went down and has not been released (one flag for the process).
    static bool ButtonPressed();

    // Looks the button images up again; run on every skin activation. formSection is the
    // form's skin section name (e.g. "FORM").
    void UpdateButtonIndexes(const std::string& formSection);
    int FrameButtonHeight() const;                      // 21 without a close image
    int FrameButtonWidth(const TsFrameButton& b) const; // 21 without image
    int TitleButtonWidth(const TsTitleButton& b) const;
    // The width the shown buttons take with their spacing (the system buttons only once the
    // system menu exists).
    int ButtonsWidth() const;
    // GLOBALINFO "BISPACE" of the skin, 0 when absent.
    int ButtonSpacing() const;

    // Frame composition: keeps a copy of the title area under the buttons (from
    // x = FrameWidth - width - 1, y = 0; (ButtonsWidth + FrameBorderWidth) x TopAreaHeight)
    // and then paints the buttons into the cache.
    void SaveBackground(const Bitmap& cache);
    void PaintCaptionButtons(Bitmap& cache);
    const Bitmap& ButtonsBackground() const { return background_; }
    // Places every shown button for the frame's present geometry (PaintCaptionButtons and the
    // hit test do it themselves).
    void LayoutButtons();
    // The button a hit code names, or null.
    TsFrameButton* ButtonOf(int code);

    // One button again in the cache and on the window, without recomposing the frame.
    void RedrawFrameButton(int code);
    void SetHotButton(int code);
    void PressButton(int code);

    // The WM_NCHITTEST answer of a frame with a caption; also stored in message.Result.
    // The point is in screen coordinates, as in the message.
    LRESULT HitTest(TMessage& message);
    // The last hit kind (HTCAPTION or a sizing edge) an outline drag would use.
    int LastDragKind() const { return dragKind_; }
    // The mouse on the frame; true when the message was answered completely, false when the
    // provider passes it on unchanged.
    bool HandleMouseMessage(TMessage& message);

    // Made on first use: UpdateButtonIndexes (a skin becoming active), UpdateSystemMenu or a
    // popup. ButtonsWidth counts the system buttons only once it exists.
    TsSystemMenu& SystemMenu();
    bool HasSystemMenu() const { return menu_ != nullptr; }
    void UpdateSystemMenu();
    void PopupSystemMenu(int x, int y);

  private:
    struct Slot {
        int Code = 0;
        TsFrameButton* Button = nullptr;
    };
    TsCommandFacts Facts() const;
    bool IsTitleCode(int code) const;
    // Whether the button under the mouse would answer with its own code (else HTCAPTION).
    bool ButtonUsable(int code, const TsCommandFacts& facts) const;
    int ImageFor(int code, const TsCommandFacts& facts) const;
    bool ButtonEnabled(int code, const TsCommandFacts& facts) const;
    void DrawButton(Bitmap& cache, const Slot& slot, bool repaint);
    void DrawGlyph(Bitmap& cache, const TsTitleButton& button, int shift) const;
    void RestoreBackground(Bitmap& cache, const RECT& rect) const;
    int HitInButtonBand(POINT windowPoint, const TsTitleMetrics& m);
    bool InGrip(POINT windowPoint, const TsTitleMetrics& m) const;
    POINT SystemMenuPoint() const;
    RECT WindowRectOfForm() const;
    POINT WindowPointOf(LPARAM screenPoint) const;

    bool LeftButtonDown(TMessage& message);
    // While a pressed button holds the mouse: it looks pressed only with the mouse over it.
    bool TrackPressedButton(const TMessage& message);
    void StopTracking();
    bool LeftButtonUp(TMessage& message, bool clientMessage);
    bool DoubleClick(TMessage& message);
    bool ReleaseButton(int code, POINT screenPoint);
    void SendCommand(WPARAM command, LPARAM lParam = 0);
    void MaximizeOrRestore(const TsCommandFacts& facts);

    TsCaptionHost& host_;
    int hot_ = 0;
    int tracking_ = 0; // the pressed button that holds the mouse capture
    int dragKind_ = 0;
    Bitmap background_;
    std::vector<Slot> slots_; // the shown buttons, right to left
    // Owned by the host's component when it names one (so that it is found among the form's
    // components), else here.
    std::unique_ptr<TsSystemMenu> ownMenu_;
    TsSystemMenu* menu_ = nullptr;
};
