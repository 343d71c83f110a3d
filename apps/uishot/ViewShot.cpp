#include "ViewShot.h"

#include <iostream>
#include <memory>

#include "OnScreen.h"
#include "ScenarioPlayer.h"
#include "htmlview/HtmlView.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/image/PngFile.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr const char* kFrameClass = "UishotViewFrame";
constexpr int kFrameWidth = 900;
constexpr int kFrameHeight = 700;
HWND g_view = nullptr;

LRESULT FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE && g_view) {
        RECT r;
        GetClientRect(hwnd, &r);
        MoveWindow(g_view, 0, 0, WidthOf(r), HeightOf(r), true);
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct TViewShotArgs {
    std::string path;
    std::string out = "view.png";
    int seconds = -1;
    bool window = false;
};

bool ParseArgs(const std::vector<std::string>& args, TViewShotArgs& a, std::string& error) {
    if (args.empty()) {
        error = "--view needs a PATH";
        return false;
    }
    a.path = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--window") {
            a.window = true;
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            a.out = args[++i];
        } else if (args[i] == "--seconds" && i + 1 < args.size()) {
            try {
                a.seconds = ScenarioInt(args[++i], "N", 0, 86400);
            } catch (const ScenarioError& e) {
                error = std::string("--seconds: ") + e.what();
                return false;
            }
        } else {
            error = "unexpected argument \"" + args[i] + "\" after --view";
            return false;
        }
    }
    return true;
}

HWND CreateFrame(const std::string& path) {
    WNDCLASS wc;
    wc.lpszClassName = kFrameClass;
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClass(wc);
    return CreateWindowEx(0, kFrameClass, "uishot: " + path, WS_OVERLAPPEDWINDOW, 20, 20,
                          kFrameWidth, kFrameHeight, nullptr, nullptr, nullptr, nullptr);
}

std::unique_ptr<THtmlView> CreateView(HWND frame) {
    RECT r;
    GetClientRect(frame, &r);
    auto view = THtmlView::Create(frame, r, 1);
    g_view = view ? view->Handle() : nullptr;
    return view;
}

int ShootHeadless(const TViewShotArgs& a) {
    UseHeadlessBackend(1280, 1024);
    HWND frame = CreateFrame(a.path);
    std::unique_ptr<THtmlView> view = CreateView(frame);
    ShowWindow(frame, SW_SHOW);
    view->Navigate(a.path);
    ProcessPendingMessages();
    if (!view->Loaded()) {
        std::cerr << "uishot: the view did not load " << a.path << "\n";
        return 1;
    }
    if (a.seconds > 0) AdvanceClock(DWORD(a.seconds) * 1000);
    UpdateWindow(frame);
    std::string error;
    if (!SavePNG(WindowShot(frame), a.out, &error)) {
        std::cerr << "uishot: " << error << "\n";
        return 1;
    }
    std::cout << "document " << view->DocumentSize().cx << " x " << view->DocumentSize().cy
              << ", written " << a.out << "\n";
    view.reset();
    DestroyWindow(frame);
    ProcessPendingMessages();
    return 0;
}

int ShowInWindow(const TViewShotArgs& a) {
    HWND frame = nullptr;
    std::unique_ptr<THtmlView> view;
    return RunOnScreen(
        a.seconds,
        [&] {
            frame = CreateFrame(a.path);
            view = CreateView(frame);
            ShowWindow(frame, SW_SHOW);
            view->Navigate(a.path);
        },
        [&] {
            view.reset();
            if (IsWindow(frame)) DestroyWindow(frame);
        });
}

} // namespace

int RunViewShot(const std::vector<std::string>& args) {
    TViewShotArgs a;
    std::string error;
    if (!ParseArgs(args, a, error)) {
        std::cerr << "uishot: " << error << "\n";
        return 2;
    }
    return a.window ? ShowInWindow(a) : ShootHeadless(a);
}
