#include <gtest/gtest.h>
#include <memory>
#include <regex>

#include "render/ShaderProgram.h"
#include "support/GlContext.h"

using ShaderProgramGl = GlTest;

// The game's own programs are built and drawn with by the model and text tests.
TEST_F(ShaderProgramGl, MissingOrBrokenFilesAreReportedOnceAndLeaveNoProgram) {
    const std::string frag = "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    dir.write("v.vert", "#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    dir.write("f.frag", frag);
    dir.write("broken.frag", frag);
    dir.write("broken.vert", "#version 330 core\nvoid main() { gl_Position = vec4(1.0) }\n");
    // Standard output, "|", standard error: only the first missing file is named; a compile
    // error prints the compiler's log after the first line and the link log after the second.
    for (auto [base, expected] :
         {std::pair{"v", "\\|Fragment shader file /.*/v\\.frag does not exist\\.\n"},
          {"none", "\\|Vertex shader file /.*/none\\.vert does not exist\\.\n"},
          {"f", "\\|Vertex shader file /.*/f\\.vert does not exist\\.\n"},
          {"broken",
           "Shader compilation failed\\.\n[\\s\\S]+\nShader linking failed\\.\n[\\s\\S]+\\|"}}) {
        std::unique_ptr<ShaderProgram> shader;
        std::string out;
        const std::string err = captureStderr([&] {
            out = captureStdout([&] { shader = std::make_unique<ShaderProgram>(dir.file(base)); });
        });
        EXPECT_TRUE(std::regex_match(out + "|" + err, std::regex(expected))) << out << "|" << err;
        shader->bindOutputAndRelink("c"); // relinking no program does nothing
        EXPECT_FALSE(shader->ready || shader->program) << base;
    }
    EXPECT_EQ(drainGlErrors(), "");
}
