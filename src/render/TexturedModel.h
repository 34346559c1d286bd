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
    GLuint programName() const { return program_ ? program_->program : 0; }

private:
    // (the render implementation's own members)
};
