#include "windows/sSkinableMenus.h"

void InstallMenuSkinning() {}
