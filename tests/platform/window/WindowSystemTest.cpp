#include "platform/window/WindowSystem.h"

#include <gtest/gtest.h>

#include "WindowTestUtil.h"

TEST_F(WindowTest, CreationAndDestructionSendMessagesInTheWin32Order) {
    HWND top = Track(CreateWindowEx(0, "Recorder", "Top", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150,
                                    nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(top);
    EXPECT_EQ(MessagesFor(top),
              (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));

    HWND child = CreateWindowEx(0, "Recorder", "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, top,
                                reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_TRUE(child);
    // The parent hears of the new child after the child's WM_CREATE and before it is shown.
    auto at = [&](HWND h, UINT msg) {
        for (size_t i = 0; i < MessageLog().size(); ++i)
            if (MessageLog()[i].hwnd == h && MessageLog()[i].msg == msg) return i;
        return size_t(-1);
    };
    const size_t notifyAt = at(top, WM_PARENTNOTIFY);
    ASSERT_NE(notifyAt, size_t(-1));
    EXPECT_LT(at(child, WM_CREATE), notifyAt);
    EXPECT_GT(at(child, WM_SHOWWINDOW), notifyAt);
    const auto& notify = MessageLog()[notifyAt];
    EXPECT_EQ(LOWORD(notify.wParam), WM_CREATE);
    EXPECT_EQ(HIWORD(notify.wParam), 7);

    MessageLog().clear();
    DestroyWindow(top);
    created_.clear();
    std::vector<std::pair<HWND, UINT>> destroyOrder;
    for (const auto& m : MessageLog())
        if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) destroyOrder.push_back({m.hwnd, m.msg});
    EXPECT_EQ(
        destroyOrder,
        (std::vector<std::pair<HWND, UINT>>{
            {top, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(SendMessage(top, WM_GETTEXTLENGTH, 0, 0), 0); // a dead handle answers nothing
    EXPECT_FALSE(PostMessage(child, WM_USER, 0, 0));
}

namespace {
HWND g_selfDestroyed = nullptr;
LRESULT SelfDestroyingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        DestroyWindow(hwnd);
        // Sending to ourselves after destruction must be harmless.
        SendMessage(hwnd, WM_USER + 1, 0, 0);
        return 5;
    }
    if (msg == WM_DESTROY) g_selfDestroyed = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HHOOK g_hook = nullptr;
std::vector<std::string> g_hookLog;
LRESULT DestroyingCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT next = CallNextHookEx(g_hook, code, wParam, lParam);
    if (code == HCBT_CREATEWND) {
        auto* cbt = reinterpret_cast<CBT_CREATEWND*>(lParam);
        g_hookLog.push_back(std::string("create ") + cbt->lpcs->lpszClass);
        if (std::string(cbt->lpcs->lpszName) == "doomed")
            DestroyWindow(reinterpret_cast<HWND>(wParam));
    } else if (code == HCBT_ACTIVATE) {
        g_hookLog.push_back("activate " + GetWindowText(reinterpret_cast<HWND>(wParam)));
    }
    return next;
}
} // namespace

TEST_F(WindowTest, WindowsMayDestroyThemselvesAndHooksMayDestroyWhatTheyAreToldAbout) {
    WNDCLASS wc;
    wc.lpszClassName = "SelfDestroyer";
    wc.lpfnWndProc = SelfDestroyingProc;
    RegisterClass(wc);
    HWND w = CreateWindowEx(0, "SelfDestroyer", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr);
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 5);
    EXPECT_EQ(g_selfDestroyed, w);
    EXPECT_FALSE(IsWindow(w));

    g_hookLog.clear();
    g_hook = SetWindowsHookEx(WH_CBT, DestroyingCbtHook, nullptr, 0);
    EXPECT_EQ(CreateWindowEx(0, "Recorder", "doomed", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
    HWND kept = Track(CreateWindowEx(0, "Recorder", "kept", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                     nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(IsWindow(kept));
    UnhookWindowsHookEx(g_hook);
    // The hook saw the creation before the window's own messages, and the activation.
    EXPECT_EQ(g_hookLog,
              (std::vector<std::string>{"create Recorder", "create Recorder", "activate kept"}));
}

namespace {
WNDPROC g_previous = nullptr;
LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) return 42 + CallWindowProc(g_previous, hwnd, msg, wParam, lParam);
    return CallWindowProc(g_previous, hwnd, msg, wParam, lParam);
}
LRESULT AnswerOneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg == WM_USER ? 1 : DefWindowProc(hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(WindowTest, SubclassingChainsToThePreviousProcedureAndPropertiesHoldData) {
    WNDCLASS wc;
    wc.lpszClassName = "AnswerOne";
    wc.lpfnWndProc = AnswerOneProc;
    RegisterClass(wc);
    HWND w = Track(CreateWindowEx(0, "AnswerOne", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr));
    g_previous = SubclassWindow(w, SubclassProc);
    EXPECT_EQ(g_previous, AnswerOneProc);
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 43);
    SubclassWindow(w, g_previous);
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 1);

    int value = 3;
    EXPECT_TRUE(SetProp(w, "QVSBSC", &value));
    EXPECT_EQ(GetProp(w, "QVSBSC"), &value);
    EXPECT_EQ(RemoveProp(w, "QVSBSC"), &value);
    EXPECT_EQ(GetProp(w, "QVSBSC"), nullptr);
    SetWindowLongPtr(w, GWL_USERDATA, 99);
    EXPECT_EQ(GetWindowLongPtr(w, GWL_USERDATA), 99);
    EXPECT_EQ(GetClassName(w), "AnswerOne");
}

TEST_F(WindowTest, PostedMessagesTimersAndPaintsComeInQueueOrder) {
    HWND w = Track(CreateWindowEx(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, nullptr, nullptr));
    ProcessPendingMessages();
    MessageLog().clear();
    SetTimer(w, 1, 100, nullptr);
    PostMessage(w, WM_USER, 1, 0);
    InvalidateRect(w, nullptr, true);
    ProcessPendingMessages();
    EXPECT_EQ(MessagesFor(w), (std::vector<UINT>{WM_USER, WM_PAINT, WM_ERASEBKGND}));
    MessageLog().clear();
    AdvanceClock(99);
    EXPECT_TRUE(MessagesFor(w).empty());
    AdvanceClock(1);
    EXPECT_EQ(MessagesFor(w), (std::vector<UINT>{WM_TIMER}));
    AdvanceClock(250);
    EXPECT_EQ(MessagesFor(w).size(), 3u); // at 200 and 300
    KillTimer(w, 1);
    MessageLog().clear();
    AdvanceClock(500);
    EXPECT_TRUE(MessagesFor(w).empty());

    MSG m;
    PostMessage(w, 48307, 0, 0);
    EXPECT_TRUE(PeekMessage(&m, w, 48307, 48308, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessage(&m, w, 48307, 48308, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&m, w, 48307, 48308, PM_NOREMOVE));
}

TEST_F(WindowTest, ActivationAndFocusMessages) {
    HWND a = Track(CreateWindowEx(0, "Recorder", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  150, nullptr, nullptr, nullptr, nullptr));
    HWND b = Track(CreateWindowEx(0, "Recorder", "B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200,
                                  150, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetFocus(), b);
    MessageLog().clear();
    SetActiveWindow(a);
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& m : MessageLog())
        if (m.msg == WM_NCACTIVATE || m.msg == WM_ACTIVATE || m.msg == WM_KILLFOCUS ||
            m.msg == WM_SETFOCUS)
            order.push_back({m.hwnd, m.msg});
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{b, WM_NCACTIVATE},
                                                         {b, WM_ACTIVATE},
                                                         {a, WM_NCACTIVATE},
                                                         {a, WM_ACTIVATE},
                                                         {b, WM_KILLFOCUS},
                                                         {a, WM_SETFOCUS}}));
    EXPECT_EQ(GetTopWindow(nullptr), a);
}

TEST_F(WindowTest, ClickingRoutesClientAndNonClientMessagesAndActivates) {
    RegisterRecordingClass("Dbl", CS_DBLCLKS);
    HWND a = Track(CreateWindowEx(0, "Dbl", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 150,
                                  nullptr, nullptr, nullptr, nullptr));
    HWND b = Track(CreateWindowEx(0, "Recorder", "B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200,
                                  150, nullptr, nullptr, nullptr, nullptr));
    HWND child = Track(CreateWindowEx(0, "Dbl", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, a,
                                      nullptr, nullptr, nullptr));
    EXPECT_EQ(GetActiveWindow(), b);
    RECT cr;
    GetWindowRect(child, &cr);
    MessageLog().clear();
    Click(POINT{cr.left + 5, cr.top + 6});
    EXPECT_EQ(GetActiveWindow(), a);
    std::vector<UINT> childMessages;
    for (const auto& m : MessageLog())
        if (m.hwnd == child && (m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONUP)) {
            childMessages.push_back(m.msg);
            EXPECT_EQ(GET_X_LPARAM(m.lParam), 5);
            EXPECT_EQ(GET_Y_LPARAM(m.lParam), 6);
        }
    EXPECT_EQ(childMessages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    MessageLog().clear();
    Click(POINT{cr.left + 5, cr.top + 6});
    bool sawDouble = false;
    for (const auto& m : MessageLog()) sawDouble |= m.hwnd == child && m.msg == WM_LBUTTONDBLCLK;
    EXPECT_TRUE(sawDouble);

    // The caption answers HTCAPTION and a press there arrives as a non-client message.
    RECT ar;
    GetWindowRect(a, &ar);
    const POINT caption{ar.left + 60, ar.top + 10};
    EXPECT_EQ(SendMessage(a, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
    EXPECT_EQ(SendMessage(a, WM_NCHITTEST, 0, MAKELPARAM(ar.left + 1, ar.top + 60)), HTLEFT);
    EXPECT_EQ(SendMessage(a, WM_NCHITTEST, 0, MAKELPARAM(ar.right - 1, ar.bottom - 1)),
              HTBOTTOMRIGHT);
    EXPECT_EQ(SendMessage(a, WM_NCHITTEST, 0, MAKELPARAM(ar.right - 10, ar.top + 10)), HTCLOSE);
}

TEST_F(WindowTest, CaptionDragMovesAndTheCloseButtonCloses) {
    HWND a = Track(CreateWindowEx(0, "Recorder", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                  200, 150, nullptr, nullptr, nullptr, nullptr));
    MouseDown(POINT{160, 110});
    MouseMoveTo(POINT{190, 140});
    MouseUp(POINT{190, 140});
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(r, Rect(130, 130, 330, 280));
    MessageLog().clear();
    Click(POINT{r.right - 10, r.top + 10});
    EXPECT_FALSE(IsWindow(a));
    created_.clear();
}

TEST_F(WindowTest, AMoveChosenFromTheMenuKeepsTheCaptionsMiddleUnderTheMouse) {
    HWND a = Track(CreateWindowEx(0, "Recorder", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                  200, 150, nullptr, nullptr, nullptr, nullptr));
    MouseMoveTo(POINT{600, 600}); // where the menu item was, well off the window
    SendMessage(a, WM_SYSCOMMAND, SC_MOVE, 0);
    RECT r;
    GetWindowRect(a, &r);
    const int b = GetSystemMetrics(SM_CXFRAME);
    const RECT caption{r.left + b, r.top + b, r.right - b,
                       r.top + b + GetSystemMetrics(SM_CYCAPTION) - 1};
    const POINT middle{(caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2};
    MouseMoveTo(POINT{20, 900});
    MouseDown(POINT{20, 900}); // the click ends the move
    MouseUp(POINT{20, 900});
    GetWindowRect(a, &r);
    EXPECT_EQ(r, OffsetRect(Rect(100, 100, 300, 250), 20 - middle.x, 900 - middle.y));
}

TEST_F(WindowTest, ExceptionsFromHandlersGoToTheDispatchHandlerAndTheLoopGoesOn) {
    struct Thrower {
        static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_USER) throw std::runtime_error("boom");
            return DefWindowProc(hwnd, msg, wParam, lParam);
        }
    };
    WNDCLASS wc;
    wc.lpszClassName = "Thrower";
    wc.lpfnWndProc = Thrower::Proc;
    RegisterClass(wc);
    HWND w = Track(CreateWindowEx(0, "Thrower", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr));
    std::string caught;
    SetDispatchExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            caught = ex.what();
        }
    });
    PostMessage(w, WM_USER, 0, 0);
    PostMessage(w, WM_USER + 1, 0, 0);
    ProcessPendingMessages();
    SetDispatchExceptionHandler(nullptr);
    EXPECT_EQ(caught, "boom");
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 2, 4), 3);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(7, 1, 0), -1);
}

namespace {
HWND g_peer = nullptr;
int g_depth = 0;
LRESULT PingPongProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        ++g_depth;
        // Nested sends back and forth until the count runs out, then the peer is destroyed
        // from deep inside the chain.
        if (wParam == 0) {
            DestroyWindow(g_peer);
            return 1;
        }
        const HWND other = hwnd == g_peer ? GetWindow(hwnd, GW_HWNDNEXT) : g_peer;
        return 1 + SendMessage(other ? other : hwnd, WM_USER, wParam - 1, 0);
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(WindowTest, ReentrantSendsAndMessageHooksOnOneWindow) {
    WNDCLASS wc;
    wc.lpszClassName = "PingPong";
    wc.lpfnWndProc = PingPongProc;
    RegisterClass(wc);
    HWND a = Track(CreateWindowEx(0, "PingPong", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr));
    g_peer = CreateWindowEx(0, "PingPong", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    g_depth = 0;
    EXPECT_EQ(SendMessage(a, WM_USER, 6, 0), 7);
    EXPECT_EQ(g_depth, 7);
    EXPECT_FALSE(IsWindow(g_peer));

    // A message hook sees the window's messages first and may answer them.
    int seen = 0;
    const int hook = AddWindowMessageHook(a, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        ++seen;
        if (msg == WM_THEMECHANGED) {
            *result = 0;
            return true; // swallowed
        }
        return false;
    });
    EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 1); // passes through (destroys nothing alive)
    EXPECT_EQ(SendMessage(a, WM_THEMECHANGED, 0, 0), 0);
    EXPECT_EQ(seen, 2);
    RemoveWindowMessageHook(hook);
    SendMessage(a, WM_NULL, 0, 0);
    EXPECT_EQ(seen, 2);
}

TEST_F(WindowTest, MaximizeFillsTheWorkAreaWithTheFrameOutsideAndRestoreReturns) {
    HWND a = Track(CreateWindowEx(0, "Recorder", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 40, 200,
                                  150, nullptr, nullptr, nullptr, nullptr));
    ShowWindow(a, SW_MAXIMIZE);
    RECT r, work;
    GetWindowRect(a, &r);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r, InflateRect(work, 4, 4));
    EXPECT_TRUE(IsZoomed(a));
    ShowWindow(a, SW_RESTORE);
    GetWindowRect(a, &r);
    EXPECT_EQ(r, Rect(30, 40, 230, 190));
    EXPECT_FALSE(IsZoomed(a));
}
