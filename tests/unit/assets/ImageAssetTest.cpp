// The textures and the font atlas, decoded as the game decodes them.
#include <cmath>
#include <gtest/gtest.h>

#include "AssetFiles.h"
#include "render/Texture.h"

namespace {

Image decode(const std::string& name)
{
    std::string bytes = readBytes(resourceFile(name)), problem;
    Image image;
    EXPECT_TRUE(decodeImage(bytes.data(), bytes.size(), image, &problem)) << name << ": " << problem;
    return image;
}

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

const unsigned char* pixel(const Image& image, int x, int y) { return &image.rgba[(size_t(y) * size_t(image.width) + size_t(x)) * 4]; }

// The texel rectangle the text renderer samples for character `code`, rows counted from the
// bottom as the decoder gives them: u0 = column / 16 to u0 + 3/64, v from 1.0625 - r/16 to
// 1.125 - r/16.
struct Cell {
    int x0, x1, y0, y1;
};

Cell sampledCell(const Image& atlas, int code)
{
    int column = code % 16, r = code / 16;
    double u0 = column / 16.0, u1 = u0 + 3.0 / 64.0;
    double vBottom = 1.0625 - r / 16.0, vTop = 1.125 - r / 16.0;
    return {int(std::lround(u0 * atlas.width)), int(std::lround(u1 * atlas.width)),
            int(std::lround(vBottom * atlas.height)), int(std::lround(vTop * atlas.height))};
}

int coveredTexels(const Image& atlas, const Cell& c, int threshold = 128)
{
    int n = 0;
    for (int y = c.y0; y < c.y1; ++y) {
        for (int x = c.x0; x < c.x1; ++x) {
            n += pixel(atlas, x, y)[3] >= threshold;
        }
    }
    return n;
}

int differingTexels(const Image& atlas, const Cell& a, const Cell& b)
{
    int n = 0;
    for (int y = 0; y < a.y1 - a.y0; ++y) {
        for (int x = 0; x < a.x1 - a.x0; ++x) {
            n += (pixel(atlas, a.x0 + x, a.y0 + y)[3] >= 128) != (pixel(atlas, b.x0 + x, b.y0 + y)[3] >= 128);
        }
    }
    return n;
}

// The longest run of covered texels in one column (a vertical stroke) within the cell.
int tallestStroke(const Image& atlas, const Cell& c)
{
    int best = 0;
    for (int x = c.x0; x < c.x1; ++x) {
        int run = 0;
        for (int y = c.y0; y < c.y1; ++y) {
            run = pixel(atlas, x, y)[3] >= 128 ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

}  // namespace

TEST(ImageAssets, TexturesArePowerOfTwoSizes)
{
    struct Case {
        const char* name;
        int width, height;
    } cases[] = {{"planet.tga", 2048, 1024}, {"player_texture.tga", 256, 256}, {"enemy.tga", 256, 256}, {"font.tga", 1024, 1024}};
    for (const Case& c : cases) {
        Image image = decode(c.name);
        EXPECT_EQ(image.width, c.width) << c.name;
        EXPECT_EQ(image.height, c.height) << c.name;
        EXPECT_TRUE(powerOfTwo(image.width) && powerOfTwo(image.height)) << c.name;
        EXPECT_EQ(image.rgba.size(), size_t(c.width) * size_t(c.height) * 4) << c.name;
    }
}

TEST(ImageAssets, PlanetShowsSeaAndLandAndHasNoSeamAtTheDateLine)
{
    Image planet = decode("planet.tga");
    ASSERT_GT(planet.width, 2);
    double sea = 0, land = 0, total = 0;
    for (int y = 0; y < planet.height; ++y) {
        double weight = std::cos(((y + 0.5) / planet.height - 0.5) * M_PI);  // area on the sphere
        for (int x = 0; x < planet.width; x += 4) {
            const unsigned char* p = pixel(planet, x, y);
            bool ice = std::min({p[0], p[1], p[2]}) > 190;
            bool water = !ice && p[2] > p[0] + 30 && p[2] > p[1];
            sea += water * weight;
            land += (!ice && !water) * weight;
            total += weight;
        }
    }
    EXPECT_GT(sea / total, 0.4);
    EXPECT_LT(sea / total, 0.8);
    EXPECT_GT(land / total, 0.15);
    // Across the date line (last column to first) the colours change no more than between
    // two neighbouring columns elsewhere.
    auto columnStep = [&](int a, int b) {
        double sum = 0;
        for (int y = 0; y < planet.height; ++y) {
            for (int k = 0; k < 3; ++k) {
                sum += std::abs(int(pixel(planet, a, y)[k]) - int(pixel(planet, b, y)[k]));
            }
        }
        return sum / planet.height;
    };
    double inside = (columnStep(100, 101) + columnStep(700, 701) + columnStep(1500, 1501)) / 3.0;
    EXPECT_LT(columnStep(planet.width - 1, 0), 2.0 * inside + 1.0);
}

TEST(ImageAssets, SkinsAreFullyPainted)
{
    for (const char* name : {"player_texture.tga", "enemy.tga"}) {
        Image skin = decode(name);
        int unpainted = 0;
        for (size_t i = 0; i < skin.rgba.size(); i += 4) {
            unpainted += skin.rgba[i] == 0 && skin.rgba[i + 1] == 0 && skin.rgba[i + 2] == 0;
        }
        EXPECT_EQ(unpainted, 0) << name;
    }
}

TEST(FontAtlas, GlyphsSitWhereTheTextRendererSamples)
{
    Image atlas = decode("font.tga");
    ASSERT_EQ(atlas.width, 1024);
    Cell k = sampledCell(atlas, 'K'), j = sampledCell(atlas, 'J'), l = sampledCell(atlas, 'L');
    int cellArea = (k.x1 - k.x0) * (k.y1 - k.y0);
    for (const Cell& c : {k, j, l}) {
        EXPECT_GT(coveredTexels(atlas, c), cellArea / 20);
    }
    // K and L have a full-height stem; the three glyphs differ from each other.
    EXPECT_GT(tallestStroke(atlas, k), (k.y1 - k.y0) / 2);
    EXPECT_GT(tallestStroke(atlas, l), (l.y1 - l.y0) / 2);
    EXPECT_GT(differingTexels(atlas, k, j), cellArea / 20);
    EXPECT_GT(differingTexels(atlas, k, l), cellArea / 20);
    EXPECT_GT(differingTexels(atlas, j, l), cellArea / 20);
}

TEST(FontAtlas, EmptyCellsAndUnsampledQuartersAreTransparent)
{
    Image atlas = decode("font.tga");
    for (int code : {32, 127}) {
        EXPECT_EQ(coveredTexels(atlas, sampledCell(atlas, code), 1), 0) << "code " << code;
    }
    // Nothing outside the sampled three quarters: a glyph cut there would look clipped.
    int cell = atlas.width / 16;
    for (int code = 32; code < 128; ++code) {
        Cell c = sampledCell(atlas, code);
        Cell rest{c.x1, c.x0 + cell, c.y0, c.y1};
        EXPECT_EQ(coveredTexels(atlas, rest, 1), 0) << "code " << code;
    }
    // Codes 0 to 31 wrap into the two bottom rows: keep them empty too.
    EXPECT_EQ(coveredTexels(atlas, Cell{0, atlas.width, 0, 2 * cell}, 1), 0);
}

TEST(FontAtlas, ColourIsWhiteSoOnlyAlphaCarriesTheGlyph)
{
    Image atlas = decode("font.tga");
    for (size_t i = 0; i < atlas.rgba.size(); i += 4) {
        ASSERT_EQ(atlas.rgba[i] & atlas.rgba[i + 1] & atlas.rgba[i + 2], 255) << "texel " << i / 4;
    }
}
