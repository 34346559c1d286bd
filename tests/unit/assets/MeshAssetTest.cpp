// The model files the game reads: shape, winding and the one-vertex-per-corner layout that the
// importer without post-processing has to produce.
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <glm/geometric.hpp>
#include <glm/vec3.hpp>
#include <gtest/gtest.h>

#include <cmath>

#include "AssetFiles.h"
#include "render/Mesh.h"

namespace {

glm::vec3 at(const std::vector<float>& v, int i) { return {v[size_t(i) * 4], v[size_t(i) * 4 + 1], v[size_t(i) * 4 + 2]}; }

MeshData load(const std::string& name) {
    std::string problem;
    MeshData mesh = readMeshFile(resourceFile(name), true, true, &problem);
    EXPECT_EQ(problem, "") << name;
    return mesh;
}

TEST(MeshAssets, EveryFaceIsThreeFreshConsecutiveVertices) {
    for (const char* name : {"planet.obj", "player.obj", "enemy.obj", "fist.obj", "sun.obj"}) {
        SCOPED_TRACE(name);
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(resourceFile(name), 0);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
        ASSERT_EQ(scene->mNumMeshes, 1u);
        const aiMesh* mesh = scene->mMeshes[0];
        ASSERT_EQ(mesh->mNumVertices, 3 * mesh->mNumFaces);
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u) << "face " << f;
            for (unsigned k = 0; k < 3; ++k) ASSERT_EQ(mesh->mFaces[f].mIndices[k], 3 * f + k) << "face " << f;
        }
    }
}

TEST(MeshAssets, TexturedMeshesHaveUnitNormalsUvsInRangeAndOutwardFrontFaces) {
    for (const std::string name : {"planet.obj", "player.obj", "enemy.obj", "fist.obj"}) {
        SCOPED_TRACE(name);
        const MeshData mesh = load(name);
        ASSERT_GT(mesh.vertexCount, 0);
        ASSERT_EQ(mesh.vertexCount % 3, 0);
        const bool planet = name == "planet.obj";
        if (planet) {
            EXPECT_GE(mesh.vertexCount, 3 * 4000) << "too coarse to look smooth";
        }
        for (int i = 0; i < mesh.vertexCount; ++i) {
            const glm::vec3 p = at(mesh.positions, i), n = at(mesh.normals, i), uv = at(mesh.texCoords, i);
            ASSERT_NEAR(glm::length(n), 1.0f, 1e-3f) << "vertex " << i;
            // The planet's seam triangles run past u = 1 on purpose; the texture repeats.
            ASSERT_TRUE(uv.x >= 0 && uv.x <= (planet ? 1.5f : 1.0f) && uv.y >= 0 && uv.y <= 1) << "vertex " << i;
            if (planet) {  // the unit sphere the characters stand on, smooth
                ASSERT_NEAR(glm::length(p), 1.0f, 1e-4f) << "vertex " << i;
                ASSERT_GT(glm::dot(glm::normalize(p), n), 0.9999f) << "vertex " << i;
            }
        }
        for (int t = 0; t < mesh.vertexCount; t += 3) {
            // No triangle spans half the texture: that would smear it across the whole map.
            const float u0 = mesh.texCoords[size_t(t) * 4], u1 = mesh.texCoords[size_t(t + 1) * 4], u2 = mesh.texCoords[size_t(t + 2) * 4];
            ASSERT_LT(std::fmax(u0, std::fmax(u1, u2)) - std::fmin(u0, std::fmin(u1, u2)), 0.5f) << "triangle " << t / 3;
            // Counter-clockwise seen from outside, or back-face culling would show the inside.
            const glm::vec3 a = at(mesh.positions, t), b = at(mesh.positions, t + 1), c = at(mesh.positions, t + 2);
            const glm::vec3 n = at(mesh.normals, t) + at(mesh.normals, t + 1) + at(mesh.normals, t + 2);
            ASSERT_GT(glm::dot(glm::cross(b - a, c - a), n), 0.0f) << "triangle " << t / 3;
        }
    }
}

// In mesh units: characters are scaled by 0.05 and kept 5.5 degrees (1.92 mesh units) apart, so
// a footprint radius under 0.9 keeps neighbours from touching. The fist's origin lies on the
// ground beside the player: the glove floats above it at every scale the punches give it.
TEST(MeshAssets, CharactersAndTheFistFitTheGame) {
    const struct {
        const char* name;
        float minYLow, minYHigh, heightLow, heightHigh, radiusLow, radiusHigh;
        int maxTriangles;
    } cases[] = {
        {"player.obj", -0.06f, 0.06f, 1.4f, 2.5f, 0.0f, 0.9f, 2000},
        {"enemy.obj", -0.06f, 0.06f, 1.4f, 2.5f, 0.0f, 0.9f, 200},  // drawn thousands of times
        {"fist.obj", 0.2f, 1e9f, 1.4f, 2.0f, 0.85f, 1.15f, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MeshData mesh = load(c.name);
        float minY = 1e9f, maxY = -1e9f, radius = 0.0f;
        for (int i = 0; i < mesh.vertexCount; ++i) {
            const glm::vec3 p = at(mesh.positions, i);
            minY = std::fmin(minY, p.y);
            maxY = std::fmax(maxY, p.y);
            radius = std::fmax(radius, std::hypot(p.x, p.z));
        }
        EXPECT_TRUE(minY >= c.minYLow && minY <= c.minYHigh) << minY;
        EXPECT_TRUE(maxY - minY >= c.heightLow && maxY - minY <= c.heightHigh) << maxY - minY;
        EXPECT_TRUE(radius >= c.radiusLow && radius <= c.radiusHigh) << radius;
        EXPECT_LE(mesh.vertexCount / 3, c.maxTriangles);
    }
}

}  // namespace
