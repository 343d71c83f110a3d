#include "windows/sSystemCommands.h"

#include "platform/window/WindowSystem.h"

namespace {

bool Has(const TsCommandFacts& f, TBorderIcon icon) { return (f.BorderIcons & icon) != 0; }

bool IsFramed(TFormBorderStyle style) { return style == bsSingle || style == bsSizeable; }

// bsNone, bsDialog and bsToolWindow cannot be sized and offer no Size command.
bool IsFixedKind(TFormBorderStyle style) {
    return style == bsNone || style == bsDialog || style == bsToolWindow;
}

bool MinimizeVisible(const TsCommandFacts& f) {
    if (f.Iconic || f.MdiChild) return true;
    if (IsFixedKind(f.BorderStyle) || f.BorderStyle == bsSizeToolWin) return false;
    return Has(f, biSystemMenu) && (f.BorderStyle != bsSingle || Has(f, biMinimize));
}

bool MaximizeVisible(const TsCommandFacts& f) {
    if (f.Iconic || f.MdiChild) return true;
    return IsFramed(f.BorderStyle) && Has(f, biSystemMenu) && Has(f, biMaximize);
}

} // namespace

bool CommandVisible(const TsCommandFacts& f, TsSystemCommand command) {
    switch (command) {
    case TsSystemCommand::Restore:
        return f.MdiChild || (IsFramed(f.BorderStyle) && Has(f, biSystemMenu));
    case TsSystemCommand::Move: return true;
    case TsSystemCommand::Size: return f.MdiChild || !IsFixedKind(f.BorderStyle);
    case TsSystemCommand::Minimize: return MinimizeVisible(f);
    case TsSystemCommand::Maximize: return MaximizeVisible(f);
    case TsSystemCommand::Close: return Has(f, biSystemMenu);
    case TsSystemCommand::Help: return Has(f, biHelp);
    }
    return false;
}

bool CommandEnabled(const TsCommandFacts& f, TsSystemCommand command) {
    switch (command) {
    case TsSystemCommand::Restore:
        return (Has(f, biMaximize) && f.WindowState != wsNormal) || f.WindowState == wsMinimized;
    case TsSystemCommand::Move: return f.WindowState != wsMaximized;
    case TsSystemCommand::Size: return f.BorderStyle != bsSingle && !f.Iconic;
    case TsSystemCommand::Minimize: return Has(f, biMinimize) && f.WindowState != wsMinimized;
    case TsSystemCommand::Maximize:
        return Has(f, biMaximize) &&
               (f.MdiChild || (f.WindowState != wsMaximized && IsFramed(f.BorderStyle)));
    case TsSystemCommand::Close:
    case TsSystemCommand::Help: return true;
    }
    return false;
}

TsCommandFacts CommandFactsOf(const TForm& form) {
    TsCommandFacts facts;
    facts.BorderStyle = form.BorderStyle();
    facts.BorderIcons = form.BorderIcons();
    facts.WindowState = form.WindowState();
    facts.MdiChild = form.FormStyle() == fsMDIChild;
    // Handle() makes the window when it is missing; only a window that exists can be iconic.
    if (form.HandleAllocated()) facts.Iconic = IsIconic(const_cast<TForm&>(form).Handle());
    return facts;
}
