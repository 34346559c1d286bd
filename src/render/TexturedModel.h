#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <string>

#include "io/Report.h"
#include "render/VertexArray.h"

class MeshBuffers;
class RenderStore;
class ShaderProgram;
class Texture;

// The one way every textured, lit and shadowed body (planet, enemies, player, fists) is built
// and drawn: the "shaders/planet_shader" program, the mesh's buffers and the colour texture,
// all shared through the store, and two vertex arrays of its own: the colour pass's, and the
// depth pass's over the same buffers as the shadow program reads them.
class TexturedModel {
  public:
    TexturedModel(RenderStore& store, const std::string& meshPath, const std::string& texturePath,
                  const ShaderProgram& shadowProgram);
    TexturedModel(const TexturedModel&) = delete;
    TexturedModel& operator=(const TexturedModel&) = delete;

    // Colour pass: camera matrices, the model matrix, output alpha and the shadow map's
    // depth texture. Leaves no program, vertex array, array buffer or 2D texture bound.
    void draw(const glm::mat4& view, const glm::mat4& projection, const glm::mat4& model,
              float transparency, GLuint shadowTexture) const;
    // Depth pass with the shadow program and the light's matrix.
    void drawDepth(const glm::mat4& model) const;

    // Loaded, or fell back for the first fault of its program, mesh or texture.
    const LoadState& state() const { return state_; }

  private:
    const ShaderProgram& program_;
    const ShaderProgram& shadowProgram_;
    const MeshBuffers& mesh_;
    const Texture& texture_;
    VertexArray vao_;
    VertexArray depthVao_;
    LoadState state_;
    // Looked up once after the final link; they do not change afterwards.
    GLint mvpLocation_ = -1;
    GLint modelLocation_ = -1;
    GLint viewLocation_ = -1;
    GLint texMatLocation_ = -1;
    GLint transparencyLocation_ = -1;
    GLint colorTextureLocation_ = -1;
    GLint shadowTextureLocation_ = -1;
    GLint depthMvpLocation_ = -1;
};
