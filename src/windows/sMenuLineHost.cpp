#include "windows/sMenuLineHost.h"

#include "skin/sMessages.h"
#include "toolkit/Form.h"

TsMenuLineHost* TsMenuLineHost::Painting = nullptr;

TsMenuLineHost* TsMenuLineHost::OfForm(TForm* form) {
    if (!form || !form->HandleAllocated()) return nullptr;
    // The provider answers with itself, as a component.
    const LRESULT answer = SendSkinCommand(form, SkinCommandWParam(scGetProvider), 0);
    return dynamic_cast<TsMenuLineHost*>(reinterpret_cast<TComponent*>(answer));
}
