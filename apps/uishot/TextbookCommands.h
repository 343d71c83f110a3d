#pragma once
// The textbook's own scenario commands. Components are named as the program's window
// descriptions name them ("Form1.sSpeedButton5", or "sSpeedButton5" where only one component
// of the program has that name; a form by its own name). They are found when the command
// plays, so a name is checked against the program as it is then:
//   click NAME / move NAME   the centre of the component's visible rectangle, through the
//                            input queue (the coordinate forms stay as they are)
//   menu ITEM                opens the item's menus with the mouse and clicks it; an item
//                            with a submenu is opened and left open
//   select NAME INDEX        expands the node's parents with their buttons, scrolls the node
//                            into view with the wheel and clicks its text
//   get NAME PROP            prints NAME.PROP=value
//   skin NAME, hue N, saturation N, skinoff, skinon
//                            set sSkinManager1's SkinName (the rest of the line), HueOffset,
//                            Saturation, Active
//   url NAME                 prints NAME.url=PATH, the document the HTML view shows
//   shot FILE [FORMNAME]     the screen, or one form's window with its frame
//   windows                  names each form's window by its component name
#include <iosfwd>

class ScenarioPlayer;

void RegisterTextbookCommands(ScenarioPlayer& player, std::ostream& out);
