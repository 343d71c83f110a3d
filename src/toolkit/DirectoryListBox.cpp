#include "toolkit/DirectoryListBox.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/controls/ListBox.h"

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 145, 97);
    SetColor(SysColor(COLOR_WINDOW));
    SetTabStop(true);
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    // Without a readable current directory the list is empty rather than the program failing.
    directory_ = ec ? std::string() : current.string();
    ReadDirectory();
}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
    directory_ = directory;
    ReadDirectory();
    FillWindow();
}

void TDirectoryListBox::SetIntegralHeight(bool value) {
    if (value == integralHeight_) return;
    integralHeight_ = value;
    RecreateWnd();
}

// The path's levels (the root as it is written, then each name), then the subfolders sorted
// by name. An unreadable folder lists its path only.
void TDirectoryListBox::ReadDirectory() {
    items_.clear();
    if (directory_.empty()) return;
    const std::filesystem::path path(directory_);
    for (const std::filesystem::path& part : path) {
        const std::string name = part.string();
        if (!name.empty()) items_.push_back(name);
    }
    std::vector<std::string> children;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) children.push_back(it->path().filename().string());
    }
    std::sort(children.begin(), children.end());
    items_.insert(items_.end(), children.begin(), children.end());
}

void TDirectoryListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "ListBox";
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL;
    if (!integralHeight_) params.Style |= LBS_NOINTEGRALHEIGHT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDirectoryListBox::HandleCreated() { FillWindow(); }

void TDirectoryListBox::FillWindow() {
    if (!HandleAllocated()) return;
    SendMessage(Handle(), LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
        SendMessage(Handle(), LB_ADDSTRING, 0, LPARAM(item.c_str()));
}
