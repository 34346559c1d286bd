#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <vector>

#include "io/Report.h"
#include "render/VertexArray.h"

struct MeshData;

// How a mesh's vertices reach GL: every vertex as the file lists it, drawn with glDrawArrays;
// or each repeated vertex (all four attributes equal, bit for bit) kept once behind an index
// buffer, drawn with glDrawElements, which spares the vertex stage two thirds of its work on
// flat-shaded meshes.
enum class MeshLayout { Flat, Indexed };

// A decoded mesh in GPU buffers, owned: the four attribute arrays (4 floats a vertex) read as
// "in_position", "in_color", "in_normal" and "in_texture_coords", and in the indexed layout
// the element indices.
class MeshBuffers {
  public:
    // `problem` is what decoding the file reported ("" when none).
    MeshBuffers(const MeshData& data, MeshLayout layout, const std::string& problem);
    ~MeshBuffers();
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;

    // The four attributes, for a VertexArray with any program.
    std::vector<VertexInput> inputs() const;
    GLuint elementBuffer() const { return layout_ == MeshLayout::Indexed ? buffers_[4] : 0; }
    // Vertices (flat) or indices (indexed) to draw.
    GLsizei count() const { return count_; }
    // The bounding ball in mesh coordinates: centre in xyz, radius in w.
    glm::vec4 ball() const { return ball_; }
    // Loaded, or empty or zero-filled for the reason its file gave.
    const LoadState& state() const { return state_; }

  private:
    MeshLayout layout_;
    // Positions, colours, normals, texture coordinates; indices in the indexed layout.
    GLuint buffers_[5] = {0, 0, 0, 0, 0};
    GLsizei count_ = 0;
    glm::vec4 ball_{0.0f};
    LoadState state_;
};
