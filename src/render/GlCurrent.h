#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>

// Owners delete their GL names only while a context is current and GLEW has loaded the
// entry points: objects that outlive the window (or were never given one) must not call
// through null or foreign function pointers on their way out.
inline bool glDeleteIsSafe() {
    return glfwGetCurrentContext() != nullptr && glDeleteBuffers;
}
