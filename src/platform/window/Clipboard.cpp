// The text clipboard goes through the backend: the desktop's on screen, one string inside the
// program headless.
#include "platform/window/Clipboard.h"

#include "platform/window/Backend.h"

namespace {
std::string& ProgramClipboard() {
    static std::string text;
    return text;
}
} // namespace

void Backend::SetClipboardText(std::string_view text) { ProgramClipboard().assign(text); }
std::string Backend::ClipboardText() { return ProgramClipboard(); }

void SetClipboardText(std::string_view text) { CurrentBackend().SetClipboardText(text); }
std::string GetClipboardText() { return CurrentBackend().ClipboardText(); }
