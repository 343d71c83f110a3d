#include "toolkit/TabSheet.h"

#include "toolkit/PageControl.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetVisible(false); // the page control shows the active sheet
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    if (control == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = control;
    SetParent(control);
    if (pageControl_) pageControl_->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (pageControl_->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    if (pageControl_) pageControl_->PageImageChanged(this);
}

void TTabSheet::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        // A sheet is a plain face-coloured page.
        const RECT r = ClientRect();
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush);
        DeleteObject(brush);
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->PageCaptionChanged(this);
}
