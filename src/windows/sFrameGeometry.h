#pragma once
// The sizes of a skinned form's frame: borders, caption, menu bar, the top area and where the
// client area lies in the window image. They come from the system metrics and the form's
// properties, never from the skin, so that the non-client area keeps the size the window
// system gives it.
#include "platform/core/WinTypes.h"
#include "toolkit/Form.h"
#include "windows/sCaptionHost.h"

// What the geometry is computed from; FromForm reads it off a live form.
struct TsFrameFacts {
    TFormBorderStyle BorderStyle = bsSizeable;
    bool MdiChild = false;
    DWORD Style = 0; // the window's style bits
    int FormBorderWidth = 0;
    int FormWidth = 0;
    int FormHeight = 0;
    int WindowWidth = 0; // of the window rectangle
    int WindowHeight = 0;
    int ClientWidth = 0; // of the window's client area
    int ClientHeight = 0;
    bool Iconic = false;
    bool HasMainMenu = false;
    // Skinned scroll bars of the form that are visible: 0 without.
    int VScrollWidth = 0;
    int HScrollHeight = 0;
    bool ShowAppIcon = true;
    int TitleIconWidth = 0; // 0: follows the caption height
    int TitleIconHeight = 0;

    static TsFrameFacts FromForm(TForm& form);
};

bool HasBorder(const TsFrameFacts& f);
int CaptionHeight(const TsFrameFacts& f);
int FrameBorderWidth(const TsFrameFacts& f);
int FrameBorderHeight(const TsFrameFacts& f);
int FrameWidth(const TsFrameFacts& f);
int MenuHeight(const TsFrameFacts& f);
int TopAreaHeight(const TsFrameFacts& f);
POINT ClientOrigin(const TsFrameFacts& f);
// The icon size that fits a height: 0, 8, 16 or 32.
int IconSizeFor(int height);
bool IconShown(const TsFrameFacts& f);
int IconWidth(const TsFrameFacts& f);
int IconHeight(const TsFrameFacts& f);
RECT IconRect(const TsFrameFacts& f);
// Where the caption text goes, before it is centred by its own height; empty when the form is
// too narrow for any text.
RECT CaptionTextRect(const TsFrameFacts& f, int buttonsWidth);

TsTitleMetrics TitleMetricsOf(const TsFrameFacts& f);
