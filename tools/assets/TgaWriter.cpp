#include "TgaWriter.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void appendPixel(std::vector<uint8_t>& out, const uint8_t* rgba, int bytes) {
    out.push_back(rgba[2]); // TGA stores blue, green, red(, alpha)
    out.push_back(rgba[1]);
    out.push_back(rgba[0]);
    if (bytes == 4) {
        out.push_back(rgba[3]);
    }
}

bool samePixel(const uint8_t* a, const uint8_t* b, int bytes) {
    return std::memcmp(a, b, size_t(bytes)) == 0;
}

// One row into RLE packets; packets never cross rows, as the format recommends.
void encodeRow(std::vector<uint8_t>& out, const Image& image, int y, int bytes) {
    int x = 0;
    while (x < image.width) {
        int run = 1;
        while (x + run < image.width && run < 128 &&
               samePixel(image.at(x, y), image.at(x + run, y), bytes)) {
            ++run;
        }
        if (run > 1) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            appendPixel(out, image.at(x, y), bytes);
            x += run;
            continue;
        }
        int raw = 1;
        while (x + raw < image.width && raw < 128 &&
               !(x + raw + 1 < image.width &&
                 samePixel(image.at(x + raw, y), image.at(x + raw + 1, y), bytes))) {
            ++raw;
        }
        out.push_back(uint8_t(raw - 1));
        for (int i = 0; i < raw; ++i) {
            appendPixel(out, image.at(x + i, y), bytes);
        }
        x += raw;
    }
}

} // namespace

bool writeTga(const std::string& path, const Image& image, bool withAlpha) {
    int bytes = withAlpha ? 4 : 3;
    std::vector<uint8_t> out = {
        0,
        0,
        10,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        uint8_t(image.width & 0xFF),
        uint8_t(image.width >> 8),
        uint8_t(image.height & 0xFF),
        uint8_t(image.height >> 8),
        uint8_t(bytes * 8),
        uint8_t(withAlpha ? 8 : 0), // descriptor: alpha bits, origin lower left
    };
    for (int y = 0; y < image.height; ++y) {
        encodeRow(out, image, y, bytes);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}
