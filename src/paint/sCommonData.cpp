#include "paint/sCommonData.h"

#include "toolkit/Canvas.h"

// The text is dropped a character at a time until it fits together with its dots: stopping
// as soon as the bare text fits would leave a result wider than maxWidth once the dots go on.
void CutText(TCanvas& canvas, const std::string& text, int maxWidth, std::string& result) {
    result.clear();
    if (maxWidth <= 0) return;
    if (canvas.TextWidth(text) <= maxWidth) {
        result = text;
        return;
    }
    for (size_t length = text.size(); length-- > 1;) {
        std::string candidate = text.substr(0, length) + "...";
        if (canvas.TextWidth(candidate) <= maxWidth) {
            result = std::move(candidate);
            return;
        }
    }
}
