#include <gtest/gtest.h>

#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "toolkit/Canvas.h"

TEST(CutText, ShortensWithDotsToFit) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    TCanvas canvas(dc);
    const std::string text = "Statistics";
    std::string result;

    CutText(canvas, text, canvas.TextWidth(text), result);
    EXPECT_EQ(result, text); // fits exactly: unchanged
    CutText(canvas, text, canvas.TextWidth("Stat..."), result);
    EXPECT_EQ(result, "Stat...");
    CutText(canvas, text, canvas.TextWidth("Stat...") + canvas.TextWidth("i") - 1, result);
    EXPECT_EQ(result, "Stat...");
    CutText(canvas, text, 0, result);
    EXPECT_EQ(result, "");
    // The shortened text with its dots never passes the width.
    for (int width = 1; width < canvas.TextWidth(text); ++width) {
        CutText(canvas, text, width, result);
        EXPECT_LE(canvas.TextWidth(result), width) << result;
    }
    CutText(canvas, text, canvas.TextWidth("...") - 1, result);
    EXPECT_EQ(result, ""); // not even the dots fit
    DeleteDC(dc);
}
