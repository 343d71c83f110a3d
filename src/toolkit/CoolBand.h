#pragma once
// One band of a cool bar: the control it holds behind its grip, and its size.
#include <string>

class TControl;

struct TCoolBand {
    TControl* Control = nullptr; // a windowed child of the cool bar, or null
    int MinHeight = 25;          // the control's height in the band
    int MinWidth = 0;
    int Width = 0; // the band's width; the last band of a row reaches the edge
    std::string Text;
    bool FixedSize = false; // no grip (the control starts 2 pixels in instead of 9)
    bool Break = true;      // starts a new row
    bool Visible = true;    // a hidden band takes no room, and its control hides with it
    int ImageIndex = -1;    // the header's image in the bar's images, -1 none
};
