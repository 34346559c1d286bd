#include "support/GlContext.h"

#include "app/ContextHints.h"
#include "io/Report.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <tuple>

GlContext::GlContext(int width, int height) {
    if (!glfwInit()) {
        problem = "glfwInit failed (is DISPLAY set to a running X server?)";
        return;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    requestGameContext();
    window = glfwCreateWindow(width, height, "quorvex-test", nullptr, nullptr);
    problem = window ? "" : "glfwCreateWindow failed for a 3.3 core context";
    if (!window)
        return;
    makeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        problem = "glewInit failed";
    glGetError(); // glewInit may leave one error in a core profile
}

Framebuffer::Framebuffer(int width, int height) {
    glGenFramebuffers(1, &names[0]);
    glBindFramebuffer(GL_FRAMEBUFFER, names[0]);
    glGenRenderbuffers(2, &names[1]);
    for (auto [i, format, at] : {std::tuple{1, GL_RGBA8, GL_COLOR_ATTACHMENT0},
                                 {2, GL_DEPTH_COMPONENT24, GL_DEPTH_ATTACHMENT}}) {
        glBindRenderbuffer(GL_RENDERBUFFER, names[i]);
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, at, GL_RENDERBUFFER, names[i]);
    }
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Framebuffer::~Framebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, &names[1]);
    glDeleteFramebuffers(1, &names[0]);
}

std::array<int, 4> Framebuffer::pixel(int x, int y) const {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, names[0]);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

namespace {
std::string* captures[2] = {nullptr, nullptr}; // standard output, standard error

// Lines outside a capture still reach the test's log.
void captureOrPrint(ReportStream stream, const std::string& line) {
    const bool out = stream == ReportStream::Out;
    if (captures[out ? 0 : 1])
        *captures[out ? 0 : 1] += line + "\n";
    else
        (out ? std::cout : std::cerr) << line << std::endl;
}
} // namespace

std::string captureStderr(const std::function<void()>& call, bool stdout_) {
    // One sink for the whole run, as in the game: a file is reported once per run.
    [[maybe_unused]] static const bool installed = (setReportSink(captureOrPrint), true);
    std::string lines;
    std::string*& capture = captures[stdout_ ? 0 : 1];
    std::string* const outer = capture;
    capture = &lines;
    call();
    capture = outer;
    return lines;
}

std::array<int, 4> liveGlNames() {
    GLuint top[4] = {0, 0, 0, glCreateProgram()};
    glGenBuffers(1, &top[0]);
    glGenVertexArrays(1, &top[1]);
    glGenTextures(1, &top[2]);
    std::array<int, 4> live{};
    for (GLuint i = 1; i < std::max({top[0], top[1], top[2], top[3]}); ++i)
        live = {live[0] + glIsBuffer(i), live[1] + glIsVertexArray(i), live[2] + glIsTexture(i),
                live[3] + (i < top[3] && glIsProgram(i))};
    glDeleteBuffers(1, &top[0]);
    glDeleteVertexArrays(1, &top[1]);
    glDeleteTextures(1, &top[2]);
    glDeleteProgram(top[3]);
    return live;
}

std::string drainGlErrors() {
    std::string codes;
    char text[16];
    for (GLenum code; (code = glGetError()) != GL_NO_ERROR && codes.size() < 64 * 7;) {
        std::snprintf(text, sizeof text, "%s0x%04X", codes.empty() ? "" : " ", code);
        codes += text;
    }
    return codes;
}
