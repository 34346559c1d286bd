#pragma once

#include <GL/glew.h>
#include <string>

#include "io/Report.h"

// Loads `path` into level 0 of the bound GL_TEXTURE_2D, its lower-left corner at (0, 0).
// Reports a failure once on standard error, naming the path, gives its reason in `reason`
// ("" when none) and leaves a 1 x 1 magenta image in its place.
bool loadTexture2D(const std::string& path, std::string* reason = nullptr);

// Binds `texture` on the unit numbered like its own name, so that textures never share a
// unit, and points the sampler uniform `sampler` at that unit.
void bindOnOwnUnit(GLuint texture, GLint sampler);

// One GL texture name, owned. Built as every model texture and the font atlas are:
// repeat wrap, linear magnification, mipmapped minification.
class Texture {
  public:
    explicit Texture(const std::string& path);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint name() const { return name_; }
    // Loaded, or magenta for the reason given ("cannot be opened", "file too large", ...).
    const LoadState& state() const { return state_; }

  private:
    GLuint name_ = 0;
    LoadState state_;
};
