#pragma once
// The skinned system menu of a form: the six window commands and, on top, the submenu that
// switches among the available skins.
#include <string>

#include "windows/sSystemCommands.h"
#include "windows/sWindowCommandMenu.h"

class TForm;
class TMenuItem;
class TsSkinManager;

class TsSystemMenu : public TsWindowCommandMenu {
  public:
    TsSystemMenu(TComponent* owner, TForm* form);
    ~TsSystemMenu() override;
    const char* ClassName() const override { return "TsSystemMenu"; }

    TForm* Form() const { return form_; }
    TMenuItem* ItemRestore = nullptr;
    TMenuItem* ItemMove = nullptr;
    TMenuItem* ItemSize = nullptr;
    TMenuItem* ItemMinimize = nullptr;
    TMenuItem* ItemMaximize = nullptr;
    TMenuItem* ItemClose = nullptr;

    // Visibility and enabling from the command table; Move always shows, Close always works.
    void UpdateItems(const TsCommandFacts& facts);
    // Puts the "Available skins" submenu (SkinSelectItem) at the top again from the manager's
    // list of skins; without skins there is none.
    void RebuildSkinItems(TsSkinManager& manager);
    // The skin submenu, or null.
    TMenuItem* SkinSelectItem() const;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

    void RunCommand(WPARAM command) override;

  private:
    void RemoveSkinItems();
    void ChooseSkin(const TMenuItem& item);

    TForm* form_;
    TsSkinManager* manager_ = nullptr;
};

// The caption without its accelerator marks.
std::string WithoutAmpersands(const std::string& caption);
