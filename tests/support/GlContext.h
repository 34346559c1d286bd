#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <functional>
#include <string>

// A hidden window with a current OpenGL 3.3 core, forward-compatible context (24 depth and
// 8 stencil bits) on the X display of the test run, with GLEW loaded. Tests check ok()
// first: without a display there is no context.
class GlContext {
public:
    explicit GlContext(int width = 64, int height = 64);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    bool ok() const { return window_ != nullptr; }
    GLFWwindow* window() const { return window_; }
    // Why ok() is false, for the test's failure message.
    const std::string& problem() const { return problem_; }

private:
    GLFWwindow* window_ = nullptr;
    std::string problem_;
};

// A GL test without a context fails with the reason instead of passing unnoticed.
#define ASSERT_GL_CONTEXT(ctx) ASSERT_TRUE((ctx).ok()) << (ctx).problem()

// What `call` writes to standard error / standard output.
std::string captureStderr(const std::function<void()>& call);
std::string captureStdout(const std::function<void()>& call);

// Every pending GL error code, oldest first, without printing them.
std::string drainGlErrors();
