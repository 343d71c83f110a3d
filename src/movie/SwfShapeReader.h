#pragma once
// Reads the body of DefineShape (version 1), DefineShape2 (2), DefineShape3 (3, RGBA colours)
// and DefineShape4 (4, edge bounds and extended line styles) after the character id.
#include "movie/SwfBitReader.h"
#include "movie/SwfTypes.h"

// What one file may hold in all, so that a small file (a CWS one inflates 1000-fold) cannot
// make the reader take memory without bound: every shape edge, style, display-list command
// and frame costs far more in memory than its few bits in the file.
struct SwfReadBudget {
    int64_t edges = 1'000'000;
    int64_t styles = 200'000;
    int64_t commands = 500'000;
    int64_t frames = 1'000'000;
};

class TSwfShapeReader {
  public:
    TSwfShapeReader(TSwfBitReader& reader, int version, SwfReadBudget& budget)
        : r_(reader), version_(version), budget_(budget) {}

    SwfShape Read();

  private:
    // Appends a style array to the shape; returns the number of fill and line styles read.
    void ReadStyleArrays(SwfShape& shape, int* fillCount, int* lineCount);
    SwfFillStyle ReadFillStyle();
    SwfLineStyle ReadLineStyle();
    SwfRgba ReadColor();

    void Spend(int64_t& budget, const char* what);

    TSwfBitReader& r_;
    int version_;
    SwfReadBudget& budget_;
};
