#pragma once

#include <GL/glew.h>
#include <string>
#include <vector>

// A decoded image, rows bottom-up (the first row is the image's bottom edge), 4 channels.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

// Decodes a TGA from memory; false with a reason on failure (other formats are refused).
bool decodeImage(const void* bytes, size_t size, Image& out, std::string* problem);

// Loads `path` into level 0 of the bound GL_TEXTURE_2D, its lower-left corner at (0, 0).
// Reports a failure once on standard error, naming the path, and leaves the texture empty.
bool loadTexture2D(const std::string& path);

// One GL texture name, owned. Built as every model texture and the font atlas are:
// repeat wrap, linear magnification, mipmapped minification.
class Texture {
public:
    explicit Texture(const std::string& path);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint name() const { return name_; }

private:
    GLuint name_ = 0;
};
