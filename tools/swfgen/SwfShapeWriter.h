#pragma once
// Builds the body of a DefineShape tag: style arrays and shape records. Points are absolute
// twips; the writer turns them into the relative edges SWF stores and works out the bounds.
#include <cstdint>
#include <vector>

#include "movie/SwfTypes.h"

class TSwfShapeWriter {
  public:
    TSwfShapeWriter();

    // Style indexes are 1-based within the current style group; 0 means none.
    int AddFill(const SwfFillStyle& fill);
    int AddLine(const SwfLineStyle& line);
    // Styles added after this call form a new group, announced by a new-styles record.
    void NewStyleGroup();

    void SetStyles(int fill0, int fill1, int line);
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    void CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y);

    // version 1..4 selects DefineShape .. DefineShape4 (RGB colours below 3).
    std::vector<uint8_t> Encode(uint16_t id, int version) const;

  private:
    enum class OpKind { Styles, Move, Line, Curve, Group };
    struct Op {
        OpKind kind;
        int32_t a, b, c, d;
    };
    struct StyleGroup {
        std::vector<SwfFillStyle> fills;
        std::vector<SwfLineStyle> lines;
    };

    void Extend(int32_t x, int32_t y);

    std::vector<StyleGroup> groups_;
    std::vector<Op> ops_;
    int32_t penX_ = 0, penY_ = 0;
    int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    bool hasPoints_ = false;
};
