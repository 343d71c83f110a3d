#include "toolkit/TreeView.h"

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(this) {
    SetBounds(0, 0, 121, 97);
    SetColor(SysColor(COLOR_WINDOW));
    SetTabStop(true);
}

TTreeView::~TTreeView() {
    // The window goes first: its last notifications must not reach freed nodes.
    clearing_ = true;
    if (HandleAllocated()) DestroyWnd();
}

DWORD TTreeView::TreeStyles() const {
    DWORD style = 0;
    if (showButtons_) style |= TVS_HASBUTTONS;
    if (showLines_) style |= TVS_HASLINES;
    if (showRoot_) style |= TVS_LINESATROOT;
    if (hotTrack_) style |= TVS_TRACKSELECT;
    if (!hideSelection_) style |= TVS_SHOWSELALWAYS;
    if (!toolTips_) style |= TVS_NOTOOLTIPS;
    return style;
}

void TTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "SysTreeView32";
    params.Style |= TreeStyles();
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::SetStyleFlag(bool& flag, bool value) {
    flag = value;
    if (!HandleAllocated()) return;
    constexpr DWORD kMask = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_TRACKSELECT |
                            TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;
    const LONG_PTR style = GetWindowLongPtr(Handle(), GWL_STYLE);
    SetWindowLongPtr(Handle(), GWL_STYLE, (style & ~LONG_PTR(kMask)) | LONG_PTR(TreeStyles()));
    InvalidateRect(Handle(), nullptr, true);
}

void TTreeView::SetIndent(int value) {
    indent_ = value;
    if (HandleAllocated()) SendMessage(Handle(), TVM_SETINDENT, WPARAM(indent_), 0);
}

void TTreeView::ApplyColors() {
    if (!HandleAllocated()) return;
    SendMessage(Handle(), TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(Color())));
    SendMessage(Handle(), TVM_SETTEXTCOLOR, 0, LPARAM(ColorToRGB(Font().Color())));
}

void TTreeView::InsertItem(TTreeNode* node) {
    TVINSERTSTRUCTA ins;
    ins.hParent = node->Parent() ? node->Parent()->item_ : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    ins.item.pszText = const_cast<char*>(node->text_.c_str());
    ins.item.lParam = LPARAM(node);
    ins.item.iImage = node->imageIndex_;
    ins.item.iSelectedImage = node->selectedIndex_;
    ins.item.state = node->expanded_ ? TVIS_EXPANDED : 0;
    ins.item.stateMask = TVIS_EXPANDED;
    node->item_ =
        reinterpret_cast<HTREEITEM>(SendMessage(Handle(), TVM_INSERTITEMA, 0, LPARAM(&ins)));
}

void TTreeView::HandleCreated() {
    SendMessage(Handle(), TVM_SETINDENT, WPARAM(indent_), 0);
    ApplyColors();
    // Pre-order puts every parent in before its children.
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) InsertItem(n);
    if (selected_ && selected_->item_) {
        // Selecting again in a new window is no change for the program.
        const bool wasClearing = clearing_;
        clearing_ = true;
        SendMessage(Handle(), TVM_SELECTITEM, TVGN_CARET, LPARAM(selected_->item_));
        clearing_ = wasClearing;
    }
}

void TTreeView::DestroyWnd() {
    // Keep what lives in the window so that a new window shows the same tree.
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) {
        n->expanded_ = n->Expanded();
        n->item_ = nullptr;
    }
    const bool wasClearing = clearing_;
    clearing_ = true;
    TWinControl::DestroyWnd();
    clearing_ = wasClearing;
}

void TTreeView::NodeAdded(TTreeNode* node) {
    if (HandleAllocated() && (!node->Parent() || node->Parent()->item_)) InsertItem(node);
}

void TTreeView::NodesCleared() {
    selected_ = nullptr;
    if (!HandleAllocated()) return;
    clearing_ = true;
    SendMessage(Handle(), TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    clearing_ = false;
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    if (!HandleAllocated() || (node && !node->item_)) {
        // Without a window the selection is remembered and announced at once.
        selected_ = node;
        Change(node);
        return;
    }
    SendMessage(Handle(), TVM_SELECTITEM, TVGN_CARET, LPARAM(node ? node->item_ : nullptr));
}

void TTreeView::Change(TTreeNode* node) {
    if (OnChange) OnChange(this, node);
}

void TTreeView::CNNotify(TMessage& m) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
    switch (hdr->code) {
    case TVN_SELCHANGEDA: {
        const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(m.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
        if (clearing_) return;
        if (node == selected_) return;
        selected_ = node;
        Change(node);
        return;
    }
    case TVN_ITEMEXPANDEDA: {
        const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(m.LParam);
        if (auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam); node && !clearing_)
            node->expanded_ = nm->action == TVE_EXPAND;
        return;
    }
    default: return;
    }
}

void TTreeView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        if (m.LParam) CNNotify(m);
        return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        ApplyColors();
        return;
    default: TWinControl::WndProc(m);
    }
}
