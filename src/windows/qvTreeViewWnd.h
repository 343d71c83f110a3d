#pragma once
// The wrapper of tree views: the tree takes the section's hot colour as its background and
// the first hot font colour as its text, and keeps them when the skin goes.
#include "windows/qvEditWnd.h"

class TqvTreeViewWnd : public TqvEditWnd {
  public:
    using TqvEditWnd::TqvEditWnd;
    ~TqvTreeViewWnd() override;

    void RestoreStandardLook() override;
    void ApplySkinLook() override;
    // The tree's background while skinned.
    TColor TreeBackground() const;

  protected:
    bool SkinnedMessage(TMessage& message) override;
    void AfterPassOn(const TMessage& message) override;
};
