#include <functional>
#include <gtest/gtest.h>
#include <random>

#include "HtmlViewTestUtil.h"
#include "htmlview/DocumentSource.h"
#include "platform/core/FileSystem.h"
#include "platform/core/TextCodec.h"
#include "platform/image/PngFile.h"
#include "platform/window/ScrollBars.h"

namespace {

using HtmlView = HtmlViewFixture;

TEST_F(HtmlView, NavigateReturnsAtOnceAndTheDocumentAppearsOnTheNextTurn) {
    const std::string path =
        Write("blue.htm", "<html><body style=\"background:#336699\">x</body></html>");
    const COLORREF before = Pixel(200, 150);
    EXPECT_EQ(view_->Navigate(path), HTMLVIEW_OK);
    EXPECT_FALSE(view_->Loaded());
    EXPECT_EQ(Pixel(200, 150), before);
    ProcessPendingMessages();
    EXPECT_TRUE(view_->Loaded());
    EXPECT_EQ(Pixel(200, 150), RGB(0x33, 0x66, 0x99));
    EXPECT_EQ(Pixel(kViewWidth - 1, kViewHeight - 1), RGB(0x33, 0x66, 0x99));
}

TEST_F(HtmlView, ParentRendersTheViewThroughWmPrint) {
    Load(Write("green.htm", "<html><body style=\"background:#20a040\"></body></html>"));
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(kViewWidth, kViewHeight, 24, true);
    SelectObject(mem, bmp);
    SendMessage(host_, WM_PRINT, WPARAM(mem), PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(GetPixel(mem, 10, 10), RGB(0x20, 0xa0, 0x40));
    EXPECT_EQ(GetPixel(mem, kViewWidth - 1, kViewHeight - 1), RGB(0x20, 0xa0, 0x40));
    DeleteDC(mem);
    DeleteObject(bmp);
    EXPECT_EQ(SendMessage(view_->Handle(), 0xA100, 1, 2), 0);
    EXPECT_EQ(SendMessage(view_->Handle(), WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(HtmlView, HistoryRunsThroughNavigationsAndFollowedLinks) {
    const std::string a = Write("a.htm", "<a id=\"go\" href=\"sub/b.htm\">to b</a>");
    const std::string b =
        Write("sub/b.htm", "<p>page b</p><a id=\"up\" href=\"../c.htm\">to c</a>");
    const std::string c = Write("c.htm", "<p>page c</p>");
    Load(a);
    ClickElement("#go");
    EXPECT_EQ(HostPath(view_->CurrentPath()), b);
    EXPECT_NE(view_->Text().find("page b"), std::string::npos);
    ClickElement("#up");
    EXPECT_NE(view_->Text().find("page c"), std::string::npos);
    ASSERT_EQ(view_->HistorySize(), 3u);

    EXPECT_EQ(view_->GoBack(), HTMLVIEW_OK);
    ProcessPendingMessages();
    EXPECT_NE(view_->Text().find("page b"), std::string::npos);
    EXPECT_EQ(view_->GoBack(), HTMLVIEW_OK);
    ProcessPendingMessages();
    EXPECT_EQ(view_->CurrentPath(), a);
    // At the start: a failure that changes nothing.
    EXPECT_EQ(view_->GoBack(), HTMLVIEW_FAIL);
    ProcessPendingMessages();
    EXPECT_EQ(view_->CurrentPath(), a);
    EXPECT_EQ(view_->HistoryIndex(), 0u);
    EXPECT_TRUE(view_->Loaded());

    EXPECT_EQ(view_->GoForward(), HTMLVIEW_OK);
    EXPECT_EQ(view_->GoForward(), HTMLVIEW_OK);
    ProcessPendingMessages();
    EXPECT_NE(view_->Text().find("page c"), std::string::npos);
    EXPECT_EQ(view_->GoForward(), HTMLVIEW_FAIL);
    EXPECT_EQ(view_->HistoryIndex(), 2u);

    // A navigation from the middle drops the entries ahead.
    EXPECT_EQ(view_->GoBack(), HTMLVIEW_OK);
    Load(c);
    EXPECT_EQ(view_->HistorySize(), 3u);
    EXPECT_EQ(view_->GoForward(), HTMLVIEW_FAIL);
}

TEST_F(HtmlView, GoingBackAndForwardRestoresTheScrollPosition) {
    const std::string longDoc = Write("long.htm", LongDocument(100));
    const std::string other = Write("other.htm", "<p>other</p>");
    Load(longDoc);
    view_->ScrollTo(0, 700);
    ASSERT_EQ(view_->ScrollPosition().y, 700);
    Load(other);
    EXPECT_EQ(view_->ScrollPosition().y, 0);
    view_->GoBack();
    ProcessPendingMessages();
    EXPECT_EQ(view_->ScrollPosition().y, 700);
    view_->ScrollTo(0, 260);
    view_->GoForward();
    ProcessPendingMessages();
    view_->GoBack();
    ProcessPendingMessages();
    EXPECT_EQ(view_->ScrollPosition().y, 260);
}

TEST_F(HtmlView, MissingFileShowsTheViewsOwnPageNamingThePath) {
    const std::string path = PathOf("nowhere\\lost.htm");
    Load(path);
    const std::string text = view_->Text();
    EXPECT_NE(text.find("Құжат табылмады"), std::string::npos);
    EXPECT_NE(text.find("lost.htm"), std::string::npos);
    EXPECT_EQ(view_->HistorySize(), 1u); // it is an entry like any other
}

TEST_F(HtmlView, FolderAndFileNamesResolveWhateverTheirCase) {
    Write("Doc1/Dar1.htm", "<p>found me</p>");
    Load(dir_ + "\\DOC1\\DAR1.HTM");
    EXPECT_NE(view_->Text().find("found me"), std::string::npos);
}

TEST_F(HtmlView, DocumentsAreDecodedFromTheirDeclaredCharset) {
    const std::string word = "Статистика";
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string meta1251 =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">";
    const Case cases[] = {
        {"declared 1251",
         "<html><head>" + meta1251 + "</head><body>" + Utf8ToCp1251(word) + "</body></html>"},
        {"declared utf-8",
         "<html><head><meta charset=\"utf-8\"></head><body>" + word + "</body></html>"},
        {"undeclared utf-8", "<p>" + word + "</p>"},
        {"undeclared 1251", "<p>" + Utf8ToCp1251(word) + "</p>"},
        {"utf-8 with a byte-order mark", "\xEF\xBB\xBF<p>" + word + "</p>"},
    };
    for (const Case& c : cases) {
        Load(Write(std::string(c.name) + ".htm", c.bytes));
        EXPECT_NE(view_->Text().find(word), std::string::npos) << c.name << ": " << view_->Text();
    }
}

std::string Paragraphs(int count, const char* text) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += std::string("<p style=\"margin:0;height:20px\">") + text + "</p>";
    return s;
}

TEST_F(HtmlView, FragmentLinksScrollToTheirAnchor) {
    // Both links share the first 20-pixel line; the heading follows 40 more lines, the old-style
    // named anchor 10 after that, and 40 lines keep both scrollable to the top of the view.
    Load(
        Write("anchors.htm",
              "<html><body style=\"margin:0\"><p style=\"margin:0;height:20px\">"
              "<a id=\"jump\" href=\"#target\">down</a> <a id=\"named\" href=\"#old\">old</a></p>" +
                  Paragraphs(40, "x") + "<h2 id=\"target\" style=\"margin:0;height:30px\">T</h2>" +
                  Paragraphs(10, "y") + "<a name=\"old\">O</a>" + Paragraphs(40, "z") +
                  "</body></html>"));
    RECT target, old;
    ASSERT_TRUE(view_->ElementRect("#target", &target));
    EXPECT_EQ(target.top, 41 * 20);
    ClickElement("#jump");
    EXPECT_EQ(view_->ScrollPosition().y, 41 * 20);
    EXPECT_EQ(view_->HistorySize(), 2u);

    view_->ScrollTo(0, 0);
    ASSERT_TRUE(view_->ElementRect("a[name=old]", &old));
    EXPECT_EQ(old.top, 41 * 20 + 30 + 10 * 20);
    ClickElement("#named");
    EXPECT_EQ(view_->ScrollPosition().y, old.top);

    // Back twice: the entry before the first jump, at the top of the page.
    view_->GoBack();
    view_->GoBack();
    ProcessPendingMessages();
    EXPECT_EQ(view_->HistoryIndex(), 0u);
    EXPECT_EQ(view_->ScrollPosition().y, 0);
}

TEST_F(HtmlView, LinkToAnotherDocumentWithAFragmentScrollsThere) {
    const std::string body = Paragraphs(50, "x");
    Write("b.htm", "<html><body style=\"margin:0\">" + body +
                       "<p id=\"part\" style=\"margin:0\">part</p>" + body + "</body></html>");
    Load(Write("a.htm", "<a id=\"go\" href=\"B.HTM#part\">b</a>"));
    ClickElement("#go");
    RECT part;
    ASSERT_TRUE(view_->ElementRect("#part", &part));
    EXPECT_EQ(part.top, 50 * 20);
    EXPECT_EQ(view_->ScrollPosition().y, 50 * 20);
}

TEST_F(HtmlView, KeysWheelAndScrollBarMessagesScroll) {
    Load(Write("long.htm", LongDocument(100)));
    const SIZE client = Client();
    const int docHeight = view_->DocumentSize().cy;
    ASSERT_EQ(docHeight, 100 * 20);
    const int step = THtmlView::kLineStep;
    const int page = client.cy - step;
    const int last = docHeight - client.cy;
    HWND h = view_->Handle();
    struct Case {
        const char* name;
        int start;
        std::function<void()> act;
        int expected;
    };
    const Case cases[] = {
        {"down arrow", 0, [] { KeyPress(VK_DOWN); }, step},
        {"up arrow", 100, [] { KeyPress(VK_UP); }, 100 - step},
        {"page down", 0, [] { KeyPress(VK_NEXT); }, page},
        {"page up", 500, [] { KeyPress(VK_PRIOR); }, 500 - page},
        {"space", 0, [] { KeyPress(VK_SPACE); }, page},
        {"end", 0, [] { KeyPress(VK_END); }, last},
        {"home", 500, [] { KeyPress(VK_HOME); }, 0},
        {"up at the top stays", 0, [] { KeyPress(VK_UP); }, 0},
        {"wheel one notch down", 0,
         [] {
             Wheel(POINT{100, 100}, -WHEEL_DELTA);
         },
         THtmlView::kWheelLines * step},
        {"wheel one notch up", 200,
         [] {
             Wheel(POINT{100, 100}, WHEEL_DELTA);
         },
         200 - THtmlView::kWheelLines * step},
        {"bar line down", 0, [h] { SendMessage(h, WM_VSCROLL, SB_LINEDOWN, 0); }, step},
        {"bar line up", 50, [h] { SendMessage(h, WM_VSCROLL, SB_LINEUP, 0); }, 50 - step},
        {"bar page down", 0, [h] { SendMessage(h, WM_VSCROLL, SB_PAGEDOWN, 0); }, page},
        {"bar page up", 900, [h] { SendMessage(h, WM_VSCROLL, SB_PAGEUP, 0); }, 900 - page},
        {"bar thumb", 0, [h] { SendMessage(h, WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 1234), 0); },
         1234},
        {"bar thumb past the end", 0,
         [h] { SendMessage(h, WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 5000), 0); }, last},
        {"bar bottom", 0, [h] { SendMessage(h, WM_VSCROLL, SB_BOTTOM, 0); }, last},
    };
    Click(POINT{100, 100}); // focus for the keys
    ProcessPendingMessages();
    ASSERT_EQ(GetFocus(), h);
    for (const Case& c : cases) {
        view_->ScrollTo(0, c.start);
        c.act();
        ProcessPendingMessages();
        EXPECT_EQ(view_->ScrollPosition().y, c.expected) << c.name;
        EXPECT_EQ(GetScrollPos(h, SB_VERT), c.expected) << c.name;
    }
}

TEST_F(HtmlView, ScrolledContentMovesOnScreen) {
    // A red band 40 pixels down a white page; scrolled by 30 it starts at row 10.
    Load(Write(
        "band.htm",
        "<html><body style=\"margin:0;background:#ffffff\"><div style=\"height:40px\"></div>"
        "<div style=\"height:20px;background:#ff0000\"></div><div style=\"height:2000px\"></div>"
        "</body></html>"));
    EXPECT_EQ(Pixel(50, 40), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(50, 39), RGB(255, 255, 255));
    view_->ScrollTo(0, 30);
    EXPECT_EQ(Pixel(50, 10), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(50, 9), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(50, 30), RGB(255, 255, 255));
}

TEST_F(HtmlView, WideContentGetsAHorizontalBar) {
    Load(Write("wide.htm", "<html><body style=\"margin:0\"><div "
                           "style=\"width:1000px;height:10px\"></div></body></html>"));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(view_->Handle(), SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 999);
    EXPECT_EQ(int(si.nPage), Client().cx);
    SendMessage(view_->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(view_->ScrollPosition().x, THtmlView::kLineStep);
}

TEST_F(HtmlView, WebLinksGoToTheBrowserAndTheHandCursorShowsOverLinks) {
    Load(Write(
        "web.htm",
        "<html><body style=\"margin:0\"><a id=\"w\" href=\"https://example.org/x\">web</a><br>"
        "<a id=\"m\" href=\"mailto:a@b.kz\">mail</a><br><a id=\"j\" "
        "href=\"javascript:void(0)\">js</a>"
        "<p id=\"plain\">plain text</p></body></html>"));
    ClickElement("#w");
    ClickElement("#m");
    ClickElement("#j");
    EXPECT_EQ(opened_, (std::vector<std::string>{"https://example.org/x", "mailto:a@b.kz"}));
    EXPECT_EQ(view_->HistorySize(), 1u);

    RECT r;
    ASSERT_TRUE(view_->ElementRect("#w", &r));
    MouseMoveTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_EQ(Headless()->CursorShape(), IDC_HAND);
    ASSERT_TRUE(view_->ElementRect("#plain", &r));
    MouseMoveTo(POINT{r.left + 3, (r.top + r.bottom) / 2});
    EXPECT_EQ(Headless()->CursorShape(), IDC_ARROW);
}

TEST_F(HtmlView, PicturesAreDrawnWhereTheyAreLaidOut) {
    Bitmap red(4, 4, 24);
    red.Fill(RGB(200, 10, 30));
    const std::vector<uint8_t> png = EncodePNG(red);
    Write("red.png", std::string(png.begin(), png.end()));
    Load(
        Write("pic.htm",
              "<html><body style=\"margin:0;background:#ffffff\"><img src=\"red.png\" width=\"40\" "
              "height=\"20\" style=\"display:block\"><img src=\"missing.png\"></body></html>"));
    EXPECT_EQ(Pixel(0, 0), RGB(200, 10, 30));
    EXPECT_EQ(Pixel(39, 19), RGB(200, 10, 30));
    EXPECT_EQ(Pixel(40, 5), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(5, 20), RGB(255, 255, 255));
}

TEST_F(HtmlView, LinkedStyleSheetsApplyRelativeToWhereTheyAre) {
    // The sheet imports another from its own folder: the body is blue, the band red.
    Write("css/Main.css", "@import url(\"band.css\");\nbody { background: #0000ff; margin: 0 }");
    Write("css/band.css", "#band { background: #ff0000; height: 10px }");
    Load(Write("doc/page.htm",
               "<html><head><link rel=\"stylesheet\" href=\"../CSS/main.css\"></head>"
               "<body><div id=\"band\"></div></body></html>"));
    EXPECT_EQ(Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(5, 50), RGB(0, 0, 255));
}

TEST_F(HtmlView, ObjectSurvivesItsWindow) {
    Load(Write("a.htm", "<p>a</p>"));
    DestroyWindow(view_->Handle());
    ProcessPendingMessages();
    EXPECT_EQ(view_->Handle(), nullptr);
    EXPECT_EQ(view_->Navigate(PathOf("a.htm")), HTMLVIEW_FAIL);
    EXPECT_EQ(view_->GoBack(), HTMLVIEW_FAIL);
    view_.reset(); // must not touch the dead window
}

TEST_F(HtmlView, BadInputShowsAPageAndNeverCrashes) {
    std::mt19937 random(1234);
    std::string garbage(20000, '\0');
    for (char& c : garbage) c = char(random());
    // A readable ASCII start (the same in UTF-8 and in the Cyrillic code page the damaged bytes
    // fall back to), so that what the view shows can be checked.
    garbage = "start-of-garbage " + garbage;
    // Over the cap, but cheap to lay out: the notice is what matters.
    std::string huge =
        "<html><body><p>Басы</p><!--" + std::string(kMaxDocumentBytes, 'x') + "--></body></html>";
    std::string deep = "<html><body>";
    for (int i = 0; i < 50000; ++i) deep += "<div>";
    deep += "түбі";
    std::string unclosedTable = "<table><tr><td><table><tr><td>";
    for (int i = 0; i < 300; ++i) unclosedTable += "<table><tr><td>";
    struct Case {
        const char* name;
        std::string bytes;
        const char* expectedText; // nullptr: the page shows no text at all
    };
    const Case cases[] = {
        {"garbage.htm", garbage, "start-of-garbage"},
        {"garbage.bin", garbage, "start-of-garbage"}, // not HTML: shown as plain text
        {"huge.htm", huge, "4 МБ"},
        {"deep.htm", deep, "тым терең"},
        {"tables.htm", unclosedTable, "тым терең"}, // tables nested past the limit: plain text
        {"notes.txt", "a < b & c > d\nекінші жол", "a < b & c > d"},
        {"empty.htm", "", nullptr},
    };
    for (const Case& c : cases) {
        Load(Write(c.name, c.bytes));
        EXPECT_TRUE(view_->Loaded()) << c.name;
        if (c.expectedText)
            EXPECT_NE(view_->Text().find(c.expectedText), std::string::npos)
                << c.name << ": " << view_->Text();
        else
            EXPECT_EQ(view_->Text().find_first_not_of(" \t\r\n"), std::string::npos) << c.name;
        Pixel(10, 10); // paints
        KeyPress(VK_END);
        Pixel(10, 10);
    }
}

} // namespace
