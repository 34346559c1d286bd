#include <gtest/gtest.h>
#include <memory>

#include "render/ShaderProgram.h"
#include "support/Fixtures.h"
#include "support/GlContext.h"

namespace {

const char* kVertex = "#version 330 core\nin vec4 in_position;\n"
                      "void main() { gl_Position = in_position; }\n";
const char* kFragment = "#version 330 core\nout vec4 out_color;\n"
                        "void main() { out_color = vec4(1.0); }\n";

struct Output {
    std::string out, err;
};

Output build(std::unique_ptr<ShaderProgram>& shader, const std::string& base) {
    Output o;
    o.err = captureStderr(
        [&] { o.out = captureStdout([&] { shader = std::make_unique<ShaderProgram>(base); }); });
    return o;
}

class ShaderProgramTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(gl);
        enterSourceDir();
    }
    GlContext gl;
    TempDir dir;
};

} // namespace

TEST_F(ShaderProgramTest, GameProgramsBuildSilentlyWithTheirInterface) {
    struct Case {
        const char* base;
        const char* output;
        std::vector<const char*> inputs;
        std::vector<const char*> uniforms;
    };
    const Case cases[] = {
        {"shaders/planet_shader",
         "out_color",
         {"in_position", "in_color", "in_normal", "in_texture_coords"},
         {"MVP", "M", "V", "tex_mat", "transparency", "color_texture", "sm_texture"}},
        {"shaders/sun_shader", "out_color", {"in_position", "in_color"}, {"MVP"}},
        {"shaders/shadow_shader", "fragmentdepth", {"in_position"}, {"MVP"}},
        {"shaders/hud", "out_color", {"in_position", "in_uv"}, {"color_texture", "color"}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ShaderProgram> shader;
        Output o = build(shader, c.base);
        EXPECT_EQ(o.out + o.err, "") << c.base;
        EXPECT_TRUE(shader->ready) << c.base;
        EXPECT_NE(shader->program, 0u) << c.base;
        o.err = captureStderr(
            [&] { o.out = captureStdout([&] { shader->bindOutputAndRelink(c.output); }); });
        EXPECT_EQ(o.out + o.err, "") << c.base;
        ASSERT_NE(shader->program, 0u) << c.base;
        EXPECT_TRUE(shader->ready) << c.base;
        EXPECT_EQ(glGetFragDataLocation(shader->program, c.output), 0) << c.base;
        // Every input and uniform the draws use must survive the compiler's pruning.
        for (const char* input : c.inputs) {
            EXPECT_GE(glGetAttribLocation(shader->program, input), 0) << c.base << " " << input;
        }
        for (const char* uniform : c.uniforms) {
            EXPECT_GE(glGetUniformLocation(shader->program, uniform), 0)
                << c.base << " " << uniform;
        }
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, MissingFiles) {
    const std::string onlyVertex = dir.path() + "/only_vertex";
    dir.write("only_vertex.vert", kVertex);
    const std::string none = dir.path() + "/none";
    dir.write("only_fragment.frag", kFragment);
    const std::string onlyFragment = dir.path() + "/only_fragment";
    struct Case {
        const char* name;
        std::string base;
        std::string message;
    };
    const Case cases[] = {
        {"fragment missing", onlyVertex,
         "Fragment shader file " + onlyVertex + ".frag does not exist.\n"},
        {"both missing: only the vertex line", none,
         "Vertex shader file " + none + ".vert does not exist.\n"},
        {"vertex missing", onlyFragment,
         "Vertex shader file " + onlyFragment + ".vert does not exist.\n"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ShaderProgram> shader;
        const Output o = build(shader, c.base);
        EXPECT_EQ(o.err, c.message) << c.name;
        EXPECT_EQ(o.out, "") << c.name;
        EXPECT_FALSE(shader->ready) << c.name;
        EXPECT_EQ(shader->vertexShader, 0u) << c.name << ": nothing is compiled";
        EXPECT_EQ(shader->fragmentShader, 0u) << c.name;
        EXPECT_EQ(shader->program, 0u) << c.name;
        // bindOutputAndRelink on a program that never existed does nothing.
        const std::string quiet = captureStdout([&] { shader->bindOutputAndRelink("out_color"); });
        EXPECT_EQ(quiet, "") << c.name;
        EXPECT_EQ(shader->program, 0u) << c.name;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, CompileErrorPrintsCompileAndLinkMessages) {
    dir.write("broken.vert", "#version 330 core\nvoid main() { gl_Position = vec4(1.0) }\n");
    dir.write("broken.frag", kFragment);
    std::unique_ptr<ShaderProgram> shader;
    const Output o = build(shader, dir.path() + "/broken");
    EXPECT_EQ(o.err, "");
    const std::string compile = "Shader compilation failed.\n";
    const std::string link = "Shader linking failed.\n";
    ASSERT_EQ(o.out.compare(0, compile.size(), compile), 0) << o.out;
    const size_t linkAt = o.out.find(link);
    ASSERT_NE(linkAt, std::string::npos) << o.out;
    // The compiler's log sits between the two messages and the link log after the second.
    EXPECT_GT(linkAt, compile.size()) << o.out;
    EXPECT_GT(o.out.size(), linkAt + link.size()) << o.out;
    EXPECT_NE(shader->vertexShader, 0u) << "a shader that failed to compile is still returned";
    EXPECT_NE(shader->fragmentShader, 0u);
    EXPECT_EQ(shader->program, 0u);
    EXPECT_FALSE(shader->ready);
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, EmptyLogsPrintNothing) {
    dir.write("ok.vert", kVertex);
    dir.write("ok.frag", kFragment);
    std::unique_ptr<ShaderProgram> shader;
    build(shader, dir.path() + "/ok");
    ASSERT_NE(shader->program, 0u);
    GLint length = -1;
    glGetShaderiv(shader->vertexShader, GL_INFO_LOG_LENGTH, &length);
    ASSERT_EQ(length, 0) << "this driver logs successful compiles; the case cannot be shown";
    EXPECT_EQ(captureStdout([&] { shader->printShaderLog(shader->vertexShader); }), "");
    glGetProgramiv(shader->program, GL_INFO_LOG_LENGTH, &length);
    ASSERT_EQ(length, 0);
    EXPECT_EQ(captureStdout([&] { shader->printProgramLog(shader->program); }), "");
}

TEST_F(ShaderProgramTest, CheckGlErrorReportsTheRealPendingError) {
    glEnable(0x1234);
    EXPECT_EQ(captureStderr([] { checkGlError(); }), "GL: enum argument out of range.\n");
    EXPECT_EQ(captureStderr([] { checkGlError(); }), "");
}

TEST_F(ShaderProgramTest, DestructorDeletesItsObjects) {
    dir.write("ok.vert", kVertex);
    dir.write("ok.frag", kFragment);
    GLuint program = 0, vertex = 0, fragment = 0;
    {
        ShaderProgram shader(dir.path() + "/ok");
        shader.bindOutputAndRelink("out_color");
        program = shader.program;
        vertex = shader.vertexShader;
        fragment = shader.fragmentShader;
        ASSERT_TRUE(glIsProgram(program));
    }
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
}
