#include <gtest/gtest.h>

#include "render/TextRenderer.h"

TEST(TextLayout, AtlasCells) {
    const struct {
        const char* name;
        char code;
        AtlasCell expected;
    } cases[] = {
        {"space is the top-left cell", ' ', {0.0f, 0.046875f, 1.0f, 0.9375f}},
        {"K: column 11, atlas row 2", 'K', {0.6875f, 0.734375f, 0.875f, 0.8125f}},
        {"~: column 14, atlas row 5", '~', {0.875f, 0.921875f, 0.6875f, 0.625f}},
        {"0 starts the second row", '0', {0.0f, 0.046875f, 0.9375f, 0.875f}},
        // Code 0 lies above the atlas; the repeat wrap folds it into the bottom rows.
        {"code 0", '\0', {0.0f, 0.046875f, 1.125f, 1.0625f}},
        // -56 as a signed byte: column -8, row -3, both truncated towards zero.
        {"byte 0xC8 is negative", char(0xC8), {-0.5f, -0.453125f, 1.3125f, 1.25f}},
    };
    for (const auto& c : cases) {
        const AtlasCell cell = atlasCell(c.code);
        EXPECT_FLOAT_EQ(cell.u0, c.expected.u0) << c.name;
        EXPECT_FLOAT_EQ(cell.u1, c.expected.u1) << c.name;
        EXPECT_FLOAT_EQ(cell.vTop, c.expected.vTop) << c.name;
        EXPECT_FLOAT_EQ(cell.vBottom, c.expected.vBottom) << c.name;
    }
}

TEST(TextLayout, SixVerticesPerCharacterAndTheFirstQuadOfKlick) {
    for (const std::string text : {"", "a", "Besiegte Gegner"}) {
        const TextVertices v = buildTextVertices(text, 0.0f, 0.0f, 0.1f);
        EXPECT_EQ(v.positions.size(), 6 * text.size()) << text;
        EXPECT_EQ(v.texCoords.size(), 6 * text.size()) << text;
    }
    const TextVertices v = buildTextVertices("Klick!", -0.18f, 0.8f, 0.07f);
    ASSERT_EQ(v.positions.size(), 36u);
    const float x0 = -0.18f, x1 = -0.1275f, y0 = 0.8f, y1 = 0.87f;
    const float u0 = 0.6875f, u1 = 0.734375f, top = 0.875f, bottom = 0.8125f;
    const glm::vec2 positions[6] = {{x0, y1}, {x0, y0}, {x1, y1}, {x1, y0}, {x1, y1}, {x0, y0}};
    const glm::vec2 uvs[6] = {{u0, top},    {u0, bottom}, {u1, top},
                              {u1, bottom}, {u1, top},    {u0, bottom}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(v.positions[i].x, positions[i].x, 1e-6f) << "vertex " << i + 1;
        EXPECT_NEAR(v.positions[i].y, positions[i].y, 1e-6f) << "vertex " << i + 1;
        EXPECT_FLOAT_EQ(v.texCoords[i].x, uvs[i].x) << "vertex " << i + 1;
        EXPECT_FLOAT_EQ(v.texCoords[i].y, uvs[i].y) << "vertex " << i + 1;
    }
    // Characters follow each other without spacing: "l" starts where "K" ends.
    EXPECT_NEAR(v.positions[6].x, x1, 1e-6f);
    EXPECT_NEAR(v.positions[35].x, -0.18f + 5 * 0.0525f, 1e-6f);
}
