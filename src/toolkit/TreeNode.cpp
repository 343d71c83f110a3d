#include "toolkit/TreeNode.h"

#include <algorithm>

#include "toolkit/TreeView.h"

TTreeNode::TTreeNode(TTreeView* tree, TTreeNode* parent, std::string text)
    : tree_(tree), parent_(parent), text_(std::move(text)) {}

void TTreeNode::SetText(const std::string& text) {
    text_ = text;
    UpdateItem(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int index) {
    imageIndex_ = index;
    UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
    selectedIndex_ = index;
    UpdateItem(TVIF_SELECTEDIMAGE);
}

void TTreeNode::UpdateItem(UINT mask) {
    if (!item_ || !tree_->HandleAllocated()) return;
    TVITEMA tv;
    tv.mask = mask | TVIF_HANDLE;
    tv.hItem = item_;
    tv.pszText = const_cast<char*>(text_.c_str());
    tv.iImage = imageIndex_;
    tv.iSelectedImage = selectedIndex_;
    SendMessage(tree_->Handle(), TVM_SETITEMA, 0, LPARAM(&tv));
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& siblings = parent_ ? parent_->children_ : tree_->Items().Roots();
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto& n) { return n.get() == this; });
    return int(it - siblings.begin());
}

// Everything before this node in pre-order: the earlier siblings' whole subtrees, the parent,
// and what comes before the parent.
int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    const auto subtreeSize = [](const TTreeNode* n, auto& self) -> int {
        int size = 1;
        for (const auto& c : n->children_) size += self(c.get(), self);
        return size;
    };
    const auto& siblings = parent_ ? parent_->children_ : tree_->Items().Roots();
    for (const auto& s : siblings) {
        if (s.get() == this) break;
        index += subtreeSize(s.get(), subtreeSize);
    }
    if (parent_) index += parent_->AbsoluteIndex() + 1;
    return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = parent_ ? parent_->children_ : tree_->Items().Roots();
    const size_t i = size_t(Index());
    return i + 1 < siblings.size() ? siblings[i + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* next = n->GetNextSibling()) return next;
    return nullptr;
}

bool TTreeNode::Expanded() const {
    if (item_ && tree_->HandleAllocated()) {
        TVITEMA tv;
        tv.mask = TVIF_HANDLE | TVIF_STATE;
        tv.hItem = item_;
        tv.stateMask = TVIS_EXPANDED;
        if (SendMessage(tree_->Handle(), TVM_GETITEMA, 0, LPARAM(&tv)))
            return (tv.state & TVIS_EXPANDED) != 0;
    }
    return expanded_;
}

void TTreeNode::SetExpanded(bool value) {
    expanded_ = value;
    if (item_ && tree_->HandleAllocated())
        SendMessage(tree_->Handle(), TVM_EXPAND, value ? TVE_EXPAND : TVE_COLLAPSE, LPARAM(item_));
}

bool TTreeNode::Selected() const { return tree_->Selected() == this; }

TTreeNode* TTreeNode::AddChildNode(std::string text) {
    children_.push_back(std::make_unique<TTreeNode>(tree_, this, std::move(text)));
    return children_.back().get();
}
