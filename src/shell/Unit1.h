#pragma once
// The main window: the course in the HTML view, the contents tree in a pane the contents button
// shows and hides, the main menu, the tool bar with its caption panel and title label, the
// status bar with its clock, and the welcome panel over the view until the reader starts.
#include <memory>
#include <string>

#include "controls/sCoolBar.h"
#include "controls/sSpeedButton.h"
#include "controls/sToolBar.h"
#include "shell/Navigation.h"
#include "skin/sSkinManager.h"
#include "toolkit/CoolBar.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/MainMenu.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/Splitter.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/ToolBar.h"
#include "toolkit/ToolButton.h"
#include "toolkit/TreeView.h"
#include "toolkit/WebBrowser.h"
#include "windows/sSkinProvider.h"

class TForm1 : public TForm {
  public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;
    const char* ClassName() const override { return "TForm1"; }

    TSplitter* sSplitter1;
    TSplitter* sSplitter2;
    TStatusBar* StatusBar1;
    TWebBrowser* WB1;
    TDirectoryListBox* DirectoryListBox1;
    TsCoolBar* sCoolBar1;
    TsToolBar* sToolBar1;
    TsSpeedButton* sSpeedButton1;
    TsSpeedButton* sSpeedButton2;
    TsSpeedButton* sSpeedButton5;
    TsSpeedButton* sSpeedButton3;
    TsSpeedButton* sSpeedButton6;
    TPanel* P;
    TLabel* sLabel1;
    TPageControl* PageC1;
    TTabSheet* sTabSheet1;
    TTreeView* TV1;
    TPanel* sPanel1;
    TLabel* sLabelFX1;
    TMainMenu* MainMenu1;
    TTimer* Timer1;
    TTimer* Timer2;
    TsSkinManager* sSkinManager1;
    TsSkinProvider* sSkinProvider1;

    void TV1Change(TComponent* sender, TTreeNode* node);
    void MenuItemClick(TMenuItem* item);
    void sSpeedButton1Click(TComponent* sender);
    void sSpeedButton2Click(TComponent* sender);
    void sSpeedButton5Click(TComponent* sender);
    void sSpeedButton3Click(TComponent* sender);
    void sSpeedButton6Click(TComponent* sender);
    void Timer1Timer(TComponent* sender);
    void Timer2Timer(TComponent* sender);
    void N10Click(TComponent* sender);

    TNavigator& Navigator() { return *navigator_; }

  private:
    void BuildToolBar();
    void BuildContentsPane();
    void BuildWelcomePanel();
    void BuildMainMenu();
    void BuildSkinManager();
    void FillContentsTree();
    TsSpeedButton* ToolSpeedButton(const char* name, int left, int width, int glyph,
                                   const char* hint);

    std::unique_ptr<TNavigator> navigator_;
};

extern TForm1* Form1;
