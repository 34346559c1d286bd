#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Config.h"
#include "app/Game.h"
#include "app/GlState.h"
#include "app/ResultsFile.h"
#include "app/Window.h"
#include "audio/SoundEngine.h"
#include "io/Report.h"
#include "world/Random.h"

#if defined(__SANITIZE_ADDRESS__)
// In a sanitized build the in-process tests check our own objects for leaks. The game itself
// leaves the GL driver's allocations at exit, made from its JIT-compiled code, whose frames no
// suppression can name; memory and undefined-behaviour errors still end it with a failure.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
#endif

namespace {

// ${XDG_DATA_HOME:-~/.local/share}/quorvex/results; empty when neither gives a place.
std::string resultsPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/quorvex/results";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share/quorvex/results";
    return "";
}

} // namespace

int main() {
    // A seed fixes every random choice of the run, so that a start can be played again.
    std::uint64_t seed = freshSeed();
    if (const char* chosen = std::getenv("QUORVEX_SEED")) {
        if (!parseSeed(chosen, seed)) {
            report(ReportStream::Err,
                   std::string("QUORVEX_SEED: not a seed (decimal digits): ") + chosen);
            return kConfigExitStatus;
        }
    }

    const ConfigResult config = readConfig("resources/config");
    if (!config.ok) {
        report(ReportStream::Err, config.error);
        return kConfigExitStatus;
    }
    const int width = config.config.width;
    const int height = config.config.height;

    std::unique_ptr<Window> window = Window::open(width, height, config.config.fullscreen);
    if (!window) {
        report(ReportStream::Err, "Failed to initialize OpenGL window.");
        glfwTerminate();
        return 1;
    }
    window->setTitle("Quorvex");
    window->showCursor();

    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK) {
        report(ReportStream::Err, std::string("Error: ") + reinterpret_cast<const char*>(
                                                               glewGetErrorString(glewStatus)));
    }
    setGlobalGlState();

    std::unique_ptr<Game> game =
        Game::create(width, height, &Window::time, &SoundEngine::create, Graphics::On, seed);
    if (!game)
        return 0;
    ResultsFile results(resultsPath());
    results.load();
    game->keepResults(&results);
    while (game->onStartScreen())
        game->startScreenFrame(*window);
    game->startMusic();
    while (game->running())
        game->gameFrame(*window);

    // The GL objects go while their context still exists.
    game.reset();
    window.reset();
    glfwTerminate();
    return 0;
}
