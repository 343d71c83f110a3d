// Fading a control's look over timer ticks: the blends shown step by step, half the steps
// for a press, the reverse fade from where the last one got to, and what stops a fade.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "paint/sCommonData.h"
#include "paint/sFade.h"
#include "platform/backends/HeadlessBackend.h"
#include "skin/qvAnimEffects.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

namespace {

std::string Rgb(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c));
}

// The blend a step shows, per channel: (old*A + new*(255-A) + 127) >> 8.
std::string Blend(COLORREF old, COLORREF now, int a) {
    auto ch = [&](int o, int n) { return (o * a + n * (255 - a) + 127) >> 8; };
    return Rgb(RGB(ch(GetRValue(old), GetRValue(now)), ch(GetGValue(old), GetGValue(now)),
                   ch(GetBValue(old), GetBValue(now))));
}

// A windowless control whose look is one colour; it notes the colour of each picture it
// paints, the fade's blend while one runs.
class FadingButton : public TGraphicControl, public TsFadeHost {
  public:
    explicit FadingButton(TComponent* owner) : TGraphicControl(owner), skinData_(this, true) {}

    TsCommonData& FadeSkinData() override { return skinData_; }
    void RebuildCache() override {
        skinData_.SizeCacheBitmap();
        skinData_.CacheBitmap->Fill(Look);
        skinData_.CacheInvalid = false;
    }
    void RepaintNow() override { Repaint(); }
    std::unique_ptr<TsAnimTimer>& FadeTimer() override { return fade_; }

    COLORREF Look = 0;
    std::vector<std::string> Shown;
    int StopsHeard = 0;

  protected:
    void Paint() override {
        const Bitmap* picture = nullptr;
        if (fade_ && fade_->Enabled() && fade_->WorkImage->Width() == Width()) {
            picture = fade_->WorkImage.get();
        } else {
            if (skinData_.CacheInvalid) RebuildCache();
            picture = skinData_.CacheBitmap.get();
        }
        Shown.push_back(Rgb(picture->GetPixel(1, 1) & 0xFFFFFF));
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == SM_ORVENCMD) {
            if (SkinCommandCode(m.WParam) == scStopFading) {
                ++StopsHeard;
                StopFade(*this);
                return;
            }
            if (skinData_.HandleSkinCommand(m)) return;
        }
        TGraphicControl::WndProc(m);
    }

  private:
    TsCommonData skinData_;
    std::unique_ptr<TsAnimTimer> fade_; // goes before the skin data it points to
};

constexpr COLORREF kOld = RGB(0, 100, 200);
constexpr COLORREF kNew = RGB(250, 50, 10);

class FadeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        TsGeneralData section;
        section.SectionName = "FADER";
        section.FadingEnabled = true;
        section.FadingIterations = 5;
        manager_->SectionsData.push_back(section);
        manager_->SkinData.Loaded = true;
    }
    void TearDown() override {
        app_.reset();
        manager_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    TsGeneralData& Section() { return manager_->SectionsData[0]; }
    // A shown button painted in the old look, with the new one ready to fade to.
    FadingButton* ShownButton() {
        TForm* form = app_->CreateForm<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 60, 40);
        auto* button = form->Make<FadingButton>();
        button->FadeSkinData().SetSkinSection("FADER");
        button->SetBounds(10, 10, 20, 20);
        button->Look = kOld;
        button->SetParent(form);
        form->Show();
        ProcessPendingMessages();
        button->Shown.clear();
        button->Look = kNew;
        return button;
    }
    static void Ticks(int count) {
        for (int i = 0; i < count; ++i) AdvanceClock(TsAnimTimer::kIntervalMs);
    }
    std::unique_ptr<TApplication> app_;
    std::unique_ptr<TsSkinManager> manager_;
};

TEST_F(FadeTest, EachTickShowsTheNextBlendUntilTheNewLookStays) {
    struct Case {
        const char* what;
        bool enabled;
        int iterations;
        bool half;
        std::vector<int> weights; // the old look's A in each step shown
    };
    const Case cases[] = {
        {"a fresh fade: 255 - 256k div 5", true, 5, false, {204, 153, 102, 51, 0}},
        {"seven steps: 256k div 7 is not 255k div 7",
         true,
         7,
         false,
         {219, 182, 146, 109, 73, 36, 0}},
        {"a press: 5 div 2 steps, 255 - 256k div 2", true, 5, true, {127, 0}},
        {"no iterations: at once", true, 0, false, {}},
        {"one iteration halved: at once", true, 1, true, {}},
        {"a section that does not fade: at once", false, 5, false, {}},
    };
    for (const Case& c : cases) {
        Section().FadingEnabled = c.enabled;
        Section().FadingIterations = c.iterations;
        FadingButton* button = ShownButton();
        ChangeState(*button, c.half, true);
        Ticks(10);
        std::vector<std::string> expected;
        for (int a : c.weights) expected.push_back(Blend(kOld, kNew, a));
        expected.push_back(Rgb(kNew)); // the cache once the fade stops
        EXPECT_EQ(button->Shown, expected) << c.what;
        EXPECT_EQ(button->StopsHeard, c.weights.empty() ? 0 : 1) << c.what;
        EXPECT_EQ(button->FadeTimer(), nullptr) << c.what;
        delete button->Parent();
    }
}

TEST_F(FadeTest, LeavingMidFadeStartsTheReverseWhereTheHoverFadeGotTo) {
    FadingButton* button = ShownButton();
    ChangeState(*button, false, true); // enter: step 1 at once
    Ticks(1);                          // step 2; the timer counts on to 3
    button->Look = kOld;
    ChangeState(*button, false, true); // leave: 5 - 3 = 2 steps were left
    Ticks(10);
    // The reverse fade starts at step 2 from the hover look towards the old one.
    EXPECT_EQ(button->Shown,
              (std::vector<std::string>{Blend(kOld, kNew, 204), Blend(kOld, kNew, 153),
                                        Blend(kNew, kOld, 153), Blend(kNew, kOld, 102),
                                        Blend(kNew, kOld, 51), Blend(kNew, kOld, 0), Rgb(kOld)}));
    EXPECT_EQ(button->StopsHeard, 1);
}

TEST_F(FadeTest, WhatStopsAFadeOrKeepsOneFromStarting) {
    // A skin change reaches the button through its form and stops the fade at once.
    FadingButton* button = ShownButton();
    ChangeState(*button, false, true);
    manager_->BroadcastToForms(SkinCommandWParam(scStopFading), LPARAM(manager_.get()));
    EXPECT_EQ(button->FadeTimer(), nullptr);
    Ticks(10);
    EXPECT_EQ(button->Shown, (std::vector<std::string>{Blend(kOld, kNew, 204), Rgb(kNew)}));
    delete button->Parent();

    struct Case {
        const char* what;
        bool animate, cacheValid, switching;
    };
    const Case cases[] = {
        {"the event does not animate", false, true, false},
        {"the cache was not valid", true, false, false},
        {"a skin is being loaded", true, true, true},
    };
    for (const Case& c : cases) {
        button = ShownButton();
        button->FadeSkinData().CacheInvalid = !c.cacheValid;
        SkinSwitching = c.switching;
        ChangeState(*button, false, c.animate);
        SkinSwitching = false;
        EXPECT_EQ(button->FadeTimer(), nullptr) << c.what;
        Ticks(3);
        EXPECT_EQ(button->Shown, std::vector<std::string>{Rgb(kNew)}) << c.what;
        delete button->Parent();
    }
}

TEST(FadeEvents, TheControlsSetOrTheGlobalOneDecides) {
    const TqvButtonEvents saved = ButtonFadeEvents;
    struct Case {
        int event;
        TqvAnimatEvents own;
        TqvButtonEvents global;
        bool animates;
    };
    const Case cases[] = {
        {anMouseEnter, aeMouseEnter, 0, true},
        {anMouseLeave, aeMouseEnter, kAllButtonEvents, false},
        {anMouseDown, aeGlobalDef, kAllButtonEvents, true},
        {anMouseDown, aeGlobalDef, beMouseEnter | beMouseLeave, false},
        {anMouseUp, aeGlobalDef | aeMouseUp, 0, true},
        {anMouseUp, aeGlobalDef, beMouseUp, true},
        {8, 0xFFFFFFFFu, kAllButtonEvents, false},
        {-1, 0xFFFFFFFFu, kAllButtonEvents, false},
    };
    for (const Case& c : cases) {
        ButtonFadeEvents = c.global;
        EXPECT_EQ(EventAnimates(c.event, c.own), c.animates)
            << "event " << c.event << " own " << c.own << " global " << c.global;
    }
    ButtonFadeEvents = saved;
}

} // namespace
