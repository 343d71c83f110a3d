#pragma once
// Which system commands a form offers and which of them may run now: one table that the
// caption buttons, the frame hit test and the system menu all read.
#include "toolkit/Form.h"

struct TsCommandFacts {
    TFormBorderStyle BorderStyle = bsSizeable;
    TBorderIcons BorderIcons = 0;
    TWindowState WindowState = wsNormal;
    bool MdiChild = false;
    bool Iconic = false; // the window is minimised
};

enum class TsSystemCommand { Restore, Move, Size, Minimize, Maximize, Close, Help };

bool CommandVisible(const TsCommandFacts& facts, TsSystemCommand command);
bool CommandEnabled(const TsCommandFacts& facts, TsSystemCommand command);
// The facts of a live form (WindowState from the form, Iconic from its window).
TsCommandFacts CommandFactsOf(const TForm& form);
