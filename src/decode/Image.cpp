#include "decode/Image.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stb_image.h>

namespace {

// Larger than any texture an OpenGL 3.3 implementation must accept, and small enough that
// width x height x 4 cannot overflow.
constexpr int kMaxSide = 16384;

void setProblem(std::string* problem, const std::string& text) {
    if (problem) {
        *problem = text;
    }
}

// A TGA header as stb_image tests for one: colour map type 0 or 1, a known image type.
bool looksLikeTga(const stbi_uc* data, size_t size) {
    if (size < 3 || data[1] > 1) {
        return false;
    }
    const int type = data[2];
    return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

// stb_image fills whatever a TGA lacks with zeros, so an 18-byte header alone could make it
// allocate a gigabyte. A TGA cannot hold more pixels than its bytes encode: uncompressed, one
// pixel per pixel size; run-length coded, at most 128 pixels per packet of 1 + pixel size bytes.
// Returns false for a TGA too short for the size its header claims.
bool tgaHoldsItsPixels(const stbi_uc* data, size_t size, int width, int height) {
    if (size < 18) { // stb_image reads a cut-off header as zeros too
        return false;
    }
    const int type = data[2];
    size_t header = 18 + data[0];
    if (data[1] == 1) { // a colour map follows the identification field
        const size_t entries = data[5] | (data[6] << 8);
        header += entries * ((data[7] + 7) / 8);
    }
    const size_t pixelBytes = std::max(1, (data[16] + 7) / 8);
    const size_t available = size > header ? size - header : 0;
    const size_t maxPixels =
        type < 8 ? available / pixelBytes : 128 * (available / (1 + pixelBytes) + 1);
    return static_cast<size_t>(width) * static_cast<size_t>(height) <= maxPixels;
}

} // namespace

bool decodeImage(const void* bytes, size_t size, Image& out, std::string* problem) {
    out = Image();
    setProblem(problem, "");
    if (bytes == nullptr || size == 0) {
        setProblem(problem, "no data");
        return false;
    }
    if (size > static_cast<size_t>(INT_MAX)) {
        setProblem(problem, "file too large");
        return false;
    }
    const auto* data = static_cast<const stbi_uc*>(bytes);
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    // The game's images are TGAs; stb_image's other parsers are kept away from its files
    // (its PNM header reader overflows a signed int on long digit runs, found by fuzzing).
    if (!looksLikeTga(data, size)) {
        setProblem(problem, "not a readable image (not a TGA)");
        return false;
    }
    // Check the size before decoding so that a forged header cannot ask for gigabytes.
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        setProblem(problem, std::string("not a readable image (") + stbi_failure_reason() + ")");
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        setProblem(problem,
                   "unsupported size " + std::to_string(width) + " x " + std::to_string(height));
        return false;
    }
    if (!tgaHoldsItsPixels(data, size, width, height)) {
        setProblem(problem, "the data is too short for the size " + std::to_string(width) + " x " +
                                std::to_string(height) + " that the header gives");
        return false;
    }
    stbi_uc* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (pixels == nullptr) {
        setProblem(problem, std::string("not a readable image (") + stbi_failure_reason() + ")");
        return false;
    }
    out.width = width;
    out.height = height;
    out.rgba.resize(static_cast<size_t>(width) * height * 4);
    // stb_image hands rows top first; GL wants the bottom row first so that the image's
    // lower-left corner lands at texture coordinate (0, 0).
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int row = 0; row < height; ++row) {
        std::memcpy(out.rgba.data() + row * rowBytes, pixels + (height - 1 - row) * rowBytes,
                    rowBytes);
    }
    stbi_image_free(pixels);
    return true;
}
