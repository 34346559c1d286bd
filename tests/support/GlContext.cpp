#include "support/GlContext.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>

GlContext::GlContext(int width, int height) {
    if (!glfwInit()) {
        problem_ = "glfwInit failed (is DISPLAY set to a running X server?)";
        return;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    window_ = glfwCreateWindow(width, height, "quorvex-test", nullptr, nullptr);
    if (window_ == nullptr) {
        problem_ = "glfwCreateWindow failed for a 3.3 core context";
        return;
    }
    glfwMakeContextCurrent(window_);
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    if (result != GLEW_OK) {
        problem_ = std::string("glewInit failed: ") +
                   reinterpret_cast<const char*>(glewGetErrorString(result));
        glfwDestroyWindow(window_);
        window_ = nullptr;
        return;
    }
    // glewInit asks for the extension string the core-profile way and may leave one error.
    glGetError();
}

GlContext::~GlContext() {
    if (window_ != nullptr) {
        glfwMakeContextCurrent(nullptr);
        glfwDestroyWindow(window_);
    }
}

std::string captureStderr(const std::function<void()>& call) {
    std::cerr.flush();
    testing::internal::CaptureStderr();
    call();
    std::cerr.flush();
    std::fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

std::string captureStdout(const std::function<void()>& call) {
    std::cout.flush();
    testing::internal::CaptureStdout();
    call();
    std::cout.flush();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

std::string drainGlErrors() {
    std::string codes;
    for (int i = 0; i < 64; ++i) {
        const GLenum code = glGetError();
        if (code == GL_NO_ERROR) {
            break;
        }
        char text[16];
        std::snprintf(text, sizeof text, "%s0x%04X", codes.empty() ? "" : " ", code);
        codes += text;
    }
    return codes;
}
