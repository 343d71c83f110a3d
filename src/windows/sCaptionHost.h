#pragma once
// What the caption buttons, the frame hit test and the system menu need from the frame that
// carries them (the form's skin provider): the frame's geometry at this moment, the form's
// state, the composed window image and the form's own message handling.
#include "platform/core/WinTypes.h"
#include "toolkit/Form.h"

class Bitmap;
class TsSkinManager;
struct TMessage;

// The frame's sizes, in window coordinates, as the frame composition computes them.
struct TsTitleMetrics {
    int FrameWidth = 0;
    int FrameHeight = 0; // the window's height
    int FrameBorderWidth = 0;
    int FrameBorderHeight = 0;
    int CaptionHeight = 0;
    int TopAreaHeight = 0;
    int FormBorderWidth = 0; // the form's own BorderWidth band
    int IconWidth = 0;       // 0 when no icon is shown
    int IconHeight = 0;
    RECT IconRect{};
};

enum TsResizeMode { rmStandard, rmBorder };
enum TsGripMode { gmNone, gmRightBottom };

class TsCaptionHost {
  public:
    virtual ~TsCaptionHost() = default;
    virtual TForm* HostForm() const = 0;
    // The manager whose skin paints the frame; null while none is active.
    virtual TsSkinManager* HostManager() const = 0;
    virtual TsTitleMetrics TitleMetrics() const = 0;
    // The caption is drawn in its active look.
    virtual bool ShowsActive() const = 0;
    // The composed window image (window size), or null before the first composition.
    virtual Bitmap* FrameCache() = 0;
    // Hands the message to the form's own window procedure (the one the provider replaced).
    virtual void CallOwnHandler(TMessage& message) = 0;
    // The component that owns the system menu (it outlives the caption buttons), or null.
    virtual TComponent* MenuOwner() { return nullptr; }
    virtual TsResizeMode ResizeMode() const { return rmStandard; }
    virtual TsGripMode GripMode() const { return gmNone; }
    // The form's own scroll bars both show and the point lies in the square between them.
    virtual bool InScrollGripSquare(POINT /*windowPoint*/) const { return false; }
    // Starts the outline drag of the border resize mode (hit: HTCAPTION or a sizing edge).
    virtual void StartOutlineDrag(int /*hit*/, POINT /*screenPoint*/) {}
    // Ends an outline drag in progress; false when none runs.
    virtual bool EndOutlineDrag() { return false; }
};
