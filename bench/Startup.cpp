#include "Startup.h"

#include <GL/glew.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/Config.h"
#include "app/Game.h"
#include "app/GlState.h"
#include "app/Window.h"
#include "audio/SoundEngine.h"

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
    std::unique_ptr<Game> game =
        Game::create(width, height, &Window::time, &SoundEngine::create, Graphics::On, 1);
    if (!game) {
        return 1;
    }
    steps.mark("game");
    game->startScreenFrame(*window);
    glFinish();
    const double firstFrame = secondsSince(start);

    const long long musicStart = realtimeNanos();
    game->sound().play2D("resources/track1.mp3", true, false, true);
    const double music = secondsSince(musicStart);
    std::printf("startup %.4f s to the first presented frame; music track started in %.4f s\n"
                "  steps ended at (s):%s\n",
                firstFrame, music, steps.text.c_str());
    game.reset();
    window.reset();
    return 0;
}
