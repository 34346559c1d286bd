#include "PngWriter.h"

#include <array>
#include <cstdio>
#include <vector>

namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

void appendBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(uint8_t(v >> shift));
    }
}

void appendChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data) {
    appendBig32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendBig32(out, crc32(&out[start], out.size() - start));
}

std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t len = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + len == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(uint8_t(len & 0xFF));
        out.push_back(uint8_t(len >> 8));
        out.push_back(uint8_t(~len & 0xFF));
        out.push_back(uint8_t((~len >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + long(pos), raw.begin() + long(pos + len));
        pos += len;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    appendBig32(out, (b << 16) | a);
    return out;
}

} // namespace

bool writePng(const std::string& path, const Image& image) {
    std::vector<uint8_t> raw;
    raw.reserve(size_t(image.height) * (size_t(image.width) * 4 + 1));
    for (int y = image.height - 1; y >= 0; --y) { // PNG rows run top-down
        raw.push_back(0);                         // filter: none
        const uint8_t* row = image.at(0, y);
        raw.insert(raw.end(), row, row + size_t(image.width) * 4);
    }
    std::vector<uint8_t> header;
    appendBig32(header, uint32_t(image.width));
    appendBig32(header, uint32_t(image.height));
    header.insert(header.end(),
                  {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter set, no interlace

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", storedZlib(raw));
    appendChunk(out, "IEND", {});
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}
