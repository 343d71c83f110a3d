#pragma once
// The wrapper of the windows whose look the skin gives only through the base answers: edits,
// list boxes and tree views build on it, and the kinds of window whose painting stays with
// the window system use it as it is.
#include "windows/qvScrollWnd.h"

class TqvBaseWnd : public TqvScrollWnd {
  public:
    using TqvScrollWnd::TqvScrollWnd;
};
