#include "windows/qvScrollWnd.h"

#include "windows/qvScrollBars.h"

void TqvScrollWnd::BarsDeleter::operator()(TqvScrollBars* bars) const { delete bars; }

TqvScrollWnd::TqvScrollWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
                           TsSkinManager* manager, TsCommonData* skinData)
    : TqvMainWnd(handle, withScrollBars, skinSection, manager, skinData) {
    if (withScrollBars && Handle) bars_.reset(new TqvScrollBars(*this));
}

TqvScrollWnd::~TqvScrollWnd() {
    // The bars talk to the window; they go while the wrapper still knows it.
    bars_.reset();
}

void TqvScrollWnd::WindowProc(TMessage& m) {
    if (bars_ && !Destroyed && bars_->HandleMessage(m)) return;
    TqvMainWnd::WindowProc(m);
}

void TqvScrollWnd::RefreshScrollBars() {
    if (bars_ && !bars_->Dragging()) bars_->Refresh();
}

void TqvScrollWnd::PaintScrollBars(HDC windowDC) {
    if (bars_) bars_->PaintBars(windowDC);
}

bool TqvScrollWnd::ScrollBarDragging() const { return bars_ && bars_->Dragging(); }

SIZE TqvScrollWnd::ScrollBarsReserved() const {
    if (bars_) return bars_->Reserved();
    return SIZE{0, 0};
}
