#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "support/Fixtures.h"

// A hidden window with a current OpenGL 3.3 core, forward-compatible context (24 depth and
// 8 stencil bits) on the test run's X display, with GLEW loaded.
class GlContext {
public:
    explicit GlContext(int width = 64, int height = 64);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    bool ok() const { return window_ != nullptr; }
    GLFWwindow* window() const { return window_; }
    const std::string& problem() const { return problem_; } // why ok() is false

private:
    GLFWwindow* window_ = nullptr;
    std::string problem_;
};

// Without a display the test fails with the reason instead of passing unnoticed.
#define ASSERT_GL_CONTEXT(ctx) ASSERT_TRUE((ctx).ok()) << (ctx).problem()

// A test with a 64 x 64 context, the source tree as working directory and a temporary
// directory. Fixtures that extend SetUp call it first and stop on its fatal failure.
class GlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GL_CONTEXT(gl);
        enterSourceDir();
    }
    GlContext gl;
    TempDir dir;
};

// An off-screen RGBA8 + 24-bit depth target, cleared to 0 and bound with its viewport while
// it lives (the hidden window's own framebuffer need not hold pixels).
class Framebuffer {
public:
    Framebuffer(int width, int height);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    bool complete() const { return complete_; }
    // (r, g, b, a) at column x, row y counted from the bottom.
    std::array<int, 4> pixel(int x, int y) const;

private:
    GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
    bool complete_ = false;
};

// What `call` writes to standard error / standard output.
std::string captureStderr(const std::function<void()>& call);
std::string captureStdout(const std::function<void()>& call);
// Every pending GL error code, oldest first ("0x0500 0x0502"), without printing them.
std::string drainGlErrors();
// glGetIntegerv of one value.
GLint glState(GLenum what);
