#pragma once
// Plugs the window-skinning layer into the skin manager: form providers, the window hook's
// wrappers and the menu engine. Called once at program start, before any manager is made.
void InstallWindowSkinning();
