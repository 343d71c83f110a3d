#pragma once
// The menu skinning.

// Lets every skin manager make its menu engine.
void InstallMenuSkinning();
