#include "htmlview/DocumentSource.h"

#include <gtest/gtest.h>

#include "htmlview/HtmlImage.h"
#include "htmlview/LinkTarget.h"
#include "platform/core/WinTypes.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

TEST(LinkTarget, ReferencesResolveAgainstTheDocument) {
    const std::string doc = "C:\\course\\Doc1\\DAR1.htm";
    struct Case {
        const char* href;
        TLinkKind kind;
        const char* path;
        const char* fragment;
    };
    const Case cases[] = {
        {"DAR2.htm", TLinkKind::Local, "C:\\course\\Doc1\\DAR2.htm", ""},
        {"../komek/help.htm#top", TLinkKind::Local, "C:\\course\\komek\\help.htm", "top"},
        {"sub/./x.htm?q=1", TLinkKind::Local, "C:\\course\\Doc1\\sub\\x.htm", ""},
        {"/root.htm", TLinkKind::Local, "C:\\root.htm", ""},
        {"../../../../up.htm", TLinkKind::Local, "C:\\up.htm", ""},
        {"%D2%AF%D0%B9.htm", TLinkKind::Local, "C:\\course\\Doc1\\үй.htm", ""},
        {"file:///D:/other/a.htm", TLinkKind::Local, "D:\\other\\a.htm", ""},
        {"  #sec%202 ", TLinkKind::FragmentOnly, "", "sec 2"},
        {"#", TLinkKind::FragmentOnly, "", ""},
        {"HTTP://example.org/", TLinkKind::External, "", ""},
        {"mailto:x@y.kz", TLinkKind::External, "", ""},
        {"javascript:alert(1)", TLinkKind::Ignored, "", ""},
        {"", TLinkKind::Ignored, "", ""},
        {"%", TLinkKind::Local, "C:\\course\\Doc1\\%", ""},
    };
    for (const Case& c : cases) {
        const TLinkTarget t = ResolveLink(c.href, doc);
        EXPECT_EQ(t.kind, c.kind) << c.href;
        EXPECT_EQ(t.path, c.path) << c.href;
        EXPECT_EQ(t.fragment, c.fragment) << c.href;
    }
    EXPECT_EQ(ResolveResourcePath("img/a.gif", doc), "C:\\course\\Doc1\\img\\a.gif");
    EXPECT_EQ(ResolveResourcePath("http://x/a.gif", doc), "");
    EXPECT_EQ(ResolveResourcePath("data:image/png;base64,AAAA", doc), "");
}

TEST(DocumentSource, CharsetsAreFoundAndDecoded) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"declared 1251", "<meta content=\"text/html; charset=windows-1251\">\xD1\xF2\xE0\xF2",
         "<meta content=\"text/html; charset=windows-1251\">Стат"},
        {"declared utf-8 with a bad byte",
         "<meta charset='UTF-8'>a\xFF"
         "b",
         "<meta charset='UTF-8'>a\xEF\xBF\xBD"
         "b"},
        {"NUL is not passed on", std::string("<p>a\0b</p>", 10),
         "<p>a\xEF\xBF\xBD"
         "b</p>"},
        {"undeclared 1251", "\xC0\xE1", "Аб"},
        {"undeclared utf-8", "Әб", "Әб"},
        {"byte-order mark", "\xEF\xBB\xBFӘ", "Ә"},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeHtmlBytes(c.bytes), c.expected) << c.name;
    EXPECT_EQ(DeclaredCharset(
                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; CHARSET=Windows-1251\">"),
              "windows-1251");
}

TEST(DocumentSource, NestingDepthCountsOnlyElementsThatNest) {
    struct Case {
        std::string html;
        int depth;
    };
    const Case cases[] = {
        {"<div><div></div></div>", 2},
        {"<p>a<p>b<p>c<br><img src=x><hr>", 0},
        {"<ul><li>a<li>b</ul>", 1},
        {"<div/><div/>", 0},
        {"<!-- <div><div> --><b>x</b>", 1},
        {std::string(1000, '<'), 0},
        {"<table><tr><td><table><tr><td>", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(EstimateNestingDepth(c.html), c.depth) << c.html;
    int tables = 0;
    EstimateNestingDepth("<table><tr><td><table></table><table><tr><td><table>", &tables);
    EXPECT_EQ(tables, 3);
}

TEST(HtmlImage, PicturesDecodeAndForgedSizesAreRefused) {
    Bitmap blue(3, 2, 24);
    blue.Fill(RGB(0, 0, 255));
    const std::vector<uint8_t> png = EncodePNG(blue);
    std::string error;
    auto decoded = DecodeImage(png.data(), png.size(), &error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->GetPixel(2, 1), RGB(0, 0, 255));

    const std::vector<uint8_t> jpeg = EncodeJPEG(blue, 90);
    EXPECT_TRUE(DecodeImage(jpeg.data(), jpeg.size(), &error)) << error;

    // A 1 x 1 GIF whose one pixel is colour 0 of its table, red.
    const uint8_t gif[] = {'G', 'I',  'F', '8', '9', 'a', 1, 0,    1,    0, 0x80, 0,
                           0,   0xFF, 0,   0,   0,   0,   0, 0x2C, 0,    0, 0,    0,
                           1,   0,    1,   0,   0,   2,   2, 0x44, 0x01, 0, 0x3B};
    decoded = DecodeImage(gif, sizeof gif, &error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->GetPixel(0, 0) & 0xFFFFFF, RGB(255, 0, 0));

    std::vector<uint8_t> forged(png);
    forged[16] = 0x7F; // width 0x7Fxxxxxx
    error.clear();
    EXPECT_FALSE(DecodeImage(forged.data(), forged.size(), &error));
    EXPECT_FALSE(error.empty());
    std::vector<uint8_t> bigGif(gif, gif + sizeof gif);
    bigGif[6] = 0xFF;
    bigGif[7] = 0xFF; // 65535 wide
    bigGif[8] = 0xFF;
    bigGif[9] = 0xFF;
    EXPECT_FALSE(DecodeImage(bigGif.data(), bigGif.size(), &error));
    for (size_t cut = 0; cut < sizeof gif; ++cut)
        DecodeImage(gif, cut, &error); // no crash, no leak
    EXPECT_FALSE(DecodeImage(reinterpret_cast<const uint8_t*>("BM"), 2, &error));
}

TEST(DocumentSource, OwnPagesEscapeWhatTheyShow) {
    const std::string page = MissingFilePage("C:\\a<b>&\"c\".htm");
    EXPECT_NE(page.find("Құжат табылмады"), std::string::npos);
    EXPECT_NE(page.find("C:\\a&lt;b&gt;&amp;&quot;c&quot;.htm"), std::string::npos);
    EXPECT_NE(PlainTextPage("<script>", "").find("<pre>&lt;script&gt;</pre>"), std::string::npos);
}

} // namespace
