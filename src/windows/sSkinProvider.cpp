#include "windows/sSkinProvider.h"

void InstallFormSkinning() {}
