#pragma once
// Skinned text output of the controls' skin data.
#include <string>

class TCanvas;

// The text shortened with "..." to fit maxWidth on the canvas: unchanged when it fits, empty
// when maxWidth is not positive or not even one character fits before the dots.
void CutText(TCanvas& canvas, const std::string& text, int maxWidth, std::string& result);
