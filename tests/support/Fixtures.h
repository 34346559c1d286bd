#pragma once

#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes the exact bytes of `content` to file(name) and returns that path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

// An uncompressed 32-bit TGA, rows given top first, as 4 bytes (r, g, b, a) per pixel.
std::string tgaBytes(int width, int height, const std::vector<unsigned char>& rgbaTopFirst);

// A path under the source tree; enterSourceDir makes that tree the working directory, as the
// game's "shaders/..." paths expect.
std::string sourcePath(const std::string& relative);
void enterSourceDir();
