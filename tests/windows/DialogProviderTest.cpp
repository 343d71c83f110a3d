// The provider of a system dialog: which wrapper each child class gets, the layouts that
// some children announce, the attachment that fails, and the window hook's path to it.
#include <string>
#include <vector>

#include "paint/sCommonData.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/controls/ComboBox.h"
#include "skin/sSkinManager.h"
#include "windows/DialogTestFixture.h"
#include "windows/qvEditWnd.h"
#include "windows/qvMainWnd.h"
#include "windows/qvStaticWnd.h"

namespace {

using W = TqvChildWrapper;

TEST(DialogChildTableTest, ClassAndStyleDecideTheWrapper) {
    struct Case {
        const char* Class;
        DWORD Style;
        SIZE Size;
        W Wrapper;
        std::string Section;
        int LayoutKind;
    };
    const std::vector<Case> cases = {
        {"static", 0, {152, 49}, W::Static, "CHECKBOX", -1},
        {"static", 3, {152, 49}, W::Static, "CHECKBOX", -1}, // the size comes first
        {"static", 0, {150, 37}, W::None, "", 1},
        {"static", 0, {60, 42}, W::None, "", 3},
        {"static", 0, {12, 189}, W::None, "", 3},
        {"static", 3, {32, 32}, W::Icon, "CHECKBOX", -1}, // SS_ICON
        {"static", 14, {32, 32}, W::None, "", -1},        // SS_BITMAP
        {"static", 13, {32, 32}, W::None, "", -1},
        {"static", 5, {32, 32}, W::None, "", -1}, // frames and rectangles
        {"static", 6, {32, 32}, W::None, "", -1},
        {"static", 11, {32, 32}, W::Icon, "CHECKBOX", -1},     // the icon row comes first
        {"static", 0x81, {60, 15}, W::Static, "CHECKBOX", -1}, // centred, no prefix
        {"#32770", 0, {100, 100}, W::TransPanel, "CHECKBOX", -1},
        {"button", 7, {100, 100}, W::GroupBox, "GROUPBOX", -1},
        {"button", 3, {100, 17}, W::CheckBox, "CHECKBOX", -1}, // auto check box
        {"button", 9, {100, 17}, W::CheckBox, "CHECKBOX", -1}, // auto radio button
        {"button", 4, {100, 17}, W::CheckBox, "CHECKBOX", -1},
        {"button", 1, {75, 23}, W::Button, "BUTTON", -1}, // default push button
        {"button", 0, {75, 23}, W::Button, "BUTTON", -1},
        {"combobox", 0, {200, 21}, W::ComboBox, "COMBOBOX", -1},
        {"comboboxex32", 0, {200, 21}, W::ComboBox, "COMBOBOX", -1},
        {"combolbox", 0, {200, 100}, W::Edit, "COMBOBOX", -1},
        {"scrollbar", 0, {16, 16}, W::Sizer, "CHECKBOX", -1},
        {"systabcontrol32", 0, {470, 348}, W::None, "", -1},
        {"syslistview32", 0, {100, 100}, W::ListView, "EDIT", -1},
        {"msctls_updown32", 0, {16, 21}, W::Spin, "SPEEDBUTTON_SMALL", -1},
        {"listbox", 0, {100, 100}, W::Edit, "EDIT", -1},
        {"edit", 0, {100, 21}, W::Edit, "EDIT", -1},
        {"systreeview32", 0, {100, 100}, W::TreeView, "EDIT", -1},
        {"link window", 0, {100, 15}, W::Link, "CHECKBOX", -1},
        {"toolbarwindow32", 512, {100, 22}, W::ToolBar, "BAR", -1},
        {"toolbarwindow32", 0, {100, 22}, W::ToolBar, "CHECKBOX", -1},
        {"xshbrowseforfolderx", 0, {100, 22}, W::TransPanel, "CHECKBOX", -1},
        {"msctls_progress32", 0, {100, 22}, W::None, "", -1},
    };
    for (const Case& c : cases) {
        const TqvChildDecision d = DecideDialogChild(c.Class, c.Style, c.Size);
        EXPECT_EQ(d.Wrapper, c.Wrapper) << c.Class << " " << c.Style;
        EXPECT_EQ(std::string(d.Section), c.Section) << c.Class << " " << c.Style;
        EXPECT_EQ(d.LayoutKind, c.LayoutKind) << c.Class << " " << c.Size.cx;
        EXPECT_FALSE(d.Fails) << c.Class;
    }
    EXPECT_TRUE(DecideDialogChild("systabcontrol32", 0, {470, 349}).Fails);
    EXPECT_TRUE(DecideDialogChild("static", 0, {210, 46}).FormSection);
    EXPECT_TRUE(DecideDialogChild("combolbox", 0, {10, 10}).CountsComboList);
}

TEST_F(DialogTest, LargeTabControlChildFailsTheAttachment) {
    const HWND d =
        MakeDialog(kModalPopupStyle, 500, 400,
                   {{"Static", "x", WS_CHILD | WS_VISIBLE, 0, 4, 4, 60, 15, 10},
                    {"SysTabControl32", "", WS_CHILD | WS_VISIBLE, 0, 8, 24, 470, 349, 11}});
    const DWORD style = DWORD(GetWindowLong(d, GWL_STYLE));
    TqvProvider& p = Attach(d);
    EXPECT_FALSE(p.Attached());
    // The dialog keeps its own look: no frame initialization took its system menu away.
    EXPECT_EQ(DWORD(GetWindowLong(d, GWL_STYLE)), style);
}

TEST_F(DialogTest, ChildrenAnnounceTheLayoutAndGetWrappersByClass) {
    std::vector<std::pair<W, std::string>> made;
    const auto standard = TqvProvider::MakeChildWrapper;
    TqvProvider::MakeChildWrapper = [&](W kind, HWND child, const std::string& section) {
        made.emplace_back(kind, section);
        EXPECT_TRUE(TqvMainWnd::WrappingDialogChild);
        struct Made : TsHookedWrapper {
            HWND window;
            explicit Made(HWND w) : window(w) {}
            HWND Window() const override { return window; }
        };
        return std::unique_ptr<TsHookedWrapper>(std::make_unique<Made>(child));
    };
    const HWND d = MakeDialog(kModalPopupStyle, 300, 200,
                              {{"Static", "sample", WS_CHILD | WS_VISIBLE, 0, 4, 4, 150, 37, 10},
                               {"Button", "OK", WS_CHILD | WS_VISIBLE | 1, 0, 4, 60, 75, 23, 1},
                               {"Edit", "", WS_CHILD | WS_VISIBLE, 0, 4, 90, 100, 21, 12}});
    TqvProvider& p = Attach(d);
    TqvProvider::MakeChildWrapper = standard;
    EXPECT_TRUE(p.Attached());
    EXPECT_EQ(p.LayoutKind, 1);
    EXPECT_FALSE(TqvMainWnd::WrappingDialogChild);
    ASSERT_EQ(p.WrappedChildren.size(), 2u);
    EXPECT_EQ(made.size(), 2u);
    bool button = false, edit = false;
    for (const auto& [kind, section] : made) {
        button |= kind == W::Button && section == "BUTTON";
        edit |= kind == W::Edit && section == "EDIT";
    }
    EXPECT_TRUE(button);
    EXPECT_TRUE(edit);
    // A second walk wraps nothing twice.
    p.WrapDialogChildren(d);
    EXPECT_EQ(p.WrappedChildren.size(), 2u);
}

TEST_F(DialogTest, ChildWrappersAreMadeInDialogMode) {
    const HWND d = MakeDialog(
        kModalPopupStyle, 300, 200,
        {{"ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 4, 4, 200, 100, 20}});
    TqvProvider& p = Attach(d);
    ASSERT_EQ(p.WrappedChildren.size(), 1u);
    const TqvMainWnd* combo = TqvMainWnd::FromWindow(GetDlgItem(d, 20));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->DialogMode);
    EXPECT_EQ(combo->SkinData->SkinSection(), "COMBOBOX");
    EXPECT_EQ(SendMessage(GetDlgItem(d, 20), SM_ORVENCMD, SkinCommandWParam(scIsSkinned), 0), 1);
}

TEST_F(DialogTest, OtherWindowClassesStayUnskinned) {
    RegisterClassOnce("PlainWindow", DefWindowProc);
    const HWND plain = CreateWindowEx(0, "PlainWindow", "p", WS_POPUP | WS_CAPTION, 0, 0, 100, 80,
                                      nullptr, nullptr, nullptr, nullptr);
    dialogs_.push_back(plain);
    TqvProvider& p = Attach(plain);
    // It stays in the hook's list doing nothing.
    EXPECT_TRUE(p.Attached());
    EXPECT_FALSE(p.DialogWrapper);
}

TEST_F(DialogTest, AnAttachedDialogFadesInOverTheDialogShowTime) {
    manager_->AnimEffects.DialogShow = TqvFormAnimation{true, 100};
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    Attach(d);
    BYTE alpha = 1;
    ASSERT_TRUE(GetLayeredWindowAttributes(d, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 0);
    // Ten steps of 10 ms, 255 * step / 10 each.
    for (const auto& [ms, expected] : {std::pair{10, 25}, {40, 127}, {40, 229}}) {
        AdvanceClock(DWORD(ms));
        ASSERT_TRUE(GetLayeredWindowAttributes(d, nullptr, &alpha, nullptr));
        EXPECT_EQ(alpha, expected);
    }
    AdvanceClock(10);
    EXPECT_FALSE(GetWindowLong(d, GWL_EXSTYLE) & WS_EX_LAYERED);

    // Switched off, or too short for two steps, the dialog shows whole at once.
    for (const TqvFormAnimation show : {TqvFormAnimation{false, 100}, TqvFormAnimation{true, 19}}) {
        manager_->AnimEffects.DialogShow = show;
        const HWND other = MakeDialog(kModalPopupStyle, 120, 60);
        Attach(other);
        EXPECT_FALSE(GetWindowLong(other, GWL_EXSTYLE) & WS_EX_LAYERED) << show.Time;
    }
}

TEST_F(DialogTest, AFadingDialogIsWholeAgainWhenItsWrapperGoes) {
    manager_->AnimEffects.DialogShow = TqvFormAnimation{true, 100};
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    Attach(d);
    AdvanceClock(30);
    providers_.clear();
    EXPECT_FALSE(GetWindowLong(d, GWL_EXSTYLE) & WS_EX_LAYERED);
    AdvanceClock(100); // no timer of the gone wrapper is left to fire
}

TEST_F(DialogTest, WindowHookSkinsAnActivatedDialog) {
    InstallDialogSkinning();
    const HWND d = MakeDialog(kModalPopupStyle, 120, 60);
    manager_->HandleHookEvent(HCBT_ACTIVATE, d);
    TsSkinManager::MakeSystemDialogAdapter = nullptr;
    ASSERT_EQ(manager_->HookedWrappers().size(), 1u);
    EXPECT_EQ(manager_->HookedWrappers()[0]->Window(), d);
    EXPECT_NE(TqvDialogWnd::FromWindow(d), nullptr);
}

TEST_F(DialogTest, TheHookLetsGoOfDialogsThatAreGone) {
    InstallDialogSkinning();
    HWND last = nullptr;
    for (int i = 0; i < 3; ++i) {
        if (last) DestroyWindow(last);
        last = MakeDialog(kModalPopupStyle, 120, 60);
        manager_->HandleHookEvent(HCBT_ACTIVATE, last);
    }
    TsSkinManager::MakeSystemDialogAdapter = nullptr;
    ASSERT_EQ(manager_->HookedWrappers().size(), 1u);
    EXPECT_EQ(manager_->HookedWrappers()[0]->Window(), last);
}

} // namespace
