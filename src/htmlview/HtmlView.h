#pragma once
// The HTML view: a child window of class "HtmlView" that shows local HTML files (with their
// pictures, style sheets and links), keeps its own history, shows a page of its own for a
// missing or unreadable file, prints through the print dialog (to a PDF file or a printer)
// and plays a SWF movie opened by its path.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "htmlview/HtmlPrinter.h"
#include "platform/dialogs/PrintDialog.h"
#include "platform/window/WindowSystem.h"

constexpr HRESULT HTMLVIEW_OK = S_OK;
constexpr HRESULT HTMLVIEW_FAIL = E_FAIL;
// ExecWB commands and options the view knows.
constexpr int OLECMDID_PRINT = 6;
constexpr int OLECMDEXECOPT_PROMPTUSER = 1;
constexpr int OLECMDEXECOPT_DONTPROMPTUSER = 2;

class TScreenContainer;
class TSwfMovie;
namespace litehtml {
class document;
class element;
} // namespace litehtml

class THtmlView {
  public:
    static constexpr const char* kClassName = "HtmlView";
    // Scroll steps in pixels: one line (arrow keys, scroll-bar arrows); the wheel moves three.
    static constexpr int kLineStep = 20;
    static constexpr int kWheelLines = 3;

    static void RegisterWindowClass();
    // Creates the view's window as a child of parent and the object that drives it. The object
    // destroys its window; when the window goes first, the object stays usable and its
    // operations fail.
    static std::unique_ptr<THtmlView> Create(HWND parent, const RECT& bounds, int id);
    ~THtmlView();
    THtmlView(const THtmlView&) = delete;
    THtmlView& operator=(const THtmlView&) = delete;

    HWND Handle() const { return hwnd_; }
    // Starts loading a local file (UTF-8 Windows-style or host path) and returns at once; the
    // file is read on the next turn of the message loop.
    HRESULT Navigate(const std::string& path);
    HRESULT GoBack();
    HRESULT GoForward();
    // OLECMDID_PRINT: asks through the print dialog (unless OLECMDEXECOPT_DONTPROMPTUSER) and
    // prints the current document. Cancelling is not a failure.
    HRESULT ExecWB(int command, int option);

    // Replaceable so that tests answer the dialog, and nothing is launched or sent to a printer.
    std::function<bool(PRINTDLG*)> printDialog = PrintDlg;
    std::function<std::vector<PrintDestination>()> printDestinations = PrintDestinations;
    TJobSubmitter submitPrintJob = SubmitPrintJob;
    std::function<void(const std::string& url)> openExternal;

    // Read-only state, for tests and the uishot tool.
    bool Loaded() const { return loaded_; }
    std::string CurrentPath() const;
    size_t HistorySize() const { return history_.size(); }
    size_t HistoryIndex() const { return index_; }
    POINT ScrollPosition() const { return scroll_; }
    SIZE DocumentSize() const { return docSize_; }
    // The laid-out text of the document ("" for a movie or before the first load).
    std::string Text() const;
    // The first element a CSS selector matches, in document coordinates.
    bool ElementRect(const std::string& selector, RECT* rect) const;
    bool ShowsMovie() const { return movie_ != nullptr; }
    int MovieFrame() const;
    void ScrollTo(int x, int y);

  private:
    struct THistoryEntry {
        std::string path;
        std::string fragment;
        POINT scroll{};
        bool scrollSaved = false;
    };

    explicit THtmlView(HWND hwnd);
    static LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    void AddEntry(THistoryEntry entry);
    void SaveScroll();
    void RequestLoad(bool reload);
    void LoadCurrentEntry();
    void ShowHtml(const std::string& html, const std::string& path);
    void ShowMovie(const std::vector<uint8_t>& data, const std::string& path);
    void ClearDocument();
    void Relayout();
    void UpdateScrollBars();
    bool ScrollToFragment(const std::string& fragment);
    void FollowLink(const std::string& href);

    void Paint(HDC target);
    void OnScroll(int bar, WPARAM wParam);
    void OnKey(UINT vk);
    void OnMouse(UINT msg, POINT client);
    void OnMovieTimer();
    SIZE ClientSize() const;

    HWND hwnd_ = nullptr;
    std::vector<THistoryEntry> history_;
    size_t index_ = 0;
    bool loadPending_ = false;
    bool reloadPending_ = false;
    bool loaded_ = false;
    bool inLayout_ = false;
    bool handCursor_ = false;

    std::string loadedPath_; // the file the shown document or movie came from
    std::string loadedHtml_; // its HTML, printed by ExecWB
    std::unique_ptr<TScreenContainer> container_;
    std::shared_ptr<litehtml::document> document_;
    std::unique_ptr<TSwfMovie> movie_;
    SIZE docSize_{};
    POINT scroll_{};
    int layoutWidth_ = -1;

    HDC backDc_ = nullptr;
    HBITMAP backBitmap_ = nullptr;
    SIZE backSize_{};
};
