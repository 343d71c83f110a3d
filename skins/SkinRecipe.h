#pragma once
// The palette and the few shape choices that make one stored skin; the skin author draws
// every section and picture from it.
#include <string>

#include "platform/core/WinTypes.h"

struct TSkinRecipe {
    std::string Name; // folder name
    std::string Description;
    int Radius = 3;       // corner radius of buttons and boxes
    int WindowRadius = 6; // top corners of the window
    double Gloss = 0;     // strength of the glassy upper half on buttons, 0 to 1
    bool Flat = false;    // flat fills with one-pixel lines, no soft shading

    // Window frame and title bar (inactive, active).
    COLORREF FrameLine, FrameFace, FrameInactiveFace;
    COLORREF TitleTop, TitleBottom, TitleText, TitleAccent;
    COLORREF TitleInactiveTop, TitleInactiveBottom, TitleInactiveText;
    COLORREF CaptionGlyph, CloseHot;

    // Client surfaces.
    COLORREF Form, FormTop, FormText;
    COLORREF PanelTop, PanelBottom, PanelLine, PanelLight, PanelText;
    COLORREF PanelAccent = 0;
    double PanelAccentOpacity = 0;                // a line along the bottom of panels
    COLORREF BarTop, BarBottom, BarLine, BarText; // tool bar, status bar
    COLORREF HeaderLeft, HeaderRight, HeaderText; // title strips
    COLORREF Ornament;                            // small corner decoration
    bool FeatherOrnament = false;                 // a feather's eye, not a diamond

    // Buttons: normal, hot, pressed.
    COLORREF ButtonTop, ButtonBottom, ButtonLine, ButtonText;
    COLORREF HotTop, HotBottom, HotLine, HotText;
    COLORREF PressedTop, PressedBottom;
    // Flat tool buttons on the tool bar.
    COLORREF ToolTop, ToolBottom, ToolLine, ToolText;

    COLORREF Accent, AccentLight, AccentText; // progress, marks, selection
    COLORREF LinkHotText;                     // a link under the mouse
    COLORREF Edit, EditLine, EditHotLine, EditText;
    COLORREF Menu, MenuText, MenuHotTop, MenuHotBottom, MenuHotLine, MenuHotText;
    COLORREF IconLineLeft, IconLineRight, ExtraTop, ExtraBottom, ExtraText;
    COLORREF Track, TrackLine, Glyph, GlyphHot;
    COLORREF TabTop, TabBottom, TabActiveTop, TabActiveBottom, TabText, TabHotText;
    COLORREF HintTop, HintBottom, HintLine, HintText;

    bool FeatherSheen = false; // a small feather texture under the menu side strip

    // A large picture laid under the window and its panels ("" for none).
    std::string Picture;
    int PictureFormPercent = 0;
    int PicturePanelPercent = 0;
};

TSkinRecipe NordvaleRecipe();
TSkinRecipe PavoRecipe();
TSkinRecipe FrostlineRecipe();
