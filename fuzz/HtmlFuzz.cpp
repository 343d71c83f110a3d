// Feeds any bytes to the HTML view's reading path: charset detection, the nesting limit, the
// layout engine with our containers' fonts and drawing, and the picture decoders.
#include <cstddef>
#include <cstdint>
#include <string>

#include "htmlview/HtmlImage.h"
#include "htmlview/HtmlSnapshot.h"
#include "htmlview/LinkTarget.h"
#include "platform/backends/HeadlessBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = (UseHeadlessBackend(640, 480), true);
    (void)ready;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RenderHtmlSnapshot(bytes, "C:\\fuzz\\doc.htm", 320, 240);
    std::string error;
    DecodeImage(data, size, &error);
    ResolveLink(std::string(bytes.substr(0, 256)), "C:\\fuzz\\doc.htm");
    return 0;
}
