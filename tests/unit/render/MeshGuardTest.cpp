// Crafted meshes and material libraries are refused before the importer sees them; the first
// case is the fuzzer's input that made the importer write through a null material.
#include <gtest/gtest.h>

#include "decode/MeshData.h"

TEST(MeshGuard, CraftedStatementsAreRefusedWithTheirLine) {
    const std::string triangle = "mtllib m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\nf 1 2 3\n";
    const std::string lacks = "Mesh file <memory>.obj lacks a material (m.mtl line ";
    const std::string unread = "Mesh file <memory>.obj could not be read: line ";
    const struct {
        const char* name;
        std::string obj, mtl, problem;
        int vertices;
    } cases[] = {
        {"fuzzer's crash", "mtllib m.mtl\nd\xff\xff_\xb0",
         std::string("\0q\xfd 2\nmap_Kd red1", 17),
         unread + "2: a character that is not printable text.", 0},
        {"map before newmtl", triangle, "map_Kd a.tga\n",
         lacks + "1: \"map_Kd\" comes before any newmtl), the default is used.", 3},
        {"map with options", triangle, "newmtl red\nmap_Kd -clamp on a.tga\n",
         lacks + "2: \"map_Kd\" takes one plain name), the default is used.", 3},
        {"library elsewhere", "mtllib ../m.mtl\n" + triangle, "",
         unread + "1: \"mtllib\" takes one plain name.", 0},
        {"unread statement", triangle + "l 1 2\n", "",
         unread + "7: \"l\" is not a statement the game reads.", 0},
        {"what the game's files hold", triangle,
         "# x\nnewmtl red\nNs 9\nKd 1 0 0\nd 1\nillum 2\nmap_Kd r.tga\n", "", 3},
    };
    for (const auto& c : cases) {
        std::string problem;
        const MeshData data =
            readMeshMemory(c.obj.data(), c.obj.size(), "obj", false, false, &problem, c.mtl);
        EXPECT_EQ(problem, c.problem) << c.name;
        EXPECT_EQ(data.vertexCount, c.vertices) << c.name;
        if (c.vertices > 0 && c.problem.empty()) {
            EXPECT_EQ(data.colours[0], 1.0f) << c.name;
        }
    }
}
