#include "windows/sWindowSkinning.h"

#include "windows/qvProvider.h"
#include "windows/sSkinProvider.h"
#include "windows/sSkinableMenus.h"

void InstallWindowSkinning() {
    InstallFormSkinning();
    InstallMenuSkinning();
    InstallDialogSkinning();
}
