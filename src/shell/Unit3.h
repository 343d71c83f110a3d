#pragma once
// The About window: the program's authors and a button that closes it.
#include "toolkit/BitBtn.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

class TForm3 : public TForm {
  public:
    explicit TForm3(TComponent* owner);
    const char* ClassName() const override { return "TForm3"; }

    TLabel* sLabelFX1;
    TLabel* sLabelFX2;
    TLabel* sLabelFX3;
    TLabel* sLabelFX4;
    TLabel* sLabelFX5;
    TBitBtn* BitBtn1;

    void BitBtn1Click(TComponent* sender);
};

extern TForm3* Form3;
