#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "io/Report.h"
#include "render/MeshBuffers.h"
#include "render/VertexArray.h"

class RenderStore;
class ShaderProgram;
class Texture;

// A TexturedModel for crowds: one mesh and texture drawn at many model matrices in one
// instanced draw per pass, shaded exactly as TexturedModel shades each one. Instances are drawn
// in the order given, so that translucent ones blend as separate draws would. The mesh is the
// store's indexed layout of the same decoded file; the programs, the mesh and the texture are
// the store's, the vertex arrays and the per-instance buffer its own.
class InstancedModel {
  public:
    InstancedModel(RenderStore& store, const std::string& meshPath, const std::string& texturePath);
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
    glm::vec3 boundsCentre() const { return glm::vec3(mesh_.ball()); }
    float boundsRadius() const { return mesh_.ball().w; }
    const LoadState& state() const { return state_; }

  private:
    // Uploads `floats` to the instance buffer as it is bound in both vertex arrays.
    void uploadInstances(const std::vector<float>& floats) const;
    // The mesh's inputs and the per-instance ones, `stride` floats an instance.
    std::vector<VertexInput> inputs(int stride) const;

    const ShaderProgram& program_;
    const ShaderProgram& depthProgram_;
    const MeshBuffers& mesh_;
    const Texture& texture_;
    GLuint instanceBuffer_ = 0; // before the vertex arrays that read it
    VertexArray vao_;
    VertexArray depthVao_;
    LoadState state_;
    GLint viewLocation_ = -1;
    GLint colorTextureLocation_ = -1;
    GLint shadowTextureLocation_ = -1;
    mutable std::vector<float> scratch_; // one pass's instance data, kept to reuse its memory
};
