// The generated game data under resources/, read and decoded as the game reads it.
#include <glm/geometric.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "decode/Image.h"
#include "decode/MeshData.h"
#include "support/Fixtures.h"

namespace {

struct GameData : testing::Test {
    static std::string path(const std::string& name) { return sourcePath("resources/" + name); }
    static glm::vec3 at(const std::vector<float>& v, int i) { return glm::make_vec3(&v[i * 4]); }
    static MeshData mesh(const std::string& name, bool textured) {
        std::string problem;
        MeshData mesh = readMeshFile(path(name), textured, textured, &problem);
        EXPECT_EQ(problem, "") << name;
        return mesh;
    }
};

// Characters stand 1.92 mesh units apart (5.5 degrees at scale 0.05): footprints under 0.9 fit.
TEST_F(GameData, MeshesAreOutwardTrianglesWithUnitNormalsAndFitTheGame) {
    const struct {
        const char* name;
        float range[4][2]; // lowest y, height, radius around the y axis, triangles
    } cases[] = {
        {"planet.obj", {{-1, -0.999f}, {1.999f, 2}, {0.999f, 1}, {4000, 1e6f}}},
        {"player.obj", {{-0.06f, 0.06f}, {1.4f, 2.5f}, {0, 0.9f}, {1, 2000}}},
        {"enemy.obj", {{-0.06f, 0.06f}, {1.4f, 2.5f}, {0, 0.9f}, {1, 200}}}, // by thousands
        {"fist.obj", {{0.2f, 1e9f}, {1.4f, 2.0f}, {0.85f, 1.15f}, {1, 2000}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MeshData m = mesh(c.name, true);
        ASSERT_EQ(m.vertexCount % 3, 0);
        float minY = 1e9f, maxY = -1e9f, radius = 0.0f;
        for (int i = 0; i < m.vertexCount; ++i) {
            const glm::vec3 p = at(m.positions, i), n = at(m.normals, i);
            minY = std::fmin(minY, p.y), maxY = std::fmax(maxY, p.y);
            radius = std::fmax(radius, std::hypot(p.x, p.z));
            ASSERT_NEAR(glm::length(n), 1.0f, 1e-3f) << "vertex " << i;
            if (i % 3 == 2) { // counter-clockwise seen from outside, or culling shows the inside
                const glm::vec3 a = at(m.positions, i - 2), b = at(m.positions, i - 1);
                const glm::vec3 out = at(m.normals, i - 2) + at(m.normals, i - 1) + n;
                ASSERT_GT(glm::dot(glm::cross(b - a, p - a), out), 0.0f) << "triangle " << i / 3;
            }
        }
        const float got[] = {minY, maxY - minY, radius, float(m.vertexCount / 3)};
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(got[k] >= c.range[k][0] && got[k] <= c.range[k][1]) << k << ": " << got[k];
    }
}

// The text renderer samples the left three quarters of the cell at column code % 16 from
// v = 1.0625 - row / 16 up, wrapped: codes 0 to 31 land on the two bottom rows.
TEST_F(GameData, FontGlyphsAreWhiteAndOnlyInTheCellsTheTextRendererSamples) {
    std::ifstream in(path("font.tga"), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    Image font;
    ASSERT_TRUE(decodeImage(bytes.data(), bytes.size(), font, nullptr) && font.width == 1024);
    const int w = font.width / 16;
    auto count = [&](int x0, int y0, int width, int alpha) { // alpha >= `alpha`, w texels high
        int n = 0;
        for (int y = y0; y < y0 + w; ++y)
            for (int x = x0; x < x0 + width; ++x)
                n += font.rgba[(size_t(y) * font.width + x) * 4 + 3] >= alpha;
        return n;
    };
    EXPECT_EQ(count(0, 0, font.width, 1) + count(0, w, font.width, 1), 0) << "codes 0 to 31";
    for (int code = 32; code < 128; ++code) {
        const int x = code % 16 * w, y = (17 - code / 16) % 16 * w,
                  blank = code == ' ' || code == 127;
        EXPECT_EQ(count(x + w * 3 / 4, y, w / 4, 1), 0) << "cut off on the right: " << code;
        EXPECT_EQ(count(x, y, w * 3 / 4, blank ? 1 : 128) == 0, blank) << "ink is off: " << code;
    }
    for (size_t i = 0; i < font.rgba.size(); i += 4)
        ASSERT_EQ(font.rgba[i] & font.rgba[i + 1] & font.rgba[i + 2], 255) << "colour is the HUD's";
}

} // namespace
