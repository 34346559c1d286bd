#include "support/Fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvex-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
    }
}

TempDir::~TempDir() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    const std::string full = file(name);
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return full;
}

std::string tgaBytes(int width, int height, const std::vector<unsigned char>& rgbaTopFirst) {
    std::string bytes(18, '\0');
    bytes[2] = 2; // uncompressed true colour
    bytes[12] = static_cast<char>(width & 0xff);
    bytes[13] = static_cast<char>((width >> 8) & 0xff);
    bytes[14] = static_cast<char>(height & 0xff);
    bytes[15] = static_cast<char>((height >> 8) & 0xff);
    bytes[16] = 32;
    bytes[17] = 0x28; // 8 alpha bits, rows stored top first
    for (size_t i = 0; i + 3 < rgbaTopFirst.size(); i += 4) {
        // TGA stores blue, green, red, alpha.
        bytes += static_cast<char>(rgbaTopFirst[i + 2]);
        bytes += static_cast<char>(rgbaTopFirst[i + 1]);
        bytes += static_cast<char>(rgbaTopFirst[i + 0]);
        bytes += static_cast<char>(rgbaTopFirst[i + 3]);
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
