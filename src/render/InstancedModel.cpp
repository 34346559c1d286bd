#include "render/InstancedModel.h"

#include <glm/gtc/type_ptr.hpp>
#include <iterator>

#include "render/GlCurrent.h"
#include "render/LightMatrices.h"
#include "render/RenderStore.h"

namespace {

constexpr int kColourFloats = 16 + 16 + 12 + 1; // MVP, shadow matrix, model rows, transparency
constexpr int kDepthFloats = 16;                // the light's MVP

GLuint newBuffer() {
    GLuint name = 0;
    glGenBuffers(1, &name);
    return name;
}

void appendMatrix(std::vector<float>& out, const glm::mat4& m) {
    const float* f = glm::value_ptr(m);
    out.insert(out.end(), f, f + 16);
}

} // namespace

InstancedModel::InstancedModel(RenderStore& store, const std::string& meshPath,
                               const std::string& texturePath)
    : program_(
          store.program("shaders/crowd_shader.vert", "shaders/planet_shader.frag", "out_color")),
      depthProgram_(store.program("shaders/crowd_shadow.vert", "shaders/shadow_shader.frag",
                                  "fragmentdepth")),
      mesh_(store.mesh(meshPath, true, true, MeshLayout::Indexed)),
      texture_(store.texture(texturePath)), instanceBuffer_(newBuffer()),
      vao_(program_.program, inputs(kColourFloats), mesh_.elementBuffer()),
      depthVao_(depthProgram_.program, inputs(kDepthFloats), mesh_.elementBuffer()) {
    // In the order the faults were reported.
    for (const LoadState* part :
         {&program_.state(), &depthProgram_.state(), &mesh_.state(), &texture_.state()}) {
        if (!part->loaded) {
            state_.fail(part->problem);
        }
    }
    if (program_.program != 0) {
        viewLocation_ = glGetUniformLocation(program_.program, "V");
        colorTextureLocation_ = glGetUniformLocation(program_.program, "color_texture");
        shadowTextureLocation_ = glGetUniformLocation(program_.program, "sm_texture");
    }
}

InstancedModel::~InstancedModel() {
    if (glDeleteIsSafe()) {
        glDeleteBuffers(1, &instanceBuffer_);
    }
}

std::vector<VertexInput> InstancedModel::inputs(int stride) const {
    std::vector<VertexInput> all = mesh_.inputs();
    const VertexInput perInstance[] = {
        {"instance_mvp", instanceBuffer_, 4, stride, 0, 4, true},
        {"instance_tex_mat", instanceBuffer_, 4, stride, 16, 4, true},
        {"instance_model_x", instanceBuffer_, 4, stride, 32, 1, true},
        {"instance_model_y", instanceBuffer_, 4, stride, 36, 1, true},
        {"instance_model_z", instanceBuffer_, 4, stride, 40, 1, true},
        {"instance_transparency", instanceBuffer_, 1, stride, 44, 1, true}};
    all.insert(all.end(), std::begin(perInstance), std::end(perInstance));
    return all;
}

void InstancedModel::uploadInstances(const std::vector<float>& floats) const {
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats.size() * sizeof(float)),
                 floats.data(), GL_STREAM_DRAW);
}

void InstancedModel::draw(const glm::mat4& view, const glm::mat4& projection,
                          const std::vector<glm::mat4>& models,
                          const std::vector<float>& transparencies, GLuint shadowTexture) const {
    const GLuint program = program_.program;
    if (program == 0 || models.empty()) {
        return;
    }
    // The same products, in the same order, as TexturedModel::draw: the same pixels.
    const glm::mat4 viewProjection = projection * view;
    const glm::mat4 toShadowMap = shadowBias() * shadowLightMatrix();
    scratch_.clear();
    for (size_t i = 0; i < models.size(); ++i) {
        const glm::mat4& m = models[i];
        appendMatrix(scratch_, viewProjection * m);
        appendMatrix(scratch_, toShadowMap * m);
        for (int row = 0; row < 3; ++row) {
            scratch_.insert(scratch_.end(), {m[0][row], m[1][row], m[2][row], m[3][row]});
        }
        scratch_.push_back(transparencies[i]);
    }
    glUseProgram(program);
    glBindVertexArray(vao_.name());
    uploadInstances(scratch_);
    glUniformMatrix4fv(viewLocation_, 1, GL_FALSE, glm::value_ptr(view));
    bindOnUnit(texture_.name(), kColourUnit, colorTextureLocation_);
    bindOnUnit(shadowTexture, kShadowUnit, shadowTextureLocation_);
    glDrawElementsInstanced(GL_TRIANGLES, mesh_.count(), GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(models.size()));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

void InstancedModel::drawDepth(const std::vector<glm::mat4>& models) const {
    const GLuint program = depthProgram_.program;
    if (program == 0 || models.empty()) {
        return;
    }
    const glm::mat4 light = shadowLightMatrix();
    scratch_.clear();
    for (const glm::mat4& m : models) {
        appendMatrix(scratch_, light * m);
    }
    glUseProgram(program);
    glBindVertexArray(depthVao_.name());
    uploadInstances(scratch_);
    glDrawElementsInstanced(GL_TRIANGLES, mesh_.count(), GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(models.size()));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}
