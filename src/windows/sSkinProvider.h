#pragma once
// The form skinning component.

// Sets the manager's form-provider hooks.
void InstallFormSkinning();
