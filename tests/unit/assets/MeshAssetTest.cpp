// The model files the game reads: shape, winding and the one-vertex-per-corner layout that the
// importer without post-processing has to produce.
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/vec3.hpp>
#include <gtest/gtest.h>

#include "AssetFiles.h"
#include "render/Mesh.h"

namespace {

glm::vec3 at(const std::vector<float>& v, int i) { return {v[size_t(i) * 4], v[size_t(i) * 4 + 1], v[size_t(i) * 4 + 2]}; }

MeshData load(const std::string& name, bool textured)
{
    std::string problem;
    MeshData mesh = readMeshFile(resourceFile(name), textured, textured, &problem);
    EXPECT_EQ(problem, "") << name;
    return mesh;
}

const char* const kTexturedMeshes[] = {"planet.obj", "player.obj", "enemy.obj", "fist.obj"};

}  // namespace

TEST(MeshAssets, EveryFaceIsThreeFreshConsecutiveVertices)
{
    for (const char* name : {"planet.obj", "player.obj", "enemy.obj", "fist.obj", "sun.obj"}) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(resourceFile(name), 0);
        ASSERT_NE(scene, nullptr) << name << ": " << importer.GetErrorString();
        ASSERT_EQ(scene->mNumMeshes, 1u) << name;
        const aiMesh* mesh = scene->mMeshes[0];
        ASSERT_EQ(mesh->mNumVertices, 3 * mesh->mNumFaces) << name;
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u) << name << " face " << f;
            for (unsigned k = 0; k < 3; ++k) {
                ASSERT_EQ(mesh->mFaces[f].mIndices[k], 3 * f + k) << name << " face " << f;
            }
        }
    }
}

TEST(MeshAssets, TexturedMeshesHaveUnitNormalsUvsInRangeAndOutwardFrontFaces)
{
    for (const char* name : kTexturedMeshes) {
        MeshData mesh = load(name, true);
        ASSERT_GT(mesh.vertexCount, 0) << name;
        ASSERT_EQ(mesh.vertexCount % 3, 0) << name;
        for (int i = 0; i < mesh.vertexCount; ++i) {
            ASSERT_NEAR(glm::length(at(mesh.normals, i)), 1.0f, 1e-3f) << name << " vertex " << i;
            // The planet's seam triangles run past u = 1 on purpose; the texture repeats.
            ASSERT_GE(mesh.texCoords[size_t(i) * 4], 0.0f) << name;
            ASSERT_LE(mesh.texCoords[size_t(i) * 4], std::string(name) == "planet.obj" ? 1.5f : 1.0f) << name;
            ASSERT_GE(mesh.texCoords[size_t(i) * 4 + 1], 0.0f) << name;
            ASSERT_LE(mesh.texCoords[size_t(i) * 4 + 1], 1.0f) << name;
        }
        for (int t = 0; t < mesh.vertexCount; t += 3) {
            // No triangle spans half the texture: that would smear it across the whole map.
            float u0 = mesh.texCoords[size_t(t) * 4], u1 = mesh.texCoords[size_t(t + 1) * 4], u2 = mesh.texCoords[size_t(t + 2) * 4];
            ASSERT_LT(std::fmax(u0, std::fmax(u1, u2)) - std::fmin(u0, std::fmin(u1, u2)), 0.5f) << name << " triangle " << t / 3;
            // Counter-clockwise seen from outside, or back-face culling would show the inside.
            glm::vec3 a = at(mesh.positions, t), b = at(mesh.positions, t + 1), c = at(mesh.positions, t + 2);
            glm::vec3 n = at(mesh.normals, t) + at(mesh.normals, t + 1) + at(mesh.normals, t + 2);
            ASSERT_GT(glm::dot(glm::cross(b - a, c - a), n), 0.0f) << name << " triangle " << t / 3;
        }
    }
}

TEST(MeshAssets, PlanetIsTheSmoothUnitSphere)
{
    MeshData planet = load("planet.obj", true);
    EXPECT_GE(planet.vertexCount, 3 * 4000);
    for (int i = 0; i < planet.vertexCount; ++i) {
        glm::vec3 p = at(planet.positions, i);
        ASSERT_NEAR(glm::length(p), 1.0f, 1e-4f) << "vertex " << i;
        ASSERT_GT(glm::dot(glm::normalize(p), at(planet.normals, i)), 0.9999f) << "vertex " << i;
    }
}

struct Bounds {
    float minY = 1e9f, maxY = -1e9f, maxRadius = 0.0f;
};

Bounds boundsOf(const MeshData& mesh)
{
    Bounds b;
    for (int i = 0; i < mesh.vertexCount; ++i) {
        glm::vec3 p = at(mesh.positions, i);
        b.minY = std::fmin(b.minY, p.y);
        b.maxY = std::fmax(b.maxY, p.y);
        b.maxRadius = std::fmax(b.maxRadius, std::hypot(p.x, p.z));
    }
    return b;
}

// In mesh units: the game scales characters by 0.05 and keeps them 5.5 degrees (0.096, that is
// 1.92 mesh units) apart, so a footprint radius under 0.9 keeps neighbours from touching.
TEST(MeshAssets, CharactersStandOnTheirOriginAndFitTheSpacing)
{
    struct Case {
        const char* name;
        int maxTriangles;
    } cases[] = {{"player.obj", 2000}, {"enemy.obj", 200}};  // the enemy is drawn thousands of times
    for (const Case& c : cases) {
        MeshData mesh = load(c.name, true);
        Bounds b = boundsOf(mesh);
        EXPECT_NEAR(b.minY, 0.0f, 0.06f) << c.name;
        EXPECT_GE(b.maxY, 1.4f) << c.name;
        EXPECT_LE(b.maxY, 2.5f) << c.name;
        EXPECT_LT(b.maxRadius, 0.9f) << c.name;
        EXPECT_LE(mesh.vertexCount / 3, c.maxTriangles) << c.name;
    }
}

// The fist's origin lies on the ground beside the player; the glove must float above it at
// every scale the punches give it.
TEST(MeshAssets, FistIsAGloveOfRadiusAboutOneClearOfTheGround)
{
    Bounds b = boundsOf(load("fist.obj", true));
    EXPECT_GT(b.minY, 0.2f);
    EXPECT_NEAR(b.maxRadius, 1.0f, 0.15f);
    EXPECT_NEAR(b.maxY - b.minY, 1.7f, 0.3f);
}
