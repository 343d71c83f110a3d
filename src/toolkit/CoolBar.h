#pragma once
// The standard cool bar: bands holding controls (a tool bar) behind a grip. The window lays
// the bands out and moves their controls; the controls' bounds follow what it did. With
// AutoSize the bar is as high as its bands. A band's header shows its ImageIndex from Images.
#include <vector>

#include "toolkit/CoolBand.h"
#include "toolkit/ImageList.h"
#include "toolkit/TabImages.h"
#include "toolkit/WinControl.h"

class TCoolBar : public TWinControl {
  public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;
    const char* ClassName() const override { return "TCoolBar"; }

    int BandCount() const { return int(bands_.size()); }
    const TCoolBand& Band(int index) const { return bands_.at(size_t(index)); }
    int AddBand(const TCoolBand& band);
    void SetBand(int index, const TCoolBand& band);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* images);

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SendImages();
    void WndProc(TMessage& m) override;
    void AlignControls(RECT& rect) override;
    void InsertBands();
    // Reads back where the window put the bands' controls, and fits the bar's height.
    void FollowBands();
    void ReadBackControls();
    TWinControl* BandControl(const TCoolBand& band) const;
    HWND ChildWindow(const TCoolBand& band) const;
    // The band's index in the window, which holds only the visible bands; -1 when hidden.
    int WindowIndex(int index) const;
    void ShowBandControl(const TCoolBand& band);

    std::vector<TCoolBand> bands_;
    TTabImages images_; // lent to the window, which draws the headers' images through it
    bool autoSize_ = false;
    bool following_ = false;
};
