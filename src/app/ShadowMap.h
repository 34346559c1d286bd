#pragma once

#include <GL/glew.h>

// The depth-only render target of the shadow passes: one framebuffer with a 2048 x 2048
// 16-bit depth texture, created once and never resized. Owns both names.
class ShadowMap {
  public:
    static constexpr int kSize = 2048;

    ShadowMap();
    ~ShadowMap();
    ShadowMap(const ShadowMap&) = delete;
    ShadowMap& operator=(const ShadowMap&) = delete;

    // False when the framebuffer was not complete; the game cannot draw shadows then.
    bool complete() const { return complete_; }
    GLuint framebuffer() const { return framebuffer_; }
    GLuint depthTexture() const { return depthTexture_; }

  private:
    GLuint framebuffer_ = 0;
    GLuint depthTexture_ = 0;
    bool complete_ = false;
};
