// The standard windows skinned from outside: the contents tree's skinned scroll bars painted
// again (what every step of a thumb drag or an arrow's repeat costs), and a skinned message box
// whose whole window image is composed again (what its activation or a caption change costs).
#include <benchmark/benchmark.h>

#include "CourseFolderApp.h"
#include "controls/sSpeedButton.h"
#include "paint/sCommonData.h"
#include "platform/controls/Button.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/Dialog.h"
#include "shell/Unit1.h"
#include "skin/sSkinManager.h"
#include "toolkit/TreeNode.h"
#include "toolkit/TreeNodes.h"
#include "toolkit/TreeView.h"
#include "windows/qvDialogWnd.h"
#include "windows/qvProvider.h"

namespace {

// The main window with its contents pane open and every node of the tree shown, so that both
// of the tree's bars are laid out.
class OpenContents {
  public:
    OpenContents() {
        app_.App().CreateForm<TForm1>();
        Form1->Show();
        Form1->sSpeedButton5->SetDown(true); // as the contents button's click leaves it
        Form1->sSpeedButton5Click(nullptr);
        TTreeNodes& nodes = Form1->TV1->Items();
        for (int i = 0; i < nodes.Count(); ++i) nodes.Item(i)->Expand();
        ProcessPendingMessages();
    }

  private:
    CourseFolderApp app_;
};

void BM_TreeScrollBarsRepaint(benchmark::State& state) {
    OpenContents contents;
    if (!Form1 || !PrimaryManager) {
        state.SkipWithError("no main window with a skin manager");
        return;
    }
    const HWND tree = Form1->TV1->Handle();
    if (!IsWindowVisible(tree) || !(GetWindowLong(tree, GWL_STYLE) & WS_VSCROLL)) {
        state.SkipWithError("the tree shows no scroll bar");
        return;
    }
    for (auto _ : state) SendMessage(tree, WM_NCPAINT, 1, 0);
    state.SetLabel(PrimaryManager->SkinName());
}
BENCHMARK(BM_TreeScrollBarsRepaint)->Unit(benchmark::kMicrosecond);

intptr_t QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

// A message box as the window system makes one: icon, text and an OK button.
HWND MessageBoxLike() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t.x = 400;
    t.y = 400;
    t.cx = 380;
    t.cy = 90;
    t.caption = "Статистика";
    t.items = {
        {"Static", "", WS_CHILD | WS_VISIBLE | SS_ICON, 0, 12, 12, 32, 32, -1},
        {"Static", "Операция орындалмады", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 56, 20, 310, 15, -1},
        {"Button", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 152, 56, 75, 23,
         IDOK},
    };
    return CreateDialogIndirectParam(nullptr, t, nullptr, &QuietDialogProc, 0);
}

void BM_SkinnedMessageBoxRecompose(benchmark::State& state) {
    CourseFolderApp app;
    app.App().CreateForm<TForm1>(); // its skin manager is the default one
    ProcessPendingMessages();
    if (!PrimaryManager) {
        state.SkipWithError("no skin manager");
        return;
    }
    PrimaryManager->AnimEffects.DialogShow.Active = false;
    const HWND box = MessageBoxLike();
    TqvProvider provider(box, PrimaryManager);
    if (!provider.DialogWrapper) {
        state.SkipWithError("the message box was not skinned");
        return;
    }
    for (auto _ : state) {
        provider.DialogWrapper->SkinData->CacheInvalid = true;
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    state.SetLabel(PrimaryManager->SkinName());
    DestroyWindow(box);
}
BENCHMARK(BM_SkinnedMessageBoxRecompose)->Unit(benchmark::kMicrosecond);

} // namespace
