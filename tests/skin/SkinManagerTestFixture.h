#pragma once
// What the skin manager tests share: a fresh headless screen and application per test, and
// controls that record the skin commands they receive.
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "toolkit/Application.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Messages.h"

// One entry per skin command heard: who heard it and which code.
struct SkinCommandLog {
    std::vector<std::string> Entries;
    void Add(const std::string& who, const TMessage& m) {
        Entries.push_back(who + ":" + std::to_string(SkinCommandCode(m.WParam)));
    }
};

// Records every skin command; a skinned one also answers scIsSkinned.
template <typename Base>
class RecordingControl : public Base {
  public:
    explicit RecordingControl(TComponent* owner, SkinCommandLog* log = nullptr,
                              bool skinned = false)
        : Base(owner), log_(log), skinned_(skinned) {}
    // For forms, which the application makes without arguments.
    void Record(SkinCommandLog* log, bool skinned) {
        log_ = log;
        skinned_ = skinned;
    }
    // Called with every skin command the control records.
    std::function<void(const TMessage&)> Heard;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SM_ORVENCMD) {
            if (SkinCommandCode(m.WParam) == scIsSkinned) {
                if (skinned_) m.LParam = m.Result = 1;
                return;
            }
            if (log_) log_->Add(this->Name(), m);
            if (Heard) Heard(m);
            return;
        }
        Base::WndProc(m);
    }

  private:
    SkinCommandLog* log_;
    bool skinned_;
};
using RecordingWinControl = RecordingControl<TCustomControl>;
using RecordingGraphic = RecordingControl<TGraphicControl>;
using RecordingForm = RecordingControl<TForm>;

class SkinWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
    }
    void TearDown() override {
        app_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    template <typename T>
    T* Child(TWinControl* parent, const char* name, bool skinned) {
        T* c = parent->Make<T>(&log_, skinned);
        c->SetName(name);
        c->SetBounds(0, 0, 20, 20);
        c->SetParent(parent);
        return c;
    }
    std::unique_ptr<TApplication> app_;
    SkinCommandLog log_;
};
