#pragma once
// Plays a scenario against the windows of the program on the headless backend, the way a user
// would act: one command per line, a name and its arguments. Commands come from a registry
// (name -> parser), so a program can add commands that name its own parts; the built-in ones
// wait on the virtual clock, move and click the mouse, press keys, list the top-level windows
// and take screenshots.
//
// A script is read whole before anything runs, so a bad line is reported without acting on
// half a script. A command is a list of steps, each a piece of input or an observation. The
// steps are played in one of two ways:
//  - driven: the program runs its own message loop and the headless backend calls Drive()
//    whenever the loop waits; each call plays one step and returns, and whichever loop is
//    waiting (the main one or a modal one) handles what the step queued, as with a real user;
//  - directly: RunNext()/RunToEnd() play steps and handle the resulting messages themselves
//    (for when no loop is running).
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"

// What is wrong with a command or what went wrong running it; the player adds the line.
class ScenarioError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ScenarioPlayer {
  public:
    // One thing the user does or looks at, played `repeat` times (a wait is a millisecond of
    // virtual time played once per millisecond). Throws ScenarioError when it fails.
    struct Step {
        std::function<void()> run;
        int repeat = 1;
    };
    using Steps = std::vector<Step>;
    // Checks a command's arguments and returns its steps; throws ScenarioError for arguments
    // it cannot take.
    using CommandParser = std::function<Steps(const std::vector<std::string>& args)>;

    // The built-in commands print (`windows`) to out.
    explicit ScenarioPlayer(std::ostream& out);

    // Adds a command or replaces the one of that name. Names are matched exactly.
    void Register(const std::string& name, CommandParser parser);
    // The parser registered under a name (empty when none), so that a replacement can hand
    // the forms it does not take to the one it replaces.
    CommandParser Parser(const std::string& name) const;
    // Names the windows that `windows` lists (default: "-" for every window).
    void SetWindowNamer(std::function<std::string(HWND)> namer) { namer_ = std::move(namer); }

    // From inside a playing step: plays `steps` right after it, before the rest of its
    // command. Steps that depend on what the program shows by then (a menu that has opened,
    // a node that has scrolled into view) are made this way.
    void PlayNext(Steps steps);

    // Reads a script, replacing what was still to play. On a bad line returns false, keeps
    // nothing of the script and sets Error() to "line N: ...".
    bool Load(std::string_view script);

    // Driven play: plays the next step and returns true, or false when the scenario is over
    // (all played, or a step failed). For HeadlessBackend::SetDriver.
    bool Drive();
    // Direct play: the rest of the current command, or the next one; false when none was left
    // or it failed.
    bool RunNext();
    // Direct play of everything left; false when a step fails.
    bool RunToEnd();

    bool Done() const { return failed_ || next_ >= commands_.size(); }
    bool Failed() const { return failed_; }
    const std::string& Error() const { return error_; }

  private:
    struct Command {
        int line = 0;
        std::string name;
        Steps steps;
    };

    void RegisterBuiltIns();
    // Plays one repetition of the current step and moves on; false when nothing was left.
    bool PlayOne();
    // Moves past finished steps and commands (and those with nothing to play).
    void SkipPlayed();

    std::ostream& out_;
    std::map<std::string, CommandParser> parsers_;
    std::function<std::string(HWND)> namer_;
    size_t playingCommand_ = 0; // where the step now playing sits, for PlayNext
    size_t playingStep_ = 0;
    std::vector<Command> commands_;
    size_t next_ = 0; // the command being played
    size_t step_ = 0; // its step
    int played_ = 0;  // repetitions of that step played
    bool failed_ = false;
    std::string error_;
};

// The words of a script line: split at blanks and tabs; a word in double quotes may hold
// blanks, with \" and \\ standing for a quote and a backslash. Throws ScenarioError for an
// unterminated quote or a quote followed by more than a blank.
std::vector<std::string> SplitScenarioLine(std::string_view line);

// The Win32 virtual key of a name: RETURN, ESCAPE, TAB, LEFT, RIGHT, UP, DOWN, HOME, END,
// PRIOR, NEXT, SPACE, BACK, DELETE, INSERT, ALT, F1..F12, or one letter or digit; any case.
std::optional<UINT> VirtualKeyByName(std::string_view name);

// A whole number argument in [lo, hi]; throws ScenarioError naming `what` otherwise.
int ScenarioInt(const std::string& text, const char* what, int lo, int hi);

// One line of the `windows` listing: the name given, class, caption in quotes (with quotes
// and backslashes escaped), visible=true|false and the window rectangle as left,top,right,bottom.
std::string DescribeTopLevelWindow(HWND hwnd, const std::string& name = "-");
