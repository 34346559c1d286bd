#include <gtest/gtest.h>
#include <memory>

#include "render/Texture.h"
#include "support/GlContext.h"

namespace {

// Level `level` of `texture` as RGBA bytes, bottom row first, with its width.
std::vector<unsigned char> levelOf(GLuint texture, int level, int& width) {
    int height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> pixels(size_t(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

} // namespace

using TextureGl = GlTest;

TEST_F(TextureGl, ImageLowerLeftIsAtTheOriginWithRepeatAndMipmaps) {
    // Top row red, green; bottom row blue, white.
    const std::string path = dir.write(
        "t.tga",
        tgaBytes(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}));
    std::unique_ptr<Texture> texture;
    EXPECT_EQ(captureStderr([&] { texture = std::make_unique<Texture>(path); }), "");
    int width = 0;
    EXPECT_EQ(levelOf(texture->name(), 0, width),
              (std::vector<unsigned char>{0, 0, 255, 255, 255, 255, 255, 255, //
                                          255, 0, 0, 255, 0, 255, 0, 255}));
    EXPECT_EQ(width, 2);
    levelOf(texture->name(), 1, width);
    EXPECT_EQ(width, 1) << "mipmaps exist, so mipmapped minification samples a complete texture";
    glBindTexture(GL_TEXTURE_2D, texture->name());
    for (auto [name, value] : {std::pair{GL_TEXTURE_WRAP_S, GL_REPEAT},
                               {GL_TEXTURE_WRAP_T, GL_REPEAT},
                               {GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                               {GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR}}) {
        GLint actual = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &actual);
        EXPECT_EQ(actual, value) << std::hex << name;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(TextureGl, FailedLoadsReportOnceAndShowMagenta) {
    const std::string missing = dir.file("missing.tga");
    const std::string junk = dir.write("junk.tga", std::string(64, '\x07'));
    for (const auto& [path, line] :
         {std::pair{missing,
                    "Texture file " + missing + " could not be loaded: cannot be opened.\n"},
          {junk,
           "Texture file " + junk + " could not be loaded: not a readable image (not a TGA).\n"}}) {
        for (const char* expected : {line.c_str(), ""}) { // the second load of a path is quiet
            std::unique_ptr<Texture> texture;
            EXPECT_EQ(captureStderr([&] { texture = std::make_unique<Texture>(path); }), expected);
            int width = 0;
            EXPECT_EQ(levelOf(texture->name(), 0, width),
                      (std::vector<unsigned char>{255, 0, 255, 255}))
                << path;
        }
    }
    EXPECT_EQ(drainGlErrors(), "");
}
