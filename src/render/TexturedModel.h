#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <memory>
#include <string>

#include "render/ShaderProgram.h"
#include "render/Texture.h"

// The one way every textured, lit and shadowed body (planet, enemies, player, fists) is built
// and drawn: its own "shaders/planet_shader" program, the mesh's four buffers and colour-pass
// vertex array, a depth-pass vertex array over the positions for the shadow program, and a
// colour texture. Owns all of them.
class TexturedModel {
  public:
    TexturedModel(const std::string& meshPath, const std::string& texturePath,
                  const ShaderProgram& shadowProgram);
    ~TexturedModel();
    TexturedModel(const TexturedModel&) = delete;
    TexturedModel& operator=(const TexturedModel&) = delete;

    // Colour pass: camera matrices, the model matrix, output alpha and the shadow map's
    // depth texture. Leaves no program, vertex array, array buffer or 2D texture bound.
    void draw(const glm::mat4& view, const glm::mat4& projection, const glm::mat4& model,
              float transparency, GLuint shadowTexture) const;
    // Depth pass with the shadow program and the light's matrix.
    void drawDepth(const glm::mat4& model, const ShaderProgram& shadowProgram) const;

    int vertexCount() const { return vertexCount_; }
    // Loaded, or fell back for the first fault of its program, mesh or texture.
    const LoadState& state() const { return state_; }
    GLuint programName() const { return program_ ? program_->program : 0; }
    GLuint textureName() const { return texture_ ? texture_->name() : 0; }

  private:
    std::unique_ptr<ShaderProgram> program_;
    int vertexCount_ = 0;
    GLuint buffers_[4] = {0, 0, 0, 0};
    GLuint vao_ = 0;
    GLuint depthVao_ = 0;
    std::unique_ptr<Texture> texture_;
    LoadState state_;
    // Looked up once after the final link; they do not change afterwards.
    GLint mvpLocation_ = -1;
    GLint modelLocation_ = -1;
    GLint viewLocation_ = -1;
    GLint texMatLocation_ = -1;
    GLint transparencyLocation_ = -1;
    GLint colorTextureLocation_ = -1;
    GLint shadowTextureLocation_ = -1;
    // The shadow program's "MVP", looked up at the first depth draw with that program rather
    // than at every one (enemies share one model and draw a thousand times a frame).
    mutable GLuint depthProgram_ = 0;
    mutable GLint depthMvpLocation_ = -1;
};
