#include "windows/qvLinkWnd.h"

void TqvLinkWnd::WindowProc(TMessage& m) {
    if (m.Msg == WM_PAINT && IsWindowVisible(Handle)) {
        PassOn(m);
        return;
    }
    TqvStaticWnd::WindowProc(m);
}
