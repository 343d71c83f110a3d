#pragma once
// The wrapper of edit-like windows (edits, list boxes and, through its descendant, tree
// views): the control takes the section's colours, the frame is painted from the section
// around the client, and the scroll bars follow the window's scroll state.
#include "platform/gdi/SysColors.h"
#include "windows/qvBaseWnd.h"

class TqvEditWnd : public TqvBaseWnd {
  public:
    TqvEditWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
               TsSkinManager* manager, TsCommonData* skinData);
    ~TqvEditWnd() override;

    void SaveStandardLook() override;
    void RestoreStandardLook() override;
    void ApplySkinLook() override;
    void WindowProc(TMessage& message) override;

    // The control's colours before the skin (control objects only).
    TColor SavedColor = clNone;
    TColor SavedFontColor = clNone;
    // The window's own colours while skinned, for windows without a control object.
    TColor BgColor = clNone;
    TColor FocusColor = clNone;

  protected:
    void RebuildFrameCache() override;
    bool SkinCommand(TMessage& message) override;
    // The message as it arrives while a skin is loaded; true when answered.
    virtual bool SkinnedMessage(TMessage& message);
    // What follows once the window has had the message.
    virtual void AfterPassOn(const TMessage& message);
    void NcPaint();
    void PaintFrame(HDC windowDC);
    void Print(TMessage& message);
    void ApplyLookOnce();
    void RepaintFrame();
    bool applyingLook_ = false;
};
