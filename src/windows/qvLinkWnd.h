#pragma once
// A link window of a system dialog: it keeps painting itself; the wrapper only answers the
// skin commands and the messages of a static text.
#include "windows/qvStaticWnd.h"

class TqvLinkWnd : public TqvStaticWnd {
  public:
    using TqvStaticWnd::TqvStaticWnd;
    void WindowProc(TMessage& message) override;
    void PaintContent(Bitmap&) override {}
};
