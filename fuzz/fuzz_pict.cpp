#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "framework/pictures/pictdecoder.h"

// Any bytes at all: the decoder refuses or returns a whole picture, within its size limits.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::optional<DecodedImage> image = DecodePict(std::span<const uint8_t>(data, size));
    if (image) {
        bool sized = image->width > 0 && image->height > 0 && image->width <= 4096 &&
                     image->height <= 4096 &&
                     image->argb.size() == static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
        if (!sized) {
            std::abort();
        }
    }
    return 0;
}
