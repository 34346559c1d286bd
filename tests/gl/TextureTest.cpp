#include <gtest/gtest.h>
#include <memory>

#include "render/Texture.h"
#include "support/GlContext.h"

namespace {

// Level `level` of `texture` as RGBA bytes, bottom row first, with its width and format.
std::vector<unsigned char> levelOf(GLuint texture, int level, int* width = nullptr,
                                   GLint* format = nullptr) {
    int w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    if (format)
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, format);
    std::vector<unsigned char> pixels(size_t(w * h * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    if (width)
        *width = w;
    return pixels;
}

} // namespace

using TextureGl = GlTest;

TEST_F(TextureGl, ImageLowerLeftIsAtTheOriginDecodedFromSrgbWithMipmaps) {
    // Top row red, green; bottom row blue, white.
    const std::string path = dir.write(
        "t.tga",
        tgaBytes(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}));
    std::unique_ptr<Texture> texture;
    EXPECT_EQ(captureStderr([&] { texture = std::make_unique<Texture>(path); }), "");
    GLint format = 0;
    EXPECT_EQ(levelOf(texture->name(), 0, nullptr, &format),
              (std::vector<unsigned char>{0, 0, 255, 255, 255, 255, 255, 255, //
                                          255, 0, 0, 255, 0, 255, 0, 255}));
    EXPECT_EQ(format, GL_SRGB8_ALPHA8) << "colours are stored sRGB-encoded";
    int width = 0;
    levelOf(texture->name(), 1, &width);
    EXPECT_EQ(width, 1) << "mipmaps exist, so mipmapped minification samples a complete texture";
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
        for (const std::string& expected : {line, std::string()}) { // a second load is quiet
            std::unique_ptr<Texture> texture;
            EXPECT_EQ(captureStderr([&] { texture = std::make_unique<Texture>(path); }), expected);
            EXPECT_EQ(levelOf(texture->name(), 0), (std::vector<unsigned char>{255, 0, 255, 255}));
        }
    }
    EXPECT_EQ(drainGlErrors(), "");
}
