#include "shell/Navigation.h"

#include <cassert>
#include <cstdio>

#include "platform/core/FileSystem.h"
#include "shell/ContentMap.h"

std::string DocumentPath(const std::string& contentFolder, std::string_view relative) {
    std::string path = contentFolder;
    path += relative;
    return path;
}

std::string StartupContentFolder() { return CurrentDirectory(); }

namespace {

std::string NavigationErrorMessage(const std::string& path, int result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", unsigned(result));
    return "Құжат ашылмады / The document could not be opened: \"" + path + "\" (" + code + ")";
}

} // namespace

ENavigationError::ENavigationError(const std::string& path, int result)
    : std::runtime_error(NavigationErrorMessage(path, result)), path_(path), result_(result) {}

TNavigator::TNavigator(std::string contentFolder, TNavigatorEvents events)
    : contentFolder_(std::move(contentFolder)), events_(std::move(events)) {
    assert(events_.Navigate && events_.SetCaption && events_.HideTitleLabel &&
           events_.HideWelcomePanel && events_.ContentsButtonEnabled);
}

void TNavigator::NavigateTo(std::string_view relative) {
    const std::string path = DocumentPath(contentFolder_, relative);
    const int result = events_.Navigate(path);
    if (result != 0) throw ENavigationError(path, result);
}

bool TNavigator::TreeChanged(int absoluteIndex) {
    const TContentNode* node = ContentMap::TreeNode(absoluteIndex);
    if (!node || node->Document.empty()) return false;
    NavigateTo(node->Document);
    if (!node->Caption.empty()) events_.SetCaption(std::string(node->Caption));
    return true;
}

bool TNavigator::MenuClicked(std::string_view itemName, bool itemEnabled) {
    const TMenuDocument* item = ContentMap::MenuDocument(itemName);
    if (!item) return false;
    if (item->HidesTitleLabel) events_.HideTitleLabel();
    NavigateTo(item->Document);
    if (events_.ContentsButtonEnabled()) events_.HideWelcomePanel();
    if (itemEnabled) events_.SetCaption(std::string(item->Caption));
    return true;
}
