#include <gtest/gtest.h>
#include <vector>

#include "render/Texture.h"
#include "support/Fixtures.h"
#include "support/GlContext.h"

namespace {

std::vector<unsigned char> level0(GLuint texture, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

GLint parameter(GLuint texture, GLenum name) {
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

} // namespace

TEST(TextureGl, ImageLowerLeftIsAtTheOrigin) {
    GlContext gl;
    ASSERT_GL_CONTEXT(gl);
    TempDir dir;
    // Top row red, green; bottom row blue, white.
    const std::string path = dir.write(
        "t.tga",
        tgaBytes(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}));
    std::string err;
    std::unique_ptr<Texture> texture;
    err = captureStderr([&] { texture = std::make_unique<Texture>(path); });
    EXPECT_EQ(err, "");
    int w = 0, h = 0;
    const std::vector<unsigned char> pixels = level0(texture->name(), w, h);
    ASSERT_EQ(w, 2);
    ASSERT_EQ(h, 2);
    const std::vector<unsigned char> bottomFirst = {0,   0, 255, 255, 255, 255, 255, 255,
                                                    255, 0, 0,   255, 0,   255, 0,   255};
    EXPECT_EQ(pixels, bottomFirst);
    struct Case {
        GLenum name;
        GLint value;
    };
    for (const Case& c : {Case{GL_TEXTURE_WRAP_S, GL_REPEAT}, Case{GL_TEXTURE_WRAP_T, GL_REPEAT},
                          Case{GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                          Case{GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR}}) {
        EXPECT_EQ(parameter(texture->name(), c.name), c.value) << std::hex << c.name;
    }
    // Mipmaps exist, so the mipmapped minification samples a complete texture.
    glBindTexture(GL_TEXTURE_2D, texture->name());
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST(TextureGl, FailedLoadsReportOnceAndShowMagenta) {
    GlContext gl;
    ASSERT_GL_CONTEXT(gl);
    TempDir dir;
    const std::string missing = dir.file("missing.tga");
    const std::string junk = dir.write("junk.tga", std::string(64, '\x07'));
    struct Case {
        const char* name;
        std::string path;
        std::string prefix;
    };
    const Case cases[] = {
        {"missing", missing,
         "Texture file " + missing + " could not be loaded: cannot be opened.\n"},
        {"junk", junk, "Texture file " + junk + " could not be loaded: not a readable image ("},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Texture> texture;
        const std::string err = captureStderr([&] { texture = std::make_unique<Texture>(c.path); });
        EXPECT_EQ(err.compare(0, c.prefix.size(), c.prefix), 0) << c.name << ": " << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.name;
        int w = 0, h = 0;
        const std::vector<unsigned char> pixels = level0(texture->name(), w, h);
        EXPECT_EQ(w, 1) << c.name;
        EXPECT_EQ(pixels, (std::vector<unsigned char>{255, 0, 255, 255})) << c.name;
    }
    EXPECT_EQ(drainGlErrors(), "");
}
