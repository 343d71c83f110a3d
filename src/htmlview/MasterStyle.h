#pragma once
// The default look of HTML elements that every document starts from (the layout engine
// ships none): block and table display, headings, lists, links, preformatted text.
extern const char* const kHtmlMasterStyle;

namespace litehtml {
class context;
}
// The layout engine's context holding that style sheet, made once; documents keep pointing
// to it, so it lives as long as the program.
litehtml::context& HtmlMasterContext();
