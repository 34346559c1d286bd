#pragma once

#include <GL/glew.h>
#include <array>

// An off-screen RGBA8 colour + 24-bit depth target, bound with its viewport while it lives;
// the hidden window's own framebuffer is not guaranteed to hold pixels.
class Framebuffer {
public:
    Framebuffer(int width, int height);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    bool complete() const { return complete_; }
    // (r, g, b, a) of the pixel at column x, row y counted from the bottom.
    std::array<int, 4> pixel(int x, int y) const;

private:
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
    bool complete_ = false;
};
