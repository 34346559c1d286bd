#include "Bodies.h"

#include <array>
#include <cmath>
#include <glm/geometric.hpp>

namespace {

constexpr float kPi = 3.14159265358979f;

Vertex planetVertex(const glm::vec3& onCube) {
    Vertex v;
    v.position = glm::normalize(onCube);
    v.normal = v.position;
    v.uv = planetUv(v.position);
    return v;
}

// Triangles that straddle the date line get their small u values moved past 1, so they
// interpolate across the seam instead of across the whole texture (the texture repeats).
void unwrapSeam(Vertex& a, Vertex& b, Vertex& c) {
    float hi = std::fmax(a.uv.x, std::fmax(b.uv.x, c.uv.x));
    for (Vertex* v : {&a, &b, &c}) {
        if (hi - v->uv.x > 0.5f) {
            v->uv.x += 1.0f;
        }
    }
}

// The cell around a pole becomes four triangles meeting at the pole. Longitude is undefined
// there, so each triangle's pole corner takes the mean u of its other two corners instead of
// one u for all, which would twist the texture around the pole.
void addPoleFan(MeshBuilder& mesh, const std::array<Vertex, 4>& ring, const glm::vec3& pole) {
    for (size_t k = 0; k < 4; ++k) {
        Vertex a = ring[k], b = ring[(k + 1) % 4], c = planetVertex(pole);
        c.uv.x = a.uv.x;
        unwrapSeam(a, b, c);
        c.uv.x = 0.5f * (a.uv.x + b.uv.x);
        mesh.addTriangle(a, b, c);
    }
}

// Projects a grid on the cube face (axis, u axis, v axis) onto the sphere.
void addCubeFace(MeshBuilder& mesh, const glm::vec3& axis, const glm::vec3& du, const glm::vec3& dv,
                 int n) {
    auto corner = [&](int i, int j) {
        // Equal angles rather than equal cube steps keep the cells nearly square on the sphere.
        float a = std::tan((float(i) / float(n) * 2.0f - 1.0f) * kPi / 4.0f);
        float b = std::tan((float(j) / float(n) * 2.0f - 1.0f) * kPi / 4.0f);
        return planetVertex(axis + du * a + dv * b);
    };
    bool polar = std::fabs(axis.y) > 0.5f && n % 2 == 1;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            Vertex p00 = corner(i, j), p10 = corner(i + 1, j), p11 = corner(i + 1, j + 1),
                   p01 = corner(i, j + 1);
            if (polar && i == n / 2 && j == n / 2) {
                addPoleFan(mesh, {p00, p10, p11, p01}, axis);
                continue;
            }
            Vertex a = p00, b = p10, c = p11;
            unwrapSeam(a, b, c);
            mesh.addTriangle(a, b, c);
            a = p00, b = p11, c = p01;
            unwrapSeam(a, b, c);
            mesh.addTriangle(a, b, c);
        }
    }
}

} // namespace

glm::vec2 planetUv(const glm::vec3& d) {
    float u = 0.5f + std::atan2(d.z, d.x) / (2.0f * kPi);
    float v = 0.5f + std::asin(glm::clamp(d.y, -1.0f, 1.0f)) / kPi;
    return glm::vec2(u, v);
}

MeshBuilder planetMesh(int n) {
    MeshBuilder mesh;
    const glm::vec3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    addCubeFace(mesh, x, y, z, n);
    addCubeFace(mesh, -x, z, y, n);
    addCubeFace(mesh, y, z, x, n);
    addCubeFace(mesh, -y, x, z, n);
    addCubeFace(mesh, z, x, y, n);
    addCubeFace(mesh, -z, y, x, n);
    return mesh;
}

MeshBuilder sunMesh(int rimPoints) {
    std::vector<Vertex> fan;
    Vertex centre{glm::vec3(0.0f), glm::vec3(-1, 0, 0), glm::vec2(0.5f)};
    fan.push_back(centre);
    for (int k = 0; k <= rimPoints; ++k) {
        // Angle from +z towards +y: counter-clockwise for an eye on the -x side.
        float a = 2.0f * kPi * float(k % rimPoints) / float(rimPoints);
        Vertex v = centre;
        v.position = glm::vec3(0.0f, std::sin(a), std::cos(a));
        v.uv = glm::vec2(0.5f) + 0.5f * glm::vec2(v.position.z, v.position.y);
        fan.push_back(v);
    }
    MeshBuilder mesh;
    for (size_t i = 0; i + 2 < fan.size(); i += 3) {
        mesh.addCorners(fan[i], fan[i + 1], fan[i + 2]);
    }
    return mesh;
}
