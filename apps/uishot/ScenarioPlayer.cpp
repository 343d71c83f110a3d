#include "ScenarioPlayer.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WindowSystem.h"

namespace {

// The longest `wait`: the virtual clock moves a millisecond at a time, so a typo of a few
// zeros would otherwise keep the player busy for minutes.
constexpr int kMaxWaitMs = 600000;
// Mouse positions travel in 16-bit halves of an LPARAM.
constexpr int kMinCoord = -32768, kMaxCoord = 32767;

std::string Upper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return r;
}

void ExpectArgs(const std::vector<std::string>& args, size_t count, const char* usage) {
    if (args.size() != count) throw ScenarioError(std::string("expected ") + usage);
}

POINT PointArgs(const std::vector<std::string>& args) {
    ExpectArgs(args, 2, "X Y");
    return POINT{ScenarioInt(args[0], "X", kMinCoord, kMaxCoord),
                 ScenarioInt(args[1], "Y", kMinCoord, kMaxCoord)};
}

// Input steps only queue raw input, as the backend does for a real user: the loop that is
// waiting (perhaps a modal one) takes the messages. The headless helpers (MouseDown and so
// on) would handle the messages themselves, behind that loop's back. A press and its release
// are separate steps, so that what the press starts (a move loop, capture) is in place when
// the release comes.
ScenarioPlayer::Step ButtonStep(POINT p, bool down) {
    return {[p, down] {
        QueueMouseMove(p);
        QueueMouseButton(p, MouseButton::Left, down);
    }};
}

} // namespace

std::vector<std::string> SplitScenarioLine(std::string_view line) {
    std::vector<std::string> words;
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        if (blank(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
                    word += line[i++];
                else
                    word += c;
            }
            if (!closed) throw ScenarioError("a quoted word is not closed");
            if (i < line.size() && !blank(line[i]))
                throw ScenarioError("a closing quote must be followed by a blank");
        } else {
            while (i < line.size() && !blank(line[i])) word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<UINT> VirtualKeyByName(std::string_view name) {
    const std::string key = Upper(name);
    if (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9')))
        return UINT(key[0]);
    static const std::map<std::string, UINT, std::less<>> named = {
        {"BACK", VK_BACK},   {"TAB", VK_TAB},       {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE},
        {"SPACE", VK_SPACE}, {"PRIOR", VK_PRIOR},   {"NEXT", VK_NEXT},     {"END", VK_END},
        {"HOME", VK_HOME},   {"LEFT", VK_LEFT},     {"UP", VK_UP},         {"RIGHT", VK_RIGHT},
        {"DOWN", VK_DOWN},   {"INSERT", VK_INSERT}, {"DELETE", VK_DELETE}, {"ALT", VK_MENU},
    };
    if (auto it = named.find(key); it != named.end()) return it->second;
    // F1..F12 follow each other from VK_F1.
    if (key.size() >= 2 && key[0] == 'F') {
        int n = 0;
        const auto [end, ec] = std::from_chars(key.data() + 1, key.data() + key.size(), n);
        if (ec == std::errc() && end == key.data() + key.size() && key[1] != '0' && n >= 1 &&
            n <= 12)
            return VK_F1 + UINT(n - 1);
    }
    return std::nullopt;
}

int ScenarioInt(const std::string& text, const char* what, int lo, int hi) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi)
        throw ScenarioError(std::string(what) + " must be a whole number from " +
                            std::to_string(lo) + " to " + std::to_string(hi) + ", not \"" + text +
                            "\"");
    return value;
}

std::string DescribeTopLevelWindow(HWND hwnd, const std::string& name) {
    std::string caption;
    for (char c : GetWindowText(hwnd)) {
        if (c == '"' || c == '\\') caption += '\\';
        caption += c;
    }
    RECT r{};
    GetWindowRect(hwnd, &r);
    const char* visible = IsWindowVisible(hwnd) ? "visible=true" : "visible=false";
    return name + " " + GetClassName(hwnd) + " \"" + caption + "\" " + visible + " " +
           std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

ScenarioPlayer::ScenarioPlayer(std::ostream& out) : out_(out) { RegisterBuiltIns(); }

void ScenarioPlayer::Register(const std::string& name, CommandParser parser) {
    parsers_[name] = std::move(parser);
}

ScenarioPlayer::CommandParser ScenarioPlayer::Parser(const std::string& name) const {
    auto it = parsers_.find(name);
    return it == parsers_.end() ? CommandParser() : it->second;
}

void ScenarioPlayer::PlayNext(Steps steps) {
    if (steps.empty() || playingCommand_ >= commands_.size()) return;
    Steps& own = commands_[playingCommand_].steps;
    const size_t at = playingStep_ + 1;
    own.insert(own.begin() + std::ptrdiff_t(std::min(at, own.size())), steps.begin(), steps.end());
    // The player had moved on past the playing step; it comes back to the new ones.
    next_ = playingCommand_;
    step_ = at;
    played_ = 0;
    playingStep_ = at - 1;
}

void ScenarioPlayer::RegisterBuiltIns() {
    Register("wait", [](const std::vector<std::string>& args) -> Steps {
        ExpectArgs(args, 1, "MS");
        const int ms = ScenarioInt(args[0], "MS", 0, kMaxWaitMs);
        // A millisecond per play: timers fall due in order and what each starts is handled
        // before the clock moves on.
        return {{[] { Sleep(1); }, ms}};
    });
    Register("move", [](const std::vector<std::string>& args) -> Steps {
        const POINT p = PointArgs(args);
        return {{[p] { QueueMouseMove(p); }}};
    });
    Register("down", [](const std::vector<std::string>& args) -> Steps {
        return {ButtonStep(PointArgs(args), true)};
    });
    Register("up", [](const std::vector<std::string>& args) -> Steps {
        return {ButtonStep(PointArgs(args), false)};
    });
    Register("click", [](const std::vector<std::string>& args) -> Steps {
        const POINT p = PointArgs(args);
        return {ButtonStep(p, true), ButtonStep(p, false)};
    });
    Register("key", [](const std::vector<std::string>& args) -> Steps {
        ExpectArgs(args, 1, "a key name");
        const std::optional<UINT> vk = VirtualKeyByName(args[0]);
        if (!vk) throw ScenarioError("unknown key \"" + args[0] + "\"");
        return {{[vk = *vk] { QueueKey(vk, true); }}, {[vk = *vk] { QueueKey(vk, false); }}};
    });
    Register("windows", [this](const std::vector<std::string>& args) -> Steps {
        ExpectArgs(args, 0, "no arguments");
        return {{[this] {
            std::vector<HWND> tops;
            EnumWindows([&](HWND h) {
                tops.push_back(h);
                return true;
            });
            for (HWND h : tops) out_ << DescribeTopLevelWindow(h, namer_ ? namer_(h) : "-") << '\n';
            out_.flush();
        }}};
    });
    Register("shot", [](const std::vector<std::string>& args) -> Steps {
        ExpectArgs(args, 1, "a file name");
        const std::string file = args[0];
        return {{[file] {
            std::string error;
            if (!SaveScreenshot(file, &error))
                throw ScenarioError("cannot write \"" + file + "\": " + error);
        }}};
    });
}

bool ScenarioPlayer::Load(std::string_view script) {
    std::vector<Command> commands;
    int lineNumber = 0;
    size_t pos = 0;
    while (pos <= script.size()) {
        const size_t end = std::min(script.find('\n', pos), script.size());
        const std::string_view line = script.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#') continue;
        try {
            std::vector<std::string> words = SplitScenarioLine(line);
            const std::string name = words.front();
            auto it = parsers_.find(name);
            if (it == parsers_.end()) throw ScenarioError("unknown command \"" + name + "\"");
            words.erase(words.begin());
            try {
                commands.push_back(Command{lineNumber, name, it->second(words)});
            } catch (const ScenarioError& e) {
                throw ScenarioError(name + ": " + e.what());
            }
        } catch (const ScenarioError& e) {
            error_ = "line " + std::to_string(lineNumber) + ": " + e.what();
            commands_.clear();
            next_ = step_ = 0;
            played_ = 0;
            failed_ = true;
            return false;
        }
    }
    commands_ = std::move(commands);
    next_ = step_ = 0;
    played_ = 0;
    failed_ = false;
    error_.clear();
    SkipPlayed();
    return true;
}

void ScenarioPlayer::SkipPlayed() {
    while (next_ < commands_.size()) {
        const Steps& steps = commands_[next_].steps;
        if (step_ < steps.size() && played_ < steps[step_].repeat) return;
        if (step_ < steps.size()) {
            ++step_;
            played_ = 0;
        } else {
            ++next_;
            step_ = 0;
            played_ = 0;
        }
    }
}

bool ScenarioPlayer::PlayOne() {
    if (Done()) return false;
    const Command& command = commands_[next_];
    const int line = command.line;
    const std::string name = command.name;
    const std::function<void()> run = command.steps[step_].run;
    playingCommand_ = next_;
    playingStep_ = step_;
    // Moved on before it plays, so that whatever the step sets off finds the player ready.
    ++played_;
    SkipPlayed();
    try {
        run();
        return true;
    } catch (const std::exception& e) {
        if (!failed_) error_ = "line " + std::to_string(line) + ": " + name + ": " + e.what();
        failed_ = true;
        return false;
    }
}

bool ScenarioPlayer::Drive() { return PlayOne(); }

bool ScenarioPlayer::RunNext() {
    if (Done()) return false;
    const size_t command = next_;
    ProcessPendingMessages();
    while (!Done() && next_ == command) {
        if (!PlayOne()) break;
        ProcessPendingMessages();
    }
    return !failed_;
}

bool ScenarioPlayer::RunToEnd() {
    while (RunNext()) {}
    return !failed_;
}
