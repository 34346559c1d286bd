#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <vector>

#include "render/ShaderProgram.h"

// A TexturedModel for crowds: one mesh and texture drawn at many model matrices in one
// instanced draw per pass, shaded exactly as TexturedModel shades each one. Instances are drawn
// in the order given, so that translucent ones blend as separate draws would. The mesh's equal
// vertices are shared through an index buffer, which spares the vertex stage two thirds of its
// work on flat-shaded meshes. Owns its programs, buffers and vertex arrays.
class InstancedModel {
  public:
    // `texture` is the colour texture of the one-at-a-time model of the same body, which owns it
    // and outlives this crowd: the image is not loaded or kept twice.
    InstancedModel(const std::string& meshPath, GLuint texture);
    ~InstancedModel();
    InstancedModel(const InstancedModel&) = delete;
    InstancedModel& operator=(const InstancedModel&) = delete;

    // Colour pass, as TexturedModel::draw for each (model, transparency) pair in turn.
    void draw(const glm::mat4& view, const glm::mat4& projection,
              const std::vector<glm::mat4>& models, const std::vector<float>& transparencies,
              GLuint shadowTexture) const;
    // Depth pass with the light's matrix, as TexturedModel::drawDepth for each model.
    void drawDepth(const std::vector<glm::mat4>& models) const;

    // The mesh's bounding ball in its own coordinates.
    glm::vec3 boundsCentre() const { return boundsCentre_; }
    float boundsRadius() const { return boundsRadius_; }
    const LoadState& state() const { return state_; }

  private:
    // Uploads `floats` to the instance buffer as it is bound in both vertex arrays.
    void uploadInstances(const std::vector<float>& floats) const;

    std::unique_ptr<ShaderProgram> program_;
    std::unique_ptr<ShaderProgram> depthProgram_;
    GLuint texture_;
    // Positions, colours, normals, texture coordinates, indices, per-instance data.
    GLuint buffers_[6] = {0, 0, 0, 0, 0, 0};
    GLuint vao_ = 0;
    GLuint depthVao_ = 0;
    GLsizei indexCount_ = 0;
    glm::vec3 boundsCentre_{0.0f};
    float boundsRadius_ = 0.0f;
    LoadState state_;
    GLint viewLocation_ = -1;
    GLint colorTextureLocation_ = -1;
    GLint shadowTextureLocation_ = -1;
    mutable std::vector<float> scratch_; // one pass's instance data, kept to reuse its memory
};
