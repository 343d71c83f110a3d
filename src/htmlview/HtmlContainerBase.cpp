#include "htmlview/HtmlContainerBase.h"

#include <algorithm>
#include <cstring>

#include "htmlview/DocumentSource.h"
#include "htmlview/HtmlImage.h"
#include "htmlview/LinkTarget.h"
#include "platform/core/FileSystem.h"
#include "platform/core/TextCodec.h"

namespace {

// Every style sheet a document imports together: enough for any course page, and a bound
// for a chain of sheets that import each other.
constexpr size_t kMaxImportedCss = 2 * 1024 * 1024;
constexpr size_t kMaxImages = 512;

std::string TrimFamily(std::string name) {
    size_t b = 0, e = name.size();
    while (b < e && (name[b] == ' ' || name[b] == '\'' || name[b] == '"' || name[b] == '\t')) ++b;
    while (e > b &&
           (name[e - 1] == ' ' || name[e - 1] == '\'' || name[e - 1] == '"' || name[e - 1] == '\t'))
        --e;
    return name.substr(b, e - b);
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    // Cyrillic supplement letters (Kazakh Ә Ғ Қ Ң Ө Ұ Ү Һ) pair upper-even, lower-odd.
    if (c >= 0x460 && c <= 0x4FF && (c & 1) && c != 0x4CF && !(c >= 0x4C1 && c <= 0x4CE))
        return c - 1;
    if (c >= 0x4C2 && c <= 0x4CE && !(c & 1)) return c - 1;
    if (c == 0x4CF) return 0x4C0;
    return c;
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x460 && c <= 0x4FF && !(c & 1) && c != 0x4C0 && !(c >= 0x4C1 && c <= 0x4CE))
        return c + 1;
    if (c >= 0x4C1 && c <= 0x4CD && (c & 1)) return c + 1;
    if (c == 0x4C0) return 0x4CF;
    return c;
}

} // namespace

THtmlContainerBase::THtmlContainerBase(std::string documentPath)
    : documentPath_(std::move(documentPath)) {}

std::string THtmlContainerBase::TakeClickedLink() {
    std::string link;
    link.swap(clickedLink_);
    return link;
}

TFontRequest THtmlContainerBase::FontRequest(const char* faceName, int size, int weight,
                                             litehtml::font_style italic, unsigned decoration) {
    TFontRequest r;
    std::string chosen = "Times New Roman";
    std::string list = faceName ? faceName : "";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string family = TrimFamily(list.substr(start, end - start));
        const std::string lower = LowerAscii(family);
        if (lower == "serif")
            chosen = "Times New Roman";
        else if (lower == "sans-serif")
            chosen = "Arial";
        else if (lower == "monospace")
            chosen = "Courier New";
        else if (!family.empty())
            chosen = family;
        if (!family.empty()) break;
        start = end + 1;
    }
    std::strncpy(r.log.lfFaceName, chosen.c_str(), LF_FACESIZE - 1);
    r.log.lfHeight = -std::clamp(size, 1, 400); // em height in pixels; a wild size is bounded
    r.log.lfWeight = std::clamp(weight, 100, 900);
    r.log.lfItalic = italic == litehtml::fontStyleItalic ? 1 : 0;
    r.log.lfUnderline = (decoration & litehtml::font_decoration_underline) ? 1 : 0;
    r.log.lfStrikeOut = (decoration & litehtml::font_decoration_linethrough) ? 1 : 0;
    r.decoration = decoration;
    return r;
}

std::string THtmlContainerBase::ResourcePath(const char* src, const char* baseurl) const {
    const std::string base = baseurl && *baseurl ? ResolveResourcePath(baseurl, documentPath_)
                             : !baseUrl_.empty() ? ResolveResourcePath(baseUrl_, documentPath_)
                                                 : documentPath_;
    return ResolveResourcePath(src ? src : "", base);
}

void THtmlContainerBase::load_image(const char* src, const char* baseurl, bool) {
    const std::string path = ResourcePath(src, baseurl);
    if (path.empty() || images_.count(path) || images_.size() >= kMaxImages) return;
    std::string error;
    // A picture that cannot be read takes no room and paints nothing, as a browser shows none.
    images_[path] = LoadImageFile(path, &error);
}

const Bitmap* THtmlContainerBase::Image(const char* src, const char* baseurl) const {
    auto it = images_.find(ResourcePath(src, baseurl));
    return it == images_.end() ? nullptr : it->second.get();
}

void THtmlContainerBase::get_image_size(const char* src, const char* baseurl, litehtml::size& sz) {
    const Bitmap* b = Image(src, baseurl);
    sz.width = b ? b->Width() : 0;
    sz.height = b ? b->Height() : 0;
}

void THtmlContainerBase::set_base_url(const char* base_url) { baseUrl_ = base_url ? base_url : ""; }

void THtmlContainerBase::on_anchor_click(const char* url, const litehtml::element::ptr&) {
    clickedLink_ = url ? url : "";
}

void THtmlContainerBase::set_cursor(const char* cursor) { cursor_ = cursor ? cursor : "auto"; }

void THtmlContainerBase::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    if (tt == litehtml::text_transform_none || text.empty()) return;
    std::string out;
    size_t pos = 0;
    bool wordStart = true;
    while (pos < text.size()) {
        char32_t c = DecodeUtf8(text, pos);
        if (tt == litehtml::text_transform_uppercase)
            c = ToUpper(c);
        else if (tt == litehtml::text_transform_lowercase)
            c = ToLower(c);
        else if (tt == litehtml::text_transform_capitalize && wordStart)
            c = ToUpper(c);
        wordStart = c == ' ' || c == '\t' || c == '\n';
        AppendUtf8(out, c);
    }
    text = std::move(out);
}

void THtmlContainerBase::import_css(litehtml::tstring& text, const litehtml::tstring& url,
                                    litehtml::tstring& baseurl) {
    const std::string path = ResourcePath(url.c_str(), baseurl.c_str());
    text.clear();
    if (path.empty() || importedCssBytes_ >= kMaxImportedCss) return;
    TFileReadResult file = ReadFileBytes(path, kMaxImportedCss - importedCssBytes_);
    if (!file.Ok()) return; // a missing style sheet leaves the default look
    importedCssBytes_ += file.Data.size();
    text = DecodeHtmlBytes(
        std::string_view(reinterpret_cast<const char*>(file.Data.data()), file.Data.size()));
    baseurl = path; // references inside the sheet are relative to the sheet
}

void THtmlContainerBase::get_language(litehtml::tstring& language,
                                      litehtml::tstring& culture) const {
    language = "kk";
    culture = "kk-KZ";
}

void THtmlContainerBase::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& b,
                                      const litehtml::position& p, bool) {
    auto visible = [](const litehtml::border& side) {
        return side.width > 0 && side.style != litehtml::border_style_none &&
               side.style != litehtml::border_style_hidden && side.color.alpha > 0;
    };
    if (visible(b.top))
        FillColorBox(hdc, litehtml::position(p.x, p.y, p.width, b.top.width), b.top.color);
    if (visible(b.bottom))
        FillColorBox(hdc,
                     litehtml::position(p.x, p.bottom() - b.bottom.width, p.width, b.bottom.width),
                     b.bottom.color);
    if (visible(b.left))
        FillColorBox(hdc, litehtml::position(p.x, p.y, b.left.width, p.height), b.left.color);
    if (visible(b.right))
        FillColorBox(hdc,
                     litehtml::position(p.right() - b.right.width, p.y, b.right.width, p.height),
                     b.right.color);
}

void THtmlContainerBase::get_client_rect(litehtml::position& client) const {
    const TMedia m = Media();
    client = litehtml::position(0, 0, m.width, m.height);
}

void THtmlContainerBase::get_media_features(litehtml::media_features& media) const {
    const TMedia m = Media();
    media.type = m.type;
    media.width = m.width;
    media.height = m.height;
    media.device_width = m.deviceWidth;
    media.device_height = m.deviceHeight;
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
}
