// The render layer's GL objects one by one: programs, textures, flat models and text.
#include <gtest/gtest.h>
#include <memory>
#include <regex>

#include "render/FlatModel.h"
#include "render/RenderStore.h"
#include "render/ShaderProgram.h"
#include "render/TextRenderer.h"
#include "render/Texture.h"
#include "support/GlContext.h"

using ShaderProgramGl = GlTest;

// The game's own programs are built and drawn with by the model and text tests.
TEST_F(ShaderProgramGl, MissingOrBrokenFilesAreReportedOnceAndLeaveNoProgram) {
    const std::string frag = "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    dir.write("v.vert", "#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    dir.write("f.frag", frag);
    dir.write("broken.frag", frag);
    dir.write("broken.vert", "#version 330 core\nvoid main() { gl_Position = vec4(1.0) }\n");
    // Standard output, "|", standard error: only the first missing file is named; a compile
    // error prints the compiler's log after the first line and the link log after the second.
    for (auto [base, expected] :
         {std::pair{"v", "\\|Fragment shader file /.*/v\\.frag does not exist\\.\n"},
          {"none", "\\|Vertex shader file /.*/none\\.vert does not exist\\.\n"},
          {"f", "\\|Vertex shader file /.*/f\\.vert does not exist\\.\n"},
          {"broken",
           "Shader compilation failed\\.\n[\\s\\S]+\nShader linking failed\\.\n[\\s\\S]+\\|"}}) {
        std::unique_ptr<ShaderProgram> shader;
        std::string out;
        const std::string err = captureStderr([&] {
            out = captureStdout([&] { shader = std::make_unique<ShaderProgram>(dir.file(base)); });
        });
        EXPECT_TRUE(std::regex_match(out + "|" + err, std::regex(expected))) << out << "|" << err;
        shader->bindOutputAndRelink("c"); // relinking no program does nothing
        EXPECT_FALSE(shader->ready || shader->program) << base;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

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

// The sun's mesh is one polygon drawn as a fan: as a triangle list its four corners would
// give only the first triangle.
using FlatModelGl = GlTest;

TEST_F(FlatModelGl, DrawsTheMaterialColourWithTheGivenMode) {
    dir.write("sun.mtl", "newmtl sun\nKd 1 0.5 0\n");
    const std::string mesh = dir.write(
        "sun.obj",
        "mtllib sun.mtl\nusemtl sun\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nf 1 2 3 4\n");
    RenderStore store;
    std::unique_ptr<FlatModel> sun;
    ASSERT_EQ(captureStderr(
                  [&] { sun = std::make_unique<FlatModel>(store, "shaders/sun_shader", mesh); }),
              "");
    for (auto [mode, upperLeftRed] : {std::pair{GL_TRIANGLE_FAN, 255}, {GL_TRIANGLES, 0}}) {
        Framebuffer target(64, 64);
        sun->draw(glm::mat4(1.0f), mode);
        const auto lowerRight = target.pixel(48, 16);
        EXPECT_EQ(lowerRight[0], 255) << mode;
        EXPECT_NEAR(lowerRight[1], 55, 1) << mode; // the sRGB 0.5 as linear light
        EXPECT_EQ(lowerRight[2], 0) << mode;
        EXPECT_EQ(target.pixel(16, 48)[0], upperLeftRed) << mode;
        EXPECT_EQ(glState(GL_CURRENT_PROGRAM) + glState(GL_VERTEX_ARRAY_BINDING), 0) << mode;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

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
