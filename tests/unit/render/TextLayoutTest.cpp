#include <gtest/gtest.h>

#include "render/TextRenderer.h"

static glm::vec4 cellOf(char c) {
    const AtlasCell cell = atlasCell(c);
    return {cell.u0, cell.u1, cell.vTop, cell.vBottom};
}

TEST(TextLayout, AtlasCellsAreTheLeftThreeQuartersOfTheirSixteenthByASignedCode) {
    EXPECT_EQ(cellOf(' '), glm::vec4(0.0f, 0.046875f, 1.0f, 0.9375f));
    EXPECT_EQ(cellOf('K'), glm::vec4(0.6875f, 0.734375f, 0.875f, 0.8125f)); // column 11, row 2
    EXPECT_EQ(cellOf('~'), glm::vec4(0.875f, 0.921875f, 0.6875f, 0.625f));
    EXPECT_EQ(cellOf('\0'), glm::vec4(0.0f, 0.046875f, 1.125f, 1.0625f)); // above the atlas
    // -56 as a signed byte: column -8, row -3; the repeat wrap folds them back.
    EXPECT_EQ(cellOf(char(0xC8)), glm::vec4(-0.5f, -0.453125f, 1.3125f, 1.25f));
}

TEST(TextLayout, SixVerticesPerCharacterAdvancingThreeQuartersOfTheSize) {
    const TextVertices v = buildTextVertices("KK", 1.0f, 2.0f, 0.5f);
    const std::vector<glm::vec2> quad = {{1, 2.5},   {1, 2},       {1.375, 2.5},
                                         {1.375, 2}, {1.375, 2.5}, {1, 2}};
    std::vector<glm::vec2> both = quad;
    for (const glm::vec2& p : quad)
        both.push_back(p + glm::vec2(0.375f, 0.0f));
    EXPECT_EQ(v.positions, both);
    const glm::vec4 k = cellOf('K');
    const std::vector<glm::vec2> uv = {{k[0], k[2]}, {k[0], k[3]}, {k[1], k[2]},
                                       {k[1], k[3]}, {k[1], k[2]}, {k[0], k[3]}};
    EXPECT_EQ(std::vector<glm::vec2>(v.texCoords.begin() + 6, v.texCoords.end()), uv);
}
