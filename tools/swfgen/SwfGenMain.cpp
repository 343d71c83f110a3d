// swfgen: writes the course's splash movie.
//   swfgen OUT.swf                  writes the movie (zlib-compressed)
//   swfgen OUT.swf --frames DIR N.. also renders the listed frames to DIR/frame-N.png
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "movie/SwfMovie.h"
#include "platform/image/PngFile.h"
#include "tools/swfgen/CourseMovie.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    return bool(out);
}

int RenderFrames(const std::vector<uint8_t>& swf, const std::string& dir, int argc, char** argv,
                 int first) {
    std::string error;
    std::unique_ptr<TSwfMovie> movie = TSwfMovie::Load(swf.data(), swf.size(), &error);
    if (!movie) {
        std::fprintf(stderr, "swfgen: the written movie does not read back: %s\n", error.c_str());
        return 1;
    }
    for (int i = first; i < argc; ++i) {
        const int wanted = std::atoi(argv[i]);
        while (movie->CurrentFrame() != wanted % movie->FrameCount()) movie->NextFrame();
        Bitmap bmp(movie->Width(), movie->Height(), 24);
        movie->Render(bmp, RECT{0, 0, bmp.Width(), bmp.Height()});
        const std::string path = dir + "/frame-" + std::to_string(wanted) + ".png";
        if (!SavePNG(bmp, path, &error)) {
            std::fprintf(stderr, "swfgen: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: swfgen OUT.swf [--frames DIR N...]\n");
        return 2;
    }
    const std::vector<uint8_t> swf = TCourseMovie::Build(true);
    if (!WriteFile(argv[1], swf)) {
        std::fprintf(stderr, "swfgen: cannot write %s\n", argv[1]);
        return 1;
    }
    if (argc >= 4 && std::string(argv[2]) == "--frames")
        return RenderFrames(swf, argv[3], argc, argv, 4);
    return 0;
}
