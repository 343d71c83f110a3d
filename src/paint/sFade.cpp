#include "paint/sFade.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sCommonData.h"
#include "skin/qvAnimEffects.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinRecords.h"
#include "toolkit/Application.h"
#include "toolkit/WinControl.h"

namespace {

TControl* AnimatedControl(const TsCommonData* skinData) {
    return skinData ? skinData->HostControl : nullptr;
}

bool SkinChangeUnderWay() { return SkinSwitching || ApplyInProgress || StripInProgress; }

bool SectionFades(const TsCommonData& skinData) {
    const TsGeneralData* section = skinData.Section();
    return section && section->FadingEnabled;
}

} // namespace

// ---- The timer

TsAnimTimer::TsAnimTimer()
    : TTimer(nullptr), StartImage(NewBitmap24(0, 0)), WorkImage(NewBitmap24(0, 0)) {
    SetEnabled(false);
}

void TsAnimTimer::Setup(TsCommonData* skinData) {
    SkinData = skinData;
    SetInterval(kIntervalMs);
    const TsGeneralData* section = skinData ? skinData->Section() : nullptr;
    StepCount = section ? section->FadingIterations : 0;
}

void TsAnimTimer::Timer() {
    if (IsDestroying() || Finished()) return;
    DoStep();
}

bool TsAnimTimer::Finished() {
    TControl* control = AnimatedControl(SkinData);
    if (IsDestroying() || !control || control->IsDestroying() ||
        (Application && Application->Terminated()))
        return true;
    if (Step >= 0 && Step <= StepCount) return false;
    control->Perform(SM_ORVENCMD, SkinCommandWParam(scStopFading),
                     LPARAM(SkinData->GetSkinManager()));
    return true;
}

void TsAnimTimer::DoStep() {
    TControl* control = AnimatedControl(SkinData);
    if (Stepping || !control || control->IsDestroying() || StepCount == 0 || Step < 0) {
        ++Step;
        return;
    }
    // The counters move on even when showing the step fails.
    struct StepEnd {
        TsAnimTimer& timer;
        ~StepEnd() {
            ++timer.Step;
            timer.Stepping = false;
        }
    } end{*this};
    Stepping = true;
    const int alpha = std::clamp(255 - Step * 256 / StepCount, 0, 255);
    *WorkImage = *StartImage;
    // d = (old*A + new*(255-A) + 127) >> 8: the old look keeps A of 255.
    if (SkinData->CacheBitmap) BlendImagesWhole(*WorkImage, *SkinData->CacheBitmap, alpha);
    Present();
}

void TsAnimTimer::Present() {
    TControl* control = AnimatedControl(SkinData);
    if (!control) return;
    TWinControl* parent = control->Parent();
    if (parent) SendSkinCommand(parent, SkinCommandWParam(scSetPaintingChild), LPARAM(control));
    SendSkinCommand(control, SkinCommandWParam(scSetUpdating, 0), 0);
    control->Repaint();
    if (parent) SendSkinCommand(parent, SkinCommandWParam(scSetPaintingChild), 0);
}

// ---- The control's side

bool EventAnimates(int event, TqvAnimatEvents controlEvents) {
    if (event < 0 || event > 7) return false;
    const unsigned bit = 1u << unsigned(event);
    if (controlEvents & bit) return true;
    return (controlEvents & aeGlobalDef) && (ButtonFadeEvents & bit);
}

void ChangeState(TsFadeHost& host, bool half, bool animate) {
    TsCommonData& skinData = host.FadeSkinData();
    const bool fades = animate && !SkinChangeUnderWay() && skinData.SkinActive() &&
                       SectionFades(skinData) && !skinData.CacheInvalid;
    skinData.CacheInvalid = true;
    if (fades) {
        StartFade(host, half);
        return;
    }
    StopFade(host);
    host.RepaintNow();
}

void StartFade(TsFadeHost& host, bool half) {
    TsCommonData& skinData = host.FadeSkinData();
    if (TControl* control = AnimatedControl(&skinData); control && control->Designing()) return;
    int32_t remaining = 1;
    if (std::unique_ptr<TsAnimTimer>& running = host.FadeTimer()) {
        remaining = running->StepCount - running->Step;
        running.reset();
    }
    if (!SectionFades(skinData)) return;

    auto timer = std::make_unique<TsAnimTimer>();
    timer->Setup(&skinData);
    if (half) timer->StepCount /= 2;
    if (timer->StepCount <= 0) {
        // No steps to show: the new look comes at once rather than on the first tick.
        skinData.CacheInvalid = true;
        host.RepaintNow();
        return;
    }
    timer->Step = remaining;
    if (skinData.CacheBitmap) *timer->StartImage = *skinData.CacheBitmap;

    host.RebuildCache();
    FillAllCorners(skinData, 1);
    TsAnimTimer* fade = (host.FadeTimer() = std::move(timer)).get();
    fade->SetEnabled(true);
    fade->DoStep();
}

void StopFade(TsFadeHost& host) {
    TsAnimTimer* timer = host.FadeTimer().get();
    if (!timer) return;
    TsCommonData& skinData = host.FadeSkinData();
    TControl* control = AnimatedControl(&skinData);
    if (control && !control->IsDestroying() && !control->Designing()) {
        timer->SetEnabled(false);
        if (timer->Step != 0) {
            skinData.CacheInvalid = true;
            host.RepaintNow();
        }
    }
    // Repainting may have replaced the fade already; only this one goes.
    if (host.FadeTimer().get() == timer) host.FadeTimer().reset();
}
