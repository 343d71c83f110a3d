// The tree-view control: items in a tree, expanded and collapsed by buttons, double clicks and
// keys; one selected item with veto-able notifications; hot tracking; custom draw; scrolling
// through the window's scroll bars.
#include "platform/controls/TreeView.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "platform/window/PaintControl.h"
#include "platform/window/ScrollBars.h"

namespace {

struct Item {
    uintptr_t id = 0;
    Item* parent = nullptr;
    std::vector<Item*> children;
    std::string text;
    UINT state = 0;
    int image = 0;
    int selectedImage = 0;
    int childrenFlag = 0; // TVIF_CHILDREN: 1 shows a button without children yet
    LPARAM param = 0;
};

HTREEITEM HandleOf(const Item* item) {
    return item ? reinterpret_cast<HTREEITEM>(item->id) : nullptr;
}

class Tree {
  public:
    explicit Tree(HWND hwnd) : hwnd_(hwnd) {}
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    // ---- items
    Item* Find(HTREEITEM h) const {
        auto it = items_.find(reinterpret_cast<uintptr_t>(h));
        return it == items_.end() ? nullptr : it->second.get();
    }
    std::vector<Item*>& SiblingsOf(Item* parent) { return parent ? parent->children : roots_; }
    int LevelOf(const Item* item) const {
        int level = 0;
        for (const Item* p = item->parent; p; p = p->parent) ++level;
        return level;
    }
    bool HasButton(const Item* item) const {
        return !item->children.empty() || item->childrenFlag > 0;
    }
    bool Expanded(const Item* item) const { return (item->state & TVIS_EXPANDED) != 0; }
    HTREEITEM Insert(const TVINSERTSTRUCTA& ins);
    void Delete(Item* item);
    void DeleteAll();
    std::vector<Item*> Visible() const;
    void CollectVisible(const std::vector<Item*>& level, std::vector<Item*>& out) const;
    int VisibleIndex(const Item* item) const;
    Item* NextItem(WPARAM code, Item* item) const;
    bool GetItem(TVITEMA* tv) const;
    bool SetItem(const TVITEMA* tv);
    void FillItem(const Item* item, TVITEMA& tv) const;

    // ---- geometry
    int ItemHeight();
    int TextLeft(const Item* item) const;
    int TextWidth(const Item* item);
    RECT RowRect(int visibleIndex);
    RECT LabelRect(Item* item, int visibleIndex);
    Item* HitTest(POINT p, UINT* flags);
    int PageRows();

    // ---- behaviour
    bool Select(Item* item, UINT cause);
    bool Expand(Item* item, WPARAM code);
    void ExpandAll(Item* item);
    void EnsureVisible(Item* item);
    void SetTop(int top);
    void SetLeft(int left);
    void UpdateScrollBars();
    LRESULT Notify(UINT code, void* nm, size_t size);
    LRESULT NotifyTree(UINT code, UINT action, Item* oldItem, Item* newItem);
    void OnKey(UINT vk);
    void OnButtonDown(POINT p, bool dbl);
    void OnMouseMove(POINT p);
    void OnScroll(bool vertical, WORD code, int thumb);

    // ---- painting
    void Paint(HDC dc);
    void PaintItem(HDC dc, Item* item, int index, LRESULT prepaint);
    void PaintButton(HDC dc, const RECT& row, const Item* item);
    void PaintLines(HDC dc, const RECT& row, const Item* item);
    int ColumnCentre(const Item* item) const { return TextLeft(item) - 3 - indent_ / 2 - 1; }
    bool HasNextSibling(const Item* item) const {
        const std::vector<Item*>& s = item->parent ? item->parent->children : roots_;
        return !s.empty() && s.back() != item;
    }
    COLORREF BkColor() const { return bk_ == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : bk_; }
    COLORREF TextColor() const {
        return text_ == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : text_;
    }
    HFONT Font() const { return font_; }

    HWND hwnd_;
    std::map<uintptr_t, std::unique_ptr<Item>> items_;
    std::vector<Item*> roots_;
    uintptr_t nextId_ = 0x10;
    Item* selected_ = nullptr;
    Item* hot_ = nullptr;
    int indent_ = 19;
    int itemHeight_ = 0; // 0: from the font
    int top_ = 0;        // first shown row
    int left_ = 0;       // horizontal scroll in pixels
    COLORREF bk_ = CLR_DEFAULT;
    COLORREF text_ = CLR_DEFAULT;
    HFONT font_ = nullptr;
    bool focused_ = false;
    bool updatingBars_ = false;
};

std::map<HWND, std::unique_ptr<Tree>>& Trees() {
    static std::map<HWND, std::unique_ptr<Tree>> trees;
    return trees;
}

// ---------------------------------------------------------------- items

HTREEITEM Tree::Insert(const TVINSERTSTRUCTA& ins) {
    Item* parent = ins.hParent == TVI_ROOT || !ins.hParent ? nullptr : Find(ins.hParent);
    if (ins.hParent && ins.hParent != TVI_ROOT && !parent) return nullptr;
    auto owned = std::make_unique<Item>();
    Item* item = owned.get();
    item->id = nextId_++;
    item->parent = parent;
    const TVITEMA& tv = ins.item;
    if ((tv.mask & TVIF_TEXT) && tv.pszText) item->text = tv.pszText;
    if (tv.mask & TVIF_IMAGE) item->image = tv.iImage;
    if (tv.mask & TVIF_SELECTEDIMAGE) item->selectedImage = tv.iSelectedImage;
    if (tv.mask & TVIF_PARAM) item->param = tv.lParam;
    if (tv.mask & TVIF_CHILDREN) item->childrenFlag = tv.cChildren;
    if (tv.mask & TVIF_STATE) item->state = tv.state & tv.stateMask & TVIS_EXPANDED;
    std::vector<Item*>& siblings = SiblingsOf(parent);
    if (ins.hInsertAfter == TVI_FIRST) {
        siblings.insert(siblings.begin(), item);
    } else {
        auto at = std::find(siblings.begin(), siblings.end(), Find(ins.hInsertAfter));
        siblings.insert(at == siblings.end() ? siblings.end() : at + 1, item);
    }
    items_[item->id] = std::move(owned);
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, false);
    return HandleOf(item);
}

void Tree::Delete(Item* item) {
    while (!item->children.empty()) Delete(item->children.back());
    std::vector<Item*>& siblings = SiblingsOf(item->parent);
    std::erase(siblings, item);
    if (selected_ == item) selected_ = nullptr;
    if (hot_ == item) hot_ = nullptr;
    items_.erase(item->id);
}

void Tree::DeleteAll() {
    while (!roots_.empty()) Delete(roots_.back());
    top_ = left_ = 0;
}

void Tree::CollectVisible(const std::vector<Item*>& level, std::vector<Item*>& out) const {
    for (Item* item : level) {
        out.push_back(item);
        if (Expanded(item)) CollectVisible(item->children, out);
    }
}

std::vector<Item*> Tree::Visible() const {
    std::vector<Item*> out;
    CollectVisible(roots_, out);
    return out;
}

int Tree::VisibleIndex(const Item* item) const {
    const std::vector<Item*> v = Visible();
    auto it = std::find(v.begin(), v.end(), item);
    return it == v.end() ? -1 : int(it - v.begin());
}

Item* Tree::NextItem(WPARAM code, Item* item) const {
    auto sibling = [&](int step) -> Item* {
        if (!item) return nullptr;
        const std::vector<Item*>& s = item->parent ? item->parent->children : roots_;
        auto it = std::find(s.begin(), s.end(), item);
        const long i = long(it - s.begin()) + step;
        return i >= 0 && i < long(s.size()) ? s[size_t(i)] : nullptr;
    };
    const std::vector<Item*> v = Visible();
    auto visibleStep = [&](int step) -> Item* {
        auto it = std::find(v.begin(), v.end(), item);
        if (it == v.end()) return nullptr;
        const long i = long(it - v.begin()) + step;
        return i >= 0 && i < long(v.size()) ? v[size_t(i)] : nullptr;
    };
    switch (code) {
    case TVGN_ROOT: return roots_.empty() ? nullptr : roots_.front();
    case TVGN_NEXT: return sibling(1);
    case TVGN_PREVIOUS: return sibling(-1);
    case TVGN_PARENT: return item ? item->parent : nullptr;
    case TVGN_CHILD:
        if (!item) return roots_.empty() ? nullptr : roots_.front();
        return item->children.empty() ? nullptr : item->children.front();
    case TVGN_FIRSTVISIBLE: return top_ < int(v.size()) ? v[size_t(top_)] : nullptr;
    case TVGN_NEXTVISIBLE: return visibleStep(1);
    case TVGN_PREVIOUSVISIBLE: return visibleStep(-1);
    case TVGN_LASTVISIBLE: return v.empty() ? nullptr : v.back();
    case TVGN_CARET: return selected_;
    default: return nullptr;
    }
}

void Tree::FillItem(const Item* item, TVITEMA& tv) const {
    tv.hItem = HandleOf(item);
    tv.state = item->state | (item == selected_ ? TVIS_SELECTED : 0);
    tv.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
    tv.lParam = item->param;
    tv.iImage = item->image;
    tv.iSelectedImage = item->selectedImage;
    tv.cChildren = item->children.empty() ? item->childrenFlag : 1;
}

bool Tree::GetItem(TVITEMA* tv) const {
    const Item* item = tv ? Find(tv->hItem) : nullptr;
    if (!item) return false;
    if (tv->mask & TVIF_STATE) tv->state = item->state | (item == selected_ ? TVIS_SELECTED : 0);
    if (tv->mask & TVIF_PARAM) tv->lParam = item->param;
    if (tv->mask & TVIF_IMAGE) tv->iImage = item->image;
    if (tv->mask & TVIF_SELECTEDIMAGE) tv->iSelectedImage = item->selectedImage;
    if (tv->mask & TVIF_CHILDREN) tv->cChildren = item->children.empty() ? item->childrenFlag : 1;
    if ((tv->mask & TVIF_TEXT) && tv->pszText && tv->cchTextMax > 0) {
        const size_t n = std::min(item->text.size(), size_t(tv->cchTextMax - 1));
        std::memcpy(tv->pszText, item->text.data(), n);
        tv->pszText[n] = 0;
    }
    return true;
}

bool Tree::SetItem(const TVITEMA* tv) {
    Item* item = tv ? Find(tv->hItem) : nullptr;
    if (!item) return false;
    if ((tv->mask & TVIF_TEXT) && tv->pszText) item->text = tv->pszText;
    if (tv->mask & TVIF_PARAM) item->param = tv->lParam;
    if (tv->mask & TVIF_IMAGE) item->image = tv->iImage;
    if (tv->mask & TVIF_SELECTEDIMAGE) item->selectedImage = tv->iSelectedImage;
    if (tv->mask & TVIF_CHILDREN) item->childrenFlag = tv->cChildren;
    if (tv->mask & TVIF_STATE) {
        const UINT mask = tv->stateMask & TVIS_EXPANDED;
        item->state = (item->state & ~mask) | (tv->state & mask);
    }
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, false);
    return true;
}

// ---------------------------------------------------------------- geometry

int Tree::ItemHeight() {
    if (itemHeight_ > 0) return itemHeight_;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    // The text's height with a pixel above and below, made even as the classic control does.
    const int h = std::max<int>(tm.tmHeight + 2, 16);
    return h + (h & 1);
}

int Tree::TextLeft(const Item* item) const {
    const DWORD style = DWORD(GetWindowLong(hwnd_, GWL_STYLE));
    const bool rootColumn = (style & TVS_LINESATROOT) && (style & (TVS_HASBUTTONS | TVS_HASLINES));
    return indent_ * (LevelOf(item) + (rootColumn ? 1 : 0)) + 3 - left_;
}

int Tree::TextWidth(const Item* item) {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    SIZE s{};
    GetTextExtentPoint32(dc, item->text.c_str(), int(item->text.size()), &s);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return s.cx + 4;
}

RECT Tree::RowRect(int visibleIndex) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int h = ItemHeight();
    const int y = (visibleIndex - top_) * h;
    return Rect(0, y, client.right, y + h);
}

RECT Tree::LabelRect(Item* item, int visibleIndex) {
    const RECT row = RowRect(visibleIndex);
    const int x = TextLeft(item);
    return Rect(x, row.top, x + TextWidth(item), row.bottom);
}

int Tree::PageRows() {
    RECT client;
    GetClientRect(hwnd_, &client);
    return std::max(1, int(client.bottom) / ItemHeight());
}

Item* Tree::HitTest(POINT p, UINT* flags) {
    *flags = TVHT_NOWHERE;
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PtInRect(client, p)) return nullptr;
    const std::vector<Item*> v = Visible();
    const int index = top_ + p.y / ItemHeight();
    if (index < 0 || index >= int(v.size())) return nullptr;
    Item* item = v[size_t(index)];
    const RECT label = LabelRect(item, index);
    const int buttonRight = TextLeft(item) - 3;
    const DWORD style = DWORD(GetWindowLong(hwnd_, GWL_STYLE));
    if (p.x >= label.left && p.x < label.right)
        *flags = TVHT_ONITEMLABEL;
    else if (p.x >= label.right)
        *flags = TVHT_ONITEMRIGHT;
    else if ((style & TVS_HASBUTTONS) && HasButton(item) && p.x >= buttonRight - indent_ &&
             p.x < buttonRight && (item->parent || (style & TVS_LINESATROOT)))
        *flags = TVHT_ONITEMBUTTON;
    else
        *flags = TVHT_ONITEMINDENT;
    return item;
}

// ---------------------------------------------------------------- notifications

LRESULT Tree::Notify(UINT code, void* nm, size_t) {
    auto* hdr = static_cast<NMHDR*>(nm);
    hdr->hwndFrom = hwnd_;
    hdr->idFrom = uintptr_t(GetWindowLongPtr(hwnd_, GWL_ID));
    hdr->code = code;
    const HWND parent = GetParent(hwnd_);
    return parent ? SendMessage(parent, WM_NOTIFY, hdr->idFrom,
                                LPARAM(reinterpret_cast<uintptr_t>(nm)))
                  : 0;
}

LRESULT Tree::NotifyTree(UINT code, UINT action, Item* oldItem, Item* newItem) {
    NMTREEVIEWA nm;
    nm.action = action;
    if (oldItem) FillItem(oldItem, nm.itemOld);
    if (newItem) FillItem(newItem, nm.itemNew);
    nm.itemOld.mask = nm.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    return Notify(code, &nm, sizeof nm);
}

// ---------------------------------------------------------------- behaviour
// Each of these may run the parent's handlers, which may destroy the tree: callers stop when
// the window is gone (the Tree object goes with it).

bool Tree::Select(Item* item, UINT cause) {
    if (item == selected_) return true; // nothing changes and nothing is announced
    const HWND hwnd = hwnd_;
    if (NotifyTree(TVN_SELCHANGINGA, cause, selected_, item) != 0) return false;
    if (!IsWindow(hwnd)) return false;
    if (item && !Find(HandleOf(item))) return false; // deleted by the handler
    Item* old = selected_;
    selected_ = item;
    for (Item* p = item ? item->parent : nullptr; p; p = p->parent) p->state |= TVIS_EXPANDED;
    UpdateScrollBars();
    if (item) EnsureVisible(item);
    InvalidateRect(hwnd_, nullptr, false);
    NotifyTree(TVN_SELCHANGEDA, cause, old && Find(HandleOf(old)) ? old : nullptr, item);
    return true;
}

bool Tree::Expand(Item* item, WPARAM code) {
    const bool expanded = Expanded(item);
    const bool expand = code == TVE_TOGGLE ? !expanded : code == TVE_EXPAND;
    if (code != TVE_TOGGLE && code != TVE_EXPAND && code != TVE_COLLAPSE) return false;
    if (expand == expanded || !HasButton(item)) return false;
    const HWND hwnd = hwnd_;
    const UINT action = expand ? UINT(TVE_EXPAND) : UINT(TVE_COLLAPSE);
    if (NotifyTree(TVN_ITEMEXPANDINGA, action, nullptr, item) != 0) return false;
    if (!IsWindow(hwnd) || !Find(HandleOf(item))) return false;
    if (expand)
        item->state |= TVIS_EXPANDED;
    else
        item->state &= ~TVIS_EXPANDED;
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, false);
    NotifyTree(TVN_ITEMEXPANDEDA, action, nullptr, item);
    if (!IsWindow(hwnd)) return true;
    // A selection hidden by the collapse moves up to the collapsed item.
    if (!expand && selected_ && selected_ != item) {
        for (Item* p = selected_->parent; p; p = p->parent)
            if (p == item) {
                Select(item, TVC_UNKNOWN);
                break;
            }
    }
    return true;
}

void Tree::ExpandAll(Item* item) {
    const HWND hwnd = hwnd_;
    Expand(item, TVE_EXPAND);
    if (!IsWindow(hwnd)) return;
    const std::vector<Item*> children = item->children;
    for (Item* c : children) {
        if (!Find(HandleOf(c))) continue;
        ExpandAll(c);
        if (!IsWindow(hwnd)) return;
    }
}

void Tree::EnsureVisible(Item* item) {
    for (Item* p = item->parent; p; p = p->parent) p->state |= TVIS_EXPANDED;
    const int index = VisibleIndex(item);
    if (index < top_)
        SetTop(index);
    else if (index >= top_ + PageRows())
        SetTop(index - PageRows() + 1);
    else
        UpdateScrollBars();
}

void Tree::SetTop(int top) {
    const int count = int(Visible().size());
    top = std::clamp(top, 0, std::max(0, count - PageRows()));
    if (top != top_) {
        top_ = top;
        InvalidateRect(hwnd_, nullptr, false);
    }
    UpdateScrollBars();
}

void Tree::SetLeft(int left) {
    RECT client;
    GetClientRect(hwnd_, &client);
    int widest = 0;
    const std::vector<Item*> v = Visible();
    for (Item* item : v) widest = std::max(widest, TextLeft(item) + left_ + TextWidth(item));
    left = std::clamp(left, 0, std::max(0, widest - int(client.right)));
    if (left != left_) {
        left_ = left;
        InvalidateRect(hwnd_, nullptr, false);
    }
    UpdateScrollBars();
}

void Tree::UpdateScrollBars() {
    // Showing or hiding a bar resizes the client area, which comes back here through WM_SIZE.
    if (updatingBars_) return;
    updatingBars_ = true;
    const std::vector<Item*> v = Visible();
    RECT client;
    GetClientRect(hwnd_, &client);
    const int rows = std::max(1, int(client.bottom) / ItemHeight());
    top_ = std::clamp(top_, 0, std::max(0, int(v.size()) - rows));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = int(v.size()) - 1;
    si.nPage = UINT(rows);
    si.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &si, true);
    int widest = 0;
    for (Item* item : v) widest = std::max(widest, TextLeft(item) + left_ + TextWidth(item));
    GetClientRect(hwnd_, &client);
    left_ = std::clamp(left_, 0, std::max(0, widest - int(client.right)));
    si.nMax = widest - 1;
    si.nPage = UINT(std::max<LONG>(client.right, 0));
    si.nPos = left_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, true);
    updatingBars_ = false;
}

void Tree::OnScroll(bool vertical, WORD code, int thumb) {
    if (vertical) {
        const int page = PageRows();
        switch (code) {
        case SB_LINEUP: SetTop(top_ - 1); break;
        case SB_LINEDOWN: SetTop(top_ + 1); break;
        case SB_PAGEUP: SetTop(top_ - page); break;
        case SB_PAGEDOWN: SetTop(top_ + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTop(thumb); break;
        case SB_TOP: SetTop(0); break;
        case SB_BOTTOM: SetTop(int(Visible().size())); break;
        default: break;
        }
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    const int line = 5;
    switch (code) {
    case SB_LINELEFT: SetLeft(left_ - line); break;
    case SB_LINERIGHT: SetLeft(left_ + line); break;
    case SB_PAGELEFT: SetLeft(left_ - int(client.right)); break;
    case SB_PAGERIGHT: SetLeft(left_ + int(client.right)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetLeft(thumb); break;
    case SB_LEFT: SetLeft(0); break;
    case SB_RIGHT: SetLeft(1 << 20); break;
    default: break;
    }
}

void Tree::OnKey(UINT vk) {
    const std::vector<Item*> v = Visible();
    if (v.empty()) return;
    const int cur = selected_ ? VisibleIndex(selected_) : -1;
    auto selectIndex = [&](int i) {
        Select(v[size_t(std::clamp(i, 0, int(v.size()) - 1))], TVC_BYKEYBOARD);
    };
    switch (vk) {
    case VK_UP: selectIndex(cur < 0 ? 0 : cur - 1); break;
    case VK_DOWN: selectIndex(cur + 1); break;
    case VK_HOME: selectIndex(0); break;
    case VK_END: selectIndex(int(v.size()) - 1); break;
    case VK_PRIOR: selectIndex(cur - (PageRows() - 1)); break;
    case VK_NEXT: selectIndex(cur + (PageRows() - 1)); break;
    case VK_LEFT:
        if (!selected_) break;
        if (Expanded(selected_) && HasButton(selected_))
            Expand(selected_, TVE_COLLAPSE);
        else if (selected_->parent)
            Select(selected_->parent, TVC_BYKEYBOARD);
        break;
    case VK_RIGHT:
        if (!selected_) break;
        if (!Expanded(selected_))
            Expand(selected_, TVE_EXPAND);
        else if (!selected_->children.empty())
            Select(selected_->children.front(), TVC_BYKEYBOARD);
        break;
    case VK_ADD:
        if (selected_) Expand(selected_, TVE_EXPAND);
        break;
    case VK_SUBTRACT:
        if (selected_) Expand(selected_, TVE_COLLAPSE);
        break;
    case VK_MULTIPLY:
        if (selected_) ExpandAll(selected_);
        break;
    default: break;
    }
}

void Tree::OnButtonDown(POINT p, bool dbl) {
    const HWND hwnd = hwnd_;
    SetFocus(hwnd);
    if (!IsWindow(hwnd)) return;
    SetCapture(hwnd);
    UINT flags = 0;
    Item* item = HitTest(p, &flags);
    if (!item) return;
    if (flags & TVHT_ONITEMBUTTON) {
        Expand(item, TVE_TOGGLE);
        return;
    }
    if (!(flags & TVHT_ONITEMLABEL)) return;
    if (dbl) {
        NMHDR nm;
        if (Notify(NM_DBLCLK, &nm, sizeof nm) != 0 || !IsWindow(hwnd)) return;
        if (Find(HandleOf(item))) Expand(item, TVE_TOGGLE);
        return;
    }
    Select(item, TVC_BYMOUSE);
}

void Tree::OnMouseMove(POINT p) {
    if (!(GetWindowLong(hwnd_, GWL_STYLE) & TVS_TRACKSELECT)) return;
    UINT flags = 0;
    Item* item = HitTest(p, &flags);
    if (!(flags & TVHT_ONITEMLABEL)) item = nullptr;
    if (item == hot_) return;
    hot_ = item;
    InvalidateRect(hwnd_, nullptr, false);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd_;
    if (item) TrackMouseEvent(&tme);
}

// ---------------------------------------------------------------- painting

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void Tree::PaintButton(HDC dc, const RECT& row, const Item* item) {
    const int cx = ColumnCentre(item), cy = (row.top + row.bottom) / 2;
    const RECT box = Rect(cx - 4, cy - 4, cx + 5, cy + 5);
    FillSolid(dc, box, GetSysColor(COLOR_WINDOW));
    FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    FillSolid(dc, Rect(cx - 2, cy, cx + 3, cy + 1), ink);
    if (!Expanded(item)) FillSolid(dc, Rect(cx, cy - 2, cx + 1, cy + 3), ink);
}

// Dotted connecting lines: from the item's column to its text, up to its parent, down to its
// next sibling, and through the row for every ancestor that has siblings still to come.
void Tree::PaintLines(HDC dc, const RECT& row, const Item* item) {
    const bool atRoot = (GetWindowLong(hwnd_, GWL_STYLE) & TVS_LINESATROOT) != 0;
    const COLORREF ink = GetSysColor(COLOR_GRAYTEXT);
    const int cy = (row.top + row.bottom) / 2;
    auto vertical = [&](int x, int from, int to) {
        for (int y = from; y < to; ++y)
            if (((x + y) & 1) == 0) SetPixel(dc, x, y, ink);
    };
    if (!item->parent && !atRoot) return;
    const int cx = ColumnCentre(item);
    for (int x = cx; x < TextLeft(item) - 1; ++x)
        if (((x + cy) & 1) == 0) SetPixel(dc, x, cy, ink);
    const bool firstRoot = !item->parent && !roots_.empty() && roots_.front() == item;
    vertical(cx, firstRoot ? cy : row.top, HasNextSibling(item) ? row.bottom : cy + 1);
    for (const Item* a = item->parent; a; a = a->parent)
        if ((a->parent || atRoot) && HasNextSibling(a))
            vertical(ColumnCentre(a), row.top, row.bottom);
}

void Tree::PaintItem(HDC dc, Item* item, int index, LRESULT prepaint) {
    const RECT row = RowRect(index);
    const DWORD style = DWORD(GetWindowLong(hwnd_, GWL_STYLE));
    const bool selected = item == selected_;
    const bool showSel = selected && (focused_ || (style & TVS_SHOWSELALWAYS));
    const bool hot = item == hot_ && (style & TVS_TRACKSELECT);
    COLORREF textColor = showSel && focused_ ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                         : hot               ? GetSysColor(COLOR_HOTLIGHT)
                                             : TextColor();
    COLORREF textBk = showSel ? GetSysColor(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : BkColor();
    if (prepaint & CDRF_NOTIFYITEMDRAW) {
        NMTVCUSTOMDRAW cd;
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.hdc = dc;
        cd.nmcd.rc = row;
        cd.nmcd.dwItemSpec = item->id;
        cd.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) |
                             (selected && focused_ ? CDIS_FOCUS : 0) | (hot ? CDIS_HOT : 0);
        cd.nmcd.lItemlParam = item->param;
        cd.clrText = textColor;
        cd.clrTextBk = textBk;
        cd.iLevel = LevelOf(item);
        const HWND hwnd = hwnd_;
        const LRESULT r = Notify(NM_CUSTOMDRAW, &cd, sizeof cd);
        if (!IsWindow(hwnd) || !Find(HandleOf(item)) || (r & CDRF_SKIPDEFAULT)) return;
        textColor = cd.clrText;
        textBk = cd.clrTextBk;
    }
    if (style & TVS_HASLINES) PaintLines(dc, row, item);
    if ((style & TVS_HASBUTTONS) && HasButton(item) && (item->parent || (style & TVS_LINESATROOT)))
        PaintButton(dc, row, item);
    const RECT label = LabelRect(item, index);
    if (textBk != BkColor() || showSel) FillSolid(dc, label, textBk);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    RECT textRect = Rect(label.left + 2, label.top, label.right - 2, label.bottom);
    HFONT underlined = nullptr;
    HGDIOBJ oldFont = nullptr;
    if (hot) {
        LOGFONT lf;
        HGDIOBJ current = GetCurrentObject(dc, OBJ_FONT);
        if (GetObject(current, sizeof lf, &lf)) {
            lf.lfUnderline = 1;
            underlined = CreateFontIndirect(&lf);
            oldFont = SelectObject(dc, underlined);
        }
    }
    DrawText(dc, item->text.c_str(), int(item->text.size()), &textRect,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (underlined) {
        SelectObject(dc, oldFont);
        DeleteObject(underlined);
    }
    if (selected && focused_) DrawFocusRect(dc, &label);
}

void Tree::Paint(HDC dc) {
    // The whole client is painted here: a wrapper may answer WM_ERASEBKGND itself.
    RECT client;
    GetClientRect(hwnd_, &client);
    FillSolid(dc, client, BkColor());
    HGDIOBJ oldFont = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    NMTVCUSTOMDRAW cd;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = client;
    const HWND hwnd = hwnd_;
    const LRESULT prepaint = Notify(NM_CUSTOMDRAW, &cd, sizeof cd);
    if (!IsWindow(hwnd)) return;
    if (!(prepaint & CDRF_SKIPDEFAULT)) {
        const std::vector<Item*> v = Visible();
        const int rows = int(client.bottom) / ItemHeight() + 1;
        for (int i = top_; i < int(v.size()) && i < top_ + rows; ++i) {
            if (!Find(HandleOf(v[size_t(i)]))) continue;
            PaintItem(dc, v[size_t(i)], i, prepaint);
            if (!IsWindow(hwnd)) return;
        }
    }
    SelectObject(dc, oldFont);
}

// ---------------------------------------------------------------- messages

LRESULT Tree::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto item = [&](LPARAM l) { return Find(reinterpret_cast<HTREEITEM>(uintptr_t(l))); };
    switch (msg) {
    case TVM_INSERTITEMA:
    case TVM_INSERTITEMW:
        return lParam ? LRESULT(reinterpret_cast<uintptr_t>(
                            Insert(*reinterpret_cast<const TVINSERTSTRUCTA*>(lParam))))
                      : 0;
    case TVM_DELETEITEM: {
        const HTREEITEM h = reinterpret_cast<HTREEITEM>(uintptr_t(lParam));
        if (!h || h == TVI_ROOT)
            DeleteAll();
        else if (Item* it = Find(h))
            Delete(it);
        else
            return 0;
        UpdateScrollBars();
        InvalidateRect(hwnd_, nullptr, false);
        return 1;
    }
    case TVM_EXPAND: {
        Item* it = item(lParam);
        return it ? Expand(it, wParam & 3) : 0;
    }
    case TVM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        Item* it = r ? Find(*reinterpret_cast<HTREEITEM*>(r)) : nullptr;
        const int index = it ? VisibleIndex(it) : -1;
        if (index < 0) return 0;
        *r = wParam ? LabelRect(it, index) : RowRect(index);
        return 1;
    }
    case TVM_GETCOUNT: return LRESULT(items_.size());
    case TVM_GETINDENT: return indent_;
    case TVM_SETINDENT:
        indent_ = std::max(int(wParam), 0);
        UpdateScrollBars();
        InvalidateRect(hwnd_, nullptr, false);
        return 0;
    case TVM_GETNEXTITEM:
        return LRESULT(reinterpret_cast<uintptr_t>(HandleOf(NextItem(wParam, item(lParam)))));
    case TVM_SELECTITEM:
        if (wParam == TVGN_CARET) return Select(item(lParam), TVC_UNKNOWN);
        if (wParam == TVGN_FIRSTVISIBLE) {
            if (Item* it = item(lParam)) SetTop(VisibleIndex(it));
            return 1;
        }
        return 0;
    case TVM_GETITEMA:
    case TVM_GETITEMW: return GetItem(reinterpret_cast<TVITEMA*>(lParam));
    case TVM_SETITEMA:
    case TVM_SETITEMW: return SetItem(reinterpret_cast<const TVITEMA*>(lParam));
    case TVM_HITTEST: {
        auto* hit = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!hit) return 0;
        hit->hItem = HandleOf(HitTest(hit->pt, &hit->flags));
        return LRESULT(reinterpret_cast<uintptr_t>(hit->hItem));
    }
    case TVM_ENSUREVISIBLE:
        if (Item* it = item(lParam)) EnsureVisible(it);
        return 0;
    case TVM_GETVISIBLECOUNT: return PageRows();
    case TVM_SETITEMHEIGHT: {
        const int old = ItemHeight();
        itemHeight_ = int(int16_t(wParam)) > 0 ? int(int16_t(wParam)) : 0;
        UpdateScrollBars();
        InvalidateRect(hwnd_, nullptr, false);
        return old;
    }
    case TVM_GETITEMHEIGHT: return ItemHeight();
    case TVM_SETBKCOLOR: {
        const COLORREF old = bk_;
        bk_ = COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, false);
        return LRESULT(intptr_t(int32_t(old)));
    }
    case TVM_SETTEXTCOLOR: {
        const COLORREF old = text_;
        text_ = COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, false);
        return LRESULT(intptr_t(int32_t(old)));
    }
    case TVM_GETBKCOLOR: return LRESULT(intptr_t(int32_t(bk_)));
    case TVM_GETTEXTCOLOR: return LRESULT(intptr_t(int32_t(text_)));
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        UpdateScrollBars();
        if (lParam) InvalidateRect(hwnd_, nullptr, true);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(font_));
    case WM_PAINT: PaintControl(hwnd_, wParam, [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1; // WM_PAINT covers the client
    case WM_SIZE:
        UpdateScrollBars();
        InvalidateRect(hwnd_, nullptr, false);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = msg == WM_SETFOCUS;
        InvalidateRect(hwnd_, nullptr, false);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: OnKey(UINT(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_LBUTTONUP: {
        const HWND hwnd = hwnd_;
        const bool pressed = GetCapture() == hwnd;
        if (pressed) ReleaseCapture();
        if (pressed && IsWindow(hwnd)) {
            NMHDR nm;
            Notify(NM_CLICK, &nm, sizeof nm);
        }
        return 0;
    }
    case WM_MOUSEMOVE: OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSELEAVE:
        if (hot_) {
            hot_ = nullptr;
            InvalidateRect(hwnd_, nullptr, false);
        }
        return 0;
    case WM_MOUSEWHEEL: {
        const int notches = int(int16_t(HIWORD(wParam))) / WHEEL_DELTA;
        SetTop(top_ - 3 * notches);
        return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: OnScroll(msg == WM_VSCROLL, LOWORD(wParam), int(HIWORD(wParam))); return 0;
    default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

// A tree destroyed by a handler while one of its own messages runs is kept until the outermost
// message returns, so the running code never touches freed memory (it sees a dead window).
int g_depth = 0;
std::vector<std::unique_ptr<Tree>>& Graveyard() {
    static std::vector<std::unique_ptr<Tree>> dead;
    return dead;
}

LRESULT TreeViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& trees = Trees();
    if (msg == WM_NCCREATE) trees[hwnd] = std::make_unique<Tree>(hwnd);
    if (msg == WM_NCDESTROY) {
        if (auto it = trees.find(hwnd); it != trees.end()) {
            Graveyard().push_back(std::move(it->second));
            trees.erase(it);
        }
        if (g_depth == 0) Graveyard().clear();
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    auto it = trees.find(hwnd);
    if (it == trees.end()) return DefWindowProc(hwnd, msg, wParam, lParam);
    Tree* tree = it->second.get();
    ++g_depth;
    const LRESULT r = tree->Handle(msg, wParam, lParam);
    if (--g_depth == 0) Graveyard().clear();
    return r;
}

} // namespace

void RegisterTreeViewClass() {
    RegisterClassOnce("SysTreeView32", TreeViewProc, CS_DBLCLKS,
                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), LoadCursor(nullptr, IDC_ARROW));
}
