// Dialog boxes: the dialog manager's keyboard, the modal loop, message boxes and the print
// dialog, driven by input injected while the modal loop waits.
#include "platform/dialogs/Dialog.h"

#include <functional>
#include <string>
#include <vector>

#include "WindowTestUtil.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/PrintDialog.h"
#include "platform/dialogs/StandardClasses.h"
#include "platform/window/WindowInternal.h"

namespace {

std::vector<std::string>& CbtLog() {
    static std::vector<std::string> log;
    return log;
}

HHOOK g_cbt = nullptr;

LRESULT RecordCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE)
        CbtLog().push_back((code == HCBT_CREATEWND ? "create " : "activate ") +
                           GetClassName(reinterpret_cast<HWND>(wParam)));
    return CallNextHookEx(g_cbt, code, wParam, lParam);
}

class DialogTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterStandardClasses();
        owner_ = Track(CreateWindowEx(0, "Recorder", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                      100, 500, 400, nullptr, nullptr, nullptr, nullptr));
        ProcessPendingMessages();
        MessageLog().clear();
        CbtLog().clear();
    }
    void TearDown() override {
        Headless()->SetDriver(nullptr);
        if (g_cbt) UnhookWindowsHookEx(g_cbt);
        g_cbt = nullptr;
        WindowTest::TearDown();
    }
    // Plays one step each time the modal loop waits; when the steps run out nothing more can
    // happen, which ends the loop as a failure instead of hanging the test.
    void Script(std::vector<std::function<void()>> steps) {
        steps_ = std::move(steps);
        next_ = 0;
        Headless()->SetDriver([this] {
            if (next_ >= steps_.size()) return false;
            steps_[next_++]();
            return true;
        });
    }
    static HWND ActiveDialog() {
        const HWND active = GetActiveWindow();
        return GetClassName(active) == kDialogClass ? active : nullptr;
    }
    static POINT CentreOf(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    HWND owner_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
};

// ---------------------------------------------------------------- message boxes

struct BoxCase {
    const char* name;
    unsigned type;
    std::vector<UINT> keys;
    int expected;
};

TEST_F(DialogTest, MessageBoxAnswersKeys) {
    const std::vector<BoxCase> cases = {
        {"Enter presses OK", MB_OK, {VK_RETURN}, IDOK},
        {"Escape in an OK box is OK", MB_OK | MB_ICONERROR, {VK_ESCAPE}, IDOK},
        {"Escape is Cancel", MB_OKCANCEL | MB_ICONQUESTION, {VK_ESCAPE}, IDCANCEL},
        {"Enter presses the default button", MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
        {"Escape does nothing without Cancel", MB_YESNO, {VK_ESCAPE, VK_RETURN}, IDYES},
        {"Tab moves the focus, Enter presses it", MB_YESNOCANCEL, {VK_TAB, VK_RETURN}, IDNO},
        {"Shift+Tab wraps backwards", MB_ABORTRETRYIGNORE, {VK_SHIFT, VK_TAB, VK_RETURN}, IDIGNORE},
        {"an arrow moves within the button row", MB_RETRYCANCEL, {VK_RIGHT, VK_RETURN}, IDCANCEL},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::function<void()>> steps;
        for (size_t i = 0; i < c.keys.size(); ++i) {
            const UINT vk = c.keys[i];
            if (vk == VK_SHIFT) {
                steps.push_back([] { KeyDown(VK_SHIFT); });
                continue;
            }
            steps.push_back([vk] {
                KeyPress(vk);
                if (GetKeyState(VK_SHIFT) < 0) KeyUp(VK_SHIFT);
            });
        }
        Script(steps);
        EXPECT_EQ(MessageBox(owner_, "Файл табылмады.", "Статистика", c.type), c.expected);
        EXPECT_EQ(next_, steps_.size());
    }
}

TEST_F(DialogTest, MessageBoxIsAModalDialogOfItsOwner) {
    g_cbt = SetWindowsHookEx(WH_CBT, RecordCbt, nullptr, 0);
    HWND box = nullptr;
    bool ownerEnabledDuring = true;
    std::string caption, text;
    Script({[&] {
        box = ActiveDialog();
        ownerEnabledDuring = IsWindowEnabled(owner_);
        caption = GetWindowText(box);
        text = GetDlgItemText(box, IDC_MESSAGEBOX_TEXT);
        // SS_NOPREFIX shares its bit with DS_MODALFRAME: the text gets no frame from it.
        RECT window{}, client{};
        GetWindowRect(GetDlgItem(box, IDC_MESSAGEBOX_TEXT), &window);
        GetClientRect(GetDlgItem(box, IDC_MESSAGEBOX_TEXT), &client);
        EXPECT_EQ(WidthOf(client), WidthOf(window));
        EXPECT_EQ(GetParent(box), owner_);
        EXPECT_TRUE(SendDlgItemMessage(box, IDC_MESSAGEBOX_ICON, STM_GETICON, 0, 0) != 0);
        EXPECT_EQ(GetWindowText(GetFocus()), "ОК"); // the default button has the focus
        Click(CentreOf(GetDlgItem(box, IDOK)));
    }});
    EXPECT_EQ(MessageBox(owner_, "Бет табылмады.", "", MB_OK | MB_ICONWARNING), IDOK);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(caption, "Қате"); // an empty caption
    EXPECT_EQ(text, "Бет табылмады.");
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(GetActiveWindow(), owner_);
    // The hook sees the dialog made and activated, so that a skin can take it over.
    const auto& log = CbtLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "create #32770"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "activate #32770"), log.end());
    // The owner was told the dialog waited, and got its enable state back.
    bool idle = false, disabled = false, enabled = false;
    for (const RecordedMessage& m : MessageLog()) {
        if (m.hwnd != owner_) continue;
        idle =
            idle || (m.msg == WM_ENTERIDLE && m.wParam == MSGF_DIALOGBOX && HWND(m.lParam) == box);
        if (m.msg == WM_ENABLE) (m.wParam ? enabled : disabled) = true;
    }
    EXPECT_TRUE(idle);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(enabled);
}

// The owner beneath a box takes no input: a click on it brings the box forward instead, and
// input queued for it before the box came is dropped. The mouse messages and keys that the
// owner would have received, as a table of what must not arrive.
TEST_F(DialogTest, TheOwnerTakesNoInputWhileTheBoxRuns) {
    const POINT onOwner{130, 470}; // inside the owner's client area, clear of the centred box
    HWND box = nullptr;
    HWND activeAfterClick = nullptr;
    HWND other = Track(CreateWindowEx(0, "Recorder", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
                                      100, 300, 200, nullptr, nullptr, nullptr, nullptr));
    SetFocus(owner_);
    Script({[&] {
                box = ActiveDialog();
                SetActiveWindow(
                    other); // the user was elsewhere; the click on the owner brings the box
                MessageLog().clear();
                QueueMouseMove(onOwner);
                QueueMouseButton(onOwner, MouseButton::Left, true);
            },
            [&] {
                activeAfterClick = GetActiveWindow();
                QueueMouseButton(onOwner, MouseButton::Left, false);
                QueueMouseButton(onOwner, MouseButton::Right, true);
                QueueMouseButton(onOwner, MouseButton::Right, false);
                QueueMouseWheel(onOwner, 120);
            },
            [&] { Click(CentreOf(GetDlgItem(box, IDOK))); }});
    // A key queued for the owner while it could still take one: the box comes first.
    QueueKey('A', true);
    QueueKey('A', false);
    EXPECT_EQ(MessageBox(owner_, "Құжат табылмады.", "Статистика", MB_OK), IDOK);
    EXPECT_EQ(activeAfterClick, box);
    for (const RecordedMessage& m : MessageLog()) {
        if (m.hwnd != owner_) continue;
        for (UINT input :
             {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
              WM_MOUSEWHEEL, WM_NCLBUTTONDOWN, WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SETCURSOR})
            EXPECT_NE(m.msg, input) << "the disabled owner got message 0x" << std::hex << input;
    }
}

// A box whose owner is not shown (the hidden application window) disables every shown window
// of the program, and gives the activation back when it goes.
TEST_F(DialogTest, ABoxWithoutAShownOwnerDisablesTheProgramsWindows) {
    HWND hidden = Track(CreateWindowEx(WS_EX_TOOLWINDOW, "Recorder", "", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, nullptr, nullptr));
    HWND other = Track(CreateWindowEx(0, "Recorder", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
                                      100, 300, 200, nullptr, nullptr, nullptr, nullptr));
    SetActiveWindow(owner_);
    bool ownerEnabled = true, otherEnabled = true;
    Script({[&] {
        ownerEnabled = IsWindowEnabled(owner_);
        otherEnabled = IsWindowEnabled(other);
        KeyPress(VK_RETURN);
    }});
    EXPECT_EQ(MessageBox(hidden, "Қате", "Статистика", MB_OK), IDOK);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_EQ(GetActiveWindow(), owner_);
}

TEST_F(DialogTest, TimersKeepTickingAndCloseBoxCancels) {
    int ticks = 0;
    static int* counter = nullptr;
    counter = &ticks;
    SetTimer(owner_, 7, 100, [](HWND, UINT, uintptr_t, DWORD) { ++*counter; });
    Script({[] { AdvanceClock(1000); },
            [] {
                const HWND box = ActiveDialog();
                SendMessage(box, WM_SYSCOMMAND, SC_CLOSE, 0);
            }});
    EXPECT_EQ(MessageBox(owner_, "Жалғастыру керек пе?", "Статистика", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_GE(ticks, 10);
    KillTimer(owner_, 7);
}

TEST_F(DialogTest, QuitEndsTheBoxAndReachesTheOuterLoop) {
    Script({[] { PostQuitMessage(3); }});
    EXPECT_EQ(MessageBox(owner_, "Мәтін", "Статистика", MB_OK), 0);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    MSG quit;
    ASSERT_TRUE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

// ---------------------------------------------------------------- the dialog manager

std::vector<UINT>& DialogLog() {
    static std::vector<UINT> log;
    return log;
}

HBRUSH g_dialogBrush = nullptr;

intptr_t RecordingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    DialogLog().push_back(msg);
    if (msg == WM_CTLCOLORDLG) return intptr_t(g_dialogBrush);
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam) == IDOK ? 100 : 200);
        return 1;
    }
    return msg == WM_INITDIALOG;
}

DialogTemplate SampleTemplate() {
    DialogTemplate t;
    t.caption = "Үлгі";
    t.style |= WS_VISIBLE;
    t.cx = 300;
    t.cy = 200;
    t.items = {
        {"Static", "&Аты:", WS_CHILD | WS_VISIBLE, 0, 10, 12, 50, 15, 10},
        {"Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 70, 10, 120,
         21, 11},
        {"Button", "Бір", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, 10,
         40, 80, 17, 21},
        {"Button", "Екі", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 10, 60, 80, 17, 22},
        {"Button", "Үш", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_DISABLED, 0, 10, 80, 80,
         17, 23},
        {"Button", "Төрт", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 10, 100, 80, 17, 24},
        {"Button", "&Белгі", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, 10,
         124, 80, 17, 30},
        {"Button", "Жасырын", WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 124, 80, 23, 31},
        {"Button", "ОК", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 130,
         165, 75, 23, IDOK},
        {"Button", "Болдырмау", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 215, 165, 75,
         23, IDCANCEL},
    };
    return t;
}

TEST_F(DialogTest, TabAndArrowsFollowTheGroups) {
    DialogLog().clear();
    const HWND dialog =
        Track(CreateDialogIndirectParam(nullptr, SampleTemplate(), owner_, RecordingDialogProc, 0));
    ASSERT_NE(dialog, nullptr);
    ProcessPendingMessages();
    EXPECT_NE(std::find(DialogLog().begin(), DialogLog().end(), UINT(WM_INITDIALOG)),
              DialogLog().end());
    const auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
    const auto key = [dialog](UINT vk) {
        MSG m{GetFocus(), WM_KEYDOWN, vk, 0, 0, {}};
        EXPECT_TRUE(IsDialogMessage(dialog, &m));
    };
    EXPECT_EQ(GetFocus(), item(11)); // the first tab stop

    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(21));
    // Down skips the disabled button and checks the automatic radio it lands on.
    key(VK_DOWN);
    EXPECT_EQ(GetFocus(), item(22));
    key(VK_DOWN);
    EXPECT_EQ(GetFocus(), item(24));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 24), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 21), BST_UNCHECKED);
    key(VK_DOWN); // wraps within the group
    EXPECT_EQ(GetFocus(), item(21));

    // The hidden button is no tab stop; a focused push button shows as the default.
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(30));
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(IDOK));
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(IDCANCEL));
    EXPECT_EQ(GetWindowLong(item(IDCANCEL), GWL_STYLE) & BS_TYPEMASK, LONG(BS_DEFPUSHBUTTON));
    EXPECT_EQ(GetWindowLong(item(IDOK), GWL_STYLE) & BS_TYPEMASK, LONG(BS_PUSHBUTTON));
    key(VK_TAB); // wraps to the first
    EXPECT_EQ(GetFocus(), item(11));
    EXPECT_EQ(GetWindowLong(item(IDOK), GWL_STYLE) & BS_TYPEMASK, LONG(BS_DEFPUSHBUTTON));

    // Tabbing into the radio group lands on its checked button.
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(21));
    CheckRadioButton(dialog, 21, 24, 22);
    SendMessage(dialog, WM_NEXTDLGCTL, WPARAM(item(11)), 1);
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(22));
}

TEST_F(DialogTest, MnemonicsColoursAndEndDialog) {
    DialogLog().clear();
    g_dialogBrush = CreateSolidBrush(RGB(10, 120, 200));
    Script({[] {
                const HWND dialog = ActiveDialog();
                // Alt+Б checks the check box; Alt+А sends the focus past its label to the edit.
                MSG alt{GetFocus(), WM_SYSCHAR, 0x431 /* б */, 0, 0, {}};
                EXPECT_TRUE(IsDialogMessage(dialog, &alt));
                EXPECT_EQ(IsDlgButtonChecked(dialog, 30), BST_CHECKED);
                MSG label{GetFocus(), WM_SYSCHAR, 0x410 /* А */, 0, 0, {}};
                EXPECT_TRUE(IsDialogMessage(dialog, &label));
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11));
                // The background is the brush the dialog procedure answered.
                const Bitmap shot = WindowShot(dialog);
                RECT client = ClientRectInWindow(dialog);
                EXPECT_EQ(shot.GetPixel(client.right - 3, client.bottom - 40) & 0xFFFFFF,
                          RGB(10, 120, 200));
            },
            [] { KeyPress(VK_ESCAPE); }});
    const intptr_t r =
        DialogBoxIndirectParam(nullptr, SampleTemplate(), owner_, RecordingDialogProc, 0);
    EXPECT_EQ(r, 200);
    const auto& log = DialogLog();
    EXPECT_NE(std::find(log.begin(), log.end(), UINT(WM_CTLCOLORDLG)), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), UINT(WM_CTLCOLORSTATIC)), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), UINT(WM_CTLCOLORBTN)), log.end());
    DeleteObject(g_dialogBrush);
}

// ---------------------------------------------------------------- the print dialog

PRINTDLG SampleRequest(HWND owner) {
    PRINTDLG pd;
    pd.hwndOwner = owner;
    pd.destinations = {{"Save as PDF", true}, {"Кафедра принтері", false}};
    pd.fileName = "/home/student/statistika-DAR1.pdf";
    pd.nMaxPage = 40;
    return pd;
}

TEST_F(DialogTest, PrintDialogReturnsTheChoice) {
    PRINTDLG pd = SampleRequest(owner_);
    std::string caption;
    Script({[&] {
                const HWND d = ActiveDialog();
                caption = GetWindowText(d);
                EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_PRINT_FILE)));
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_PRINT_SELECTION))); // PD_NOSELECTION
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_PRINT_COLLATE)));   // one copy
                // Pages 3 to 5, typed into the fields; typing chooses the page range.
                SendMessage(d, WM_NEXTDLGCTL, WPARAM(GetDlgItem(d, IDC_PRINT_FROM)), 1);
                TypeChar('3');
                SendMessage(d, WM_NEXTDLGCTL, WPARAM(GetDlgItem(d, IDC_PRINT_TO)), 1);
                TypeChar('5');
                EXPECT_EQ(IsDlgButtonChecked(d, IDC_PRINT_PAGES), BST_CHECKED);
            },
            [&] {
                const HWND d = ActiveDialog();
                // Two copies through the up-down's upper arrow, then collate.
                RECT spin{};
                GetWindowRect(GetDlgItem(d, IDC_PRINT_COPIES_SPIN), &spin);
                Click(POINT{(spin.left + spin.right) / 2, spin.top + 3});
                EXPECT_EQ(GetDlgItemText(d, IDC_PRINT_COPIES), "2");
                EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_PRINT_COLLATE)));
                Click(CentreOf(GetDlgItem(d, IDC_PRINT_COLLATE)));
                // The printer, chosen with the keyboard; the file field goes grey.
                SendMessage(d, WM_NEXTDLGCTL, WPARAM(GetDlgItem(d, IDC_PRINT_PRINTER)), 1);
                KeyPress(VK_DOWN);
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_PRINT_FILE)));
                EXPECT_EQ(GetDlgItemText(d, 1094), "CUPS принтері");
            },
            [] { KeyPress(VK_RETURN); }});
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(caption, kPrintDialogCaption);
    EXPECT_EQ(pd.destination, 1);
    EXPECT_EQ(pd.Flags & (PD_PAGENUMS | PD_SELECTION), PD_PAGENUMS);
    EXPECT_TRUE(pd.Flags & PD_COLLATE);
    EXPECT_EQ(pd.nFromPage, 3);
    EXPECT_EQ(pd.nToPage, 5);
    EXPECT_EQ(pd.nCopies, 2);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(DialogTest, PrintDialogCancelLeavesTheRequest) {
    PRINTDLG pd = SampleRequest(owner_);
    Script({[] {
                const HWND d = ActiveDialog();
                SetDlgItemText(d, IDC_PRINT_FILE, "/tmp/other.pdf");
                CheckRadioButton(d, IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_PAGES);
            },
            [] { KeyPress(VK_ESCAPE); }});
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(pd.fileName, "/home/student/statistika-DAR1.pdf");
    EXPECT_EQ(pd.Flags & PD_PAGENUMS, 0u);
}

TEST_F(DialogTest, PrintDialogRefusesBadNumbersAndKeepsTheFilePath) {
    PRINTDLG pd = SampleRequest(owner_);
    std::string complaint;
    HWND print = nullptr;
    Script({[&] {
                print = ActiveDialog();
                CheckRadioButton(print, IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_PAGES);
                SetDlgItemText(print, IDC_PRINT_FROM, "41"); // beyond the last page
                SetDlgItemText(print, IDC_PRINT_FILE, "/tmp/дәріс.pdf");
                KeyPress(VK_RETURN);
            },
            [&] {
                // A message box over the print dialog says what is wrong.
                const HWND box = ActiveDialog();
                EXPECT_NE(box, print);
                complaint = GetDlgItemText(box, IDC_MESSAGEBOX_TEXT);
                EXPECT_EQ(GetParent(box), print);
                KeyPress(VK_RETURN);
            },
            [&] {
                EXPECT_EQ(ActiveDialog(), print);
                EXPECT_EQ(GetFocus(), GetDlgItem(print, IDC_PRINT_FROM));
                SetDlgItemText(print, IDC_PRINT_FROM, "40");
                SetDlgItemText(print, IDC_PRINT_TO, "40");
                KeyPress(VK_RETURN);
            }});
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(complaint, "Бет нөмірі 1 мен 40 аралығында болуы керек.");
    EXPECT_EQ(pd.nFromPage, 40);
    EXPECT_EQ(pd.fileName, "/tmp/дәріс.pdf");
    EXPECT_EQ(pd.destination, 0);
}

} // namespace
