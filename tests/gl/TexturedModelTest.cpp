#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>
#include <memory>

#include "render/LightMatrices.h"
#include "render/TexturedModel.h"
#include "support/GlContext.h"

namespace {

// A square depth texture holding one value: 1 lets all light through, 0 shadows everything.
GLuint depthTexture(int size, float depth) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const std::vector<float> texels(size_t(size * size), depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT16, size, size, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

class TexturedModelTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure())
            return;
        // A white 1 x 1 square at x = 1 facing +x (the sun and the light), counter-clockwise
        // as seen from there.
        dir.write("quad.obj",
                  "mtllib quad.mtl\nusemtl white\n"
                  "v 1 -0.5 0.5\nv 1 -0.5 -0.5\nv 1 0.5 -0.5\nv 1 0.5 0.5\nvn 1 0 0\n"
                  "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n");
        dir.write("quad.mtl", "newmtl white\nKd 1 1 1\n");
        dir.write("white.tga", tgaBytes(4, 4, std::vector<unsigned char>(64, 255)));
        shadow = std::make_unique<ShaderProgram>("shaders/shadow_shader");
        shadow->bindOutputAndRelink("fragmentdepth");
        ASSERT_NE(shadow->program, 0u);
        ASSERT_EQ(captureStderr([&] {
                      model = std::make_unique<TexturedModel>(dir.file("quad.obj"),
                                                              dir.file("white.tga"), *shadow);
                  }),
                  "");
        ASSERT_NE(model->programName(), 0u);
        ASSERT_EQ(drainGlErrors(), "");
    }
    std::unique_ptr<ShaderProgram> shadow;
    std::unique_ptr<TexturedModel> model;
    // The camera where the light is: the quad fills the middle of the picture.
    glm::mat4 view = glm::lookAt(glm::vec3(5, 0, 0), glm::vec3(0), glm::vec3(0, 1, 0));
    glm::mat4 projection = cameraProjection(1.0f);
};

} // namespace

TEST_F(TexturedModelTest, ColourPassSetsItsUniformsAndLeavesNothingBound) {
    const GLuint shadowMap = depthTexture(4, 1.0f);
    const GLuint texture = model->textureName(), program = model->programName();
    Framebuffer target(64, 64);
    for (const glm::mat4& placed :
         {glm::mat4(1.0f), glm::translate(glm::mat4(1.0f), glm::vec3(0.1f, 0.2f, 0.3f))}) {
        model->draw(view, projection, placed, 0.75f, shadowMap);
        EXPECT_EQ(drainGlErrors(), "");
        for (GLenum binding :
             {GL_CURRENT_PROGRAM, GL_VERTEX_ARRAY_BINDING, GL_ARRAY_BUFFER_BINDING}) {
            EXPECT_EQ(glState(binding), 0) << std::hex << binding;
        }
        EXPECT_EQ(glState(GL_ACTIVE_TEXTURE), GLint(GL_TEXTURE0 + shadowMap));
        EXPECT_EQ(glState(GL_TEXTURE_BINDING_2D), 0) << "the active unit is left empty";
        glActiveTexture(GL_TEXTURE0 + texture);
        EXPECT_EQ(glState(GL_TEXTURE_BINDING_2D), GLint(texture))
            << "the colour texture sits on the unit numbered like its name";
        const struct {
            const char* name;
            glm::mat4 expected;
        } cases[] = {
            {"MVP", projection * view * placed},
            {"M", placed},
            {"V", view},
            {"tex_mat", shadowBias() * shadowLightMatrix() * placed},
        };
        for (const auto& c : cases) {
            glm::mat4 actual(0.0f);
            glGetUniformfv(program, glGetUniformLocation(program, c.name), glm::value_ptr(actual));
            for (int i = 0; i < 16; ++i) {
                EXPECT_FLOAT_EQ(glm::value_ptr(actual)[i], glm::value_ptr(c.expected)[i])
                    << c.name << i;
            }
        }
        GLfloat transparency = -1.0f;
        glGetUniformfv(program, glGetUniformLocation(program, "transparency"), &transparency);
        EXPECT_EQ(transparency, 0.75f);
        GLint units[2] = {-1, -1};
        glGetUniformiv(program, glGetUniformLocation(program, "color_texture"), &units[0]);
        glGetUniformiv(program, glGetUniformLocation(program, "sm_texture"), &units[1]);
        EXPECT_EQ(units[0], GLint(texture));
        EXPECT_EQ(units[1], GLint(shadowMap));
    }
    glDeleteTextures(1, &shadowMap);
}

TEST_F(TexturedModelTest, SunlitFaceIsBrightAndShadowedFaceKeepsOnlyAmbient) {
    const struct {
        const char* name;
        float storedDepth, transparency;
        int minRed, maxRed, alpha;
    } cases[] = {
        {"nothing between it and the light", 1.0f, 1.0f, 200, 255, 255},
        {"a caster right at the light", 0.0f, 1.0f, 0, 40, 255},
        {"fading enemy", 1.0f, 0.3f, 200, 255, 77},
    };
    for (const auto& c : cases) {
        const GLuint shadowMap = depthTexture(4, c.storedDepth);
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

TEST_F(TexturedModelTest, DepthPassWritesTheLightsDepthAndTheModelFreesItsObjects) {
    const GLuint depth = depthTexture(64, 0.0f);
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, 64, 64);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    model->drawDepth(glm::mat4(1.0f), *shadow);
    for (GLenum binding : {GL_CURRENT_PROGRAM, GL_VERTEX_ARRAY_BINDING, GL_ARRAY_BUFFER_BINDING}) {
        EXPECT_EQ(glState(binding), 0) << std::hex << binding;
    }
    float centre = -1.0f, corner = -1.0f;
    glReadPixels(32, 32, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &centre);
    glReadPixels(2, 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &corner);
    // Window depth of a point 4 units from the light in its 0.1 to 1000 frustum.
    EXPECT_NEAR(centre, 0.5f * (1000.1f / 999.9f - 200.0f / (999.9f * 4.0f)) + 0.5f, 1e-4f);
    EXPECT_EQ(corner, 1.0f);
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &depth);

    const GLuint texture = model->textureName(), program = model->programName();
    ASSERT_TRUE(glIsTexture(texture));
    model.reset();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_EQ(drainGlErrors(), "");
}
