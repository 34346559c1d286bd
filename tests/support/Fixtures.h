#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The seed every end-to-end run of the game gets unless a test chose its own: the five enemies of
// the start and the first sixteen of the cadence (12 s) land more than 100 degrees from the
// character's start place, so none comes within 6 degrees of it before 5.6 s of play, nor into
// the picture before 3 s. The shell's tests check it.
constexpr const char* kEndToEndSeed = "35383519";

// The whole file's bytes; empty if it cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
  public:
    TempDir() : path_((std::filesystem::temp_directory_path() / "quorvex-XXXXXX").string()) {
        if (!mkdtemp(path_.data()))
            path_.clear();
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes exactly `content` to file(name) and returns that path.
    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary | std::ios::trunc) << content;
        return file(name);
    }

  private:
    std::string path_;
};

// An uncompressed 32-bit TGA, rows given top first, 4 bytes (r, g, b, a) per pixel.
inline std::string tgaBytes(int width, int height, const std::vector<unsigned char>& rgba) {
    std::string bytes(18, '\0');
    bytes[2] = 2, bytes[12] = char(width & 0xff), bytes[13] = char(width >> 8);
    bytes[14] = char(height & 0xff), bytes[15] = char(height >> 8);
    bytes[16] = 32, bytes[17] = 0x28; // 8 alpha bits, rows stored top first
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        bytes += {char(rgba[i + 2]), char(rgba[i + 1]), char(rgba[i]), char(rgba[i + 3])};
    return bytes;
}

// A path under the source tree; enterSourceDir makes that tree the working directory, as the
// game's "shaders/..." paths expect.
inline std::string sourcePath(const std::string& relative) {
    return std::string(QUORVEX_SOURCE_DIR) + "/" + relative;
}
inline void enterSourceDir() {
    std::filesystem::current_path(QUORVEX_SOURCE_DIR);
}
