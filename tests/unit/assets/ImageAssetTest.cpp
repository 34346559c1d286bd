// The textures and the font atlas, decoded as the game decodes them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "AssetFiles.h"
#include "render/Texture.h"

namespace {

Image decode(const std::string& name) {
    const std::string bytes = readResource(name);
    std::string problem;
    Image image;
    EXPECT_TRUE(decodeImage(bytes.data(), bytes.size(), image, &problem)) << name << ": " << problem;
    return image;
}

const unsigned char* texel(const Image& image, int x, int y) { return &image.rgba[(size_t(y) * image.width + x) * 4]; }

TEST(ImageAssets, TexturesDecodeAtTheirSizesAndSkinsAreFullyPainted) {
    const struct {
        const char* name;
        int width, height;
        bool skin;
    } cases[] = {{"planet.tga", 2048, 1024, false}, {"player_texture.tga", 256, 256, true},
                 {"enemy.tga", 256, 256, true}, {"font.tga", 1024, 1024, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image image = decode(c.name);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        ASSERT_EQ(image.rgba.size(), size_t(c.width) * c.height * 4);
        int black = 0;
        for (size_t i = 0; i < image.rgba.size(); i += 4) black += (image.rgba[i] | image.rgba[i + 1] | image.rgba[i + 2]) == 0;
        EXPECT_TRUE(!c.skin || black == 0) << black << " unpainted texels";
    }
}

TEST(ImageAssets, PlanetShowsSeaAndLandAndHasNoSeamAtTheDateLine) {
    const Image planet = decode("planet.tga");
    ASSERT_EQ(planet.width, 2048);
    double sea = 0, land = 0, total = 0, seam = 0, inside = 0;
    for (int y = 0; y < planet.height; ++y) {
        const double weight = std::cos(((y + 0.5) / planet.height - 0.5) * M_PI);  // area on the sphere
        for (int x = 0; x < planet.width; x += 4) {
            const unsigned char* p = texel(planet, x, y);
            const bool ice = std::min({p[0], p[1], p[2]}) > 190, water = !ice && p[2] > p[0] + 30 && p[2] > p[1];
            sea += water * weight, land += (!ice && !water) * weight, total += weight;
        }
        // From the last column to the first, against three pairs of neighbours elsewhere.
        for (int k = 0; k < 3; ++k) {
            seam += std::abs(texel(planet, planet.width - 1, y)[k] - texel(planet, 0, y)[k]);
            for (int x : {100, 700, 1500}) inside += std::abs(texel(planet, x, y)[k] - texel(planet, x + 1, y)[k]) / 3.0;
        }
    }
    EXPECT_TRUE(sea / total > 0.4 && sea / total < 0.8) << sea / total;
    EXPECT_GT(land / total, 0.15);
    EXPECT_LT(seam, 2.0 * inside + planet.height) << "a seam at the date line";
}

// The texel rectangle the text renderer samples for character `code`, rows counted from the
// bottom: u from column / 16 to u0 + 3/64, v from 1.0625 - row / 16 to 1.125 - row / 16.
struct Cell {
    int x0, x1, y0, y1;
};

Cell sampledCell(const Image& atlas, int code) {
    const double u0 = code % 16 / 16.0, v0 = 1.0625 - code / 16 / 16.0;
    return {int(std::lround(u0 * atlas.width)), int(std::lround((u0 + 3.0 / 64.0) * atlas.width)),
            int(std::lround(v0 * atlas.height)), int(std::lround((v0 + 1.0 / 16.0) * atlas.height))};
}

// Texels (x, y) of `c` for which `test(x, y)` holds.
int count(const Cell& c, const std::function<bool(int, int)>& test) {
    int n = 0;
    for (int y = c.y0; y < c.y1; ++y)
        for (int x = c.x0; x < c.x1; ++x) n += test(x, y);
    return n;
}

TEST(FontAtlas, KJAndLSitWhereTheTextRendererSamples) {
    const Image atlas = decode("font.tga");
    ASSERT_EQ(atlas.width, 1024);
    auto ink = [&](int x, int y) { return texel(atlas, x, y)[3] >= 128; };
    const Cell k = sampledCell(atlas, 'K'), j = sampledCell(atlas, 'J'), l = sampledCell(atlas, 'L');
    const int area = (k.x1 - k.x0) * (k.y1 - k.y0);
    for (const Cell& c : {k, j, l}) EXPECT_GT(count(c, ink), area / 20);
    for (const Cell* c : {&k, &l}) {  // a stem at least half the cell high: the glyph is not cut
        int tallest = 0;
        for (int x = c->x0; x < c->x1; ++x)
            for (int y = c->y0, run = 0; y < c->y1; ++y) tallest = std::max(tallest, run = ink(x, y) ? run + 1 : 0);
        EXPECT_GT(tallest, (c->y1 - c->y0) / 2);
    }
    auto differ = [&](const Cell& a, const Cell& b) {
        return count(a, [&](int x, int y) { return ink(x, y) != ink(x - a.x0 + b.x0, y - a.y0 + b.y0); });
    };
    EXPECT_GT(differ(k, j), area / 20);
    EXPECT_GT(differ(k, l), area / 20);
    EXPECT_GT(differ(j, l), area / 20);
}

TEST(FontAtlas, EmptyCellsAndUnsampledQuartersAreTransparentAndColourIsWhite) {
    const Image atlas = decode("font.tga");
    ASSERT_EQ(atlas.width, 1024);
    auto any = [&](int x, int y) { return texel(atlas, x, y)[3] > 0; };
    EXPECT_EQ(count(sampledCell(atlas, ' '), any), 0);
    EXPECT_EQ(count(sampledCell(atlas, 127), any), 0);
    // Nothing right of the sampled three quarters: a glyph cut there would look clipped.
    for (int code = 32; code < 128; ++code) {
        const Cell c = sampledCell(atlas, code);
        EXPECT_EQ(count({c.x1, c.x0 + atlas.width / 16, c.y0, c.y1}, any), 0) << "code " << code;
    }
    // Codes 0 to 31 wrap into the two bottom rows: keep them empty too.
    EXPECT_EQ(count({0, atlas.width, 0, atlas.height / 8}, any), 0);
    // Only alpha carries the glyph; the HUD's colour comes through unchanged.
    EXPECT_EQ(count({0, atlas.width, 0, atlas.height}, [&](int x, int y) {
                  const unsigned char* p = texel(atlas, x, y);
                  return (p[0] & p[1] & p[2]) != 255;
              }), 0);
}

}  // namespace
