#include <gtest/gtest.h>

#include "decode/MeshData.h"
#include "support/Fixtures.h"

using Floats = std::vector<float>;

TEST(MeshRead, MeshesFlattenInSceneOrderWithTheirOwnColours) {
    TempDir dir;
    dir.write("two.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n");
    // Red, then blue; each v flips to a different value.
    const std::string obj = "mtllib two.mtl\nv 1 2 3\nv 4 5 6\nvt 0.5 0.25\nvt 0.75 1\nvn 0 1 0\n"
                            "vn 0 -1 0\no a\nusemtl red\nf 1/1/1 2/2/1 1/1/1\n"
                            "o b\nusemtl blue\nf 2/2/2 1/1/2 2/2/2\n";
    std::string problem = "stale";
    const MeshData d = readMeshFile(dir.write("m.obj", obj), true, true, &problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(d.vertexCount, 6);
    EXPECT_EQ(d.positions,
              Floats({1, 2, 3, 1, 4, 5, 6, 1, 1, 2, 3, 1, 4, 5, 6, 1, 1, 2, 3, 1, 4, 5, 6, 1}));
    EXPECT_EQ(d.colours,
              Floats({1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1}));
    EXPECT_EQ(d.normals,
              Floats({0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0}));
    EXPECT_EQ(d.texCoords, Floats({.5,  .25, 0, 0, .75, 1,   0, 0, .5,  .25, 0, 0,
                                   .75, 1,   0, 0, .5,  .25, 0, 0, .75, 1,   0, 0}));
}

TEST(MeshRead, BrokenFilesGiveOneLineAndValidZeroFilledOutputs) {
    TempDir dir;
    dir.write("empty.mtl", "");
    const std::string tri = "v 0 0 0\nv 1 0 0\nv 0 1 0\n", head = "Mesh file " + dir.path();
    dir.write("nomesh.obj", "# only a comment\nmtllib none.mtl\n");
    dir.write("bare.obj", tri + "f 1 2 3\n");
    dir.write("nouv.obj", tri + "vn 0 0 1\nf 1//1 2//1 3//1\no b\nf 3//1 2//1 1//1\n");
    dir.write("skin.obj", "mtllib empty.mtl\n" + tri + "vn 0 0 1\nusemtl skin\nf 1//1 2//1 3//1\n");
    dir.write("gone.obj", "mtllib gone.mtl\n" + tri + "usemtl s\nf 1 2 3\n");
    const std::tuple<const char*, bool, int, std::string> cases[] = {
        {"nomesh", true, 0, " holds no mesh."},
        {"bare", true, 3,
         " has no normals in mesh 0 and no texture coordinates in mesh 0; they are zero."},
        {"nouv", true, 6, " has no texture coordinates in meshes 0, 1; they are zero."},
        {"nouv", false, 6, ""},
        {"skin", false, 3,
         " lacks a material (OBJ: failed to locate material skin, creating new material), the "
         "default is used."},
        {"gone", false, 3,
         " has no normals in mesh 0; they are zero; it lacks a material (OBJ: Unable to locate "
         "material file gone.mtl), the default is used."}};
    for (const auto& [name, texCoords, vertices, message] : cases) {
        std::string problem, path = dir.file(std::string(name) + ".obj");
        const MeshData data = readMeshFile(path, true, texCoords, &problem);
        EXPECT_EQ(problem, message.empty() ? "" : head + "/" + name + ".obj" + message);
        EXPECT_EQ(data.texCoords, Floats(4 * vertices)) << name;
        EXPECT_EQ(data.colours.size(), 4u * vertices) << name;
    }
    std::string problem;
    EXPECT_EQ(readMeshMemory(nullptr, 0, "obj", true, true, &problem).vertexCount, 0);
    EXPECT_EQ(problem, "Mesh file <memory>.obj could not be read: no data.");
}
