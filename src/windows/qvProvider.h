#pragma once
// What the skin manager's window hook makes for a form of the program that has no skin
// provider of its own when it is first activated: a provider component on the form. The
// component belongs to the form and lives as long as the form; this object only records it.
#include "platform/core/Handles.h"
#include "skin/sHookedWrapper.h"

class TForm;
class TsSkinManager;
class TsSkinProvider;

class TqvProvider : public TsHookedWrapper {
  public:
    // skinMenu false leaves out the skin-selection submenu (message dialogs).
    TqvProvider(TForm* form, TsSkinManager* manager, bool skinMenu);
    HWND Window() const override { return window_; }
    bool Attached() const override { return FormProvider != nullptr; }

    // 0 for forms: their own painting covers every area.
    unsigned char LayoutKind = 0;
    TsSkinProvider* FormProvider = nullptr;

  private:
    HWND window_ = nullptr;
};
