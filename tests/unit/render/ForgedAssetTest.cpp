// Files whose headers promise more than they hold, and meshes whose materials are gone.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "render/Mesh.h"
#include "render/Texture.h"

namespace {

std::string tga(int type, int width, int height, const std::string& pixels) {
    std::string h(18, '\0');
    h[2] = static_cast<char>(type);
    h[12] = static_cast<char>(width & 0xff);
    h[13] = static_cast<char>(width >> 8);
    h[14] = static_cast<char>(height & 0xff);
    h[15] = static_cast<char>(height >> 8);
    h[16] = 32;
    return h + pixels;
}

TEST(ForgedAsset, ImageHeadersMustNotPromiseMorePixelsThanTheFileHolds) {
    const struct {
        const char* name;
        std::string bytes;
        bool decodes;
    } cases[] = {
        {"exact 2 x 2", tga(2, 2, 2, std::string(16, '\x40')), true},
        {"one byte short", tga(2, 2, 2, std::string(15, '\x40')), false},
        {"16384 x 16384, no data", tga(2, 16384, 16384, std::string(64, 'x')), false},
        {"run of 128 from 5 bytes", tga(10, 128, 1, "\xff\x01\x02\x03\x04"), true},
        {"16000 x 16000 from 5 bytes", tga(10, 16000, 16000, "\xff\x01\x02\x03\x04"), false},
        // Found by the image fuzzer: a 17-byte header claiming 9185 x 8200 took seconds.
        {"header cut at 17 bytes", tga(2, 9185, 8200, "").substr(0, 17), false},
    };
    for (const auto& c : cases) {
        Image image;
        std::string problem;
        EXPECT_EQ(decodeImage(c.bytes.data(), c.bytes.size(), image, &problem), c.decodes)
            << c.name << ": " << problem;
        if (!c.decodes) {
            EXPECT_NE(problem.find("too short"), std::string::npos) << c.name << ": " << problem;
            EXPECT_TRUE(image.rgba.empty()) << c.name;
        }
    }
}

std::string writeTemp(const std::string& dir, const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(ForgedAsset, AMissingOrUndefinedMaterialIsReportedAndTheMeshStillLoads) {
    char pattern[] = "/tmp/quorvex-material-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl skin\nf 1 2 3\n";
    writeTemp(dir, "empty.mtl", "");
    const struct {
        const char* name;
        std::string obj;
        const char* mentions;
    } cases[] = {
        {"library missing", "mtllib gone.mtl\n" + triangle, "gone.mtl"},
        {"material undefined", "mtllib empty.mtl\n" + triangle, "skin"},
    };
    for (const auto& c : cases) {
        const std::string path = writeTemp(dir, std::string(c.name) + ".obj", c.obj);
        std::string problem;
        const MeshData mesh = readMeshFile(path, false, false, &problem);
        EXPECT_EQ(mesh.vertexCount, 3) << c.name;
        EXPECT_EQ(problem.rfind("Mesh file " + path + " lacks a material", 0), 0u)
            << c.name << ": " << problem;
        EXPECT_NE(problem.find(c.mentions), std::string::npos) << c.name << ": " << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << c.name;
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
