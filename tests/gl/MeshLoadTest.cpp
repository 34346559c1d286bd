#include <gtest/gtest.h>
#include <memory>

#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "support/GlContext.h"

namespace {

GLint attrib(GLuint index, GLenum what) {
    GLint value = -1;
    glGetVertexAttribiv(index, what, &value);
    return value;
}

std::vector<float> bufferData(GLuint buffer) {
    GLint size = -1;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    std::vector<float> data(size > 0 ? size_t(size) / sizeof(float) : 0);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, size, data.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return data;
}

class MeshLoadTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        // 30 vertices in red, then 6 in blue, each with a normal and a texture coordinate.
        std::string obj = "mtllib two.mtl\nvn 0 0 1\nvt 0.5 0.25\n";
        for (int k = 0; k < 36; ++k)
            obj += "v " + std::to_string(k) + " 0 0\n";
        for (int k = 1; k < 36; k += 3) {
            obj += k == 1 ? "o a\nusemtl red\n" : k == 31 ? "o b\nusemtl blue\n" : "";
            obj += "f " + std::to_string(k) + "/1/1 " + std::to_string(k + 1) + "/1/1 " +
                   std::to_string(k + 2) + "/1/1\n";
        }
        dir.write("two.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n");
        path = dir.write("two.obj", obj);
    }
    std::string path;
    int count = -1;
    GLuint buffers[4] = {0, 0, 0, 0};
    GLuint vao = 0;
};

} // namespace

TEST_F(MeshLoadTest, UploadsFourBuffersAndBindsOnlyTheAttributesAskedFor) {
    const struct {
        const char* name;
        const char* shader;
        bool withAll;
    } cases[] = {
        {"model program, all attributes", "shaders/planet_shader", true},
        {"sun case with the model program", "shaders/planet_shader", false},
        {"sun case with the sun program", "shaders/sun_shader", false},
    };
    const char* names[4] = {"in_position", "in_color", "in_normal", "in_texture_coords"};
    for (const auto& c : cases) {
        ShaderProgram program(c.shader);
        program.bindOutputAndRelink("out_color");
        ASSERT_NE(program.program, 0u) << c.name;
        EXPECT_EQ(captureStderr([&] {
                      EXPECT_EQ(
                          Mesh::load(&program, path, count, buffers, vao, c.withAll, c.withAll),
                          &program);
                  }),
                  "")
            << c.name;
        EXPECT_EQ(count, 36) << c.name;
        for (GLenum binding :
             {GL_VERTEX_ARRAY_BINDING, GL_ARRAY_BUFFER_BINDING, GL_CURRENT_PROGRAM}) {
            EXPECT_EQ(glState(binding), 0) << c.name << " " << std::hex << binding;
        }
        // The uploaded data is the file as read, in buffers 0 to 3; those not asked for stay empty.
        const MeshData data = readMeshFile(path, true, true, nullptr);
        const std::vector<float>* expected[4] = {&data.positions, &data.colours, &data.normals,
                                                 &data.texCoords};
        for (int i = 0; i < 4; ++i) {
            EXPECT_NE(buffers[i], 0u) << c.name << ": buffer " << i << " is always created";
            EXPECT_EQ(bufferData(buffers[i]),
                      i < 2 || c.withAll ? *expected[i] : std::vector<float>())
                << c.name << " buffer " << i;
        }
        glBindVertexArray(vao);
        GLint enabled[32] = {};
        for (int i = 0; i < (c.withAll ? 4 : 2); ++i) {
            const GLint location = glGetAttribLocation(program.program, names[i]);
            ASSERT_GE(location, 0) << c.name << " " << names[i];
            const GLuint index = GLuint(location);
            enabled[index] = 1;
            for (auto [what, value] :
                 {std::pair{GL_VERTEX_ATTRIB_ARRAY_SIZE, 4},
                  {GL_VERTEX_ATTRIB_ARRAY_TYPE, GL_FLOAT},
                  {GL_VERTEX_ATTRIB_ARRAY_STRIDE, 0},
                  {GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, 0},
                  {GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, GLint(buffers[i])}}) {
                EXPECT_EQ(attrib(index, what), value) << c.name << " " << names[i] << " " << what;
            }
        }
        for (int i = 0; i < std::min(glState(GL_MAX_VERTEX_ATTRIBS), 32); ++i) {
            EXPECT_EQ(attrib(GLuint(i), GL_VERTEX_ATTRIB_ARRAY_ENABLED), enabled[i])
                << c.name << ": attribute " << i;
        }
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vao);
        glDeleteBuffers(4, buffers);
        EXPECT_EQ(drainGlErrors(), "") << c.name;
    }
}

TEST_F(MeshLoadTest, BrokenFileGivesOneLineAndAnEmptyDrawableMesh) {
    ShaderProgram planet("shaders/planet_shader");
    const std::string missing = dir.file("missing.obj");
    EXPECT_EQ(captureStderr([&] { Mesh::load(&planet, missing, count, buffers, vao, true, true); }),
              "Mesh file " + missing + " could not be read: Unable to open file \"" + missing +
                  "\".\n");
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(glIsVertexArray(vao));
    glUseProgram(planet.program);
    glBindVertexArray(vao);
    glDrawArrays(GL_TRIANGLES, 0, count);
    glBindVertexArray(0);
    glUseProgram(0);
    EXPECT_EQ(drainGlErrors(), "");
}
