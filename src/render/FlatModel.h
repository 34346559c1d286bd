#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <string>

#include "io/Report.h"
#include "render/VertexArray.h"

class MeshBuffers;
class RenderStore;
class ShaderProgram;

// A body drawn in its material colours with only "MVP" set and no shadow: the sun. Its
// program and its mesh's positions and colours come from the store; the vertex array is its
// own.
class FlatModel {
  public:
    FlatModel(RenderStore& store, const std::string& shaderBase, const std::string& meshPath);
    FlatModel(const FlatModel&) = delete;
    FlatModel& operator=(const FlatModel&) = delete;

    // `mode` is the primitive the vertex list is drawn as (the sun is one GL_TRIANGLE_FAN).
    void draw(const glm::mat4& mvp, GLenum mode) const;
    // Loaded, or fell back for the first fault of its program or mesh.
    const LoadState& state() const { return state_; }

  private:
    const ShaderProgram& program_;
    const MeshBuffers& mesh_;
    VertexArray vao_;
    GLint mvpLocation_ = -1;
    LoadState state_;
};
