#pragma once

#include <GLFW/glfw3.h>

#include "render/GlCurrent.h"

// The context every window of the game asks for, also the tests' and benchmarks' hidden ones:
// OpenGL 3.3 core, forward-compatible, a 24-bit depth and an 8-bit stencil buffer, sRGB.
inline void requestGameContext() {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    glfwWindowHint(GLFW_SRGB_CAPABLE, GLFW_TRUE);
}

// Makes `window`'s context current and tells the render layer how to ask whether one is.
inline void makeContextCurrent(GLFWwindow* window) {
    glfwMakeContextCurrent(window);
    setCurrentContextQuery([] { return glfwGetCurrentContext() != nullptr; });
}
