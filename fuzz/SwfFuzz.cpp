// Loads arbitrary bytes as a SWF movie; whatever loads is played for a few frames and
// drawn into a small bitmap, so the timeline and the renderer see hostile data too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/SwfMovie.h"
#include "platform/gdi/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    std::unique_ptr<TSwfMovie> movie = TSwfMovie::Load(data, size, &error);
    if (!movie) return 0;
    Bitmap target(48, 16, 32);
    for (int frame = 0; frame < 3; ++frame) {
        movie->Render(target, RECT{-3, 2, 40, 20});
        movie->NextFrame();
    }
    return 0;
}
