#include "windows/qvProvider.h"

#include "skin/sSkinManager.h"
#include "toolkit/Form.h"
#include "windows/sSkinProvider.h"

TqvProvider::TqvProvider(TForm* form, TsSkinManager* manager, bool skinMenu) {
    if (!form || TsSkinProvider::OfForm(form)) return;
    window_ = form->HandleAllocated() ? form->Handle() : nullptr;
    FormProvider = form->Make<TsSkinProvider>();
    FormProvider->SetMakeSkinMenu(skinMenu);
    if (manager && manager != PrimaryManager) FormProvider->SkinData->SetSkinManager(manager);
    // A manager of its own is known only now: the skin is looked up again for it.
    if (manager && manager != PrimaryManager && manager->SkinData.Loaded) {
        FormProvider->InitSkinning();
        FormProvider->RebuildFrame();
    }
}
