#include "windows/qvScrollWnd.h"

#if __has_include("windows/qvScrollBars.h")
#include "windows/qvScrollBars.h"
#define QV_HAVE_SCROLLBARS 1
#else
#define QV_HAVE_SCROLLBARS 0
#endif

void TqvScrollWnd::BarsDeleter::operator()(TqvScrollBars* bars) const {
#if QV_HAVE_SCROLLBARS
    delete bars;
#else
    (void)bars;
#endif
}

TqvScrollWnd::TqvScrollWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
                           TsSkinManager* manager, TsCommonData* skinData)
    : TqvMainWnd(handle, withScrollBars, skinSection, manager, skinData) {
#if QV_HAVE_SCROLLBARS
    if (withScrollBars && Handle) bars_.reset(new TqvScrollBars(*this));
#endif
}

TqvScrollWnd::~TqvScrollWnd() {
    // The bars talk to the window; they go while the wrapper still knows it.
    bars_.reset();
}

void TqvScrollWnd::WindowProc(TMessage& m) {
#if QV_HAVE_SCROLLBARS
    if (bars_ && !Destroyed && bars_->HandleMessage(m)) return;
#endif
    TqvMainWnd::WindowProc(m);
}

void TqvScrollWnd::RefreshScrollBars() {
#if QV_HAVE_SCROLLBARS
    if (bars_ && !bars_->Dragging()) bars_->Refresh();
#endif
}

void TqvScrollWnd::PaintScrollBars(HDC windowDC) {
#if QV_HAVE_SCROLLBARS
    if (bars_) bars_->PaintBars(windowDC);
#else
    (void)windowDC;
#endif
}

bool TqvScrollWnd::ScrollBarDragging() const {
#if QV_HAVE_SCROLLBARS
    return bars_ && bars_->Dragging();
#else
    return false;
#endif
}

SIZE TqvScrollWnd::ScrollBarsReserved() const {
#if QV_HAVE_SCROLLBARS
    if (bars_) return bars_->Reserved();
#endif
    return SIZE{0, 0};
}
