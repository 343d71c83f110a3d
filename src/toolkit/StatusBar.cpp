#include "toolkit/StatusBar.h"

#include "platform/controls/StatusBar.h"

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 200, STATUSBAR_DEFAULT_HEIGHT);
    SetAlign(alBottom);
    SetColor(SysColor(COLOR_BTNFACE));
}

void TStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = STATUSCLASSNAME;
    // The toolkit's alignment places the bar; the class must not move it by itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_BOTTOM;
    if (sizeGrip_) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::HandleCreated() { UpdateParts(); }

int TStatusBar::AddPanel(int width, const std::string& text) {
    panels_.push_back(TStatusPanel{width, text});
    UpdateParts();
    return PanelCount() - 1;
}

void TStatusBar::SetPanels(std::vector<TStatusPanel> panels) {
    panels_ = std::move(panels);
    UpdateParts();
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
    if (index < 0 || index >= PanelCount()) return;
    panels_[size_t(index)].Text = text;
    if (!simplePanel_) SendText(index, text);
}

void TStatusBar::SetPanelWidth(int index, int width) {
    if (index < 0 || index >= PanelCount()) return;
    panels_[size_t(index)].Width = width;
    UpdateParts();
}

void TStatusBar::SetSimplePanel(bool value) {
    simplePanel_ = value;
    UpdateParts();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    if (simplePanel_) SendText(0, text);
}

void TStatusBar::SetSizeGrip(bool value) {
    if (value == sizeGrip_) return;
    sizeGrip_ = value;
    RecreateWnd();
}

void TStatusBar::SendText(int index, const std::string& text) {
    if (HandleAllocated()) SendMessage(Handle(), SB_SETTEXTA, WPARAM(index), LPARAM(text.c_str()));
}

// Part edges are cumulative right edges; the last panel runs to the end of the bar (-1).
void TStatusBar::UpdateParts() {
    if (!HandleAllocated()) return;
    if (simplePanel_ || panels_.empty()) {
        const int whole = -1;
        SendMessage(Handle(), SB_SETPARTS, 1, LPARAM(&whole));
        SendText(0, simplePanel_ ? simpleText_ : std::string());
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (const TStatusPanel& p : panels_) {
        right += p.Width;
        edges.push_back(right);
    }
    edges.back() = -1;
    SendMessage(Handle(), SB_SETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));
    for (int i = 0; i < PanelCount(); ++i) SendText(i, panels_[size_t(i)].Text);
}
