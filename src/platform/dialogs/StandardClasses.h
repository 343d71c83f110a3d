#pragma once
// Registers every standard window class of the window system (buttons, statics, edits, list
// and combo boxes, up-down, scroll bars, tree view, status, tool and cool bars, tab control,
// hint window, dialogs). Registering again is harmless.
void RegisterStandardClasses();
