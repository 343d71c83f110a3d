// Checks a screenshot for a scenario test: its size, and the colour at given points.
//   scenario_png_check FILE WIDTH HEIGHT [X,Y=RRGGBB ...]
// Prints one line per mismatch and exits 1 when there is any.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/image/PngFile.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: scenario_png_check FILE WIDTH HEIGHT [X,Y=RRGGBB ...]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    std::string error;
    const std::unique_ptr<Bitmap> picture = DecodePNG(data.data(), data.size(), &error);
    if (!picture) {
        std::printf("%s: not a PNG picture: %s\n", argv[1], error.c_str());
        return 1;
    }
    int failures = 0;
    if (picture->Width() != std::stoi(argv[2]) || picture->Height() != std::stoi(argv[3])) {
        std::printf("%s: %d x %d, expected %s x %s\n", argv[1], picture->Width(), picture->Height(),
                    argv[2], argv[3]);
        ++failures;
    }
    for (int i = 4; i < argc; ++i) {
        int x = 0, y = 0;
        unsigned rgb = 0;
        // X,Y=RRGGBB: the pixel has that colour; X,Y=!RRGGBB: any other colour.
        const bool unlike = std::strstr(argv[i], "=!") != nullptr;
        if (std::sscanf(argv[i], unlike ? "%d,%d=!%6x" : "%d,%d=%6x", &x, &y, &rgb) != 3) {
            std::printf("bad point \"%s\"\n", argv[i]);
            return 2;
        }
        if (x < 0 || y < 0 || x >= picture->Width() || y >= picture->Height()) {
            std::printf("%d,%d is outside the picture\n", x, y);
            ++failures;
            continue;
        }
        const uint32_t c = picture->GetPixel(x, y); // red in the low byte
        const unsigned actual = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
        if ((actual != rgb) != unlike) {
            std::printf("%d,%d is %06X, expected %s%06X\n", x, y, actual,
                        unlike ? "anything but " : "", rgb);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
