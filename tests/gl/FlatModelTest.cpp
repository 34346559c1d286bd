#include <gtest/gtest.h>
#include <memory>

#include "render/FlatModel.h"
#include "render/RenderStore.h"
#include "support/GlContext.h"

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
