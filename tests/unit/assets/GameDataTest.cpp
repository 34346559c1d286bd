// The generated game data under resources/, read and decoded as the game reads it.
#include <SDL.h>
#include <SDL_mixer.h>
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

// The sun is drawn as ONE triangle fan around its first vertex, seen from the planet (-x).
TEST_F(GameData, SunFanCoversItsWholeDiscOnceFacingThePlanetInAWarmYellow) {
    const MeshData sun = mesh("sun.obj", false);
    EXPECT_TRUE(sun.colours[0] > sun.colours[1] && sun.colours[1] > sun.colours[2]);
    ASSERT_EQ(at(sun.positions, 0), glm::vec3(0.0f));
    double turn = 0;
    for (int i = 1; i + 1 < sun.vertexCount; ++i) {
        const glm::vec3 a = at(sun.positions, i), b = at(sun.positions, i + 1);
        ASSERT_TRUE(a.x == 0 && std::fabs(glm::length(a) - 1) < 1e-5f) << "off the disc: " << i;
        ASSERT_LT(glm::cross(a, b).x, 0.0f) << "triangle " << i << " is culled or empty";
        turn += std::atan2(-glm::cross(a, b).x, glm::dot(a, b));
    }
    EXPECT_NEAR(turn, 2 * M_PI, 1e-4) << "a wedge is missing or drawn twice";
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

TEST_F(GameData, SoundsDecodeAtTheirLengthAudibleUnclippedAndLoopWithoutAClick) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO) | Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0);
    for (const std::string name : {"punch.wav", "enemy_punch.wav", "enemy_die.wav", "track1.mp3",
                                   "track2.mp3", "track3.mp3", "track4.mp3"}) {
        SCOPED_TRACE(name);
        const bool effect = name.back() == 'v';
        Mix_Chunk* chunk = Mix_LoadWAV(path(name).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const auto* begin = reinterpret_cast<int16_t*>(chunk->abuf);
        const std::vector<int> s(begin, begin + chunk->alen / 2);
        Mix_FreeChunk(chunk);
        const double seconds = s.size() / 2 / 44100.0;
        EXPECT_TRUE(effect ? seconds >= 0.1 && seconds <= 1.5 : seconds >= 30 && seconds <= 90);
        double sum = 0, peak = 0;
        for (int v : s)
            sum += double(v) * v, peak = std::fmax(peak, std::abs(v));
        EXPECT_GT(std::sqrt(sum / s.size()), 32768 * 0.05) << "too quiet";
        EXPECT_TRUE(!effect || (peak > 26000 && peak < 32767)) << "unnormalised: " << peak;
        for (size_t i = 0; !effect && i < 88; ++i) // 1 ms at each end: no click at the loop
            ASSERT_TRUE(std::abs(s[i]) < 32768 / 20 && std::abs(s[s.size() - 1 - i]) < 32768 / 20);
    }
    Mix_CloseAudio();
    SDL_Quit();
}

} // namespace
