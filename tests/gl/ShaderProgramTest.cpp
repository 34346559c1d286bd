#include <gtest/gtest.h>
#include <memory>

#include "render/ShaderProgram.h"
#include "support/GlContext.h"

namespace {

const char* kVertex = "#version 330 core\nin vec4 in_position;\n"
                      "void main() { gl_Position = in_position; }\n";
const char* kFragment = "#version 330 core\nout vec4 out_color;\n"
                        "void main() { out_color = vec4(1.0); }\n";

class ShaderProgramTest : public GlTest {
protected:
    // Builds base's program; returns standard output, then standard error.
    std::string build(const std::string& base) {
        std::string out;
        const std::string err = captureStderr(
            [&] { out = captureStdout([&] { shader = std::make_unique<ShaderProgram>(base); }); });
        return out + "|" + err;
    }
    std::unique_ptr<ShaderProgram> shader;
};

} // namespace

// Their inputs and uniforms are exercised by the drawing tests of the models and the text.
TEST_F(ShaderProgramTest, GameProgramsBuildAndRelinkSilently) {
    for (auto [base, output] : {std::pair{"shaders/planet_shader", "out_color"},
                                {"shaders/sun_shader", "out_color"},
                                {"shaders/shadow_shader", "fragmentdepth"},
                                {"shaders/hud", "out_color"}}) {
        EXPECT_EQ(build(base), "|") << base;
        EXPECT_TRUE(shader->ready) << base;
        EXPECT_EQ(captureStderr([&, output = output] {
                      EXPECT_EQ(captureStdout([&] { shader->bindOutputAndRelink(output); }), "");
                  }),
                  "")
            << base;
        ASSERT_NE(shader->program, 0u) << base;
        EXPECT_TRUE(shader->ready) << base;
        EXPECT_EQ(glGetFragDataLocation(shader->program, output), 0) << base;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, MissingFilesGiveOnlyTheFirstMissingLine) {
    dir.write("v.vert", kVertex);
    dir.write("f.frag", kFragment);
    const std::string v = dir.file("v"), none = dir.file("none"), f = dir.file("f");
    const struct {
        const char* name;
        std::string base, message;
    } cases[] = {
        {"fragment missing", v, "Fragment shader file " + v + ".frag does not exist.\n"},
        {"both missing", none, "Vertex shader file " + none + ".vert does not exist.\n"},
        {"vertex missing", f, "Vertex shader file " + f + ".vert does not exist.\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.base), "|" + c.message) << c.name;
        EXPECT_FALSE(shader->ready) << c.name;
        EXPECT_EQ(shader->vertexShader + shader->fragmentShader, 0u) << c.name << ": none compiled";
        EXPECT_EQ(shader->program, 0u) << c.name;
        // Relinking a program that never existed does nothing.
        EXPECT_EQ(captureStdout([&] { shader->bindOutputAndRelink("out_color"); }), "") << c.name;
        EXPECT_EQ(shader->program, 0u) << c.name;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, CompileErrorPrintsCompileAndLinkMessagesAndLeavesNoProgram) {
    dir.write("broken.vert", "#version 330 core\nvoid main() { gl_Position = vec4(1.0) }\n");
    dir.write("broken.frag", kFragment);
    const std::string output = build(dir.file("broken"));
    const std::string compile = "Shader compilation failed.\n", link = "\nShader linking failed.\n";
    // The compiler's log between the two messages, the link log after the second, no stderr.
    ASSERT_EQ(output.rfind(compile, 0), 0u) << output;
    const size_t linkAt = output.find(link);
    ASSERT_NE(linkAt, std::string::npos) << output;
    EXPECT_GT(linkAt, compile.size()) << output;
    EXPECT_GT(output.size() - 1, linkAt + link.size()) << output;
    EXPECT_EQ(output.back(), '|') << output;
    EXPECT_NE(shader->vertexShader, 0u) << "a shader that failed to compile is still kept";
    EXPECT_NE(shader->fragmentShader, 0u);
    EXPECT_EQ(shader->program, 0u);
    EXPECT_FALSE(shader->ready);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, EmptyLogsPrintNothingAndTheDestructorDeletesItsObjects) {
    dir.write("ok.vert", kVertex);
    dir.write("ok.frag", kFragment);
    build(dir.file("ok"));
    shader->bindOutputAndRelink("out_color");
    const GLuint program = shader->program, vertex = shader->vertexShader;
    const GLuint fragment = shader->fragmentShader;
    ASSERT_NE(program, 0u);
    GLint length = -1;
    glGetShaderiv(vertex, GL_INFO_LOG_LENGTH, &length);
    ASSERT_EQ(length, 0) << "this driver logs successful compiles; the case cannot be shown";
    EXPECT_EQ(captureStdout([&] { shader->printShaderLog(vertex); }), "");
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    ASSERT_EQ(length, 0);
    EXPECT_EQ(captureStdout([&] { shader->printProgramLog(program); }), "");
    shader.reset();
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
}

TEST_F(ShaderProgramTest, CheckGlErrorReportsTheRealPendingError) {
    glEnable(0x1234);
    EXPECT_EQ(captureStderr([] { checkGlError(); }), "GL: enum argument out of range.\n");
    EXPECT_EQ(captureStderr([] { checkGlError(); }), "");
}
