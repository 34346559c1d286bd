#include "render/MeshBuffers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <glm/gtc/type_ptr.hpp>
#include <map>

#include "decode/MeshData.h"
#include "render/GlCurrent.h"

namespace {

// The mesh with every repeated vertex kept once, and the index of each listed vertex.
struct SharedVertices {
    std::array<std::vector<float>, 4> attributes; // as MeshData's four arrays
    std::vector<std::uint32_t> indices;
};

SharedVertices shareEqualVertices(const MeshData& data) {
    const std::vector<float>* sources[4] = {&data.positions, &data.colours, &data.normals,
                                            &data.texCoords};
    SharedVertices mesh;
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

// Buffers have no type of their own: indices go up through the array target too, and become
// elements where a vertex array binds them so.
template <typename T> void upload(GLuint buffer, const std::vector<T>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(T)),
                 data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
}

} // namespace

MeshBuffers::MeshBuffers(const MeshData& data, MeshLayout layout, const std::string& problem)
    : layout_(layout), ball_(boundingBall(data.positions)) {
    if (!problem.empty()) {
        state_.fail(problem);
    }
    glGenBuffers(layout == MeshLayout::Flat ? 4 : 5, buffers_);
    if (layout == MeshLayout::Flat) {
        const std::vector<float>* arrays[4] = {&data.positions, &data.colours, &data.normals,
                                               &data.texCoords};
        for (int a = 0; a < 4; ++a) {
            upload(buffers_[a], *arrays[a]);
        }
        count_ = data.vertexCount;
    } else {
        const SharedVertices shared = shareEqualVertices(data);
        for (int a = 0; a < 4; ++a) {
            upload(buffers_[a], shared.attributes[static_cast<size_t>(a)]);
        }
        upload(buffers_[4], shared.indices);
        count_ = static_cast<GLsizei>(shared.indices.size());
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

MeshBuffers::~MeshBuffers() {
    if (glDeleteIsSafe()) {
        glDeleteBuffers(5, buffers_);
    }
}

std::vector<VertexInput> MeshBuffers::inputs() const {
    return {{"in_position", buffers_[0]},
            {"in_color", buffers_[1]},
            {"in_normal", buffers_[2]},
            {"in_texture_coords", buffers_[3]}};
}
