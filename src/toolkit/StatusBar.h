#pragma once
// The standard status bar along the bottom of a form: a row of panels with texts.
#include <string>
#include <vector>

#include "toolkit/WinControl.h"

struct TStatusPanel {
    int Width = 50;
    std::string Text;
};

class TStatusBar : public TWinControl {
  public:
    explicit TStatusBar(TComponent* owner);
    const char* ClassName() const override { return "TStatusBar"; }

    int PanelCount() const { return int(panels_.size()); }
    const TStatusPanel& Panel(int index) const { return panels_.at(size_t(index)); }
    // Appends a panel and returns its index.
    int AddPanel(int width, const std::string& text = {});
    void SetPanels(std::vector<TStatusPanel> panels);
    void SetPanelText(int index, const std::string& text);
    void SetPanelWidth(int index, int width);

    // One part across the whole bar showing SimpleText, instead of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    // Sends the part edges and every text to the window.
    virtual void UpdateParts();
    void SendText(int index, const std::string& text);

    std::vector<TStatusPanel> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};
