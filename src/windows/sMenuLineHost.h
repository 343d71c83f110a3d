#pragma once
// What the menu-bar drawing needs from the form skinning that paints the bar: the painted band
// behind the items and where it lies in the window. The form's skin provider implements it.
#include "platform/gdi/Bitmap.h"

class TComponent;
class TForm;
class TsSkinManager;

class TsMenuLineHost {
  public:
    virtual ~TsMenuLineHost() = default;
    // The painted menu-bar band, or null while there is none.
    virtual const Bitmap* MenuLineCache() const = 0;
    // The band's top in window coordinates: the caption height plus the frame's top border.
    virtual int MenuLineTop() const = 0;
    virtual TsSkinManager* MenuLineManager() const = 0;

    // The host painting its menu bar at this moment (set around that painting), or null.
    static TsMenuLineHost* Painting;
    // The host of a form: its answer to the get-provider skin command, or null.
    static TsMenuLineHost* OfForm(TForm* form);
};
