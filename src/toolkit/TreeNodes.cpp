#include "toolkit/TreeNodes.h"

#include "toolkit/TreeView.h"

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    return AddChild(sibling ? sibling->Parent() : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    TTreeNode* node = nullptr;
    if (parent) {
        node = parent->AddChildNode(text);
    } else {
        roots_.push_back(std::make_unique<TTreeNode>(tree_, nullptr, text));
        node = roots_.back().get();
    }
    tree_->NodeAdded(node);
    return node;
}

int TTreeNodes::Count() const {
    int count = 0;
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    if (absoluteIndex < 0) return nullptr;
    TTreeNode* n = GetFirstNode();
    for (int i = 0; n && i < absoluteIndex; ++i) n = n->GetNext();
    return n;
}

// The window's items go first, so that no notification names a node already freed.
void TTreeNodes::Clear() {
    tree_->NodesCleared();
    roots_.clear();
}
