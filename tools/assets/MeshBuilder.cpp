#include "MeshBuilder.h"

#include <glm/geometric.hpp>

void MeshBuilder::addTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    glm::vec3 faceNormal = glm::cross(b.position - a.position, c.position - a.position);
    if (glm::dot(faceNormal, a.normal + b.normal + c.normal) < 0.0f) {
        vertices_.insert(vertices_.end(), {a, c, b});
    } else {
        vertices_.insert(vertices_.end(), {a, b, c});
    }
}

namespace {

constexpr float kStep = 1e-3f;

Vertex surfaceVertex(const std::function<glm::vec3(float, float)>& shape,
                     const std::function<glm::vec3(float, float)>& inside, float s, float t,
                     const UvRect& r) {
    Vertex v;
    v.position = shape(s, t);
    // Derivatives a little inside the grid, so that poles (where the ring collapses) still
    // give a tangent plane.
    float tc = glm::clamp(t, 2.0f * kStep, 1.0f - 2.0f * kStep);
    glm::vec3 ds = shape(s + kStep, tc) - shape(s - kStep, tc);
    glm::vec3 dt = shape(s, tc + kStep) - shape(s, tc - kStep);
    glm::vec3 n = glm::cross(ds, dt);
    glm::vec3 out = v.position - inside(s, t);
    if (glm::length(n) < 1e-12f) {
        n = out;
    }
    n = glm::normalize(n);
    if (glm::dot(n, out) < 0.0f) {
        n = -n;
    }
    v.normal = n;
    v.uv = glm::vec2(r.u0 + s * (r.u1 - r.u0), r.v0 + t * (r.v1 - r.v0));
    return v;
}

bool degenerate(const Vertex& a, const Vertex& b, const Vertex& c) {
    return glm::length(glm::cross(b.position - a.position, c.position - a.position)) <
           1e-6f; // also after 6-decimal output
}

} // namespace

void MeshBuilder::addSurface(const std::function<glm::vec3(float, float)>& shape,
                             const std::function<glm::vec3(float, float)>& inside, int around,
                             int along, const UvRect& uvRect) {
    std::vector<Vertex> grid;
    for (int j = 0; j <= along; ++j) {
        for (int i = 0; i <= around; ++i) {
            grid.push_back(surfaceVertex(shape, inside, float(i) / float(around),
                                         float(j) / float(along), uvRect));
        }
    }
    auto at = [&](int i, int j) -> const Vertex& { return grid[size_t(j * (around + 1) + i)]; };
    for (int j = 0; j < along; ++j) {
        for (int i = 0; i < around; ++i) {
            const Vertex& a = at(i, j);
            const Vertex& b = at(i + 1, j);
            const Vertex& c = at(i + 1, j + 1);
            const Vertex& d = at(i, j + 1);
            if (!degenerate(a, b, c)) {
                addTriangle(a, b, c);
            }
            if (!degenerate(a, c, d)) {
                addTriangle(a, c, d);
            }
        }
    }
}
