#include "htmlview/HtmlView.h"

#include <algorithm>
#include <cmath>
#include <litehtml.h>

#include "htmlview/DocumentSource.h"
#include "htmlview/HtmlPrinter.h"
#include "htmlview/LinkTarget.h"
#include "htmlview/MasterStyle.h"
#include "htmlview/ScreenContainer.h"
#include "movie/SwfMovie.h"
#include "platform/host/ExternalOpener.h"
#include "platform/window/PaintControl.h"
#include "platform/window/ScrollBars.h"

namespace {

constexpr const char* kViewProp = "THtmlView";
// Posted to itself: load the current history entry on the next turn of the loop.
constexpr UINT WM_HTMLVIEW_LOAD = WM_USER + 0x101;
constexpr uintptr_t kMovieTimer = 1;

void CollectText(const litehtml::element::ptr& el, std::string& out, int depth) {
    if (!el || depth > kMaxNestingDepth + 8) return;
    const size_t n = el->get_children_count();
    if (n == 0) {
        std::string t;
        el->get_text(t);
        out += t;
        return;
    }
    for (size_t i = 0; i < n; ++i) CollectText(el->get_child(int(i)), out, depth + 1);
}

litehtml::element::ptr FindAnchor(const litehtml::element::ptr& el, const std::string& name,
                                  int depth) {
    if (!el || depth > kMaxNestingDepth + 8) return nullptr;
    if (const char* id = el->get_attr("id"); id && name == id) return el;
    if (const char* tag = el->get_tagName(); tag && std::string(tag) == "a")
        if (const char* n = el->get_attr("name"); n && name == n) return el;
    const size_t count = el->get_children_count();
    for (size_t i = 0; i < count; ++i)
        if (auto found = FindAnchor(el->get_child(int(i)), name, depth + 1)) return found;
    return nullptr;
}

void UniteLeafBoxes(const litehtml::element::ptr& el, litehtml::position& box, bool& found,
                    int depth) {
    if (!el || depth > kMaxNestingDepth + 8) return;
    const size_t n = el->get_children_count();
    if (n == 0) {
        const litehtml::position p = el->get_placement();
        if (p.width <= 0 && p.height <= 0) return;
        if (!found)
            box = p;
        else {
            const int right = std::max(box.right(), p.right()),
                      bottom = std::max(box.bottom(), p.bottom());
            box.x = std::min(box.x, p.x);
            box.y = std::min(box.y, p.y);
            box.width = right - box.x;
            box.height = bottom - box.y;
        }
        found = true;
        return;
    }
    for (size_t i = 0; i < n; ++i) UniteLeafBoxes(el->get_child(int(i)), box, found, depth + 1);
}

// The first leaf with a size after `el` in document order, for anchors that hold nothing.
bool NextLeafBox(const litehtml::element::ptr& el, litehtml::position& box) {
    for (litehtml::element::ptr cur = el; cur; cur = cur->parent()) {
        litehtml::element::ptr parent = cur->parent();
        if (!parent) return false;
        bool after = false;
        for (size_t i = 0; i < parent->get_children_count(); ++i) {
            litehtml::element::ptr sibling = parent->get_child(int(i));
            if (after) {
                bool found = false;
                UniteLeafBoxes(sibling, box, found, 0);
                if (found) return true;
            }
            if (sibling == cur) after = true;
        }
    }
    return false;
}

// Where an element is in the document. Inline elements (a link, a named anchor) have no box
// of their own: the text and pictures inside them do.
litehtml::position ElementBox(const litehtml::element::ptr& el) {
    if (el->get_display() != litehtml::display_inline) return el->get_placement();
    litehtml::position box;
    bool found = false;
    UniteLeafBoxes(el, box, found, 0);
    if (!found && !NextLeafBox(el, box)) box = el->get_placement();
    return box;
}

} // namespace

void THtmlView::RegisterWindowClass() {
    // No background: the view paints all of its client itself.
    RegisterClassOnce(kClassName, StaticProc, 0, nullptr, LoadCursor(nullptr, IDC_ARROW));
}

std::unique_ptr<THtmlView> THtmlView::Create(HWND parent, const RECT& bounds, int id) {
    RegisterWindowClass();
    HWND hwnd = CreateWindowEx(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds.left,
                               bounds.top, WidthOf(bounds), HeightOf(bounds), parent,
                               reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
    if (!hwnd) return nullptr;
    std::unique_ptr<THtmlView> view(new THtmlView(hwnd));
    SetProp(hwnd, kViewProp, view.get());
    return view;
}

THtmlView::THtmlView(HWND hwnd) : hwnd_(hwnd) {
    openExternal = [](const std::string& url) { OpenExternalUrl(url); };
}

THtmlView::~THtmlView() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemoveProp(hwnd_, kViewProp);
        KillTimer(hwnd_, kMovieTimer);
        DestroyWindow(hwnd_);
    }
    // The document refers to its container: it goes first.
    document_.reset();
    container_.reset();
    if (backDc_) DeleteDC(backDc_);
    if (backBitmap_) DeleteObject(backBitmap_);
}

LRESULT THtmlView::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* view = static_cast<THtmlView*>(GetProp(hwnd, kViewProp));
    if (!view) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window went before the object: the object forgets it and fails from now on.
        RemoveProp(hwnd, kViewProp);
        view->hwnd_ = nullptr;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return view->WndProc(msg, wParam, lParam);
}

LRESULT THtmlView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HTMLVIEW_LOAD:
        if (loadPending_) LoadCurrentEntry();
        return 0;
    case WM_ERASEBKGND: return 1; // the paint covers the whole client from its off-screen copy
    case WM_PAINT: PaintControl(hwnd_, wParam, [this](HDC dc) { Paint(dc); }); return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SIZE:
        if (!inLayout_) Relayout();
        return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, wParam); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, wParam); return 0;
    case WM_MOUSEWHEEL: {
        const int delta = int16_t(HIWORD(wParam));
        ScrollTo(scroll_.x, scroll_.y - delta * kWheelLines * kLineStep / WHEEL_DELTA);
        return 0;
    }
    case WM_KEYDOWN: OnKey(UINT(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: OnMouse(msg, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_SETCURSOR:
        if (int16_t(LOWORD(uintptr_t(lParam))) == HTCLIENT && container_ &&
            container_->Cursor() == "pointer") {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return 1;
        }
        break;
    case WM_TIMER:
        if (wParam == kMovieTimer) {
            OnMovieTimer();
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProc(hwnd_, msg, wParam, lParam);
}

// ---- History

std::string THtmlView::CurrentPath() const {
    return history_.empty() ? std::string() : history_[index_].path;
}

void THtmlView::SaveScroll() {
    if (history_.empty()) return;
    history_[index_].scroll = scroll_;
    history_[index_].scrollSaved = true;
}

void THtmlView::AddEntry(THistoryEntry entry) {
    SaveScroll();
    if (!history_.empty())
        history_.erase(history_.begin() + std::ptrdiff_t(index_) + 1, history_.end());
    history_.push_back(std::move(entry));
    index_ = history_.size() - 1;
}

HRESULT THtmlView::Navigate(const std::string& path) {
    if (!hwnd_) return HTMLVIEW_FAIL;
    AddEntry(THistoryEntry{path, {}, {}, false});
    RequestLoad(true);
    return HTMLVIEW_OK;
}

HRESULT THtmlView::GoBack() {
    if (!hwnd_ || history_.empty() || index_ == 0) return HTMLVIEW_FAIL;
    SaveScroll();
    --index_;
    RequestLoad(false);
    return HTMLVIEW_OK;
}

HRESULT THtmlView::GoForward() {
    if (!hwnd_ || index_ + 1 >= history_.size()) return HTMLVIEW_FAIL;
    SaveScroll();
    ++index_;
    RequestLoad(false);
    return HTMLVIEW_OK;
}

void THtmlView::RequestLoad(bool reload) {
    loaded_ = false;
    reloadPending_ = reloadPending_ || reload;
    if (!loadPending_) PostMessage(hwnd_, WM_HTMLVIEW_LOAD, 0, 0);
    loadPending_ = true;
}

void THtmlView::LoadCurrentEntry() {
    loadPending_ = false;
    const bool reload = reloadPending_;
    reloadPending_ = false;
    const THistoryEntry entry = history_[index_];
    const bool same = !reload && entry.path == loadedPath_ && (document_ || movie_);
    if (!same) {
        ClearDocument();
        TDocumentSource source = LoadDocumentSource(entry.path);
        loadedPath_ = entry.path;
        if (source.kind == TDocumentKind::Movie)
            ShowMovie(source.movieData, entry.path);
        else
            ShowHtml(source.html, entry.path);
    }
    if (entry.scrollSaved)
        ScrollTo(entry.scroll.x, entry.scroll.y);
    else if (!entry.fragment.empty() && ScrollToFragment(entry.fragment)) {
    } else
        ScrollTo(0, 0);
    loaded_ = true;
    InvalidateRect(hwnd_, nullptr, false);
}

void THtmlView::ClearDocument() {
    if (movie_) KillTimer(hwnd_, kMovieTimer);
    movie_.reset();
    document_.reset();
    container_.reset();
    loadedHtml_.clear();
    docSize_ = SIZE{};
    layoutWidth_ = -1;
}

void THtmlView::ShowHtml(const std::string& html, const std::string& path) {
    container_ = std::make_unique<TScreenContainer>(path, ClientSize());
    try {
        document_ = litehtml::document::createFromUTF8(html.c_str(), container_.get(),
                                                       &HtmlMasterContext());
        loadedHtml_ = html;
    } catch (const std::exception& e) {
        // The layout engine gave up on this markup: the view's own page says so instead.
        document_.reset();
        container_ = std::make_unique<TScreenContainer>(path, ClientSize());
        loadedHtml_ = ErrorPage("Құжатты көрсету мүмкін емес", path, e.what());
        document_ = litehtml::document::createFromUTF8(loadedHtml_.c_str(), container_.get(),
                                                       &HtmlMasterContext());
    }
    Relayout();
}

void THtmlView::ShowMovie(const std::vector<uint8_t>& data, const std::string& path) {
    std::string error;
    movie_ = TSwfMovie::Load(data.data(), data.size(), &error);
    if (movie_) {
        const double fps = std::max(movie_->FrameRate(), 0.01);
        const UINT interval = UINT(std::clamp(std::lround(1000.0 / fps), 1L, 100000L));
        SetTimer(hwnd_, kMovieTimer, interval, nullptr);
        Relayout();
        return;
    }
    ShowHtml(ErrorPage("Фильмді ойнату мүмкін емес", path, error), path);
}

void THtmlView::OnMovieTimer() {
    if (!movie_) return;
    movie_->NextFrame();
    InvalidateRect(hwnd_, nullptr, false);
}

int THtmlView::MovieFrame() const { return movie_ ? movie_->CurrentFrame() : -1; }

void THtmlView::FollowLink(const std::string& href) {
    const TLinkTarget target = ResolveLink(href, CurrentPath());
    switch (target.kind) {
    case TLinkKind::External:
        if (openExternal) openExternal(target.url);
        return;
    case TLinkKind::FragmentOnly:
        AddEntry(THistoryEntry{CurrentPath(), target.fragment, {}, false});
        ScrollToFragment(target.fragment);
        return;
    case TLinkKind::Local:
        AddEntry(THistoryEntry{target.path, target.fragment, {}, false});
        RequestLoad(false);
        return;
    case TLinkKind::Ignored: return;
    }
}

bool THtmlView::ScrollToFragment(const std::string& fragment) {
    if (!document_) return false;
    auto el = FindAnchor(document_->root(), fragment, 0);
    if (!el) return false;
    ScrollTo(scroll_.x, ElementBox(el).y);
    return true;
}

// ---- Layout and scrolling

SIZE THtmlView::ClientSize() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return SIZE{WidthOf(r), HeightOf(r)};
}

void THtmlView::Relayout() {
    if (!hwnd_ || inLayout_) return;
    inLayout_ = true;
    // Showing or hiding a scroll bar changes the client width, and with it the layout; a few
    // rounds settle it (a document whose height flips with the bar stops at the last round).
    for (int round = 0; round < 3; ++round) {
        const SIZE client = ClientSize();
        if (document_) {
            container_->SetViewport(client);
            if (client.cx != layoutWidth_) {
                try {
                    document_->render(std::max<int>(client.cx, 1));
                } catch (const std::exception&) {
                    // A layout failure leaves what was laid out; the view stays usable.
                }
                layoutWidth_ = client.cx;
            }
            docSize_ = SIZE{document_->width(), document_->height()};
        } else {
            docSize_ = SIZE{};
        }
        UpdateScrollBars();
        const SIZE after = ClientSize();
        if (after == client || (after.cx == client.cx && !document_)) break;
    }
    inLayout_ = false;
    ScrollTo(scroll_.x, scroll_.y);
}

void THtmlView::UpdateScrollBars() {
    const SIZE client = ClientSize();
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max<int>(docSize_.cy - 1, 0);
    si.nPage = UINT(std::max<int>(client.cy, 0));
    si.nPos = scroll_.y;
    SetScrollInfo(hwnd_, SB_VERT, &si, true);
    si.nMax = std::max<int>(docSize_.cx - 1, 0);
    si.nPage = UINT(std::max<int>(client.cx, 0));
    si.nPos = scroll_.x;
    SetScrollInfo(hwnd_, SB_HORZ, &si, true);
}

void THtmlView::ScrollTo(int x, int y) {
    if (!hwnd_) return;
    const SIZE client = ClientSize();
    const POINT limit{std::max<LONG>(docSize_.cx - client.cx, 0),
                      std::max<LONG>(docSize_.cy - client.cy, 0)};
    const POINT next{std::clamp<LONG>(x, 0, limit.x), std::clamp<LONG>(y, 0, limit.y)};
    if (next == scroll_) return;
    scroll_ = next;
    SetScrollPos(hwnd_, SB_HORZ, scroll_.x, true);
    SetScrollPos(hwnd_, SB_VERT, scroll_.y, true);
    InvalidateRect(hwnd_, nullptr, false);
}

void THtmlView::OnScroll(int bar, WPARAM wParam) {
    const WORD request = LOWORD(wParam);
    const SIZE client = ClientSize();
    const bool vertical = bar == SB_VERT;
    const int pos = vertical ? scroll_.y : scroll_.x;
    const int page = std::max<int>((vertical ? client.cy : client.cx) - kLineStep, kLineStep);
    int next = pos;
    switch (request) {
    case SB_LINEUP: next = pos - kLineStep; break;
    case SB_LINEDOWN: next = pos + kLineStep; break;
    case SB_PAGEUP: next = pos - page; break;
    case SB_PAGEDOWN: next = pos + page; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = vertical ? docSize_.cy : docSize_.cx; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // While the thumb is dragged the bar holds the full track position; the message's 16
        // bits would cut off pages longer than 65535 pixels.
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS | SIF_POS;
        GetScrollInfo(hwnd_, bar, &si);
        next = si.nTrackPos != si.nPos ? si.nTrackPos : int(HIWORD(wParam));
        break;
    }
    default: return;
    }
    if (vertical)
        ScrollTo(scroll_.x, next);
    else
        ScrollTo(next, scroll_.y);
}

void THtmlView::OnKey(UINT vk) {
    const SIZE client = ClientSize();
    const int page = std::max<int>(client.cy - kLineStep, kLineStep);
    switch (vk) {
    case VK_UP: ScrollTo(scroll_.x, scroll_.y - kLineStep); break;
    case VK_DOWN: ScrollTo(scroll_.x, scroll_.y + kLineStep); break;
    case VK_LEFT: ScrollTo(scroll_.x - kLineStep, scroll_.y); break;
    case VK_RIGHT: ScrollTo(scroll_.x + kLineStep, scroll_.y); break;
    case VK_PRIOR: ScrollTo(scroll_.x, scroll_.y - page); break;
    case VK_NEXT: ScrollTo(scroll_.x, scroll_.y + page); break;
    case VK_SPACE:
        ScrollTo(scroll_.x, scroll_.y + ((GetKeyState(VK_SHIFT) & 0x8000) ? -page : page));
        break;
    case VK_HOME: ScrollTo(0, 0); break;
    case VK_END: ScrollTo(scroll_.x, docSize_.cy); break;
    default: break;
    }
}

void THtmlView::OnMouse(UINT msg, POINT p) {
    if (msg == WM_LBUTTONDOWN) SetFocus(hwnd_);
    if (!document_) return;
    litehtml::position::vector redraw;
    const int x = p.x + scroll_.x;
    const int y = p.y + scroll_.y;
    bool changed = document_->on_mouse_over(x, y, p.x, p.y, redraw);
    if (msg == WM_LBUTTONDOWN)
        changed = document_->on_lbutton_down(x, y, p.x, p.y, redraw) || changed;
    if (msg == WM_LBUTTONUP) changed = document_->on_lbutton_up(x, y, p.x, p.y, redraw) || changed;
    if (changed) InvalidateRect(hwnd_, nullptr, false);
    // The window system asks for the cursor before the move arrives; the element under the
    // mouse is known only now, so the cursor follows here.
    const bool hand = container_->Cursor() == "pointer";
    if (msg == WM_MOUSEMOVE && hand != handCursor_)
        SetCursor(LoadCursor(nullptr, hand ? IDC_HAND : IDC_ARROW));
    handCursor_ = hand;
    if (msg == WM_LBUTTONUP) {
        // Followed after the engine's call has returned: the document may be replaced.
        const std::string link = container_->TakeClickedLink();
        if (!link.empty()) FollowLink(link);
    }
}

// ---- Painting

void THtmlView::Paint(HDC target) {
    const SIZE client = ClientSize();
    if (client.cx <= 0 || client.cy <= 0) return;
    if (!backDc_) backDc_ = CreateCompatibleDC(nullptr);
    if (!backBitmap_ || backSize_ != client) {
        SelectObject(backDc_, DefaultBitmap());
        if (backBitmap_) DeleteObject(backBitmap_);
        backBitmap_ = CreateDIBSection(client.cx, client.cy, 24, true);
        backSize_ = client;
        SelectObject(backDc_, backBitmap_);
    }
    Bitmap* pixels = BitmapOf(backBitmap_);
    if (!pixels || pixels->Empty()) return;
    pixels->Fill(RGB(255, 255, 255));
    if (movie_) movie_->Render(*pixels, Rect(0, 0, client.cx, client.cy));
    if (document_) {
        container_->BeginDraw(backDc_);
        const litehtml::position clip(0, 0, client.cx, client.cy);
        try {
            document_->draw(reinterpret_cast<litehtml::uint_ptr>(backDc_), -scroll_.x, -scroll_.y,
                            &clip);
        } catch (const std::exception&) {
            // What was drawn stays; a drawing failure must not take the program down.
        }
        container_->EndDraw();
    }
    BitBlt(target, 0, 0, client.cx, client.cy, backDc_, 0, 0, SRCCOPY);
}

// ---- Queries

std::string THtmlView::Text() const {
    std::string text;
    if (document_) CollectText(document_->root(), text, 0);
    return text;
}

bool THtmlView::ElementRect(const std::string& selector, RECT* rect) const {
    if (!document_ || !document_->root()) return false;
    litehtml::element::ptr el;
    try {
        el = document_->root()->select_one(selector);
    } catch (const std::exception&) {
        return false;
    }
    if (!el) return false;
    const litehtml::position p = ElementBox(el);
    *rect = Rect(p.x, p.y, p.right(), p.bottom());
    return true;
}

// ---- Printing

HRESULT THtmlView::ExecWB(int command, int option) {
    if (command != OLECMDID_PRINT) return HTMLVIEW_FAIL;
    // A movie prints as an empty page set, as does a view with nothing open.
    THtmlPrinter printer(movie_ ? std::string() : loadedHtml_, CurrentPath());
    PRINTDLG pd;
    pd.hwndOwner = hwnd_ ? GetAncestor(hwnd_, GA_ROOT) : nullptr;
    pd.Flags = PD_ALLPAGES | PD_NOSELECTION;
    pd.nMinPage = 1;
    pd.nMaxPage = WORD(std::min(printer.PageCount(), 9999));
    pd.nFromPage = 1;
    pd.nToPage = pd.nMaxPage;
    pd.destinations = printDestinations ? printDestinations() : std::vector<PrintDestination>{};
    if (pd.destinations.empty()) pd.destinations.push_back({"Save as PDF", true});
    pd.destination = 0;
    pd.fileName = DefaultPdfPath(CurrentPath());
    if (option != OLECMDEXECOPT_DONTPROMPTUSER) {
        if (!printDialog || !printDialog(&pd)) return HTMLVIEW_OK; // cancelled: nothing printed
    }
    return printer.Print(pd, submitPrintJob) ? HTMLVIEW_OK : HTMLVIEW_FAIL;
}
