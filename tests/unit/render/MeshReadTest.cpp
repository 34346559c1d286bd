#include <assimp/material.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <sstream>

#include "render/Mesh.h"
#include "render/MeshScene.h"
#include "support/Fixtures.h"

namespace {

// An .obj with a 30-vertex mesh in red and a 6-vertex mesh in half-transparent blue; vertex
// k sits at (k, 2k, -k) with texture coordinate (k / 100, 1 - k / 100).
std::string twoMeshObj(bool normals, bool texCoords) {
    std::ostringstream obj;
    obj << "mtllib two.mtl\n";
    for (int k = 0; k < 36; ++k) {
        obj << "v " << k << " " << 2 * k << " " << -k << "\n";
        obj << "vt " << k / 100.0 << " " << 1.0 - k / 100.0 << "\n";
        obj << "vn 0 " << (k < 30 ? 1 : -1) << " 0\n";
    }
    auto corner = [&](int k) {
        std::ostringstream c;
        c << k + 1;
        if (texCoords || normals) {
            c << "/" << (texCoords ? std::to_string(k + 1) : "");
        }
        if (normals) {
            c << "/" << k + 1;
        }
        return c.str();
    };
    for (int k = 0; k < 36; k += 3) {
        if (k == 0) {
            obj << "o first\nusemtl red\n";
        } else if (k == 30) {
            obj << "o second\nusemtl blue\n";
        }
        obj << "f " << corner(k) << " " << corner(k + 1) << " " << corner(k + 2) << "\n";
    }
    return obj.str();
}

const char* kTwoMtl = "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n";

struct Fixture {
    TempDir dir;
    std::string path;
    explicit Fixture(const std::string& obj) {
        dir.write("two.mtl", kTwoMtl);
        path = dir.write("model.obj", obj);
    }
};

void expectVec4(const std::vector<float>& v, int k, float a, float b, float c, float d,
                const char* what) {
    ASSERT_GE(v.size(), static_cast<size_t>(4 * k + 4)) << what;
    EXPECT_FLOAT_EQ(v[4 * k + 0], a) << what << " of vertex " << k;
    EXPECT_FLOAT_EQ(v[4 * k + 1], b) << what << " of vertex " << k;
    EXPECT_FLOAT_EQ(v[4 * k + 2], c) << what << " of vertex " << k;
    EXPECT_FLOAT_EQ(v[4 * k + 3], d) << what << " of vertex " << k;
}

} // namespace

TEST(MeshRead, TwoMeshesFlattenInSceneOrderWithTheirOwnColours) {
    Fixture f(twoMeshObj(true, true));
    std::string problem = "stale";
    const MeshData data = readMeshFile(f.path, true, true, &problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(data.vertexCount, 36);
    for (const auto* array : {&data.positions, &data.colours, &data.normals, &data.texCoords}) {
        EXPECT_EQ(array->size(), 36u * 4);
    }
    for (int k = 0; k < 36; ++k) {
        const bool first = k < 30;
        expectVec4(data.positions, k, k, 2.0f * k, -k, 1.0f, "position");
        expectVec4(data.colours, k, first ? 1 : 0, 0, first ? 0 : 1, 1, "colour");
        expectVec4(data.normals, k, 0, first ? 1 : -1, 0, 0.0f, "normal");
        expectVec4(data.texCoords, k, k / 100.0f, 1.0f - k / 100.0f, 0.0f, 0.0f, "uv");
    }
}

TEST(MeshRead, BrokenFilesGiveOneMessageAndValidOutputs) {
    TempDir dir;
    struct Case {
        const char* name;
        std::string path;
        bool normals, texCoords;
        int vertexCount;
        std::string message;
    };
    const std::string missing = dir.file("missing.obj");
    const std::string tooSmall = dir.write("small.obj", "v 1 2 3\n");
    const std::string noMesh =
        dir.write("nomesh.obj", "# nothing but a comment in this file\nmtllib none.mtl\n");
    const std::string bare = dir.write("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    dir.write("two.mtl", kTwoMtl);
    const std::string noUv = dir.write("nouv.obj", twoMeshObj(true, false));
    const Case cases[] = {
        {"missing file", missing, true, true, 0,
         "Mesh file " + missing + " could not be read: Unable to open file \"" + missing + "\"."},
        {"too small", tooSmall, true, true, 0,
         "Mesh file " + tooSmall + " could not be read: OBJ-file is too small."},
        {"no mesh", noMesh, true, true, 0, "Mesh file " + noMesh + " holds no mesh."},
        {"no normals nor uvs", bare, true, true, 3,
         "Mesh file " + bare +
             " has no normals in mesh 0 and no texture coordinates in mesh 0;"
             " they are zero."},
        {"no uvs in either mesh", noUv, true, true, 36,
         "Mesh file " + noUv + " has no texture coordinates in meshes 0, 1; they are zero."},
        {"no uvs, none asked for", noUv, true, false, 36, ""},
    };
    for (const Case& c : cases) {
        std::string problem;
        const MeshData data = readMeshFile(c.path, c.normals, c.texCoords, &problem);
        EXPECT_EQ(problem, c.message) << c.name;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << c.name;
        EXPECT_EQ(data.vertexCount, c.vertexCount) << c.name;
        const size_t floats = 4u * static_cast<size_t>(c.vertexCount);
        EXPECT_EQ(data.positions.size(), floats) << c.name;
        EXPECT_EQ(data.colours.size(), floats) << c.name;
        EXPECT_EQ(data.normals.size(), floats) << c.name;
        EXPECT_EQ(data.texCoords.size(), floats) << c.name;
        for (float value : data.texCoords) {
            if (c.texCoords && !c.message.empty()) {
                ASSERT_EQ(value, 0.0f) << c.name << ": missing uvs are zero-filled";
            }
        }
    }
}

TEST(MeshRead, FromMemory) {
    const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nvt 0.5 0.5\n"
                            "f 1/1/1 2/1/1 3/1/1\n";
    std::string problem;
    MeshData data = readMeshMemory(obj.data(), obj.size(), "obj", true, true, &problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(data.vertexCount, 3);
    expectVec4(data.normals, 2, 0, 0, 1, 0, "normal");

    data = readMeshMemory(nullptr, 0, "obj", true, true, &problem);
    EXPECT_EQ(problem, "Mesh file <memory>.obj could not be read: no data.");
    EXPECT_EQ(data.vertexCount, 0);
    const std::string junk(64, '\xff');
    data = readMeshMemory(junk.data(), junk.size(), "obj", true, true, &problem);
    EXPECT_EQ(data.vertexCount, 0);
    EXPECT_EQ(data.positions.size(), 0u);
}

// Scenes the .obj reader never makes (it gives every material a diffuse colour), built by
// hand. aiScene's destructor frees the meshes and materials.
TEST(MeshRead, MaterialsWithoutDiffuseOrOutOfRangeGiveTransparentBlack) {
    aiScene scene;
    scene.mNumMeshes = 3;
    scene.mMeshes = new aiMesh*[3];
    for (unsigned m = 0; m < 3; ++m) {
        aiMesh* mesh = new aiMesh;
        mesh->mNumVertices = 3;
        mesh->mVertices = new aiVector3D[3];
        mesh->mMaterialIndex = m; // mesh 2 points past the two materials
        scene.mMeshes[m] = mesh;
    }
    scene.mNumMaterials = 2;
    scene.mMaterials = new aiMaterial*[2];
    scene.mMaterials[0] = new aiMaterial; // no properties at all
    scene.mMaterials[1] = new aiMaterial;
    const aiColor4D green(0.0f, 1.0f, 0.0f, 0.25f);
    scene.mMaterials[1]->AddProperty(&green, 1, AI_MATKEY_COLOR_DIFFUSE);

    std::string problem;
    const MeshData data = flattenScene(&scene, "hand.obj", "", false, false, &problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(data.vertexCount, 9);
    for (int k = 0; k < 9; ++k) {
        const bool green = k >= 3 && k < 6;
        expectVec4(data.colours, k, 0, green ? 1 : 0, 0, green ? 0.25f : 0, "colour");
        expectVec4(data.positions, k, 0, 0, 0, 1, "position");
    }
}

TEST(MeshRead, NullSceneReportsTheImportersReason) {
    std::string problem;
    const MeshData data = flattenScene(nullptr, "x.obj", "bad\nthing\n", true, true, &problem);
    EXPECT_EQ(problem, "Mesh file x.obj could not be read: bad thing.");
    EXPECT_EQ(data.vertexCount, 0);
}
