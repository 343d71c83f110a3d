#pragma once
// The course's splash movie: a 683 x 102 strip that plays for five seconds and loops. On a
// blue gradient a histogram grows bar by bar into a bell curve, a donut chart turns, and a
// line chart draws itself with its area shading in; then the charts fade out and start over.
#include <cstdint>
#include <vector>

class TCourseMovie {
  public:
    static constexpr int kWidth = 683, kHeight = 102; // pixels
    static constexpr int kFrameRate = 20;
    static constexpr int kFrames = 100;

    static std::vector<uint8_t> Build(bool compress);
};
