#include <deque>
#include <gtest/gtest.h>

#include "render/ShaderProgram.h"
#include "support/GlContext.h"

namespace {

// Codes a driver would hand out, oldest first (Mesa keeps only one, so two are scripted here).
std::deque<GLenum> pending;
int fetches = 0;

GLenum fakeGetError() {
    ++fetches;
    if (pending.empty())
        return GL_NO_ERROR;
    const GLenum code = pending.front();
    pending.pop_front();
    return code;
}

std::string check() {
    return captureStderr([] { checkGlErrorFrom(fakeGetError); });
}

} // namespace

TEST(GlError, EachCodePrintsItsLine) {
    const struct {
        GLenum code;
        const char* message;
    } cases[] = {
        {GL_NO_ERROR, ""},
        {0x0500, "GL: enum argument out of range."},
        {0x0501, "GL: Numeric argument out of range."},
        {0x0502, "GL: Operation illegal in current state."},
        {0x0503, "GL: Unknown error."},
        {0x0504, "GL: Unknown error."},
        {0x0505, "GL: Not enough memory left to execute command."},
        {0x0506, "GL: Framebuffer object is not complete."},
        {0x0507, "GL: Unknown error."},
    };
    for (const auto& c : cases) {
        pending = {c.code};
        EXPECT_EQ(check(), *c.message ? std::string(c.message) + "\n" : "") << std::hex << c.code;
    }
}

TEST(GlError, OneCodePerCall) {
    pending = {GL_INVALID_ENUM, GL_INVALID_OPERATION};
    fetches = 0;
    EXPECT_EQ(check(), "GL: enum argument out of range.\n");
    EXPECT_EQ(fetches, 1);
    EXPECT_EQ(check(), "GL: Operation illegal in current state.\n");
    EXPECT_EQ(check(), "");
    EXPECT_EQ(fetches, 3);
}
