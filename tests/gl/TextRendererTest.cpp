#include <gtest/gtest.h>
#include <memory>

#include "render/TextRenderer.h"
#include "support/GlContext.h"

namespace {

// Buffers and vertex arrays in use among the first few thousand names.
std::pair<int, int> liveBuffersAndArrays() {
    std::pair<int, int> live;
    for (GLuint name = 1; name < 4096; ++name) {
        live.first += glIsBuffer(name) ? 1 : 0;
        live.second += glIsVertexArray(name) ? 1 : 0;
    }
    return live;
}

class TextRendererTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure())
            return;
        // A 256 x 256 atlas in which only the cell of "K" (column 11, row 2 from the top) holds
        // an opaque white glyph.
        std::vector<unsigned char> rgba(256 * 256 * 4, 0);
        for (int row = 32; row < 48; ++row) {
            std::fill_n(rgba.begin() + (row * 256 + 176) * 4, 16 * 4, 255);
        }
        const std::string font = dir.write("font.tga", tgaBytes(256, 256, rgba));
        ASSERT_EQ(captureStderr([&] { text = std::make_unique<TextRenderer>(font); }), "");
        ASSERT_NE(text->programName(), 0u);
        ASSERT_EQ(drainGlErrors(), "");
    }
    std::unique_ptr<TextRenderer> text;
};

} // namespace

TEST_F(TextRendererTest, GlyphsShowInTheirColourOnlyWhereTheAtlasCoversAndAboveAnyDepth) {
    const struct {
        const char* name;
        std::string text;
        double sceneDepth;
        std::array<int, 4> inside;
    } cases[] = {
        {"K in the colour, as linear light (0.2 is 8)", "K", 1.0, {255, 8, 8, 255}},
        {"the space cell is empty", " ", 1.0, {0, 0, 0, 0}},
        {"the scene's depth never hides text", "K", 0.01, {255, 8, 8, 255}},
    };
    for (const auto& c : cases) {
        Framebuffer target(64, 64);
        ASSERT_TRUE(target.complete());
        glEnable(GL_DEPTH_TEST);
        glClearDepth(c.sceneDepth);
        glClear(GL_DEPTH_BUFFER_BIT);
        // The quad spans x from -1 to 0.5 and the whole height: pixels 0 to 47 across.
        text->draw(c.text, -1.0f, -1.0f, 2.0f, 1.0f, 0.2f, 0.2f);
        glDisable(GL_DEPTH_TEST);
        glClearDepth(1.0);
        const auto inside = target.pixel(24, 32);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(inside[i], c.inside[i], 1) << c.name << " " << i;
        EXPECT_EQ(target.pixel(56, 32)[3], 0) << c.name << ": nothing right of the quad";
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(TextRendererTest, ColourIsExactNothingStaysBoundAndNoObjectsLeak) {
    Framebuffer target(64, 64);
    const auto before = liveBuffersAndArrays();
    for (int i = 0; i < 1000; ++i)
        text->draw("Klick!", -0.18f, 0.8f, 0.07f, 1.0f, 0.2f, 0.2f);
    EXPECT_EQ(liveBuffersAndArrays(), before);
    EXPECT_EQ(drainGlErrors(), "");
    for (GLenum binding : {GL_CURRENT_PROGRAM, GL_VERTEX_ARRAY_BINDING, GL_ARRAY_BUFFER_BINDING,
                           GL_TEXTURE_BINDING_2D}) {
        EXPECT_EQ(glState(binding), 0) << std::hex << binding;
    }
    const GLuint program = text->programName();
    GLfloat colour[3] = {-1, -1, -1};
    glGetUniformfv(program, glGetUniformLocation(program, "color"), colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 0.2f);
    EXPECT_EQ(colour[2], 0.2f);
    GLint sampler = -1;
    glGetUniformiv(program, glGetUniformLocation(program, "color_texture"), &sampler);
    EXPECT_EQ(sampler, GLint(text->fontTextureName()));
}

TEST_F(TextRendererTest, EmptyTextTouchesNoGl) {
    const auto before = liveBuffersAndArrays();
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glUseProgram(text->programName());
    text->draw("", 0.0f, 0.0f, 0.1f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(glState(GL_CURRENT_PROGRAM), GLint(text->programName()));
    EXPECT_EQ(glState(GL_VERTEX_ARRAY_BINDING), GLint(vao));
    glUseProgram(0);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    EXPECT_EQ(liveBuffersAndArrays(), before);
    EXPECT_EQ(drainGlErrors(), "");
}
