#include <gtest/gtest.h>
#include <memory>

#include "render/TextRenderer.h"
#include "support/Fixtures.h"
#include "support/Framebuffer.h"
#include "support/GlContext.h"

namespace {

GLint currentInt(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}

// Names in use among the first few thousand; a draw that forgot to delete shows up here.
int liveNames(GLboolean (*isName)(GLuint)) {
    int live = 0;
    for (GLuint name = 1; name < 4096; ++name) {
        live += isName(name) ? 1 : 0;
    }
    return live;
}
GLboolean isBuffer(GLuint name) {
    return glIsBuffer(name);
}
GLboolean isVertexArray(GLuint name) {
    return glIsVertexArray(name);
}

// A 256 x 256 atlas in which only the cell of "K" (column 11, atlas row 2 from the top)
// holds an opaque white glyph.
std::string atlasWithK() {
    std::vector<unsigned char> rgba(256 * 256 * 4, 0);
    for (int row = 32; row < 48; ++row) {
        for (int column = 176; column < 192; ++column) {
            for (int i = 0; i < 4; ++i) {
                rgba[(row * 256 + column) * 4 + i] = 255;
            }
        }
    }
    return tgaBytes(256, 256, rgba);
}

class TextRendererTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(gl);
        enterSourceDir();
        const std::string font = dir.write("font.tga", atlasWithK());
        const std::string err = captureStderr([&] { text = std::make_unique<TextRenderer>(font); });
        ASSERT_EQ(err, "");
        ASSERT_NE(text->programName(), 0u);
        ASSERT_EQ(drainGlErrors(), "");
    }
    GlContext gl{64, 64};
    TempDir dir;
    std::unique_ptr<TextRenderer> text;
};

} // namespace

TEST_F(TextRendererTest, GlyphsShowInTheirColourAndOnlyWhereTheAtlasCovers) {
    struct Case {
        const char* name;
        std::string text;
        std::array<int, 4> inside;
    };
    const Case cases[] = {
        {"K is drawn in the colour", "K", {255, 51, 51, 255}},
        {"the space cell is empty", " ", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Framebuffer target(64, 64);
        ASSERT_TRUE(target.complete());
        // The quad spans x from -1 to 0.5 and the whole height: pixels 0 to 47 across.
        text->draw(c.text, -1.0f, -1.0f, 2.0f, 1.0f, 0.2f, 0.2f);
        const auto inside = target.pixel(24, 32);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(inside[i], c.inside[i], 1) << c.name << " channel " << i;
        }
        EXPECT_EQ(target.pixel(56, 32)[3], 0) << c.name << ": nothing right of the quad";
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(TextRendererTest, SceneDepthNeverHidesTheText) {
    Framebuffer target(64, 64);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(0.01);
    glClear(GL_DEPTH_BUFFER_BIT);
    text->draw("K", -1.0f, -1.0f, 2.0f, 1.0f, 1.0f, 1.0f);
    glClearDepth(1.0);
    glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(target.pixel(24, 32)[0], 255);
}

TEST_F(TextRendererTest, ColourUniformIsExactAndNothingStaysBound) {
    Framebuffer target(64, 64);
    text->draw("Klick!", -0.18f, 0.8f, 0.07f, 1.0f, 0.2f, 0.2f);
    EXPECT_EQ(drainGlErrors(), "");
    EXPECT_EQ(currentInt(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(currentInt(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(currentInt(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(currentInt(GL_TEXTURE_BINDING_2D), 0);

    const GLuint program = text->programName();
    GLfloat colour[3] = {-1, -1, -1};
    glGetUniformfv(program, glGetUniformLocation(program, "color"), colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 0.2f);
    EXPECT_EQ(colour[2], 0.2f);
    GLint sampler = -1;
    glGetUniformiv(program, glGetUniformLocation(program, "color_texture"), &sampler);
    EXPECT_EQ(sampler, static_cast<GLint>(text->fontTextureName()));
}

TEST_F(TextRendererTest, DrawsLeaveNoObjectsBehind) {
    Framebuffer target(64, 64);
    const int buffers = liveNames(isBuffer);
    const int arrays = liveNames(isVertexArray);
    for (int i = 0; i < 1000; ++i) {
        text->draw("Besiegte Gegner", -0.3f, 0.85f, 0.05f, 1.0f, 1.0f, 1.0f);
    }
    EXPECT_EQ(liveNames(isBuffer), buffers);
    EXPECT_EQ(liveNames(isVertexArray), arrays);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(TextRendererTest, EmptyTextTouchesNoGl) {
    const int buffers = liveNames(isBuffer);
    const int arrays = liveNames(isVertexArray);
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glUseProgram(text->programName());
    text->draw("", 0.0f, 0.0f, 0.1f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(currentInt(GL_CURRENT_PROGRAM), static_cast<GLint>(text->programName()));
    EXPECT_EQ(currentInt(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(vao));
    glUseProgram(0);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    EXPECT_EQ(liveNames(isBuffer), buffers);
    EXPECT_EQ(liveNames(isVertexArray), arrays);
    EXPECT_EQ(drainGlErrors(), "");
}
