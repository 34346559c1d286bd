#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>
#include <memory>

#include "render/LightMatrices.h"
#include "render/TexturedModel.h"
#include "support/Fixtures.h"
#include "support/Framebuffer.h"
#include "support/GlContext.h"

namespace {

// A white 1 x 1 square at x = 1 facing +x (towards the sun and the light), wound
// counter-clockwise as seen from +x.
const char* kQuadObj = "mtllib quad.mtl\nusemtl white\n"
                       "v 1 -0.5 0.5\nv 1 -0.5 -0.5\nv 1 0.5 -0.5\nv 1 0.5 0.5\n"
                       "vn 1 0 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                       "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";

GLint currentInt(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}

// A depth texture filled with one value: 1 lets all light through, 0 shadows everything.
GLuint uniformShadowMap(float depth) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const float texels[16] = {depth, depth, depth, depth, depth, depth, depth, depth,
                              depth, depth, depth, depth, depth, depth, depth, depth};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT16, 4, 4, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                 texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

class TexturedModelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(gl);
        enterSourceDir();
        dir.write("quad.obj", kQuadObj);
        dir.write("quad.mtl", "newmtl white\nKd 1 1 1\n");
        const std::vector<unsigned char> white(4 * 4 * 4, 255);
        dir.write("white.tga", tgaBytes(4, 4, white));
        shadow = std::make_unique<ShaderProgram>("shaders/shadow_shader");
        shadow->bindOutputAndRelink("fragmentdepth");
        ASSERT_NE(shadow->program, 0u);
        const std::string err = captureStderr([&] {
            model = std::make_unique<TexturedModel>(dir.file("quad.obj"), dir.file("white.tga"),
                                                    *shadow);
        });
        ASSERT_EQ(err, "");
        ASSERT_NE(model->programName(), 0u);
        ASSERT_EQ(drainGlErrors(), "");
    }
    GlContext gl{64, 64};
    TempDir dir;
    std::unique_ptr<ShaderProgram> shadow;
    std::unique_ptr<TexturedModel> model;
    // The camera where the light is: the quad fills the middle of the picture.
    glm::mat4 view = glm::lookAt(glm::vec3(5, 0, 0), glm::vec3(0), glm::vec3(0, 1, 0));
    glm::mat4 projection = cameraProjection(1.0f);
};

} // namespace

TEST_F(TexturedModelTest, ColourPassSetsItsUniformsAndLeavesNothingBound) {
    const GLuint shadowMap = uniformShadowMap(1.0f);
    Framebuffer target(64, 64);
    const glm::mat4 placed = glm::translate(glm::mat4(1.0f), glm::vec3(0.1f, 0.2f, 0.3f));
    model->draw(view, projection, placed, 0.75f, shadowMap);
    EXPECT_EQ(drainGlErrors(), "");

    EXPECT_EQ(currentInt(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(currentInt(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(currentInt(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(currentInt(GL_ACTIVE_TEXTURE), static_cast<GLint>(GL_TEXTURE0 + shadowMap));
    EXPECT_EQ(currentInt(GL_TEXTURE_BINDING_2D), 0) << "the active unit is left empty";
    const GLuint texture = model->textureName();
    glActiveTexture(GL_TEXTURE0 + texture);
    EXPECT_EQ(currentInt(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture))
        << "the colour texture sits on the unit numbered like its name";

    const GLuint program = model->programName();
    auto matrix = [&](const char* name) {
        glm::mat4 m(0.0f);
        glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(m));
        return m;
    };
    auto integer = [&](const char* name) {
        GLint value = -1;
        glGetUniformiv(program, glGetUniformLocation(program, name), &value);
        return value;
    };
    struct Case {
        const char* name;
        glm::mat4 expected;
    };
    const Case cases[] = {
        {"MVP", projection * view * placed},
        {"M", placed},
        {"V", view},
        {"tex_mat", shadowBias() * shadowLightMatrix() * placed},
    };
    for (const Case& c : cases) {
        const glm::mat4 actual = matrix(c.name);
        for (int i = 0; i < 16; ++i) {
            EXPECT_FLOAT_EQ(glm::value_ptr(actual)[i], glm::value_ptr(c.expected)[i])
                << c.name << " " << i;
        }
    }
    GLfloat transparency = -1.0f;
    glGetUniformfv(program, glGetUniformLocation(program, "transparency"), &transparency);
    EXPECT_EQ(transparency, 0.75f);
    EXPECT_EQ(integer("color_texture"), static_cast<GLint>(texture));
    EXPECT_EQ(integer("sm_texture"), static_cast<GLint>(shadowMap));
    glDeleteTextures(1, &shadowMap);
}

TEST_F(TexturedModelTest, SunlitFaceIsBrightAndShadowedFaceKeepsOnlyAmbient) {
    struct Case {
        const char* name;
        float storedDepth;
        float transparency;
        int minRed, maxRed, alpha;
    };
    const Case cases[] = {
        {"nothing between it and the light", 1.0f, 1.0f, 200, 255, 255},
        {"a caster right at the light", 0.0f, 1.0f, 0, 40, 255},
        {"fading enemy", 1.0f, 0.3f, 200, 255, 77},
    };
    for (const Case& c : cases) {
        const GLuint shadowMap = uniformShadowMap(c.storedDepth);
        Framebuffer target(64, 64);
        ASSERT_TRUE(target.complete());
        model->draw(view, projection, glm::mat4(1.0f), c.transparency, shadowMap);
        const auto centre = target.pixel(32, 32);
        EXPECT_GE(centre[0], c.minRed) << c.name;
        EXPECT_LE(centre[0], c.maxRed) << c.name;
        EXPECT_NEAR(centre[3], c.alpha, 1) << c.name;
        EXPECT_EQ(target.pixel(2, 2)[3], 0) << c.name << ": the quad does not reach the corner";
        glDeleteTextures(1, &shadowMap);
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(TexturedModelTest, DepthPassWritesTheLightsDepth) {
    GLuint depth = 0, framebuffer = 0;
    glGenTextures(1, &depth);
    glBindTexture(GL_TEXTURE_2D, depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT16, 64, 64, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, 64, 64);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);

    model->drawDepth(glm::mat4(1.0f), *shadow);
    EXPECT_EQ(currentInt(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(currentInt(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(currentInt(GL_ARRAY_BUFFER_BINDING), 0);

    float centre = -1.0f, corner = -1.0f;
    glReadPixels(32, 32, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &centre);
    glReadPixels(2, 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &corner);
    // Window depth of a point 4 units from the light in its 0.1 to 1000 frustum.
    const float expected = 0.5f * (1000.1f / 999.9f - 200.0f / (999.9f * 4.0f)) + 0.5f;
    EXPECT_NEAR(centre, expected, 1e-4f);
    EXPECT_EQ(corner, 1.0f);
    EXPECT_EQ(drainGlErrors(), "");
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &depth);
}

TEST_F(TexturedModelTest, OwnsAndFreesItsObjects) {
    const GLuint texture = model->textureName();
    const GLuint program = model->programName();
    ASSERT_TRUE(glIsTexture(texture));
    model.reset();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_EQ(drainGlErrors(), "");
}
