#include "support/Fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvex-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    const std::string full = file(name);
    std::ofstream(full, std::ios::binary | std::ios::trunc) << content;
    return full;
}

std::string tgaBytes(int width, int height, const std::vector<unsigned char>& rgbaTopFirst) {
    std::string bytes(18, '\0');
    bytes[2] = 2;  // uncompressed true colour
    bytes[12] = char(width & 0xff), bytes[13] = char(width >> 8);
    bytes[14] = char(height & 0xff), bytes[15] = char(height >> 8);
    bytes[16] = 32, bytes[17] = 0x28;  // 32 bits, 8 of them alpha, rows stored top first
    for (size_t i = 0; i + 3 < rgbaTopFirst.size(); i += 4) {
        for (int channel : {2, 1, 0, 3}) bytes += char(rgbaTopFirst[i + channel]);  // b, g, r, a
    }
    return bytes;
}

std::string sourcePath(const std::string& relative) {
    return std::string(QUORVEX_SOURCE_DIR) + "/" + relative;
}

void enterSourceDir() {
    std::error_code ignored;
    std::filesystem::current_path(QUORVEX_SOURCE_DIR, ignored);
}
