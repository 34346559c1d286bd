#include <gtest/gtest.h>
#include <memory>

#include "render/Texture.h"
#include "support/GlContext.h"

using TextureGl = GlTest;

// Orientation is checked through the font atlas in the text tests.
TEST_F(TextureGl, FailedLoadsReportOnceAndShowMagenta) {
    const std::string missing = dir.file("missing.tga");
    const std::string junk = dir.write("junk.tga", std::string(64, '\x07'));
    for (const auto& [path, line] :
         {std::pair{missing,
                    "Texture file " + missing + " could not be loaded: cannot be opened.\n"},
          {junk,
           "Texture file " + junk + " could not be loaded: not a readable image (not a TGA).\n"}}) {
        for (const std::string& expected : {line, std::string()}) { // a second load is quiet
            std::unique_ptr<Texture> texture;
            EXPECT_EQ(captureStderr([&] { texture = std::make_unique<Texture>(path); }), expected);
            GLint size[2] = {0, 0};
            unsigned char rgba[4] = {0, 0, 0, 0};
            glBindTexture(GL_TEXTURE_2D, texture->name());
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
            ASSERT_EQ(size[0] * size[1], 1) << path;
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
            EXPECT_EQ(std::vector<int>(rgba, rgba + 4), (std::vector<int>{255, 0, 255, 255}));
        }
    }
    EXPECT_EQ(drainGlErrors(), "");
}
