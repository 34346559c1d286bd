#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <memory>
#include <string>

#include "render/ShaderProgram.h"

// A body drawn in its material colours with only "MVP" set and no shadow: the sun.
// Loads positions and colours only. Owns its program, buffers and vertex array.
class FlatModel {
  public:
    FlatModel(const std::string& shaderBase, const std::string& meshPath);
    ~FlatModel();
    FlatModel(const FlatModel&) = delete;
    FlatModel& operator=(const FlatModel&) = delete;

    // `mode` is the primitive the vertex list is drawn as (the sun is one GL_TRIANGLE_FAN).
    void draw(const glm::mat4& mvp, GLenum mode) const;
    int vertexCount() const { return vertexCount_; }
    // Loaded, or fell back for the first fault of its program or mesh.
    const LoadState& state() const { return state_; }

  private:
    std::unique_ptr<ShaderProgram> program_;
    int vertexCount_ = 0;
    GLuint buffers_[4] = {0, 0, 0, 0};
    GLuint vao_ = 0;
    GLint mvpLocation_ = -1;
    LoadState state_;
};
