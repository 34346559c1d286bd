#include <gtest/gtest.h>
#include <memory>

#include "render/TextRenderer.h"
#include "support/GlContext.h"

using TextRendererGl = GlTest;

// Leaks and the state left behind are checked with the HUD in the render pass tests.
TEST_F(TextRendererGl, GlyphsShowInTheirColourOnlyWhereTheAtlasCoversAndAboveAnyDepth) {
    // Only the cell of "K" (column 11, row 2 from the top) holds an opaque white glyph, as wide
    // as a glyph is: 12 of the cell's 16 texels.
    std::vector<unsigned char> rgba(256 * 256 * 4, 0);
    for (int row = 32; row < 48; ++row)
        std::fill_n(rgba.begin() + (row * 256 + 176) * 4, 48, 255);
    const std::string font = dir.write("font.tga", tgaBytes(256, 256, rgba));
    std::unique_ptr<TextRenderer> text;
    ASSERT_EQ(captureStderr([&] { text = std::make_unique<TextRenderer>(font); }), "");
    for (auto [name, line, sceneDepth, inside] :
         {std::tuple{"K in its colour as linear light", "K", 1.0,
                     std::array<int, 4>{255, 8, 81, 255}},
          {"the space cell is empty", " ", 1.0, {0, 0, 0, 0}},
          {"the scene's depth never hides text", "K", 0.01, {255, 8, 81, 255}}}) {
        Framebuffer target(64, 64);
        glEnable(GL_DEPTH_TEST);
        glClearDepth(sceneDepth);
        glClear(GL_DEPTH_BUFFER_BIT);
        // The quad spans x from -1 to 0.5 and the whole height: pixels 0 to 47 across.
        text->draw(line, -1.0f, -1.0f, 2.0f, 1.0f, 0.2f, 0.6f);
        glDisable(GL_DEPTH_TEST);
        glClearDepth(1.0);
        for (int x : {2, 24, 45})
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(target.pixel(x, 32)[i], inside[i], 1) << name << x;
        EXPECT_EQ(target.pixel(56, 32)[3], 0) << name << ": nothing right of the quad";
    }
    EXPECT_EQ(drainGlErrors(), "");
}
