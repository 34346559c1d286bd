// Images that promise more than they hold or are no TGA, meshes whose materials are gone.
#include <gtest/gtest.h>

#include "render/Mesh.h"
#include "render/Texture.h"
#include "support/Fixtures.h"

namespace {

std::string tga(int type, int width, int height, const std::string& pixels) {
    std::string h(18, '\0');
    h[2] = char(type);
    h[12] = char(width & 0xff), h[13] = char(width >> 8);
    h[14] = char(height & 0xff), h[15] = char(height >> 8);
    h[16] = 32;
    return h + pixels;
}

TEST(ForgedAsset, ImagesAreRefusedWithAReasonUnlessTheyHoldTheirPixels) {
    const struct {
        const char* name;
        std::string bytes;
        const char* problem; // nullptr: decodes
    } cases[] = {
        {"exact 2 x 2", tga(2, 2, 2, std::string(16, '\x40')), nullptr},
        {"one byte short", tga(2, 2, 2, std::string(15, '\x40')), "too short"},
        {"16384 x 16384, no data", tga(2, 16384, 16384, std::string(64, 'x')), "too short"},
        {"run of 128 from 5 bytes", tga(10, 128, 1, "\xff\x01\x02\x03\x04"), nullptr},
        {"16000 x 16000 from 5 bytes", tga(10, 16000, 16000, "\xff\x01\x02\x03\x04"), "too short"},
        // Found by fuzzing: a 17-byte header claiming 9185 x 8200 took seconds.
        {"header cut at 17 bytes", tga(2, 9185, 8200, "").substr(0, 17), "too short"},
        {"empty", "", "no data"},
        {"not an image", std::string(40, 'x'), "not a TGA"},
        {"zero width", tga(2, 0, 1, "abcd"), "not a readable image"},
        // 65535 x 65535 would ask for 16 GiB; refused from the header, before decoding.
        {"huge", tga(2, 65535, 65535, "abcd"), "unsupported size 65535 x 65535"},
        {"too wide for GL 3.3", tga(2, 65535, 1, "abcd"), "unsupported size"},
    };
    for (const auto& c : cases) {
        Image image;
        image.width = 7;
        std::string problem = "stale";
        EXPECT_EQ(decodeImage(c.bytes.data(), c.bytes.size(), image, &problem), !c.problem)
            << c.name << ": " << problem;
        if (c.problem) {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
            EXPECT_EQ(image.width, 0) << c.name;
            EXPECT_TRUE(image.rgba.empty()) << c.name;
        } else {
            EXPECT_EQ(problem, "") << c.name;
            EXPECT_EQ(image.rgba.size(), 4u * image.width * image.height) << c.name;
        }
    }
    Image image;
    EXPECT_FALSE(decodeImage(nullptr, 10, image, nullptr));
}

TEST(ForgedAsset, AMissingOrUndefinedMaterialIsReportedAndTheMeshStillLoads) {
    TempDir dir;
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl skin\nf 1 2 3\n";
    dir.write("empty.mtl", "");
    const struct {
        const char* name;
        std::string obj;
        const char* mentions;
    } cases[] = {
        {"library missing", "mtllib gone.mtl\n" + triangle, "gone.mtl"},
        {"material undefined", "mtllib empty.mtl\n" + triangle, "skin"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.write(std::string(c.name) + ".obj", c.obj);
        std::string problem;
        EXPECT_EQ(readMeshFile(path, false, false, &problem).vertexCount, 3) << c.name;
        EXPECT_EQ(problem.rfind("Mesh file " + path + " lacks a material", 0), 0u)
            << c.name << ": " << problem;
        EXPECT_NE(problem.find(c.mentions), std::string::npos) << c.name << ": " << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << c.name;
    }
}

} // namespace
