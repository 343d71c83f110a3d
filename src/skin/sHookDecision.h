#pragma once
// What the manager's window hook does with a window being created or activated, worked out
// from facts gathered about the window so that the rule itself holds no window calls.
#include <string>

enum class TsHookAction {
    Nothing,
    MenuWindowAdapter, // a system pop-up menu window
    DialogAdapter,     // a message dialog of this program (its menu is not skinned)
    FormProvider,      // any other form of this program
    SystemDialog,      // a window that is not ours: a system dialog
};

struct TsHookWindowFacts {
    bool Creating = false;       // the window is being created (else: activated)
    std::string WindowClass;     // the window class, or the class of our form
    bool AnswersSkinned = false; // answers scIsSkinned with a non-zero value
    bool HasDefaultManager = false;
    bool AlreadyAdapted = false; // the hook has given it a wrapper before
    bool IsOwnForm = false;      // a form of this program
    std::string Caption;
    unsigned SkinningRules = 0;       // TqvSkinningRules
    bool HookedWindowVisible = false; // a window skinned by the hook is visible
    bool HasToolbarChild = false;     // a "toolbarwindow32" child at any depth
};

TsHookAction DecideHookAction(const TsHookWindowFacts& facts);
