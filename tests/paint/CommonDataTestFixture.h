#pragma once
// What the skin data tests share: controls that own skin data and pass their messages to it
// first, and a skin manager whose sections and images the test writes straight into it.
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "paint/sCommonData.h"
#include "paint/sMaskData.h"
#include "skin/SkinManagerTestFixture.h"
#include "skin/sSkinManager.h"

// A control that owns skin data (of the given kind) and logs the skin commands it hears.
template <typename Base>
class SkinnedHost : public Base {
  public:
    explicit SkinnedHost(TComponent* owner, SkinCommandLog* log = nullptr, int kind = 0)
        : Base(owner), SkinData(std::make_unique<TsCommonData>(this, true)), log_(log) {
        SkinData->ControlKind = kind;
    }
    ~SkinnedHost() override { this->Destroying(); }
    const char* ClassName() const override { return "TTestHost"; }
    std::unique_ptr<TsCommonData> SkinData;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SM_ORVENCMD && log_ && SkinCommandCode(m.WParam) != scIsSkinned)
            log_->Add(this->Name(), m);
        if (SkinData && SkinData->HandleMessage(m)) return;
        Base::WndProc(m);
    }

  private:
    SkinCommandLog* log_;
};
using SkinnedWin = SkinnedHost<TCustomControl>;
using SkinnedGraphic = SkinnedHost<TGraphicControl>;

class CommonDataTest : public SkinWindowTest {
  protected:
    void SetUp() override {
        SkinWindowTest::SetUp();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        ASSERT_EQ(PrimaryManager, manager_.get());
        manager_->MasterBitmap = std::make_unique<Bitmap>(16, 16, 24);
        manager_->SkinData.Loaded = true;
        form_ = app_->CreateForm<TForm>();
        form_->SetBounds(0, 0, 200, 150);
    }
    void TearDown() override {
        manager_.reset();
        ParentBgColor = KeyColor;
        ParentFillColor = KeyColor;
        SkinWindowTest::TearDown();
    }
    // A plain section of the given colour.
    TsGeneralData& AddSection(const std::string& name, TColor color = 0xFFFFFF) {
        TsGeneralData gd;
        gd.SectionName = name;
        gd.Color = color;
        manager_->SectionsData.push_back(std::move(gd));
        return manager_->SectionsData.back();
    }
    // An image of the master bitmap.
    int AddImage(const std::string& section, const std::string& property, RECT r, int frames,
                 int maskType, TqvImgType type = itisaBorder) {
        TsMaskData md;
        md.SectionName = section;
        md.PropertyName = property;
        md.R = r;
        md.ImageCount = int16_t(frames);
        md.MaskType = int16_t(maskType);
        md.ImgType = type;
        md.Manager = manager_.get();
        manager_->MasksData.push_back(std::move(md));
        return int(manager_->MasksData.size()) - 1;
    }
    template <typename T = SkinnedWin>
    T* Host(TWinControl* parent, const char* name, int kind = 0, const char* section = nullptr) {
        T* c = parent->Make<T>(&log_, kind);
        c->SetName(name);
        c->SetBounds(0, 0, 20, 20);
        c->SetParent(parent);
        if (section) c->SkinData->SetSkinSection(section);
        return c;
    }
    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
};
