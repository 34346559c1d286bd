#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <memory>

#include "render/LightMatrices.h"
#include "render/RenderStore.h"
#include "render/TexturedModel.h"
#include "support/GlContext.h"

namespace {

// A one-texel depth texture: 1 lets all light through, 0 shadows everything.
GLuint depthTexture(float depth) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT16, 1, 1, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                 &depth);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

} // namespace

using TexturedModelGl = GlTest;

TEST_F(TexturedModelGl, SunlitSideIsBrightShadowAndNightKeepOnlyAmbientAndFadingShows) {
    // A yellow 1 x 1 square at x = 1 facing +x (the sun and the light), counter-clockwise as
    // seen from there; the camera looks at it from where the light is.
    dir.write("quad.obj", "mtllib quad.mtl\nusemtl white\nv 1 -0.5 0.5\nv 1 -0.5 -0.5\n"
                          "v 1 0.5 -0.5\nv 1 0.5 0.5\nvn 1 0 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                          "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n");
    dir.write("quad.mtl", "newmtl white\nKd 1 1 1\n");
    std::vector<unsigned char> yellow(64, 255);
    for (size_t blue = 2; blue < yellow.size(); blue += 4)
        yellow[blue] = 0;
    dir.write("yellow.tga", tgaBytes(4, 4, yellow));
    RenderStore store;
    std::unique_ptr<TexturedModel> model;
    ASSERT_EQ(captureStderr([&] {
                  model = std::make_unique<TexturedModel>(
                      store, dir.file("quad.obj"), dir.file("yellow.tga"),
                      store.program("shaders/shadow_shader", "fragmentdepth"));
              }),
              "");
    const glm::mat4 view = glm::lookAt(glm::vec3(5, 0, 0), glm::vec3(0), glm::vec3(0, 1, 0));
    const glm::mat4 turned = glm::rotate(glm::mat4(1.0f), glm::pi<float>(), glm::vec3(0, 1, 0));
    for (auto [name, storedDepth, transparency, placed, low, high, alpha] :
         {std::tuple{"nothing between it and the light", 1.0f, 1.0f, glm::mat4(1.0f), 200, 255,
                     255},
          {"a caster right at the light", 0.0f, 1.0f, glm::mat4(1.0f), 0, 40, 255},
          {"turned to the night side", 1.0f, 1.0f, turned, 0, 40, 255},
          {"fading enemy", 1.0f, 0.3f, glm::mat4(1.0f), 200, 255, 77}}) {
        const GLuint shadowMap = depthTexture(storedDepth);
        Framebuffer target(64, 64);
        model->draw(view, cameraProjection(1.0f), placed, transparency, shadowMap);
        const auto centre = target.pixel(32, 32);
        for (int c : {0, 1}) // red and green as the light allows; no blue in the texture
            EXPECT_TRUE(centre[c] >= low && centre[c] <= high) << name << c << ": " << centre[c];
        EXPECT_LE(centre[2], 40) << name << ": blue";
        EXPECT_NEAR(centre[3], alpha, 1) << name;
        EXPECT_EQ(target.pixel(2, 2)[3], 0) << name << ": the quad does not reach the corner";
        EXPECT_EQ(glState(GL_CURRENT_PROGRAM) + glState(GL_VERTEX_ARRAY_BINDING), 0) << name;
        glDeleteTextures(1, &shadowMap);
    }
    EXPECT_EQ(drainGlErrors(), "");
}
