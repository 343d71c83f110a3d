// The text clipboard: one string shared by the whole program.
#include "platform/window/Clipboard.h"

namespace {
std::string& ClipboardSlot() {
    static std::string text;
    return text;
}
} // namespace

void SetClipboardText(std::string_view text) { ClipboardSlot().assign(text); }
std::string GetClipboardText() { return ClipboardSlot(); }
