#pragma once
// Turns the edge list of a SWF shape into drawable paths. An SWF edge carries the fill on its
// left (fill 0) and on its right (fill 1), and edges of one region arrive in any order and
// direction. Here every edge is given to the fills on both sides, reversed for fill 0 so that
// each fill's region lies on the same side of all its edges; the edges of one fill are then
// chained end to start into closed contours, which fill correctly with the nonzero rule.
#include <cstdint>
#include <vector>

#include "movie/SwfTypes.h"

class TSwfPathBuilder {
  public:
    explicit TSwfPathBuilder(SwfShape& shape) : shape_(shape) {}

    // Style indexes are indexes into shape.fills / shape.lines, or -1 for none.
    void SetStyles(int fill0, int fill1, int line);
    void MoveTo(int64_t x, int64_t y);
    void LineTo(int64_t x, int64_t y);
    void CurveTo(int64_t cx, int64_t cy, int64_t x, int64_t y);
    int64_t PenX() const { return penX_; }
    int64_t PenY() const { return penY_; }

    // Emits the paths of the edges collected so far (fills first, then lines) and starts a
    // new group; called when a shape record brings new style arrays and at the end.
    void FlushGroup();

  private:
    struct Edge {
        int64_t x0, y0, cx, cy, x1, y1;
        bool curve;
        int fill0, fill1, line;
    };

    void AddEdge(bool curve, int64_t cx, int64_t cy, int64_t x, int64_t y);
    void EmitFill(int style, const std::vector<Edge>& directed);
    void EmitLine(int style, const std::vector<Edge>& stroked);

    SwfShape& shape_;
    std::vector<Edge> edges_;
    int64_t penX_ = 0, penY_ = 0;
    int fill0_ = -1, fill1_ = -1, line_ = -1;
};
