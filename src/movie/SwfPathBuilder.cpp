#include "movie/SwfPathBuilder.h"

#include <map>
#include <unordered_map>
#include <utility>

namespace {

struct PointHash {
    size_t operator()(const std::pair<int64_t, int64_t>& p) const {
        return std::hash<uint64_t>()(uint64_t(p.first) * 1000003u ^ uint64_t(p.second));
    }
};

SwfSegment Segment(SwfSegmentKind kind, int64_t cx, int64_t cy, int64_t x, int64_t y) {
    return SwfSegment{kind, double(cx), double(cy), double(x), double(y)};
}

} // namespace

void TSwfPathBuilder::SetStyles(int fill0, int fill1, int line) {
    fill0_ = fill0;
    fill1_ = fill1;
    line_ = line;
}

void TSwfPathBuilder::MoveTo(int64_t x, int64_t y) {
    penX_ = x;
    penY_ = y;
}

void TSwfPathBuilder::LineTo(int64_t x, int64_t y) { AddEdge(false, 0, 0, x, y); }

void TSwfPathBuilder::CurveTo(int64_t cx, int64_t cy, int64_t x, int64_t y) {
    AddEdge(true, cx, cy, x, y);
}

void TSwfPathBuilder::AddEdge(bool curve, int64_t cx, int64_t cy, int64_t x, int64_t y) {
    if (fill0_ >= 0 || fill1_ >= 0 || line_ >= 0)
        edges_.push_back(Edge{penX_, penY_, cx, cy, x, y, curve, fill0_, fill1_, line_});
    penX_ = x;
    penY_ = y;
}

void TSwfPathBuilder::FlushGroup() {
    // Edges sorted by style in one pass, so that many styles do not mean many passes.
    std::map<int, std::vector<Edge>> fills;
    std::map<int, std::vector<Edge>> lines;
    for (const Edge& e : edges_) {
        if (e.fill0 != e.fill1) { // the same fill on both sides is no border
            if (e.fill1 >= 0) fills[e.fill1].push_back(e);
            if (e.fill0 >= 0) // reversed, so that the fill lies on its right-hand side too
                fills[e.fill0].push_back(
                    Edge{e.x1, e.y1, e.cx, e.cy, e.x0, e.y0, e.curve, -1, e.fill0, -1});
        }
        if (e.line >= 0) lines[e.line].push_back(e);
    }
    for (const auto& [style, directed] : fills) EmitFill(style, directed);
    for (const auto& [style, stroked] : lines) EmitLine(style, stroked);
    edges_.clear();
}

// directed: edges with the fill on their right-hand side (in SWF's y-down space).
void TSwfPathBuilder::EmitFill(int style, const std::vector<Edge>& directed) {
    if (directed.empty()) return;

    std::unordered_map<std::pair<int64_t, int64_t>, std::vector<size_t>, PointHash> byStart;
    for (size_t i = directed.size(); i-- > 0;)
        byStart[{directed[i].x0, directed[i].y0}].push_back(i); // popped in file order
    std::vector<bool> used(directed.size(), false);

    SwfShapePath path;
    path.style = style;
    for (size_t first = 0; first < directed.size(); ++first) {
        if (used[first]) continue;
        const int64_t startX = directed[first].x0, startY = directed[first].y0;
        path.segments.push_back(Segment(SwfSegmentKind::Move, 0, 0, startX, startY));
        size_t current = first;
        for (;;) {
            used[current] = true;
            const Edge& e = directed[current];
            path.segments.push_back(e.curve ? Segment(SwfSegmentKind::Curve, e.cx, e.cy, e.x1, e.y1)
                                            : Segment(SwfSegmentKind::Line, 0, 0, e.x1, e.y1));
            if (e.x1 == startX && e.y1 == startY) break;
            auto it = byStart.find({e.x1, e.y1});
            if (it == byStart.end()) break;
            std::vector<size_t>& candidates = it->second;
            while (!candidates.empty() && used[candidates.back()]) candidates.pop_back();
            if (candidates.empty()) break; // an open contour; the fill closes it with a line
            current = candidates.back();
            candidates.pop_back();
        }
    }
    shape_.paths.push_back(std::move(path));
}

void TSwfPathBuilder::EmitLine(int style, const std::vector<Edge>& stroked) {
    SwfShapePath path;
    path.isLine = true;
    path.style = style;
    bool first = true;
    int64_t lastX = 0, lastY = 0;
    for (const Edge& e : stroked) {
        if (first || e.x0 != lastX || e.y0 != lastY)
            path.segments.push_back(Segment(SwfSegmentKind::Move, 0, 0, e.x0, e.y0));
        path.segments.push_back(e.curve ? Segment(SwfSegmentKind::Curve, e.cx, e.cy, e.x1, e.y1)
                                        : Segment(SwfSegmentKind::Line, 0, 0, e.x1, e.y1));
        first = false;
        lastX = e.x1;
        lastY = e.y1;
    }
    shape_.paths.push_back(std::move(path));
}
