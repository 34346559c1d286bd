#include <gtest/gtest.h>

#include "render/ShaderProgram.h"
#include "support/GlContext.h"

// Codes a driver would hand out, oldest first (Mesa keeps only one, so they are scripted here).
const GLenum codes[] = {0x0500, 0x0501, 0x0502, 0x0503, 0x0504, 0x0505, 0x0506, 0x0507};
static int fetched = 0;
static GLenum fakeGetError() {
    return fetched < 8 ? codes[fetched++] : GL_NO_ERROR;
}

TEST(GlError, EachCallPrintsTheLineOfOneCode) {
    fetched = 0;
    std::vector<std::string> printed;
    for (int i = 0; i < 9; ++i)
        printed.push_back(captureStderr([] { checkGlErrorFrom(fakeGetError); }));
    EXPECT_EQ(printed,
              std::vector<std::string>(
                  {"GL: enum argument out of range.\n", "GL: Numeric argument out of range.\n",
                   "GL: Operation illegal in current state.\n", "GL: Unknown error.\n",
                   "GL: Unknown error.\n", "GL: Not enough memory left to execute command.\n",
                   "GL: Framebuffer object is not complete.\n", "GL: Unknown error.\n", ""}));
}
