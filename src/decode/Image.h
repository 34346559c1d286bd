#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The game's image decoding, with no GL: the fuzz target links this alone.

// A decoded image, rows bottom-up (the first row is the image's bottom edge), 4 channels.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

// Decodes a TGA from memory; false with a reason on failure (other formats are refused).
bool decodeImage(const void* bytes, size_t size, Image& out, std::string* problem);
