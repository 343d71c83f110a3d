#include "shell/Unit3.h"

#include "controls/sLabel.h"
#include "shell/AboutTexts.h"

TForm3* Form3 = nullptr;

namespace {

TLabel* MakeLabel(TForm3* form, const char* name, RECT bounds, std::string_view text,
                  const char* face, int height, BYTE charset, unsigned style) {
    auto* label = form->Make<TsLabelFX>();
    label->SetName(name);
    label->SetBounds(bounds.left, bounds.top, WidthOf(bounds), HeightOf(bounds));
    label->SetCaption(std::string(text));
    label->Font().SetName(face);
    label->Font().SetHeight(height);
    label->Font().SetCharset(charset);
    label->Font().SetStyle(style);
    label->SetParent(form);
    return label;
}

} // namespace

TForm3::TForm3(TComponent* owner) : TForm(owner) {
    Form3 = this;
    BeginLoading();
    SetName("Form3");
    SetCaption("Авторлар ");
    SetBorderStyle(bsDialog);
    SetPosition(poDesigned);
    SetClientSize(475, 402);
    SetBounds(399, 216, Width(), Height());
    const TAboutTexts& t = AboutTexts();
    sLabelFX1 = MakeLabel(this, "sLabelFX1", {16, 16, 242, 45}, t.Heading, "Times New Roman", 19,
                          kCyrillicCharset, 0);
    sLabelFX2 = MakeLabel(this, "sLabelFX2", {24, 64, 434, 129}, t.Institution, "Times New Roman",
                          16, kCyrillicCharset, fsBold);
    sLabelFX3 = MakeLabel(this, "sLabelFX3", {32, 144, 406, 192}, t.Teachers, "MS Sans Serif", 16,
                          kDefaultCharset, fsBold);
    sLabelFX4 = MakeLabel(this, "sLabelFX4", {16, 208, 473, 252}, t.Programme, "Arial", 15,
                          kCyrillicCharset, fsBold);
    sLabelFX5 = MakeLabel(this, "sLabelFX5", {104, 272, 358, 302}, t.Student, "Arial Black", 15,
                          kCyrillicCharset, fsBold);
    BitBtn1 = Make<TBitBtn>();
    BitBtn1->SetName("BitBtn1");
    BitBtn1->SetBounds(200, 336, 75, 25);
    BitBtn1->SetCaption(std::string(t.ExitButton));
    BitBtn1->SetTabOrder(0);
    BitBtn1->OnClick = [this](TComponent* sender) { BitBtn1Click(sender); };
    BitBtn1->SetParent(this);
    EndLoading();
    DoCreate();
}

void TForm3::BitBtn1Click(TComponent*) { Close(); }
