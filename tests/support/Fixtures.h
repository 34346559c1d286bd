#pragma once

#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes `content` to path()/name (binary, exact bytes) and returns the full path.
    std::string write(const std::string& name, const std::string& content) const;
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// An uncompressed 32-bit TGA, rows given top first, as 4 bytes (r, g, b, a) per pixel.
std::string tgaBytes(int width, int height, const std::vector<unsigned char>& rgbaTopFirst);

// A path under the source tree, for the shaders the game ships.
std::string sourcePath(const std::string& relative);
// Makes the source tree the working directory, as the game's "shaders/..." paths expect.
void enterSourceDir();
