#pragma once

#include <GL/glew.h>
#include <string>

#include "io/Report.h"

// Loads `path` into level 0 of the bound GL_TEXTURE_2D, its lower-left corner at (0, 0).
// Reports a failure once on standard error, naming the path, gives its reason in `reason`
// ("" when none) and leaves a 1 x 1 magenta image in its place.
bool loadTexture2D(const std::string& path, std::string* reason = nullptr);

// Each sampler has a fixed unit of its own: a model's colour texture (and the font atlas) on
// one, the shadow map on another. A unit numbered like the texture's name would run out once
// names pass the number of units, as they do when GL objects are made anew.
constexpr GLuint kColourUnit = 0;
constexpr GLuint kShadowUnit = 1;

// Binds `texture` on `unit` and points the sampler uniform `sampler` at that unit.
void bindOnUnit(GLuint texture, GLuint unit, GLint sampler);

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
