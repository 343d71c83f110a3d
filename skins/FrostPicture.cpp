#include "skins/FrostPicture.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "platform/image/JpegFile.h"
#include "skins/SkinColor.h"

namespace {

// Smooth noise on a lattice that wraps at the picture's edge, so tiles join without a seam.
class TWrappedNoise {
  public:
    TWrappedNoise(int cells, std::mt19937& rng) : cells_(cells), values_(size_t(cells * cells)) {
        std::uniform_real_distribution<double> u(0, 1);
        for (double& v : values_) v = u(rng);
    }
    double At(double x, double y) const {
        const double fx = x / kFrostSide * cells_, fy = y / kFrostSide * cells_;
        const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
        const double tx = Smooth(fx - ix), ty = Smooth(fy - iy);
        auto v = [&](int i, int j) {
            return values_[size_t(((j % cells_ + cells_) % cells_) * cells_ +
                                  (i % cells_ + cells_) % cells_)];
        };
        const double top = v(ix, iy) + (v(ix + 1, iy) - v(ix, iy)) * tx;
        const double bottom = v(ix, iy + 1) + (v(ix + 1, iy + 1) - v(ix, iy + 1)) * tx;
        return top + (bottom - top) * ty;
    }

  private:
    static double Smooth(double t) { return t * t * (3 - 2 * t); }
    int cells_;
    std::vector<double> values_;
};

// Light added by the crystals, per pixel, 0 to 1.
class TFrostLight {
  public:
    TFrostLight() : light_(size_t(kFrostSide) * kFrostSide, 0.0) {}
    void Add(double x, double y, double amount) {
        const int ix = ((int(std::floor(x)) % kFrostSide) + kFrostSide) % kFrostSide;
        const int iy = ((int(std::floor(y)) % kFrostSide) + kFrostSide) % kFrostSide;
        double& l = light_[size_t(iy) * kFrostSide + size_t(ix)];
        l = std::min(1.0, l + amount);
    }
    // A feathered branch: a straight stroke with shorter side branches at a fixed angle.
    void Branch(double x, double y, double angle, double length, int depth, std::mt19937& rng) {
        std::uniform_real_distribution<double> u(0, 1);
        const double step = 0.5;
        for (double t = 0; t < length; t += step) {
            const double px = x + std::cos(angle) * t, py = y + std::sin(angle) * t;
            const double fade = 0.55 * (1 - t / length) + 0.15;
            Add(px, py, fade * 0.5);
            Add(px + 1, py, fade * 0.15);
            if (depth > 0 && t > 2 && u(rng) < 0.09) {
                const double side = u(rng) < 0.5 ? -1 : 1;
                Branch(px, py, angle + side * 1.05, (length - t) * 0.45, depth - 1, rng);
            }
        }
    }
    double At(int x, int y) const { return light_[size_t(y) * kFrostSide + size_t(x)]; }

  private:
    std::vector<double> light_;
};

} // namespace

Bitmap FrostPicture() {
    std::mt19937 rng(20261211);
    const TWrappedNoise coarse(5, rng), middle(10, rng), fine(40, rng), grain(80, rng);
    TFrostLight frost;
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < 26; ++i)
        frost.Branch(u(rng) * kFrostSide, u(rng) * kFrostSide, u(rng) * 6.283, 40 + u(rng) * 70, 2,
                     rng);
    const COLORREF deep = RGB(190, 216, 238), pale = RGB(242, 248, 253), white = RGB(255, 255, 255);
    Bitmap picture(kFrostSide, kFrostSide, 24);
    for (int y = 0; y < kFrostSide; ++y)
        for (int x = 0; x < kFrostSide; ++x) {
            const double n = 0.5 * coarse.At(x, y) + 0.3 * middle.At(x, y) + 0.14 * fine.At(x, y) +
                             0.06 * grain.At(x, y);
            COLORREF c = skincolor::Mix(deep, pale, std::clamp((n - 0.2) * 1.6, 0.0, 1.0));
            c = skincolor::Mix(c, white, frost.At(x, y));
            picture.SetPixel(x, y, c);
        }
    return picture;
}

std::vector<uint8_t> FrostPictureJpeg() { return EncodeJPEG(FrostPicture(), 90); }
