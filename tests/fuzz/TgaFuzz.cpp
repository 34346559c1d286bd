// decodeImage on arbitrary bytes, with stb_image compiled in here so that the sanitizers see
// inside the decoder too. A decoded image must hold exactly width x height RGBA pixels.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "decode/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Image image;
    std::string problem;
    const bool ok = decodeImage(data, size, image, &problem);
    if (ok != problem.empty())
        std::abort();
    if (ok && image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4)
        std::abort();
    return 0;
}
