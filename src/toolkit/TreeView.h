#pragma once
// The standard tree view, holding TTreeNodes. Nodes may be added before the window exists;
// they are inserted when it is made (and again when it is made anew).
#include <functional>

#include "toolkit/TreeNodes.h"
#include "toolkit/WinControl.h"

using TTVChangedEvent = std::function<void(TComponent* sender, TTreeNode* node)>;

class TTreeView : public TWinControl {
  public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    const char* ClassName() const override { return "TTreeView"; }

    TTreeNodes& Items() { return items_; }
    const TTreeNodes& Items() const { return items_; }
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);

    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value) { SetStyleFlag(showButtons_, value); }
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value) { SetStyleFlag(showLines_, value); }
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value) { SetStyleFlag(showRoot_, value); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { SetStyleFlag(hotTrack_, value); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { SetStyleFlag(hideSelection_, value); }
    bool ToolTips() const { return toolTips_; }
    void SetToolTips(bool value) { SetStyleFlag(toolTips_, value); }
    int Indent() const { return indent_; }
    void SetIndent(int value);

    // The selection moved (by mouse, keyboard or code); not raised for the node already selected.
    TTVChangedEvent OnChange;

    // Called by the nodes.
    void NodeAdded(TTreeNode* node);
    void NodesCleared();

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void DestroyWnd() override;
    void WndProc(TMessage& m) override;
    virtual void Change(TTreeNode* node);
    virtual void CNNotify(TMessage& m);
    DWORD TreeStyles() const;
    void ApplyColors();

    TTreeNodes items_;
    TTreeNode* selected_ = nullptr;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool hotTrack_ = false;
    bool hideSelection_ = true;
    bool toolTips_ = true;
    int indent_ = 19;
    bool clearing_ = false;

  private:
    void SetStyleFlag(bool& flag, bool value);
    void InsertItem(TTreeNode* node);
};
