#include <assimp/material.h>
#include <assimp/scene.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/Mesh.h"
#include "render/MeshScene.h"
#include "support/Fixtures.h"

namespace {

// A 30-vertex mesh in red, then a 6-vertex mesh in blue; vertex k sits at (k, 2k, -k) with
// texture coordinate (k / 100, 1 - k / 100) and normal (0, +-1, 0).
std::string twoMeshObj(bool normals, bool texCoords) {
    std::string obj = "mtllib two.mtl\n";
    for (int k = 0; k < 36; ++k) {
        obj += "v " + std::to_string(k) + " " + std::to_string(2 * k) + " " + std::to_string(-k) +
               "\nvt " + std::to_string(k / 100.0) + " " + std::to_string(1.0 - k / 100.0) +
               "\nvn 0 " + (k < 30 ? "1" : "-1") + " 0\n";
    }
    for (int k = 0; k < 36; ++k) {
        obj += k == 0 ? "o first\nusemtl red\n" : k == 30 ? "o second\nusemtl blue\n" : "";
        const std::string n = std::to_string(k + 1);
        obj += (k % 3 ? " " : "f ") + n + (texCoords || normals ? "/" : "") + (texCoords ? n : "") +
               (normals ? "/" + n : "") + (k % 3 == 2 ? "\n" : "");
    }
    return obj;
}

const char* kTwoMtl = "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n";

void expectVec4(const std::vector<float>& v, int k, glm::vec4 expected, const char* what) {
    ASSERT_GE(v.size(), 4u * k + 4) << what;
    for (int i = 0; i < 4; ++i)
        EXPECT_FLOAT_EQ(v[4 * k + i], expected[i]) << what << " " << k;
}

} // namespace

TEST(MeshRead, TwoMeshesFlattenInSceneOrderWithTheirOwnColours) {
    TempDir dir;
    dir.write("two.mtl", kTwoMtl);
    std::string problem = "stale";
    const MeshData data =
        readMeshFile(dir.write("m.obj", twoMeshObj(true, true)), true, true, &problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(data.vertexCount, 36);
    for (const auto* array : {&data.positions, &data.colours, &data.normals, &data.texCoords}) {
        EXPECT_EQ(array->size(), 36u * 4);
    }
    for (int k = 0; k < 36; ++k) {
        const float first = k < 30 ? 1.0f : 0.0f, f = float(k);
        expectVec4(data.positions, k, {f, 2 * f, -f, 1}, "position");
        expectVec4(data.colours, k, {first, 0, 1 - first, 1}, "colour");
        expectVec4(data.normals, k, {0, 2 * first - 1, 0, 0}, "normal");
        expectVec4(data.texCoords, k, {f / 100, 1 - f / 100, 0, 0}, "uv");
    }
}

TEST(MeshRead, BrokenFilesGiveOneMessageAndValidOutputs) {
    TempDir dir;
    dir.write("two.mtl", kTwoMtl);
    const std::string missing = dir.file("missing.obj");
    const std::string small = dir.write("small.obj", "v 1 2 3\n");
    const std::string noMesh = dir.write("nomesh.obj", "# only a comment\nmtllib none.mtl\n");
    const std::string bare = dir.write("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const std::string noUv = dir.write("nouv.obj", twoMeshObj(true, false));
    const struct {
        const char* name;
        std::string path;
        bool texCoords;
        int vertexCount;
        std::string message;
    } cases[] = {
        {"missing file", missing, true, 0,
         "Mesh file " + missing + " could not be read: Unable to open file \"" + missing + "\"."},
        {"too small", small, true, 0,
         "Mesh file " + small + " could not be read: OBJ-file is too small."},
        {"no mesh", noMesh, true, 0, "Mesh file " + noMesh + " holds no mesh."},
        {"no normals nor uvs", bare, true, 3,
         "Mesh file " + bare +
             " has no normals in mesh 0 and no texture coordinates in mesh 0; they are zero."},
        {"no uvs in either mesh", noUv, true, 36,
         "Mesh file " + noUv + " has no texture coordinates in meshes 0, 1; they are zero."},
        {"no uvs, none asked for", noUv, false, 36, ""},
    };
    for (const auto& c : cases) {
        std::string problem;
        const MeshData data = readMeshFile(c.path, true, c.texCoords, &problem);
        EXPECT_EQ(problem, c.message) << c.name;
        EXPECT_EQ(data.vertexCount, c.vertexCount) << c.name;
        for (const auto* array : {&data.positions, &data.colours, &data.normals, &data.texCoords}) {
            EXPECT_EQ(array->size(), 4u * c.vertexCount) << c.name;
        }
        for (float value : data.texCoords)
            ASSERT_EQ(value, 0.0f) << c.name << ": zero-filled";
    }
}

TEST(MeshRead, FromMemory) {
    const std::string obj =
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nvt 0.5 0.5\nf 1/1/1 2/1/1 3/1/1\n";
    const std::string junk(64, '\xff');
    std::string problem;
    const MeshData data = readMeshMemory(obj.data(), obj.size(), "obj", true, true, &problem);
    EXPECT_EQ(problem, "");
    expectVec4(data.normals, 2, {0, 0, 1, 0}, "normal");
    EXPECT_EQ(readMeshMemory(nullptr, 0, "obj", true, true, &problem).vertexCount, 0);
    EXPECT_EQ(problem, "Mesh file <memory>.obj could not be read: no data.");
    EXPECT_TRUE(
        readMeshMemory(junk.data(), junk.size(), "obj", true, true, &problem).positions.empty());
}

// Scenes the .obj reader never makes (it gives every material a diffuse colour), built by hand;
// aiScene's destructor frees them.
TEST(MeshRead, MaterialsWithoutDiffuseOrOutOfRangeGiveTransparentBlack) {
    aiScene scene;
    scene.mNumMeshes = 3;
    scene.mMeshes = new aiMesh*[3];
    for (unsigned m = 0; m < 3; ++m) {
        scene.mMeshes[m] = new aiMesh;
        scene.mMeshes[m]->mNumVertices = 3;
        scene.mMeshes[m]->mVertices = new aiVector3D[3];
        scene.mMeshes[m]->mMaterialIndex = m; // mesh 2 points past the two materials
    }
    scene.mNumMaterials = 2;
    scene.mMaterials = new aiMaterial* [2] { new aiMaterial, new aiMaterial }; // 0 has no colour
    const aiColor4D green(0.0f, 1.0f, 0.0f, 0.25f);
    scene.mMaterials[1]->AddProperty(&green, 1, AI_MATKEY_COLOR_DIFFUSE);

    std::string problem;
    const MeshData data = flattenScene(&scene, "hand.obj", "", false, false, &problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(data.vertexCount, 9);
    for (int k = 0; k < 9; ++k) {
        const float g = k >= 3 && k < 6 ? 1.0f : 0.0f;
        expectVec4(data.colours, k, {0, g, 0, g / 4}, "colour");
        expectVec4(data.positions, k, {0, 0, 0, 1}, "position");
    }
    // No scene: the importer's reason, on one line.
    EXPECT_EQ(flattenScene(nullptr, "x.obj", "bad\nthing\n", true, true, &problem).vertexCount, 0);
    EXPECT_EQ(problem, "Mesh file x.obj could not be read: bad thing.");
}
