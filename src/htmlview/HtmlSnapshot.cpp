#include "htmlview/HtmlSnapshot.h"

#include <litehtml.h>

#include "htmlview/DocumentSource.h"
#include "htmlview/MasterStyle.h"
#include "htmlview/ScreenContainer.h"

Bitmap RenderHtmlSnapshot(std::string_view bytes, const std::string& documentPath, int width,
                          int height) {
    std::string html = DecodeHtmlBytes(bytes.substr(0, kMaxDocumentBytes));
    int tables = 0;
    if (EstimateNestingDepth(html, &tables) > kMaxNestingDepth || tables > kMaxTableNesting)
        html = PlainTextPage(html, "");
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(width, height, 24, true);
    SelectObject(dc, target);
    Bitmap result;
    {
        TScreenContainer container(documentPath, SIZE{width, height});
        try {
            auto document =
                litehtml::document::createFromUTF8(html.c_str(), &container, &HtmlMasterContext());
            if (document) {
                document->render(width);
                container.BeginDraw(dc);
                const litehtml::position clip(0, 0, width, height);
                document->draw(reinterpret_cast<litehtml::uint_ptr>(dc), 0, 0, &clip);
                container.EndDraw();
            }
        } catch (const std::exception&) {
            // What was painted stays, as in the view.
        }
    }
    if (Bitmap* pixels = BitmapOf(target)) result = *pixels;
    DeleteDC(dc);
    DeleteObject(target);
    return result;
}
