#include <gtest/gtest.h>
#include <memory>

#include "render/ShaderProgram.h"
#include "support/GlContext.h"

namespace {

class ShaderProgramTest : public GlTest {
  protected:
    // Standard output, "|", then standard error of building base's program.
    std::string build(const std::string& base) {
        std::string out;
        const std::string err = captureStderr(
            [&] { out = captureStdout([&] { shader = std::make_unique<ShaderProgram>(base); }); });
        return out + "|" + err;
    }
    std::unique_ptr<ShaderProgram> shader;
};

} // namespace

// What they draw is checked by the model and text tests.
TEST_F(ShaderProgramTest, GameProgramsBuildSilentlyWithTheirOutputInSlotZero) {
    for (auto [base, output] : {std::pair{"shaders/planet_shader", "out_color"},
                                {"shaders/sun_shader", "out_color"},
                                {"shaders/shadow_shader", "fragmentdepth"},
                                {"shaders/hud", "out_color"}}) {
        EXPECT_EQ(build(base), "|") << base;
        EXPECT_EQ(captureStdout([&, output = output] { shader->bindOutputAndRelink(output); }), "");
        EXPECT_TRUE(shader->ready) << base;
        EXPECT_EQ(glGetFragDataLocation(shader->program, output), 0) << base;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, MissingFilesGiveOnlyTheFirstMissingLineAndNoProgram) {
    const std::string v = dir.file("v"), none = dir.file("none"), f = dir.file("f");
    dir.write("v.vert", "#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    dir.write("f.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    for (auto [base, message] :
         {std::pair{v, "Fragment shader file " + v + ".frag does not exist.\n"},
          {none, "Vertex shader file " + none + ".vert does not exist.\n"},
          {f, "Vertex shader file " + f + ".vert does not exist.\n"}}) {
        EXPECT_EQ(build(base), "|" + message);
        EXPECT_EQ(shader->vertexShader + shader->fragmentShader + shader->program, 0u) << base;
        shader->bindOutputAndRelink("out_color"); // relinking no program does nothing
        EXPECT_FALSE(shader->ready || shader->program) << base;
    }
    EXPECT_EQ(drainGlErrors(), "");
}

TEST_F(ShaderProgramTest, CompileErrorPrintsCompileAndLinkLogsAndLeavesNoProgram) {
    dir.write("broken.vert", "#version 330 core\nvoid main() { gl_Position = vec4(1.0) }\n");
    dir.write("broken.frag", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    // The compiler's log after the first line, the link log after the second, no stderr.
    const std::string output = build(dir.file("broken"));
    const std::string compile = "Shader compilation failed.\n", link = "\nShader linking failed.\n";
    ASSERT_EQ(output.rfind(compile, 0), 0u) << output;
    const size_t linkAt = output.find(link);
    EXPECT_TRUE(linkAt != std::string::npos && linkAt > compile.size()) << output;
    EXPECT_GT(output.size() - 1, linkAt + link.size()) << output;
    EXPECT_EQ(output.back(), '|') << output;
    EXPECT_FALSE(shader->ready || shader->program);
    EXPECT_EQ(drainGlErrors(), "");
}
