// The label: auto-sizing to its text, and where the text goes.
#include "toolkit/Label.h"

#include "ControlTestFixture.h"
#include "platform/text/Text.h"

namespace {

// The size the label's font gives a single line, measured apart from the label.
SIZE LineExtent(const TFont& font, const std::string& text) {
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font.Handle());
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    DeleteDC(dc);
    return SIZE{size.cx, tm.tmHeight};
}

TEST_F(ControlTest, LabelAutoSizeFitsTheTextAndKeepsTheAlignedEdge) {
    TForm* form = MakeForm(400, 200);
    struct Case {
        TAlignment alignment;
        const char* text;
    };
    const Case cases[] = {
        {taLeftJustify, "Statistika"}, {taRightJustify, "Orta mani"}, {taCenter, "Moda"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto* label = Child<TLabel>(form, 100, 20, 120, 30);
        label->SetAlignment(c.alignment);
        label->SetBounds(100, 20, 120, 30); // parenting already fitted it to the empty caption
        label->SetCaption(c.text);
        const SIZE want = LineExtent(label->Font(), c.text);
        EXPECT_EQ(label->Width(), want.cx);
        EXPECT_EQ(label->Height(), want.cy);
        // The old box was 100..220: left edge, right edge or centre (160) stays.
        if (c.alignment == taLeftJustify) {
            EXPECT_EQ(label->Left(), 100);
        } else if (c.alignment == taRightJustify) {
            EXPECT_EQ(label->Left() + label->Width(), 220);
        } else {
            EXPECT_NEAR(label->Left() + label->Width() / 2.0, 160, 1);
        }
    }
}

TEST_F(ControlTest, LabelAutoSizeEdgeCases) {
    TForm* form = MakeForm(400, 200);
    auto* label = Child<TLabel>(form, 0, 0, 50, 50);
    const int lineHeight = LineExtent(label->Font(), "X").cy;

    // An empty caption keeps one line's height, so the label does not vanish from a layout.
    label->SetCaption("");
    EXPECT_EQ(label->Height(), lineHeight);

    // A prefix "&" is not drawn and takes no room; without ShowAccelChar it is plain text.
    label->SetCaption("&Fayl");
    EXPECT_EQ(label->Width(), LineExtent(label->Font(), "Fayl").cx);
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Width(), LineExtent(label->Font(), "&Fayl").cx);

    // Word wrap keeps the width and grows downwards, one line per word here.
    label->SetAutoSize(false);
    label->SetBounds(0, 0, LineExtent(label->Font(), "Dispersiya").cx + 2, 10);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption("Dispersiya Dispersiya");
    EXPECT_EQ(label->Width(), LineExtent(label->Font(), "Dispersiya").cx);
    EXPECT_EQ(label->Height(), 2 * lineHeight);

    // Without AutoSize a new caption leaves the bounds alone.
    label->SetAutoSize(false);
    label->SetBounds(5, 6, 70, 40);
    label->SetCaption("Another caption entirely");
    EXPECT_EQ(label->BoundsRect(), (RECT{5, 6, 75, 46}));
}

TEST_F(ControlTest, LabelLayoutPlacesTheLineVertically) {
    TForm* form = MakeForm(200, 200);
    struct Case {
        TTextLayout layout;
        int expectedTop;
    };
    // A 60-pixel box and one line of height h: top 0, centre (60-h)/2, bottom 60-h.
    auto* probe = Child<TLabel>(form, 0, 0, 10, 10);
    const int h = LineExtent(probe->Font(), "W").cy;
    probe->Hide();
    const Case cases[] = {{tlTop, 0}, {tlCenter, (60 - h) / 2}, {tlBottom, 60 - h}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.layout));
        auto* label = Child<TLabel>(form, 20, 20, 100, 60);
        label->SetAutoSize(false);
        label->SetBounds(20, 20, 100, 60);
        label->SetColor(RGB(255, 255, 255));
        label->Font().SetColor(RGB(0, 0, 0));
        label->SetCaption("W");
        label->SetLayout(c.layout);
        ShowAndSettle(form);
        const Bitmap shot = ClientShot(form);
        int inkTop = -1, inkBottom = -1;
        for (int y = 20; y < 80; ++y)
            for (int x = 20; x < 120; ++x)
                if (Pixel(shot, x, y) != RGB(255, 255, 255)) {
                    if (inkTop < 0) inkTop = y - 20;
                    inkBottom = y - 20;
                }
        ASSERT_GE(inkTop, 0);
        // The glyph's ink lies within its line box.
        EXPECT_GE(inkTop, c.expectedTop);
        EXPECT_LT(inkBottom, c.expectedTop + h);
        label->Hide();
    }
}

TEST_F(ControlTest, DisabledLabelIsEmbossed) {
    TForm* form = MakeForm(200, 60);
    auto* label = Child<TLabel>(form, 10, 10, 100, 30);
    label->SetColor(RGB(0, 0, 255));
    // Large bold strokes, so that some pixels are fully covered whatever the smoothing.
    label->Font().SetHeight(30);
    label->Font().SetStyle(fsBold);
    label->SetCaption("IIII");
    label->SetEnabled(false);
    ShowAndSettle(form);
    const Bitmap shot = ClientShot(form);
    bool highlight = false, shadow = false, black = false;
    for (int y = 10; y < 10 + label->Height() + 1; ++y)
        for (int x = 10; x < 10 + label->Width() + 1; ++x) {
            const COLORREF c = Pixel(shot, x, y);
            highlight |= c == GetSysColor(COLOR_BTNHIGHLIGHT);
            shadow |= c == GetSysColor(COLOR_BTNSHADOW);
            black |= c == RGB(0, 0, 0);
        }
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(shadow);
    EXPECT_FALSE(black);
}

} // namespace
