#include "htmlview/MasterStyle.h"

#include <litehtml.h>

const char* const kHtmlMasterStyle = R"CSS(
html { display: block; }
head, meta, title, link, style, script, noscript, template, param, base { display: none; }
body { display: block; margin: 8px; }
div, address, blockquote, center, form, fieldset, figure, figcaption, main, article, aside,
footer, header, nav, section, dl, dt, dd, p, pre, h1, h2, h3, h4, h5, h6, hr, ul, ol, menu,
dir, legend, details, summary { display: block; }
p { margin-top: 1em; margin-bottom: 1em; }
h1 { font-size: 2em; font-weight: bold; margin-top: 0.67em; margin-bottom: 0.67em; }
h2 { font-size: 1.5em; font-weight: bold; margin-top: 0.83em; margin-bottom: 0.83em; }
h3 { font-size: 1.17em; font-weight: bold; margin-top: 1em; margin-bottom: 1em; }
h4 { font-weight: bold; margin-top: 1.33em; margin-bottom: 1.33em; }
h5 { font-size: 0.83em; font-weight: bold; margin-top: 1.67em; margin-bottom: 1.67em; }
h6 { font-size: 0.67em; font-weight: bold; margin-top: 2.33em; margin-bottom: 2.33em; }
blockquote { margin: 1em 40px; }
center { text-align: center; }
hr { margin: 0.5em auto; border-style: inset; border-width: 1px; border-color: #a0a0a0; }
b, strong, th { font-weight: bold; }
i, em, cite, var, dfn, address { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
big { font-size: 1.17em; }
small { font-size: 0.83em; }
sub { vertical-align: sub; font-size: 0.83em; }
sup { vertical-align: super; font-size: 0.83em; }
pre, tt, code, kbd, samp { font-family: monospace; }
pre { white-space: pre; margin-top: 1em; margin-bottom: 1em; }
nobr { white-space: nowrap; }
ul, ol, menu, dir { margin-top: 1em; margin-bottom: 1em; padding-left: 40px; }
ul { list-style-type: disc; }
ol { list-style-type: decimal; }
ul ul, ol ul { list-style-type: circle; }
ul ul ul, ol ul ul, ul ol ul { list-style-type: square; }
ul ul, ul ol, ol ol, ol ul { margin-top: 0; margin-bottom: 0; }
li { display: list-item; }
dd { margin-left: 40px; }
a:link, a:visited { color: #0000ee; text-decoration: underline; cursor: pointer; }
a[href] { color: #0000ee; text-decoration: underline; cursor: pointer; }
img { display: inline-block; }
table { display: table; border-collapse: separate; border-spacing: 2px; }
caption { display: table-caption; text-align: center; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
col { display: table-column; }
colgroup { display: table-column-group; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { text-align: center; }
table[border] { border-style: solid; border-width: 1px; border-color: #808080; }
table[border] td, table[border] th { border-style: solid; border-width: 1px; border-color: #808080; }
table[border="0"], table[border="0"] td, table[border="0"] th { border-style: none; }
br { display: block; }
)CSS";

litehtml::context& HtmlMasterContext() {
    static litehtml::context* context = [] {
        auto* c = new litehtml::context; // never freed: every document points to it
        c->load_master_stylesheet(kHtmlMasterStyle);
        return c;
    }();
    return *context;
}
