#pragma once

#include <functional>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <vector>

struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

// A rectangle of texture space that one part of a model is mapped into.
struct UvRect {
    float u0, v0, u1, v1;
};

// A triangle soup: every triangle owns its three corners, which is how the game's loader
// reads a model (three consecutive vertices per face, no index buffer).
class MeshBuilder {
  public:
    // Adds the triangle, turned if needed so that it winds counter-clockwise seen from the
    // side its corner normals point to (the front face under back-face culling).
    void addTriangle(const Vertex& a, const Vertex& b, const Vertex& c);
    // Adds the corners in exactly this order (for lists that are drawn as a fan).
    void addCorners(const Vertex& a, const Vertex& b, const Vertex& c) {
        vertices_.insert(vertices_.end(), {a, b, c});
    }

    // A closed grid surface. `shape(s, t)` gives the point for s (around, 0..1, wrapping) and
    // t (0 = bottom pole or base, 1 = top); `inside(s, t)` a point inside the body near it,
    // which fixes which way is out. Normals come from the shape's derivatives.
    void addSurface(const std::function<glm::vec3(float, float)>& shape,
                    const std::function<glm::vec3(float, float)>& inside, int around, int along,
                    const UvRect& uvRect);

    const std::vector<Vertex>& vertices() const { return vertices_; }
    int triangleCount() const { return int(vertices_.size() / 3); }

  private:
    std::vector<Vertex> vertices_;
};
