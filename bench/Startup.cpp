#include "Startup.h"

#include <GL/glew.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "app/Config.h"
#include "app/Game.h"
#include "app/GlState.h"
#include "app/Window.h"
#include "audio/SoundEngine.h"
#include "render/RenderStore.h"

namespace {
long long realtimeNanos() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

double secondsSince(long long nanos) {
    return static_cast<double>(realtimeNanos() - nanos) * 1e-9;
}

// Processor seconds the process has used so far, on all its threads: steadier than the clock
// on a machine that other work keeps busy.
double processorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Seconds from the launch at which each step of the start-up ended, and the processor seconds
// used by then.
struct Steps {
    long long start;
    std::string text;
    void mark(const char* what) {
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s %.3f (processor %.3f)", what, secondsSince(start),
                      processorSeconds());
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
    const double gameStart = secondsSince(start);
    std::unique_ptr<Game> game =
        Game::create(width, height, &Window::time, &SoundEngine::create, Graphics::On, 1);
    if (!game) {
        return 1;
    }
    steps.mark("game");
    const double gameSeconds = secondsSince(start) - gameStart;
    game->startScreenFrame(*window);
    glFinish();
    steps.mark("frame");
    const double firstFrame = secondsSince(start);

    const long long musicStart = realtimeNanos();
    game->sound().play2D("resources/track1.mp3", true, false, true);
    const double music = secondsSince(musicStart);
    const RenderStore::BuildSeconds& built = game->renderStore()->buildSeconds();
    std::printf(
        "startup %.4f s to the first presented frame; music track started in %.4f s\n"
        "  steps ended at (s):%s\n"
        "  the game's %.3f s (s): programs %.3f meshes %.3f textures %.3f, the rest (shadow "
        "map, text, sound, world) %.3f\n",
        firstFrame, music, steps.text.c_str(), gameSeconds, built.programs, built.meshes,
        built.textures, gameSeconds - built.programs - built.meshes - built.textures);
    game.reset();
    window.reset();
    return 0;
}
