// The clipboard goes through the running backend; the headless one keeps it in the program.
#include "platform/window/Clipboard.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/Backend.h"

namespace {

// A backend whose clipboard lies outside the program, as a desktop's does.
class OutsideClipboardBackend : public HeadlessBackend {
  public:
    void SetClipboardText(std::string_view text) override { outside = std::string(text); }
    std::string ClipboardText() override { return outside; }
    std::string outside = "copied elsewhere";
};

} // namespace

TEST(Clipboard, HeadlessKeepsTheTextInsideTheProgramThroughTheBackend) {
    UseHeadlessBackend();
    Backend& backend = CurrentBackend();
    const std::string kazakh = "Орташа мән\r\nұзындық"; // UTF-8, line break kept as given
    SetClipboardText(kazakh);
    EXPECT_EQ(backend.ClipboardText(), kazakh);
    backend.SetClipboardText("");
    EXPECT_EQ(GetClipboardText(), "");
    // A fresh headless backend shares the program's one clipboard.
    backend.SetClipboardText("mode");
    UseHeadlessBackend();
    EXPECT_EQ(GetClipboardText(), "mode");
}

TEST(Clipboard, CopiesAndPastesGoToTheBackendsOwnClipboard) {
    auto owned = std::make_unique<OutsideClipboardBackend>();
    OutsideClipboardBackend& outside = *owned;
    SetBackend(std::move(owned));
    EXPECT_EQ(GetClipboardText(), "copied elsewhere");
    SetClipboardText("median");
    EXPECT_EQ(outside.outside, "median");
    UseHeadlessBackend();
    SetClipboardText("");
}
