#include "render/InstancedModel.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <glm/gtc/type_ptr.hpp>
#include <map>

#include "decode/MeshData.h"
#include "io/Report.h"
#include "render/GlCurrent.h"
#include "render/LightMatrices.h"
#include "render/Texture.h"

namespace {

constexpr int kColourFloats = 16 + 16 + 12 + 1; // MVP, shadow matrix, model rows, transparency
constexpr int kDepthFloats = 16;                // the light's MVP

// The mesh with every repeated vertex (all four attributes equal, bit for bit) kept once.
struct IndexedMesh {
    std::array<std::vector<float>, 4> attributes; // as MeshData's four arrays
    std::vector<std::uint32_t> indices;
};

IndexedMesh shareEqualVertices(const MeshData& data) {
    const std::vector<float>* sources[4] = {&data.positions, &data.colours, &data.normals,
                                            &data.texCoords};
    IndexedMesh mesh;
    std::map<std::array<std::uint32_t, 16>, std::uint32_t> seen;
    for (int v = 0; v < data.vertexCount; ++v) {
        std::array<std::uint32_t, 16> key{};
        for (int a = 0; a < 4; ++a) {
            std::memcpy(&key[static_cast<size_t>(a) * 4], sources[a]->data() + v * 4,
                        4 * sizeof(float));
        }
        const auto [it, fresh] = seen.emplace(key, static_cast<std::uint32_t>(seen.size()));
        if (fresh) {
            for (int a = 0; a < 4; ++a) {
                const float* first = sources[a]->data() + v * 4;
                mesh.attributes[static_cast<size_t>(a)].insert(
                    mesh.attributes[static_cast<size_t>(a)].end(), first, first + 4);
            }
        }
        mesh.indices.push_back(it->second);
    }
    return mesh;
}

// Points attribute `name` of `program` (`columns` columns of `size` floats) into the bound
// array buffer; a name the program lacks is skipped, as the linker may drop unused inputs.
void instanceAttribute(GLuint program, const char* name, int columns, int size, int stride,
                       int offset) {
    const GLint location = glGetAttribLocation(program, name);
    if (location < 0) {
        return;
    }
    for (int c = 0; c < columns; ++c) {
        const auto index = static_cast<GLuint>(location + c);
        glEnableVertexAttribArray(index);
        glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE,
                              stride * static_cast<GLsizei>(sizeof(float)),
                              reinterpret_cast<const void*>(
                                  static_cast<std::uintptr_t>(offset + c * 4) * sizeof(float)));
        glVertexAttribDivisor(index, 1);
    }
}

// The centre of the positions' bounding box and the distance to the farthest from it.
glm::vec4 boundingBall(const std::vector<float>& positions) {
    glm::vec3 low(0.0f), high(0.0f);
    for (size_t i = 0; i < positions.size(); i += 4) {
        const glm::vec3 p = glm::make_vec3(positions.data() + i);
        low = i == 0 ? p : glm::min(low, p);
        high = i == 0 ? p : glm::max(high, p);
    }
    const glm::vec3 centre = 0.5f * (low + high);
    float radius = 0.0f;
    for (size_t i = 0; i < positions.size(); i += 4) {
        radius = std::max(radius, glm::length(glm::make_vec3(positions.data() + i) - centre));
    }
    return glm::vec4(centre, radius);
}

// Points `vao` at the four vertex buffers, the index buffer (buffers[4]) and the instance
// buffer (buffers[5], `stride` floats an instance) as `program` reads them; none for a program
// that failed.
void describeVertexArray(GLuint vao, GLuint program, const GLuint* buffers, int stride) {
    glBindVertexArray(vao);
    const char* names[4] = {"in_position", "in_color", "in_normal", "in_texture_coords"};
    for (size_t a = 0; a < 4 && program != 0; ++a) {
        const GLint location = glGetAttribLocation(program, names[a]);
        if (location >= 0) {
            glBindBuffer(GL_ARRAY_BUFFER, buffers[a]);
            glEnableVertexAttribArray(static_cast<GLuint>(location));
            glVertexAttribPointer(static_cast<GLuint>(location), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
        }
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[4]);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[5]);
    if (program != 0) {
        instanceAttribute(program, "instance_mvp", 4, 4, stride, 0);
        instanceAttribute(program, "instance_tex_mat", 4, 4, stride, 16);
        instanceAttribute(program, "instance_model_x", 1, 4, stride, 32);
        instanceAttribute(program, "instance_model_y", 1, 4, stride, 36);
        instanceAttribute(program, "instance_model_z", 1, 4, stride, 40);
        instanceAttribute(program, "instance_transparency", 1, 1, stride, 44);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void appendMatrix(std::vector<float>& out, const glm::mat4& m) {
    const float* f = glm::value_ptr(m);
    out.insert(out.end(), f, f + 16);
}

} // namespace

InstancedModel::InstancedModel(const std::string& meshPath, GLuint texture) : texture_(texture) {
    program_ =
        std::make_unique<ShaderProgram>("shaders/crowd_shader.vert", "shaders/planet_shader.frag");
    program_->bindOutputAndRelink("out_color");
    depthProgram_ =
        std::make_unique<ShaderProgram>("shaders/crowd_shadow.vert", "shaders/shadow_shader.frag");
    std::string meshProblem;
    const MeshData data = readMeshFile(meshPath, true, true, &meshProblem);
    if (!meshProblem.empty()) {
        reportOnce(meshPath, ReportStream::Err, meshProblem);
    }
    const IndexedMesh mesh = shareEqualVertices(data);
    indexCount_ = static_cast<GLsizei>(mesh.indices.size());

    const glm::vec4 ball = boundingBall(mesh.attributes[0]);
    boundsCentre_ = glm::vec3(ball);
    boundsRadius_ = ball.w;

    glGenBuffers(6, buffers_);
    for (size_t a = 0; a < 4; ++a) {
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[a]);
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(mesh.attributes[a].size() * sizeof(float)),
                     mesh.attributes[a].data(), GL_STATIC_DRAW);
    }
    glGenVertexArrays(1, &vao_);
    glGenVertexArrays(1, &depthVao_);
    // Filled while a vertex array holds it: the element binding belongs to the vertex array.
    glBindVertexArray(vao_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[4]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(std::uint32_t)),
                 mesh.indices.data(), GL_STATIC_DRAW);
    describeVertexArray(vao_, program_->program, buffers_, kColourFloats);
    describeVertexArray(depthVao_, depthProgram_->program, buffers_, kDepthFloats);

    // In the order the faults were reported.
    for (const LoadState* part : {&program_->state(), &depthProgram_->state()}) {
        if (!part->loaded) {
            state_.fail(part->problem);
        }
    }
    if (!meshProblem.empty()) {
        state_.fail(meshProblem);
    }
    if (program_->program != 0) {
        viewLocation_ = glGetUniformLocation(program_->program, "V");
        colorTextureLocation_ = glGetUniformLocation(program_->program, "color_texture");
        shadowTextureLocation_ = glGetUniformLocation(program_->program, "sm_texture");
    }
}

InstancedModel::~InstancedModel() {
    const GLuint vaos[] = {depthVao_, vao_};
    deleteVertexArraysAndBuffers(2, vaos, 6, buffers_);
}

void InstancedModel::uploadInstances(const std::vector<float>& floats) const {
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[5]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats.size() * sizeof(float)),
                 floats.data(), GL_STREAM_DRAW);
}

void InstancedModel::draw(const glm::mat4& view, const glm::mat4& projection,
                          const std::vector<glm::mat4>& models,
                          const std::vector<float>& transparencies, GLuint shadowTexture) const {
    const GLuint program = program_->program;
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
    glBindVertexArray(vao_);
    uploadInstances(scratch_);
    glUniformMatrix4fv(viewLocation_, 1, GL_FALSE, glm::value_ptr(view));
    bindOnOwnUnit(texture_, colorTextureLocation_);
    bindOnOwnUnit(shadowTexture, shadowTextureLocation_);
    glDrawElementsInstanced(GL_TRIANGLES, indexCount_, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(models.size()));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

void InstancedModel::drawDepth(const std::vector<glm::mat4>& models) const {
    const GLuint program = depthProgram_->program;
    if (program == 0 || models.empty()) {
        return;
    }
    const glm::mat4 light = shadowLightMatrix();
    scratch_.clear();
    for (const glm::mat4& m : models) {
        appendMatrix(scratch_, light * m);
    }
    glUseProgram(program);
    glBindVertexArray(depthVao_);
    uploadInstances(scratch_);
    glDrawElementsInstanced(GL_TRIANGLES, indexCount_, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(models.size()));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}
