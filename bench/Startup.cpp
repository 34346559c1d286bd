#include "Startup.h"

#include <GL/glew.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/Config.h"
#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/ShadowMap.h"
#include "app/Shell.h"
#include "app/Window.h"
#include "audio/SoundEngine.h"
#include "render/TextRenderer.h"
#include "world/Camera.h"
#include "world/SphereMath.h"
#include "world/World.h"

namespace {
long long realtimeNanos() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

double secondsSince(long long nanos) {
    return static_cast<double>(realtimeNanos() - nanos) * 1e-9;
}

// Seconds from the launch at which each step of the start-up ended.
struct Steps {
    long long start;
    std::string text;
    void mark(const char* what) {
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s %.3f", what, secondsSince(start));
        text += buf;
    }
};
} // namespace

int measureStartup(long long launchNanos) {
    const long long start = launchNanos != 0 ? launchNanos : realtimeNanos();
    Steps steps{start, ""};
    steps.mark("main");
    const ConfigResult config = readConfig("resources/config");
    if (!config.ok) {
        std::fprintf(stderr, "%s\n", config.error.c_str());
        return 1;
    }
    const int width = config.config.width;
    const int height = config.config.height;
    std::unique_ptr<Window> window = Window::open(width, height, false);
    if (!window) {
        std::fprintf(stderr, "no window (run under xvfb-run)\n");
        return 1;
    }
    glewExperimental = GL_TRUE;
    glewInit();
    setGlobalGlState();
    steps.mark("window");
    auto shadowMap = std::make_unique<ShadowMap>();
    auto text = std::make_unique<TextRenderer>("resources/font.tga");
    steps.mark("shadow+text");
    std::unique_ptr<SoundEngine> sound = SoundEngine::create();
    steps.mark("sound");
    auto world = std::make_unique<World>(sound.get(), &Window::time);
    world->camera->aspect = static_cast<float>(width) / static_cast<float>(height);
    for (int i = 0; i < 5; ++i) {
        world->spawnEnemy(randomDirection());
    }
    steps.mark("world");
    Shell shell(*world, width, height, &Window::time);
    shell.startTimers();
    renderFrame(*shadowMap, *world, width, height);
    glFinish();
    steps.mark("passes");
    shell.startScreenFrame(window->snapshot(), shell.frameTime());
    drawTexts(*text, {startPrompt()});
    window->swapBuffers();
    glFinish();
    const double firstFrame = secondsSince(start);

    const long long musicStart = realtimeNanos();
    sound->play2D("resources/track1.mp3", true, false, true);
    const double music = secondsSince(musicStart);
    std::printf("startup %.4f s to the first presented frame; music track started in %.4f s\n"
                "  steps ended at (s):%s\n",
                firstFrame, music, steps.text.c_str());
    world.reset();
    text.reset();
    shadowMap.reset();
    window.reset();
    return 0;
}
