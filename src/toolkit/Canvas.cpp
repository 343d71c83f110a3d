#include "toolkit/Canvas.h"

namespace {

// Selects a pen made from `pen` for the life of the scope and deletes it afterwards.
class PenScope {
  public:
    PenScope(HDC dc, const TPen& pen) : dc_(dc) {
        pen_ = CreatePen(pen.Style, pen.Width, ColorToRGB(pen.Color));
        old_ = SelectObject(dc_, pen_);
        oldRop_ = SetROP2(dc_, pen.Mode == pmXor ? R2_XORPEN : R2_COPYPEN);
    }
    ~PenScope() {
        SetROP2(dc_, oldRop_);
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

  private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
    int oldRop_;
};

} // namespace

void TCanvas::SelectFont() {
    SelectObject(handle_, Font.Handle());
    SetTextColor(handle_, ColorToRGB(Font.Color()));
    SetBkMode(handle_, Brush.Style == bsClear ? TRANSPARENT : OPAQUE);
    if (Brush.Style == bsSolid) SetBkColor(handle_, ColorToRGB(Brush.Color));
}

void TCanvas::FillRect(const RECT& r) {
    if (!handle_ || Brush.Style == bsClear) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Brush.Color));
    ::FillRect(handle_, &r, brush);
    DeleteObject(brush);
}

void TCanvas::FrameRect(const RECT& r) {
    if (!handle_) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Brush.Color));
    ::FrameRect(handle_, &r, brush);
    DeleteObject(brush);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (!handle_) return;
    SelectFont();
    ::TextOut(handle_, x, y, text.c_str(), int(text.size()));
}

void TCanvas::TextRect(RECT r, const std::string& text, UINT format) {
    if (!handle_) return;
    SelectFont();
    DrawText(handle_, text.c_str(), int(text.size()), &r, format);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    if (!handle_) return size;
    SelectObject(handle_, Font.Handle());
    GetTextExtentPoint32(handle_, text.c_str(), int(text.size()), &size);
    return size;
}

void TCanvas::Polyline(const POINT* points, int count) {
    if (!handle_ || count < 2) return;
    PenScope pen(handle_, Pen);
    ::Polyline(handle_, points, count);
}

void TCanvas::RoundRect(const RECT& r, int cornerWidth, int cornerHeight) {
    if (!handle_) return;
    PenScope pen(handle_, Pen);
    HBRUSH brush = Brush.Style == bsClear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                          : CreateSolidBrush(ColorToRGB(Brush.Color));
    HGDIOBJ old = SelectObject(handle_, brush);
    ::RoundRect(handle_, r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight);
    SelectObject(handle_, old);
    if (Brush.Style != bsClear) DeleteObject(brush);
}

void TCanvas::Draw(int x, int y, HBITMAP bitmap) {
    if (!handle_ || !bitmap) return;
    BITMAP info{};
    if (!GetObject(bitmap, sizeof info, &info)) return;
    HDC source = CreateCompatibleDC(handle_);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(handle_, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}
