#include "skin/sHookDecision.h"

#include "skin/sSkinManager.h"

TsHookAction DecideHookAction(const TsHookWindowFacts& f) {
    if (f.AnswersSkinned) return TsHookAction::Nothing;
    if (f.Creating)
        return f.WindowClass == "#32768" ? TsHookAction::MenuWindowAdapter : TsHookAction::Nothing;
    if (!f.HasDefaultManager || f.AlreadyAdapted) return TsHookAction::Nothing;
    if (f.WindowClass == "TApplication" || f.WindowClass == "TQRStandardPreview")
        return TsHookAction::Nothing;
    if (f.IsOwnForm) {
        if (f.WindowClass == "TMessageForm")
            return (f.SkinningRules & srStdDialogs) ? TsHookAction::DialogAdapter
                                                    : TsHookAction::Nothing;
        if ((f.SkinningRules & srStdForms) && f.Caption != "Mgn" && f.Caption != "Calculator")
            return TsHookAction::FormProvider;
        return TsHookAction::Nothing;
    }
    if ((f.SkinningRules & srStdDialogs) && (!f.HookedWindowVisible || f.HasToolbarChild))
        return TsHookAction::SystemDialog;
    return TsHookAction::Nothing;
}
