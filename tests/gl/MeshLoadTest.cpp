#include <gtest/gtest.h>
#include <memory>
#include <sstream>

#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "support/Fixtures.h"
#include "support/GlContext.h"

namespace {

// Two meshes, 30 vertices in red and 6 in blue, with normals and texture coordinates.
std::string twoMeshObj() {
    std::ostringstream obj;
    obj << "mtllib two.mtl\nvn 0 0 1\nvt 0.5 0.25\n";
    for (int k = 0; k < 36; ++k) {
        obj << "v " << k << " 0 0\n";
    }
    for (int k = 0; k < 36; k += 3) {
        obj << (k == 0 ? "o a\nusemtl red\n" : k == 30 ? "o b\nusemtl blue\n" : "");
        obj << "f " << k + 1 << "/1/1 " << k + 2 << "/1/1 " << k + 3 << "/1/1\n";
    }
    return obj.str();
}

GLint attribInt(GLuint index, GLenum what) {
    GLint value = -1;
    glGetVertexAttribiv(index, what, &value);
    return value;
}

GLint bufferSize(GLuint buffer) {
    GLint size = -1;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return size;
}

GLint currentInt(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}

class MeshLoadTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(gl);
        enterSourceDir();
        dir.write("two.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n");
        path = dir.write("two.obj", twoMeshObj());
        planet = std::make_unique<ShaderProgram>("shaders/planet_shader");
        planet->bindOutputAndRelink("out_color");
        ASSERT_NE(planet->program, 0u);
    }
    GlContext gl;
    TempDir dir;
    std::string path;
    std::unique_ptr<ShaderProgram> planet;
};

} // namespace

TEST_F(MeshLoadTest, UploadsFourBuffersAndBindsTheProgramsInputs) {
    int count = -1;
    GLuint buffers[4] = {0, 0, 0, 0};
    GLuint vao = 0;
    std::string err;
    ShaderProgram* returned = nullptr;
    err = captureStderr(
        [&] { returned = Mesh::load(planet.get(), path, count, buffers, vao, true, true); });
    EXPECT_EQ(err, "");
    EXPECT_EQ(returned, planet.get());
    EXPECT_EQ(count, 36);
    EXPECT_EQ(currentInt(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(currentInt(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(currentInt(GL_CURRENT_PROGRAM), 0);

    glBindVertexArray(vao);
    const char* names[4] = {"in_position", "in_color", "in_normal", "in_texture_coords"};
    for (int i = 0; i < 4; ++i) {
        const GLint location = glGetAttribLocation(planet->program, names[i]);
        ASSERT_GE(location, 0) << names[i];
        const GLuint index = static_cast<GLuint>(location);
        EXPECT_EQ(attribInt(index, GL_VERTEX_ATTRIB_ARRAY_ENABLED), 1) << names[i];
        EXPECT_EQ(attribInt(index, GL_VERTEX_ATTRIB_ARRAY_SIZE), 4) << names[i];
        EXPECT_EQ(attribInt(index, GL_VERTEX_ATTRIB_ARRAY_TYPE), GL_FLOAT) << names[i];
        EXPECT_EQ(attribInt(index, GL_VERTEX_ATTRIB_ARRAY_STRIDE), 0) << names[i];
        EXPECT_EQ(attribInt(index, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED), 0) << names[i];
        EXPECT_EQ(attribInt(index, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING),
                  static_cast<GLint>(buffers[i]))
            << names[i];
        EXPECT_EQ(bufferSize(buffers[i]), 36 * 16) << names[i];
    }
    glBindVertexArray(0);

    // The colours as uploaded: the block boundary between the two meshes.
    float colours[36 * 4];
    glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof colours, colours);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(colours[29 * 4 + 0], 1.0f);
    EXPECT_EQ(colours[29 * 4 + 2], 0.0f);
    EXPECT_EQ(colours[30 * 4 + 0], 0.0f);
    EXPECT_EQ(colours[30 * 4 + 2], 1.0f);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(MeshLoadTest, SunCaseBindsOnlyPositionAndColour) {
    struct Case {
        const char* name;
        const char* shader;
    };
    for (const Case& c : {Case{"with the model program", "shaders/planet_shader"},
                          Case{"with the sun program", "shaders/sun_shader"}}) {
        ShaderProgram program(c.shader);
        program.bindOutputAndRelink("out_color");
        int count = -1;
        GLuint buffers[4] = {0, 0, 0, 0};
        GLuint vao = 0;
        Mesh::load(&program, path, count, buffers, vao, false, false);
        EXPECT_EQ(count, 36) << c.name;
        for (int i = 0; i < 4; ++i) {
            EXPECT_NE(buffers[i], 0u) << c.name << ": buffer " << i << " is always created";
        }
        EXPECT_EQ(bufferSize(buffers[0]), 36 * 16) << c.name;
        EXPECT_EQ(bufferSize(buffers[1]), 36 * 16) << c.name;
        EXPECT_EQ(bufferSize(buffers[2]), 0) << c.name;
        EXPECT_EQ(bufferSize(buffers[3]), 0) << c.name;
        glBindVertexArray(vao);
        GLint maxAttribs = 0;
        glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &maxAttribs);
        const GLint position = glGetAttribLocation(program.program, "in_position");
        const GLint colour = glGetAttribLocation(program.program, "in_color");
        for (GLint i = 0; i < maxAttribs; ++i) {
            const bool expected = i == position || i == colour;
            EXPECT_EQ(attribInt(static_cast<GLuint>(i), GL_VERTEX_ATTRIB_ARRAY_ENABLED),
                      expected ? 1 : 0)
                << c.name << ": attribute " << i;
        }
        glBindVertexArray(0);
        EXPECT_EQ(drainGlErrors(), "") << c.name;
    }
}

TEST_F(MeshLoadTest, BrokenFileGivesOneLineAndAnEmptyDrawableMesh) {
    const std::string missing = dir.file("missing.obj");
    int count = -1;
    GLuint buffers[4] = {0, 0, 0, 0};
    GLuint vao = 0;
    const std::string err =
        captureStderr([&] { Mesh::load(planet.get(), missing, count, buffers, vao, true, true); });
    EXPECT_EQ(err, "Mesh file " + missing + " could not be read: Unable to open file \"" + missing +
                       "\".\n");
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(glIsVertexArray(vao));
    glUseProgram(planet->program);
    glBindVertexArray(vao);
    glDrawArrays(GL_TRIANGLES, 0, count);
    glBindVertexArray(0);
    glUseProgram(0);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(MeshLoadTest, ProgramWithoutAnInputRaisesANumericError) {
    dir.write("plain.vert",
              "#version 330 core\nin vec4 in_position;\nin vec4 in_normal;\n"
              "in vec4 in_texture_coords;\nout vec4 c;\n"
              "void main() { gl_Position = in_position; c = in_normal + in_texture_coords; }\n");
    dir.write("plain.frag", "#version 330 core\nin vec4 c;\nout vec4 out_color;\n"
                            "void main() { out_color = c; }\n");
    ShaderProgram program(dir.path() + "/plain");
    program.bindOutputAndRelink("out_color");
    ASSERT_NE(program.program, 0u);
    int count = -1;
    GLuint buffers[4] = {0, 0, 0, 0};
    GLuint vao = 0;
    Mesh::load(&program, path, count, buffers, vao, true, true);
    EXPECT_EQ(count, 36);
    EXPECT_EQ(captureStderr([] { checkGlError(); }), "GL: Numeric argument out of range.\n");
    EXPECT_EQ(drainGlErrors(), "");
}
