#pragma once
// One node of a tree view: its text, pictures, data and children. The node lives in the
// toolkit; the window's item (ItemId) exists while the tree view has a window.
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/TreeView.h"

class TTreeView;

class TTreeNode {
  public:
    TTreeNode(TTreeView* tree, TTreeNode* parent, std::string text);
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TTreeView* TreeView() const { return tree_; }
    TTreeNode* Parent() const { return parent_; }
    const std::string& Text() const { return text_; } // UTF-8
    void SetText(const std::string& text);
    // Depth from the roots, which are level 0.
    int Level() const;
    // Place in a pre-order walk of the whole tree, from 0.
    int AbsoluteIndex() const;
    // Place among its siblings.
    int Index() const;
    int Count() const { return int(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    TTreeNode* Item(int index) const { return children_.at(size_t(index)).get(); }
    TTreeNode* GetFirstChild() const {
        return children_.empty() ? nullptr : children_.front().get();
    }
    // The next node in pre-order, or null after the last.
    TTreeNode* GetNext() const;
    TTreeNode* GetNextSibling() const;

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    bool Expanded() const;
    void SetExpanded(bool value);
    void Expand() { SetExpanded(true); }
    void Collapse() { SetExpanded(false); }
    bool Selected() const;

    HTREEITEM ItemId() const { return item_; }

  private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode* AddChildNode(std::string text);
    void UpdateItem(UINT mask);

    TTreeView* tree_;
    TTreeNode* parent_;
    std::string text_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    void* data_ = nullptr;
    bool expanded_ = false; // kept while there is no window
    HTREEITEM item_ = nullptr;
};
