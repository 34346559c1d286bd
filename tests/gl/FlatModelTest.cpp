#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <memory>

#include "render/FlatModel.h"
#include "support/Fixtures.h"
#include "support/Framebuffer.h"
#include "support/GlContext.h"

// The sun's mesh is one polygon drawn as a fan: as a triangle list its four corners would
// give only the first triangle.
TEST(FlatModelGl, DrawsTheMaterialColourWithTheGivenMode) {
    GlContext gl(64, 64);
    ASSERT_GL_CONTEXT(gl);
    enterSourceDir();
    TempDir dir;
    dir.write("sun.mtl", "newmtl sun\nKd 1 0.5 0\n");
    const std::string mesh = dir.write("sun.obj", "mtllib sun.mtl\nusemtl sun\n"
                                                  "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
                                                  "f 1 2 3 4\n");
    std::unique_ptr<FlatModel> sun;
    const std::string err =
        captureStderr([&] { sun = std::make_unique<FlatModel>("shaders/sun_shader", mesh); });
    ASSERT_EQ(err, "");
    ASSERT_EQ(sun->vertexCount(), 4);
    ASSERT_EQ(drainGlErrors(), "");
    struct Case {
        const char* name;
        GLenum mode;
        int upperLeftRed;
    };
    for (const Case& c : {Case{"fan", GL_TRIANGLE_FAN, 255}, Case{"list", GL_TRIANGLES, 0}}) {
        Framebuffer target(64, 64);
        sun->draw(glm::mat4(1.0f), c.mode);
        const auto lowerRight = target.pixel(48, 16);
        EXPECT_EQ(lowerRight[0], 255) << c.name;
        EXPECT_NEAR(lowerRight[1], 128, 1) << c.name;
        EXPECT_EQ(lowerRight[2], 0) << c.name;
        EXPECT_EQ(target.pixel(16, 48)[0], c.upperLeftRed) << c.name;
        GLint program = -1, vao = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vao);
        EXPECT_EQ(program, 0) << c.name;
        EXPECT_EQ(vao, 0) << c.name;
    }
    EXPECT_EQ(drainGlErrors(), "");
}
