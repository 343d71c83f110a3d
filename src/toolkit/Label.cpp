#include "toolkit/Label.h"

#include "platform/controls/ClassicEdges.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
    layout_ = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    SetControlStyle(value ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

UINT TLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (alignment_ == taCenter)
        flags |= DT_CENTER;
    else if (alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    return flags;
}

void TLabel::DoDrawText(RECT& rect, UINT flags) {
    // An empty caption still measures one line, so an auto-sized label keeps its height.
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text = " ";
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    canvas.Brush.Style = bsClear;
    if (flags & DT_CALCRECT) {
        SelectObject(canvas.Handle(), canvas.Font.Handle());
        DrawText(canvas.Handle(), text.c_str(), int(text.size()), &rect, flags);
    } else if (!Enabled()) {
        // Disabled text is embossed: a highlight copy one pixel down-right under a shadow copy.
        TFont embossed = canvas.Font;
        embossed.SetColor(SysColor(COLOR_BTNHIGHLIGHT));
        canvas.Font = embossed;
        canvas.TextRect(OffsetRect(rect, 1, 1), text, flags);
        embossed.SetColor(SysColor(COLOR_BTNSHADOW));
        canvas.Font = embossed;
        canvas.TextRect(rect, text, flags);
    } else {
        canvas.TextRect(rect, text, flags);
    }
    canvas.Brush.Style = bsSolid;
}

void TLabel::Paint() {
    const RECT client = ClientRect();
    if (!transparent_) {
        Canvas().Brush.Color = Color();
        Canvas().Brush.Style = bsSolid;
        Canvas().FillRect(client);
    }
    RECT r = client;
    const UINT flags = TextFlags();
    if (layout_ != tlTop) {
        RECT measured = client;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int textHeight = HeightOf(measured);
        const int offset = layout_ == tlBottom ? HeightOf(client) - textHeight
                                               : (HeightOf(client) - textHeight) / 2;
        r.top += offset;
    }
    DoDrawText(r, flags);
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || adjusting_ || Loading()) return;
    adjusting_ = true;
    const HDC dc = CreateCompatibleDC(nullptr);
    Canvas().SetHandle(dc);
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    DoDrawText(r, (TextFlags() & ~UINT(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    Canvas().SetHandle(nullptr);
    DeleteDC(dc);
    const int width = WidthOf(r), height = HeightOf(r);
    int left = Left();
    if (alignment_ == taRightJustify)
        left = Left() + Width() - width;
    else if (alignment_ == taCenter)
        left = Left() + (Width() - width) / 2;
    SetBounds(left, Top(), width, height);
    adjusting_ = false;
}

void TLabel::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}
