#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "support/Fixtures.h"

// A hidden window with a current OpenGL 3.3 core context as the game asks for, GLEW loaded.
struct GlContext {
    explicit GlContext(int width = 64, int height = 64);
    ~GlContext() { glfwDestroyWindow(window); }
    bool ok() const { return window != nullptr && problem.empty(); }
    GLFWwindow* window = nullptr;
    std::string problem; // why ok() is false
};
// Without a display the test fails with the reason instead of passing unnoticed.
#define ASSERT_GL_CONTEXT(ctx) ASSERT_TRUE((ctx).ok()) << (ctx).problem

// A 64 x 64 context, the source tree as working directory and a temporary directory.
class GlTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(gl);
        enterSourceDir();
    }
    GlContext gl;
    TempDir dir;
};

// An off-screen RGBA8 + depth target, cleared to 0 and bound with its viewport while it lives
// (a hidden window's own framebuffer need not hold pixels).
struct Framebuffer {
    Framebuffer(int width, int height);
    ~Framebuffer();
    std::array<int, 4> pixel(int x, int y) const; // (r, g, b, a), y counted from the bottom
    GLuint names[3] = {0, 0, 0};                  // framebuffer, colour, depth
};

// The lines the game reports on standard error (or standard output) during `call`, read from
// the reporter's sink; each file may be reported again in it.
std::string captureStderr(const std::function<void()>& call, bool stdout_ = false);
inline std::string captureStdout(const std::function<void()>& call) {
    return captureStderr(call, true);
}
// Live buffers, vertex arrays, textures and programs: every name below the next free one is
// probed, as Mesa does not hand out freed names again at once.
std::array<int, 4> liveGlNames();
// Every pending GL error code, oldest first ("0x0500 0x0502").
std::string drainGlErrors();
inline GLint glState(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}
