#pragma once
// The nodes of a tree view, in order: the roots own their children.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/TreeNode.h"

class TTreeNodes {
  public:
    explicit TTreeNodes(TTreeView* tree) : tree_(tree) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // A node after the last sibling of `sibling` (a root when sibling is null).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    // A node after the last child of `parent` (a root when parent is null).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    // Every node, in pre-order.
    int Count() const;
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    void Clear();

    const std::vector<std::unique_ptr<TTreeNode>>& Roots() const { return roots_; }

  private:
    friend class TTreeNode;
    TTreeView* tree_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
};
