#include "shell/Unit1.h"

#include <ctime>
#include <vector>

#include "controls/sLabel.h"
#include "controls/sPageControl.h"
#include "controls/sPanel.h"
#include "controls/sSplitter.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Locale.h"
#include "shell/Art.h"
#include "shell/ContentMap.h"
#include "shell/StoredSkinData.h"
#include "shell/TitleMotion.h"
#include "shell/Unit3.h"
#include "shell/Unit4.h"

TForm1* Form1 = nullptr;

namespace {

template <typename T>
T* Named(TForm1* form, const char* name) {
    T* c = form->Make<T>();
    c->SetName(name);
    return c;
}

void Place(TControl* c, int left, int top, int width, int height, TWinControl* parent) {
    c->SetBounds(left, top, width, height);
    c->SetParent(parent);
}

void SetFont(TControl* c, const char* face, int height, BYTE charset,
             TColor color = SysColor(COLOR_WINDOWTEXT)) {
    c->Font().SetName(face);
    c->Font().SetHeight(height);
    c->Font().SetCharset(charset);
    c->Font().SetColor(color);
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    BeginLoading();
    SetName("Form1");
    SetCaption("СТАТИСТИКА");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biMaximize);
    SetPosition(poScreenCenter);
    SetClientSize(928, 621);
    SetIcon(TArt::WindowIcon(32), TArt::WindowIcon(16));

    auto* splitter1 = Named<TsSplitter>(this, "sSplitter1");
    splitter1->SkinData->SetSkinSection("SPLITTER");
    sSplitter1 = splitter1;
    sSplitter1->SetAlign(alLeft);
    sSplitter1->SetAutoSnap(false);
    sSplitter1->SetEnabled(false);
    Place(sSplitter1, 0, 41, 13, 560, this);

    auto* splitter2 = Named<TsSplitter>(this, "sSplitter2");
    splitter2->SkinData->SetSkinSection("SPLITTER");
    sSplitter2 = splitter2;
    sSplitter2->SetAlign(alRight);
    sSplitter2->SetAutoSnap(false);
    sSplitter2->SetEnabled(false);
    Place(sSplitter2, 547, 41, 13, 560, this);

    StatusBar1 = Named<TStatusBar>(this, "StatusBar1");
    StatusBar1->SetAlign(alBottom);
    StatusBar1->SetBorderWidth(1);
    StatusBar1->SetSizeGrip(false); // the window cannot be resized
    for (int i = 0; i < 3; ++i) StatusBar1->AddPanel(100);
    Place(StatusBar1, 0, 601, 928, 20, this);

    WB1 = Named<TWebBrowser>(this, "WB1");
    WB1->SetAlign(alClient);
    WB1->SetTabOrder(1);
    Place(WB1, 13, 41, 534, 560, this);

    DirectoryListBox1 = Named<TDirectoryListBox>(this, "DirectoryListBox1");
    DirectoryListBox1->SetVisible(false);
    DirectoryListBox1->SetTabOrder(2);
    Place(DirectoryListBox1, 616, 8, 81, 20, this);

    BuildToolBar();
    BuildContentsPane();
    BuildWelcomePanel();
    BuildMainMenu();

    Timer1 = Named<TTimer>(this, "Timer1");
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TComponent* s) { Timer1Timer(s); };
    Timer2 = Named<TTimer>(this, "Timer2");
    Timer2->SetInterval(300);
    Timer2->OnTimer = [this](TComponent* s) { Timer2Timer(s); };
    BuildSkinManager();
    sSkinProvider1 = Named<TsSkinProvider>(this, "sSkinProvider1");
    sSkinProvider1->SkinData->SetSkinSection("FORM");

    navigator_ = std::make_unique<TNavigator>(
        DirectoryListBox1->Directory(),
        TNavigatorEvents{
            [this](const std::string& path) { return int(WB1->Navigate(path)); },
            [this](const std::string& text) { P->SetCaption(text); },
            [this] { sLabel1->Hide(); },
            [this] { sPanel1->Hide(); },
            [this] { return sSpeedButton5->Enabled(); },
        });
    EndLoading();
    DoCreate();
}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

TsSpeedButton* TForm1::ToolSpeedButton(const char* name, int left, int width, int glyph,
                                       const char* hint) {
    auto* b = Named<TsSpeedButton>(this, name);
    b->SkinData()->SetSkinSection("SPEEDBUTTON");
    b->SetGlyph(TArt::ToolGlyph(TToolGlyph(glyph)));
    b->SetNumGlyphs(2);
    if (hint) {
        b->SetHint(hint);
        b->SetShowHint(true);
    }
    Place(b, left, 0, width, 30, sToolBar1);
    return b;
}

void TForm1::BuildToolBar() {
    sCoolBar1 = Named<TsCoolBar>(this, "sCoolBar1");
    sCoolBar1->SetAlign(alTop);
    sCoolBar1->SkinData->SetSkinSection("TOOLBAR");
    Place(sCoolBar1, 0, 0, 928, 41, this);

    sToolBar1 = Named<TsToolBar>(this, "sToolBar1");
    sToolBar1->SkinData->SetSkinSection("TOOLBAR");
    sToolBar1->SetCaption("sToolBar1");
    sToolBar1->SetButtonHeight(30);
    sToolBar1->SetTabStop(true);
    sToolBar1->SetTabOrder(0);
    Place(sToolBar1, 9, 0, 911, 37, sCoolBar1);
    TCoolBand band;
    band.Control = sToolBar1;
    band.MinHeight = 37;
    band.Width = 924;
    sCoolBar1->AddBand(band);

    const auto separator = [this](const char* name, int left, int width) {
        auto* s = Named<TToolButton>(this, name);
        s->SetStyle(tbsSeparator);
        Place(s, left, 0, width, 30, sToolBar1);
    };
    separator("ToolButton2", 0, 8);
    sSpeedButton1 = ToolSpeedButton("sSpeedButton1", 8, 30, int(TToolGlyph::Back), "АРТҚА");
    sSpeedButton1->SetGroupIndex(1);
    sSpeedButton1->SetAllowAllUp(true);
    sSpeedButton1->SetBlend(1);
    sSpeedButton1->OnClick = [this](TComponent* s) { sSpeedButton1Click(s); };
    separator("ToolButton3", 38, 8);
    sSpeedButton2 = ToolSpeedButton("sSpeedButton2", 46, 30, int(TToolGlyph::Forward), "АЛҒА");
    sSpeedButton2->SetGroupIndex(1);
    sSpeedButton2->SetAllowAllUp(true);
    sSpeedButton2->SetBlend(1);
    sSpeedButton2->OnClick = [this](TComponent* s) { sSpeedButton2Click(s); };
    separator("ToolButton4", 76, 13);
    sSpeedButton5 = ToolSpeedButton("sSpeedButton5", 89, 30, int(TToolGlyph::Contents), "МАЗМҰНЫ");
    sSpeedButton5->SetGroupIndex(2);
    sSpeedButton5->SetAllowAllUp(true);
    sSpeedButton5->SetButtonStyle(tbsCheck);
    sSpeedButton5->OnClick = [this](TComponent* s) { sSpeedButton5Click(s); };
    separator("ToolButton5", 119, 8);
    sSpeedButton3 = ToolSpeedButton("sSpeedButton3", 127, 28, int(TToolGlyph::Print), nullptr);
    sSpeedButton3->OnClick = [this](TComponent* s) { sSpeedButton3Click(s); };
    separator("ToolButton1", 155, 8);
    sSpeedButton6 = ToolSpeedButton("sSpeedButton6", 163, 30, int(TToolGlyph::Exit), "ШЫҒУ");
    sSpeedButton6->SetGroupIndex(2);
    sSpeedButton6->SetAllowAllUp(true);
    sSpeedButton6->OnClick = [this](TComponent* s) { sSpeedButton6Click(s); };
    separator("ToolButton6", 193, 8);

    auto* captionPanel = Named<TsPanel>(this, "P");
    captionPanel->SkinData->SetSkinSection("PANEL");
    P = captionPanel;
    P->SetAlign(alTop);
    SetFont(P, "Tahoma", 17, kCyrillicCharset);
    P->SetTabOrder(0);
    Place(P, 201, 0, 704, 30, sToolBar1);

    auto* titleLabel = Named<TsLabel>(this, "sLabel1");
    titleLabel->SetSkinSection("WEBBUTTON");
    titleLabel->SetUseSkinColor(false);
    sLabel1 = titleLabel;
    sLabel1->SetCaption("Статистика");
    sLabel1->SetAlignment(taCenter);
    sLabel1->SetLayout(tlCenter);
    sLabel1->SetAutoSize(false);
    sLabel1->SetColor(RGB(0, 0, 0));
    SetFont(sLabel1, "Tahoma", 17, kCyrillicCharset, RGB(0, 0, 0));
    sLabel1->SetShowHint(false);
    // Drawn over the caption panel: the skinned label paints on a copy of the panel's picture.
    sLabel1->SetTransparent(true);
    Place(sLabel1, 308, 2, 88, 21, P);
}

void TForm1::BuildContentsPane() {
    auto* pageControl = Named<TsPageControl>(this, "PageC1");
    pageControl->SkinData->SetSkinSection("PAGECONTROL");
    PageC1 = pageControl;
    PageC1->SetAlign(alRight);
    SetFont(PageC1, "Tahoma", 16, kCyrillicCharset);
    PageC1->SetTabOrder(4);
    PageC1->SetVisible(false);
    Place(PageC1, 560, 41, 368, 560, this);

    auto* contentsSheet = Named<TsTabSheet>(this, "sTabSheet1");
    contentsSheet->SetTabSkin("DIALOG");
    sTabSheet1 = contentsSheet;
    sTabSheet1->SetCaption(std::string(26, ' ') + "МАЗМҰНЫ" + std::string(27, ' '));
    sTabSheet1->SetPageControl(PageC1);

    TV1 = Named<TTreeView>(this, "TV1");
    TV1->SetAlign(alClient);
    SetFont(TV1, "Tahoma", 15, kCyrillicCharset);
    TV1->SetHideSelection(false);
    TV1->SetHotTrack(true);
    TV1->SetIndent(19);
    TV1->SetShowLines(false);
    TV1->SetToolTips(false);
    TV1->SetTabOrder(0);
    TV1->OnChange = [this](TComponent* s, TTreeNode* node) { TV1Change(s, node); };
    Place(TV1, 0, 0, 360, 526, sTabSheet1);
    FillContentsTree();
}

void TForm1::FillContentsTree() {
    // Pre-order: a node's parent is the nearest earlier node one level up.
    std::vector<TTreeNode*> levels;
    for (const TContentNode& n : ContentMap::TreeNodes()) {
        levels.resize(size_t(n.Level - 1));
        TTreeNode* parent = levels.empty() ? nullptr : levels.back();
        levels.push_back(TV1->Items().AddChild(parent, std::string(n.Text)));
    }
}

void TForm1::BuildWelcomePanel() {
    auto* welcomePanel = Named<TsPanel>(this, "sPanel1");
    welcomePanel->SkinData->SetSkinSection("PANEL");
    sPanel1 = welcomePanel;
    sPanel1->SetAlign(alClient);
    SetFont(sPanel1, "Times New Roman", 19, kDefaultCharset, RGB(255, 255, 0));
    sPanel1->Font().SetPitch(fpVariable);
    sPanel1->SetTabOrder(5);
    Place(sPanel1, 13, 41, 534, 560, this);

    auto* titleFX = Named<TsLabelFX>(this, "sLabelFX1");
    titleFX->Kind->SetColor(RGB(255, 0, 0));
    titleFX->Shadow->SetColor(RGB(255, 255, 0));
    titleFX->Shadow->SetDistance(2);
    sLabelFX1 = titleFX;
    sLabelFX1->SetCaption(std::string(41, ' ') + "\n" + std::string(38, ' ') +
                          "Экономика - Әлеуметтік \n" + std::string(50, ' ') + "статистика");
    sLabelFX1->SetColor(RGB(255, 0, 0));
    SetFont(sLabelFX1, "Arial", 29, kCyrillicCharset, TColor(5059883));
    sLabelFX1->Font().SetPitch(fpVariable);
    sLabelFX1->SetTransparent(true);
    sLabelFX1->SetAutoSize(false);
    sLabelFX1->SetAnchors(akBottom);
    Place(sLabelFX1, -59, 41, 645, 109, sPanel1);
}

void TForm1::BuildMainMenu() {
    MainMenu1 = Named<TMainMenu>(this, "MainMenu1");
    std::vector<TMenuItem*> levels;
    for (const TMainMenuItem& m : ContentMap::MainMenu()) {
        auto* item = Named<TMenuItem>(this, std::string(m.Name).c_str());
        item->SetCaption(std::string(m.Caption));
        levels.resize(size_t(m.Level - 1));
        (levels.empty() ? MainMenu1->Items() : *levels.back()).Add(item);
        levels.push_back(item);
        if (m.Name == "N10")
            item->OnClick = [this](TComponent* s) { N10Click(s); };
        else if (ContentMap::MenuDocument(m.Name))
            item->OnClick = [this, item](TComponent*) { MenuItemClick(item); };
    }
    SetMenu(MainMenu1);
}

// The skin folder of the machine the window was designed on; it does not exist where the
// program runs, so the skin always comes from the stored skins.
constexpr const char* kDesignSkinDirectory = "D:\\Statistika\\Skins";

void TForm1::BuildSkinManager() {
    sSkinManager1 = Named<TsSkinManager>(this, "sSkinManager1");
    for (const TEmbeddedSkin& embedded : EmbeddedSkins()) {
        TsStoredSkin& skin = sSkinManager1->InternalSkins().Add();
        skin.Name = std::string(embedded.Name);
        skin.Data.assign(embedded.Package.begin(), embedded.Package.end());
    }
    sSkinManager1->MenuSupport.IcoLineSkin = "ICOLINE";
    sSkinManager1->MenuSupport.ExtraLineFont.SetName("MS Sans Serif");
    sSkinManager1->MenuSupport.ExtraLineFont.SetHeight(11);
    sSkinManager1->MenuSupport.ExtraLineFont.SetColor(SysColor(COLOR_WINDOWTEXT));
    sSkinManager1->SetSkinDirectory(kDesignSkinDirectory);
    // Loads and applies the skin while the window is still being read; reading's end applies
    // it once more.
    sSkinManager1->SetSkinName("Pavo (internal)");
}

// ---------------------------------------------------------------- handlers

void TForm1::TV1Change(TComponent*, TTreeNode* node) {
    if (node) navigator_->TreeChanged(node->AbsoluteIndex());
}

void TForm1::MenuItemClick(TMenuItem* item) {
    navigator_->MenuClicked(item->Name(), item->Enabled());
}

void TForm1::N10Click(TComponent*) { Form3->Show(); }

void TForm1::sSpeedButton1Click(TComponent*) {
    OleCheck(WB1->GoBack());
    sSpeedButton1->SetDown(false);
}

void TForm1::sSpeedButton2Click(TComponent*) {
    OleCheck(WB1->GoForward());
    sSpeedButton2->SetDown(false);
}

void TForm1::sSpeedButton5Click(TComponent*) {
    if (sSpeedButton5->Down())
        PageC1->Show();
    else if (sSpeedButton5->Enabled())
        PageC1->Hide();
    if (sSpeedButton5->Enabled()) sPanel1->Hide();
    if (sSpeedButton5->Down()) Timer1->SetEnabled(false);
    sLabel1->Hide();
}

void TForm1::sSpeedButton3Click(TComponent*) { OleCheck(WB1->ExecWB(6, 1)); }

void TForm1::sSpeedButton6Click(TComponent*) {
    Close();
    Form4->Close();
}

void TForm1::Timer1Timer(TComponent*) {
    const std::time_t now = CurrentTime();
    StatusBar1->SetPanelText(0, DateToStr(now));
    StatusBar1->SetPanelText(1, TimeToStr(now));
    StatusBar1->SetPanelText(2, "User Windows: " + StatusUserName());
}

void TForm1::Timer2Timer(TComponent*) { sLabel1->SetLeft(NextTitleLeft(sLabel1->Left())); }
