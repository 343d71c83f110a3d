#include "Monkey.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <unistd.h>

#include "htmlview/HtmlView.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/core/FileSystem.h"
#include "platform/dialogs/PrintDialog.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WindowObject.h"
#include "shell/Program.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/WebBrowser.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define MONKEY_HAS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/common_interface_defs.h>
#define MONKEY_HAS_SANITIZER 1
#endif
#endif

namespace {

constexpr int kRememberedActions = 20;
constexpr int kMaxWaitMs = 1500;

// What a crash handler writes: kept ready after every action, because a handler may only
// write() what is already there.
char g_crashReport[8192];
size_t g_crashReportLength = 0;

void WriteCrashReport() {
    if (g_crashReportLength) [[maybe_unused]]
        ssize_t n = ::write(2, g_crashReport, g_crashReportLength);
}

extern "C" void OnFatalSignal(int sig) {
    WriteCrashReport();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

TForm* FormNamed(const char* name) {
    if (!Application) return nullptr;
    for (TForm* form : Application->Forms())
        if (form->Name() == name) return form;
    return nullptr;
}

void CollectBrowsers(TComponent* owner, std::vector<TWebBrowser*>& out) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (auto* browser = dynamic_cast<TWebBrowser*>(c)) out.push_back(browser);
        CollectBrowsers(c, out);
    }
}

RECT ScreenRectOf(TControl* control) {
    TWinControl* parent = control->Parent();
    if (!parent || !parent->HandleAllocated()) return RECT{};
    POINT tl{control->Left(), control->Top()};
    ClientToScreen(parent->Handle(), &tl);
    return Rect(tl.x, tl.y, tl.x + control->Width(), tl.y + control->Height());
}

class Monkey {
  public:
    Monkey(const MonkeyOptions& options, HeadlessBackend& backend)
        : options_(options), backend_(backend), random_(options.seed) {}

    // One call per wait of the program's loop: plays the next piece of input.
    bool Drive() {
        if (steps_.empty()) {
            if (played_ > 0 && !CheckRules()) return false;
            if (played_ == options_.actions) return false;
            ProtectProgram();
            NextAction();
            ++played_;
            UpdateReport();
        }
        if (steps_.empty()) return true;
        const std::function<void()> step = std::move(steps_.front());
        steps_.pop_front();
        step();
        return true;
    }

    int Played() const { return played_; }
    // How far the run got: after how many actions a modal window was open, prints written.
    std::string Summary() const {
        return std::to_string(modalActions_) + " with a modal window open, " +
               std::to_string(prints_) + " print dialogs, the main window " +
               (mainShown_ ? "shown" : "never shown");
    }
    bool Broken() const { return !broken_.empty(); }

    void Fail(const std::string& why) {
        if (broken_.empty()) broken_ = why;
    }

    std::string Report() const {
        std::ostringstream out;
        out << "monkey: seed " << options_.seed << ", action " << played_ << " of "
            << options_.actions;
        if (!broken_.empty()) out << ": " << broken_;
        out << "\nthe last actions:\n";
        for (const std::string& a : log_) out << "  " << a << "\n";
        out << "replay: uishot --monkey " << played_ << " --seed " << options_.seed
            << (options_.content.empty() ? "" : " --content " + options_.content) << "\n";
        return out.str();
    }

    void ReleaseHooks() {
        for (auto& [hwnd, id] : closeHooks_) RemoveWindowMessageHook(id);
        closeHooks_.clear();
    }

  private:
    // The program's exits stay shut: the close box and system menu of the main and splash
    // windows (closing the splash, the program's main form, ends it). The exit button is
    // never clicked.
    void ProtectProgram() {
        for (const char* name : {"Form1", "Form4"}) {
            TForm* form = FormNamed(name);
            if (!form || !form->HandleAllocated()) continue;
            const HWND hwnd = form->Handle();
            if (closeHooks_.count(hwnd)) continue;
            closeHooks_[hwnd] = AddWindowMessageHook(hwnd, [](HWND, UINT msg, WPARAM wParam, LPARAM,
                                                              LRESULT* result) {
                if (!((msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) || msg == WM_CLOSE))
                    return false;
                *result = 0;
                return true;
            });
        }
        // Prints go to the scratch folder only, links to no browser.
        if (!Application) return;
        std::vector<TWebBrowser*> browsers;
        for (TForm* form : Application->Forms()) CollectBrowsers(form, browsers);
        for (TWebBrowser* browser : browsers) {
            THtmlView* view = browser->View();
            if (!view || hooked_.count(view)) continue;
            hooked_.insert(view);
            const std::string scratch = options_.scratch;
            int* prints = &prints_;
            view->printDestinations = [] {
                return std::vector<PrintDestination>{{"Save as PDF", true}};
            };
            view->printDialog = [scratch, prints](PRINTDLG* pd) {
                pd->fileName = scratch + "/print-" + std::to_string(++*prints) + ".pdf";
                const std::string chosen = pd->fileName;
                if (!PrintDlg(pd)) return false;
                pd->destination = 0;
                pd->fileName = chosen; // whatever was typed, the file stays in the scratch folder
                return true;
            };
            view->submitPrintJob = [](const TPrintJob&, std::string* error) {
                if (error) *error = "no printer in the monkey test";
                return false;
            };
            view->openExternal = [](const std::string&) {};
        }
    }

    std::vector<HWND> ShownWindows() const {
        std::vector<HWND> shown;
        for (HWND h : TopLevelZOrder())
            if (IsWindowVisible(h) && !IsIconic(h) && WindowClassName(h) != "tooltips_class32")
                shown.push_back(h);
        return shown;
    }

    static std::string WindowClassName(HWND h) { return GetClassName(h); }

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    // A point on one of the shown windows, or anywhere on the screen now and then; never on
    // the exit button or the main window's close box.
    POINT RandomPoint() {
        const RECT screen = backend_.ScreenRect();
        for (int attempt = 0; attempt < 50; ++attempt) {
            const std::vector<HWND> shown = ShownWindows();
            RECT area = screen;
            if (!shown.empty() && Uniform(0, 9) > 0) {
                // The front window most often: that is where a user's eye is.
                const HWND h =
                    shown[size_t(Uniform(0, 2) == 0 ? Uniform(0, int(shown.size()) - 1) : 0)];
                RECT r{};
                GetWindowRect(h, &r);
                IntersectRect(area, r, screen);
            }
            if (IsRectEmpty(area)) continue;
            const POINT p{Uniform(area.left, area.right - 1), Uniform(area.top, area.bottom - 1)};
            if (Forbidden(p)) continue;
            return p;
        }
        return POINT{screen.right / 2, screen.bottom - 5};
    }

    bool Forbidden(POINT p) {
        TForm* main = FormNamed("Form1");
        if (main && main->HandleAllocated() && IsWindowVisible(main->Handle())) {
            const HWND hwnd = main->Handle();
            RECT r{};
            GetWindowRect(hwnd, &r);
            if (PtInRect(r, p) && WindowFromPoint(p) == hwnd &&
                SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == HTCLOSE)
                return true;
            if (auto* exit = dynamic_cast<TControl*>(main->FindComponent("sSpeedButton6")))
                if (PtInRect(ScreenRectOf(exit), p)) return true;
        }
        return false;
    }

    static std::string At(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

    void Button(POINT p, MouseButton button, bool down) {
        steps_.push_back([p, button, down] {
            QueueMouseMove(p);
            QueueMouseButton(p, button, down);
        });
    }

    // From timer to timer rather than a millisecond at a time: the same order, fewer turns.
    void WaitUntil(DWORD end) {
        const DWORD now = backend_.NowMs();
        if (int32_t(end - now) <= 0) return;
        const DWORD next = NextTimerDueMs();
        DWORD to = end;
        if (next != kWaitForever && int32_t(next - end) < 0)
            to = int32_t(next - now) > 0 ? next : now + 1;
        backend_.Sleep(to - now);
        if (int32_t(end - backend_.NowMs()) > 0) steps_.push_front([this, end] { WaitUntil(end); });
    }

    void Key(UINT vk) {
        steps_.push_back([vk] { QueueKey(vk, true); });
        steps_.push_back([vk] { QueueKey(vk, false); });
    }

    void NextAction() {
        static const struct {
            UINT vk;
            const char* name;
        } keys[] = {{'A', "A"},
                    {'K', "K"},
                    {'S', "S"},
                    {'Z', "Z"},
                    {VK_LEFT, "LEFT"},
                    {VK_RIGHT, "RIGHT"},
                    {VK_UP, "UP"},
                    {VK_DOWN, "DOWN"},
                    {VK_TAB, "TAB"},
                    {VK_RETURN, "RETURN"},
                    {VK_ESCAPE, "ESCAPE"},
                    {VK_MENU, "ALT"},
                    {VK_F10, "F10"}};
        const int kind = Uniform(0, 99);
        std::string what;
        // A minimized window comes back from the task bar now and then (the headless screen
        // has none), at once when nothing else is shown.
        std::vector<HWND> minimized;
        for (HWND h : TopLevelZOrder())
            if (IsWindowVisible(h) && IsIconic(h)) minimized.push_back(h);
        if (!minimized.empty() && (kind < 3 || ShownWindows().empty())) {
            const HWND h = minimized[size_t(Uniform(0, int(minimized.size()) - 1))];
            steps_.push_back([h] {
                if (IsWindow(h)) PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
            });
            what = "restore \"" + GetWindowText(h) + "\" from the task bar";
        } else if (kind < 40) {
            const POINT p = RandomPoint();
            Button(p, MouseButton::Left, true);
            Button(p, MouseButton::Left, false);
            what = "click " + At(p);
        } else if (kind < 45) {
            const POINT p = RandomPoint();
            Button(p, MouseButton::Right, true);
            Button(p, MouseButton::Right, false);
            what = "right-click " + At(p);
        } else if (kind < 55) {
            const POINT from = RandomPoint();
            POINT to{from.x + Uniform(-200, 200), from.y + Uniform(-150, 150)};
            const RECT screen = backend_.ScreenRect();
            to.x = std::clamp<LONG>(to.x, 0, screen.right - 1);
            to.y = std::clamp<LONG>(to.y, 0, screen.bottom - 1);
            Button(from, MouseButton::Left, true);
            for (int i = 1; i <= 3; ++i) {
                const POINT mid{from.x + (to.x - from.x) * i / 3, from.y + (to.y - from.y) * i / 3};
                steps_.push_back([mid] { QueueMouseMove(mid); });
            }
            Button(to, MouseButton::Left, false);
            what = "drag " + At(from) + " to " + At(to);
        } else if (kind < 62) {
            const POINT p = RandomPoint();
            steps_.push_back([p] { QueueMouseMove(p); });
            what = "move " + At(p);
        } else if (kind < 80) {
            const auto& k = keys[size_t(Uniform(0, int(std::size(keys)) - 1))];
            Key(k.vk);
            what = std::string("key ") + k.name;
        } else if (kind < 87) {
            const POINT p = RandomPoint();
            const int delta = Uniform(0, 1) ? 120 : -120;
            steps_.push_back([p] { QueueMouseMove(p); });
            steps_.push_back([p, delta] { QueueMouseWheel(p, delta); });
            what = "wheel " + At(p) + " " + std::to_string(delta);
        } else {
            const int ms = Uniform(1, kMaxWaitMs);
            steps_.push_back([this, end = backend_.NowMs() + DWORD(ms)] { WaitUntil(end); });
            what = "wait " + std::to_string(ms);
        }
        log_.push_back(std::to_string(played_ + 1) + ": " + what);
        if (log_.size() > size_t(kRememberedActions)) log_.pop_front();
    }

    bool CheckRules() {
        const std::vector<HWND> shown = ShownWindows();
        int dialogs = 0;
        const RECT screen = backend_.ScreenRect();
        for (HWND h : shown) {
            // A dialog's own dialog (the print dialog's properties) disables it: one dialog
            // at a time takes input.
            if (WindowClassName(h) == "#32770" && IsWindowEnabled(h)) ++dialogs;
            RECT r{};
            GetWindowRect(h, &r);
            RECT onScreen{};
            if (!IntersectRect(onScreen, r, screen)) {
                Fail("the window \"" + GetWindowText(h) + "\" (" + WindowClassName(h) +
                     ") is off the screen");
                return false;
            }
        }
        if (dialogs > 0) ++modalActions_;
        if (dialogs > 1) {
            std::string which;
            for (HWND h : shown)
                if (WindowClassName(h) == "#32770" && IsWindowEnabled(h))
                    which += " \"" + GetWindowText(h) + "\"";
            Fail(std::to_string(dialogs) + " modal windows are open at once:" + which);
            return false;
        }
        TForm* main = FormNamed("Form1");
        // The main window is made when it is first shown (a click on the splash picture).
        if (main && main->HandleAllocated() && !mainWindow_) mainWindow_ = main->Handle();
        if (!main || (mainWindow_ && !IsWindow(mainWindow_))) {
            Fail("the main window is gone");
            return false;
        }
        if (!mainWindow_) return true;
        if (IsWindowVisible(mainWindow_))
            mainShown_ = true;
        else if (mainShown_) {
            Fail("the main window was hidden");
            return false;
        }
        return true;
    }

    void UpdateReport() {
        const std::string report = "\n" + Report();
        g_crashReportLength = std::min(report.size(), sizeof g_crashReport);
        std::memcpy(g_crashReport, report.data(), g_crashReportLength);
    }

    const MonkeyOptions& options_;
    HeadlessBackend& backend_;
    std::mt19937 random_;
    std::deque<std::function<void()>> steps_;
    std::deque<std::string> log_;
    std::map<HWND, int> closeHooks_;
    std::set<THtmlView*> hooked_;
    int prints_ = 0;
    int played_ = 0;
    bool mainShown_ = false;
    HWND mainWindow_ = nullptr;
    int modalActions_ = 0;
    std::string broken_;
};

} // namespace

int RunMonkey(const MonkeyOptions& given) {
    MonkeyOptions options = given;
    if (!options.content.empty() && !SetCurrentDirectory(options.content)) {
        std::cerr << "uishot: --content: cannot enter the folder \"" << options.content << "\"\n";
        return 2;
    }
    bool removeScratch = false;
    if (options.scratch.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/uishot-monkey-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::cerr << "uishot: no scratch folder for the prints\n";
            return 1;
        }
        options.scratch = pattern;
        removeScratch = true;
    }
    std::error_code made;
    std::filesystem::create_directories(options.scratch, made);
    if (made) {
        std::cerr << "uishot: --scratch: cannot make the folder \"" << options.scratch << "\"\n";
        return 2;
    }
    HeadlessBackend& headless = UseHeadlessBackend(1280, 1024);
    Monkey monkey(options, headless);
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnFatalSignal);
#ifdef MONKEY_HAS_SANITIZER
    __sanitizer_set_death_callback(WriteCrashReport);
#endif
    headless.SetDriver([&monkey] { return monkey.Drive(); });
    RunTextbookProgram();
    headless.SetDriver(nullptr);
    monkey.ReleaseHooks();
    g_crashReportLength = 0;
    if (!monkey.Broken() && monkey.Played() < options.actions) monkey.Fail("the program ended");
    if (removeScratch) {
        std::error_code ignored;
        std::filesystem::remove_all(options.scratch, ignored);
    }
    if (monkey.Broken()) {
        std::cerr << monkey.Report();
        return 1;
    }
    std::cout << "monkey: seed " << options.seed << ", " << monkey.Played() << " actions ("
              << monkey.Summary() << "), every rule held\n";
    return 0;
}
