#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/Config.h"
#include "app/Game.h"
#include "app/GlState.h"
#include "app/Options.h"
#include "app/Places.h"
#include "app/Playback.h"
#include "app/ResultsFile.h"
#include "app/SettingsFile.h"
#include "app/Window.h"
#include "audio/Sound.h"
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

// --check: the replay played back as fast as it goes, without a window or sound.
int checkReplay(Replay replay, const std::string& name) {
    std::unique_ptr<Game> game = Game::create(
        1, 1, [] { return 0.0; }, &SoundEngine::createSilent, Graphics::Off, replay.seed);
    const std::size_t frames = replay.frames.size(), checks = replay.checks.size();
    game->watch(std::move(replay), name);
    if (!game->playback()->checkAll(game->shell()))
        return 1;
    report(ReportStream::Out, name + ": as recorded (" + std::to_string(frames) + " frames, " +
                                  std::to_string(checks) + " checks)");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const OptionsResult parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        report(ReportStream::Err, "quorvex: " + parsed.error);
        report(ReportStream::Err, usageLine());
        return kUsageExitStatus;
    }
    const Options& options = parsed.options;
    if (options.help || options.version) {
        report(ReportStream::Out, options.help ? helpText() : versionText());
        return 0;
    }
    // A replay is read first: its name is the player's, from where the command was started.
    ReplayRead replay;
    if (!options.replay.empty()) {
        replay = readReplayFile(options.replay);
        if (!replay.ok) {
            report(ReportStream::Err, "quorvex: " + options.replay + ": " + replay.problem);
            return kConfigExitStatus;
        }
        if (options.check)
            return checkReplay(replay.replay, options.replay);
    }
    // A seed fixes every random choice of the run, so that a start can be played again.
    std::uint64_t seed = freshSeed();
    std::string seedError;
    if (!chooseSeed(options, std::getenv("QUORVEX_SEED"), seed, seedError)) {
        report(ReportStream::Err, seedError);
        return kConfigExitStatus;
    }

    const Places places =
        findPlaces(options, currentSurroundings(argv[0]), installedDataFromCommand());
    if (!places.problem.empty()) {
        report(ReportStream::Err, "quorvex: " + places.problem);
        return kDataExitStatus;
    }
    const ConfigResult config = readConfig(places.config);
    if (!config.ok) {
        report(ReportStream::Err, config.error);
        return kConfigExitStatus;
    }
    const GameConfig chosen = withOptions(config.config, options);
    // The models name their files "resources/..." and "shaders/...": the data folder becomes
    // the working directory once everything else has been read or made absolute.
    if (!places.dataDir.empty() && chdir(places.dataDir.c_str()) != 0) {
        report(ReportStream::Err,
               "quorvex: cannot enter " + places.dataDir + ": " + std::strerror(errno));
        return kDataExitStatus;
    }
    SettingsFile settingsFile(places.stateDir.empty() ? "" : places.stateDir + "/settings");

    std::unique_ptr<Window> window = Window::open(chosen.width, chosen.height, chosen.fullscreen);
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

    const bool watching = replay.ok;
    std::unique_ptr<Game> game =
        Game::create(chosen.width, chosen.height, &Window::time, &SoundEngine::create, Graphics::On,
                     watching ? replay.replay.seed : seed);
    if (!game)
        return 0;
    ResultsFile results(places.resultsDir.empty() ? "" : places.resultsDir + "/results");
    if (watching) {
        game->watch(std::move(replay.replay), options.replay);
    } else {
        results.load();
        game->keepResults(&results);
    }
    while (game->onStartScreen())
        game->startScreenFrame(*window);
    game->startMusic();
    if (Sound* music = game->music())
        music->setVolume(settingsFile.settings().musicVolume);
    while (game->running())
        watching ? game->replayFrame(*window) : game->gameFrame(*window);
    if (Sound* music = game->music()) {
        Settings settings = settingsFile.settings();
        settings.musicVolume = music->getVolume();
        settingsFile.save(settings);
    }

    // The GL objects go while their context still exists.
    game.reset();
    window.reset();
    glfwTerminate();
    return 0;
}
