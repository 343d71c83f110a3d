#pragma once
// What the manager's window hook keeps for a window it has skinned: the wrapper made by the
// window-skinning layer, owned by the manager until the skin is removed.
#include "platform/core/WinTypes.h"

class TsHookedWrapper {
  public:
    virtual ~TsHookedWrapper() = default;
    // The window the wrapper skins; the hook does not wrap it a second time.
    virtual HWND Window() const = 0;
    // False when the wrapper could not attach itself to its window; such a wrapper is dropped.
    virtual bool Attached() const { return true; }
};
