// Feeds arbitrary bytes to the package reader as if they were a stored skin's data.
// Run with -close_fd_mask=2 to keep the wrong-magic warnings out of the log.
#include <cstdint>

#include "platform/core/Errors.h"
#include "skin/qvSkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TqvSkinConvertor reader;
    reader.PackedData = std::make_unique<TMemoryStream>(data, data + size);
    try {
        reader.UnpackSkin();
    } catch (const EReadError&) {}
    return 0;
}
