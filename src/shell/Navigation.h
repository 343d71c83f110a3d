#pragma once
// The rules of moving through the course, apart from the windows that carry them out: the
// forms hand the navigator a set of callbacks, and the navigator runs each choice's steps in
// their order.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// The content folder joined with a relative path that starts with a backslash, as plain text:
// no check and no normalisation, so a drive root ("C:\") gives two backslashes in a row.
std::string DocumentPath(const std::string& contentFolder, std::string_view relative);

// The process's current directory in Windows form, without a trailing backslash except at a
// drive root. Taken once at start; nothing changes it afterwards.
std::string StartupContentFolder();

// Raised when the HTML view reports an error result for a navigation; the application's
// default error handler shows it.
class ENavigationError : public std::runtime_error {
  public:
    ENavigationError(const std::string& path, int result);
    const std::string& Path() const { return path_; }
    int Result() const { return result_; }

  private:
    std::string path_;
    int result_;
};

// What the navigator asks of the forms. Every callback must be set.
struct TNavigatorEvents {
    // Opens the document in the HTML view; 0 for success, an error result otherwise.
    std::function<int(const std::string& path)> Navigate;
    // Writes the caption panel's text (UTF-8).
    std::function<void(const std::string& text)> SetCaption;
    std::function<void()> HideTitleLabel;
    std::function<void()> HideWelcomePanel;
    std::function<bool()> ContentsButtonEnabled;
};

class TNavigator {
  public:
    TNavigator(std::string contentFolder, TNavigatorEvents events);

    const std::string& ContentFolder() const { return contentFolder_; }

    // The tree's selection moved to the node at this absolute index. Group nodes (and indexes
    // outside the tree) do nothing; a document node navigates, then sets the caption. Returns
    // whether the node opens a document. Throws ENavigationError when navigating fails.
    bool TreeChanged(int absoluteIndex);

    // A menu item was clicked: hide the title label (not for N34), navigate, hide the welcome
    // panel if the contents button is enabled, set the caption if the item is enabled. A
    // failing navigation throws ENavigationError and the later steps do not run. Items that
    // open no document do nothing and return false.
    bool MenuClicked(std::string_view itemName, bool itemEnabled);

  private:
    void NavigateTo(std::string_view relative);

    std::string contentFolder_;
    TNavigatorEvents events_;
};
