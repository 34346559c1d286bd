#include "support/GlContext.h"

#include "app/ContextHints.h"

#include <cstdio>
#include <iostream>

GlContext::GlContext(int width, int height) {
    if (!glfwInit()) {
        problem_ = "glfwInit failed (is DISPLAY set to a running X server?)";
        return;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    requestGameContext();
    window_ = glfwCreateWindow(width, height, "quorvex-test", nullptr, nullptr);
    if (window_ == nullptr) {
        problem_ = "glfwCreateWindow failed for a 3.3 core context";
        return;
    }
    makeContextCurrent(window_);
    glewExperimental = GL_TRUE;
    if (const GLenum result = glewInit(); result != GLEW_OK) {
        problem_ = "glewInit failed: " + std::string((const char*)glewGetErrorString(result));
        glfwDestroyWindow(window_);
        window_ = nullptr;
        return;
    }
    glGetError();  // glewInit may leave one error in a core profile
}

GlContext::~GlContext() {
    if (window_ == nullptr) return;
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(window_);
}

Framebuffer::Framebuffer(int width, int height) {
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Framebuffer::~Framebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &depth_);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteFramebuffers(1, &framebuffer_);
}

std::array<int, 4> Framebuffer::pixel(int x, int y) const {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

static std::string capture(const std::function<void()>& call, bool err) {
    std::cout.flush();
    std::cerr.flush();
    err ? testing::internal::CaptureStderr() : testing::internal::CaptureStdout();
    call();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    return err ? testing::internal::GetCapturedStderr() : testing::internal::GetCapturedStdout();
}

std::string captureStderr(const std::function<void()>& call) { return capture(call, true); }
std::string captureStdout(const std::function<void()>& call) { return capture(call, false); }

std::string drainGlErrors() {
    std::string codes;
    char text[16];
    for (GLenum code = glGetError(); code != GL_NO_ERROR && codes.size() < 64 * 7;
         code = glGetError()) {
        std::snprintf(text, sizeof text, "%s0x%04X", codes.empty() ? "" : " ", code);
        codes += text;
    }
    return codes;
}

GLint glState(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}
