#pragma once
// What the course holds and where the reader reaches it: the contents tree's nodes, the menu
// items that open documents, and the main menu as the forms build it. Texts are UTF-8; the
// tree and caption texts can also be had in the Kazakh font encoding, in which the tree
// control and the caption panel hold them.
#include <span>
#include <string>
#include <string_view>

// One node of the contents tree. An empty Document or Caption means the node has none
// (the group nodes).
struct TContentNode {
    int Level = 1; // 1 for the top level
    std::string_view Text;
    std::string_view Document; // relative to the content folder, starting with a backslash
    std::string_view Caption;  // written into the caption panel when the node is chosen
};

// A menu item that opens a document.
struct TMenuDocument {
    std::string_view Name; // the item's name, such as "N23"
    std::string_view Document;
    std::string_view Caption;
    bool HidesTitleLabel = true;
};

// One item of the main menu, in the order the menu shows them. An empty Handler means the
// item only opens its submenu (or, for the spacer, does nothing).
struct TMainMenuItem {
    std::string_view Name;
    int Level = 1;
    std::string_view Caption;
    std::string_view Handler;
};

class ContentMap {
  public:
    static constexpr int kTreeNodeCount = 32;

    // In pre-order, so that a node's position is its absolute index.
    static std::span<const TContentNode> TreeNodes();
    // Null for an index outside the tree.
    static const TContentNode* TreeNode(int absoluteIndex);

    static std::span<const TMenuDocument> MenuDocuments();
    // Null for an item that opens no document (groups, the syllabus item, "about", unknown).
    static const TMenuDocument* MenuDocument(std::string_view itemName);

    static std::span<const TMainMenuItem> MainMenu();

    // The tree texts in the Kazakh font encoding; empty for an index outside the tree.
    static std::string TreeTextKazakh(int absoluteIndex);
    static std::string TreeCaptionKazakh(int absoluteIndex);
};
