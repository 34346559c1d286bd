#include "app/Game.h"

#include <sstream>

#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/Screen.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "io/Report.h"
#include "player/Player.h"
#include "render/ShaderProgram.h"
#include "render/TextRenderer.h"
#include "world/Camera.h"
#include "world/Random.h"

std::unique_ptr<Game> Game::create(int width, int height, Clock clock, const SoundMaker& makeSound,
                                   Graphics graphics, std::uint64_t seed) {
    std::unique_ptr<Game> game(new Game(width, height, graphics, seed));
    if (game->graphics_) {
        game->shadowMap_ = std::make_unique<ShadowMap>();
        if (!game->shadowMap_->complete()) {
            report(ReportStream::Out, "Problem mit FBO!");
            return nullptr;
        }
        game->text_ = std::make_unique<TextRenderer>("resources/font.tga");
    }
    game->sound_ = makeSound();
    // The music is the run's, drawn before any game's own chance.
    seedChance(seed);
    game->musicValue_ = musicValue(randomValue());
    game->buildWorld(clock);
    game->shell_->startTimers();
    Game* g = game.get();
    game->shell_->record([g](const FrameCommands& c, float dt) {
        if (g->recording_.frames.empty())
            g->recording_.spawnPhase = g->shell_->state.sinceSpawn;
        ReplayFrame frame;
        frame.dt = dt;
        frame.commands = c;
        frame.commands.aim = Aim{};
        g->recording_.frames.push_back(frame);
    });
    return game;
}

Game::Game(int width, int height, Graphics graphics, std::uint64_t seed)
    : width_(width), height_(height), graphics_(graphics == Graphics::On), runSeed_(seed) {}

Game::~Game() = default;

void Game::buildWorld(const Clock& clock) {
    // Each game has its own seed, so that one game can be played back without the others.
    gameSeed_ = runSeed_ + static_cast<std::uint64_t>(games_++);
    seedChance(gameSeed_);
    kept_ = false;
    recording_ = Replay{};
    recording_.seed = gameSeed_;
    // The enemy punch sound's gate runs on played time, like everything in the world.
    auto world = std::make_unique<World>(
        sound_.get(), [this] { return shell_ ? shell_->state.playTime : 0.0; },
        graphics_ ? Graphics::On : Graphics::Off);
    world->camera->aspect = static_cast<float>(width_) / static_cast<float>(height_);
    for (int i = 0; i < 5; ++i)
        world->spawnEnemy(randomDirection(Chance::Landing));
    if (shell_) {
        shell_->beginGame(*world);
    } else {
        shell_ = std::make_unique<Shell>(*world, width_, height_, clock);
    }
    // The old world goes only once the shell has let go of it.
    world_ = std::move(world);
}

void Game::newGame() {
    buildWorld(nullptr);
}

bool Game::followSize(const SurfaceSize& size) {
    shell_->resize(size.windowWidth, size.windowHeight);
    if (size.framebufferWidth <= 0 || size.framebufferHeight <= 0)
        return false;
    width_ = size.framebufferWidth;
    height_ = size.framebufferHeight;
    world_->camera->aspect = static_cast<float>(width_) / static_cast<float>(height_);
    return true;
}

void Game::startScreenFrame(Screen& screen) {
    const bool gl = followSize(screen.size()) && graphics_;
    if (gl)
        checkGlError();
    const float dt = shell_->frameTime();
    if (gl)
        renderFrame(*shadowMap_, *world_, width_, height_);
    shell_->startScreenFrame(screen.takeInput(), dt);
    if (gl)
        drawTexts(*text_, {startPrompt()});
    screen.swapBuffers();
    shell_->quitTest(screen.snapshot());
}

void Game::startMusic() {
    std::ostringstream line;
    line << musicValue_;
    report(ReportStream::Out, line.str());
    music_ = sound_->play2D(musicTrack(musicValue_), true, false, true);
}

void Game::keepResult() {
    if (kept_ || playback_)
        return;
    kept_ = true;
    recording_.seconds = shell_->state.gameClock;
    recording_.kills = world_->kills;
    recording_.lives = world_->player->lives;
    if (!results_)
        return;
    Result result;
    result.seconds = recording_.seconds;
    result.kills = recording_.kills;
    result.date = resultDate();
    outcome_ = results_->record(result, encodeReplay(recording_));
}

HudValues Game::hudValues() const {
    HudValues v = readHudValues(*world_, shell_->state);
    if (outcome_ && kept_) {
        v.place = outcome_->place;
        v.bestTime = outcome_->best.seconds;
        v.newBest = outcome_->newBest;
    }
    return v;
}

void Game::gameFrame(Screen& screen, bool draw) {
    draw = followSize(screen.size()) && draw;
    if (graphics_ && draw)
        checkGlError();
    const float dt = shell_->frameTime();
    const double clockBefore = shell_->state.gameClock;
    const std::size_t recorded = recording_.frames.size();
    const FrameOutcome outcome = shell_->gameFrame(screen.takeInput(), dt, music_);
    if (recording_.frames.size() > recorded && endsASecond(clockBefore, shell_->state.gameClock))
        recording_.checks.push_back({static_cast<std::uint32_t>(recorded), worldState(*world_)});
    if (outcome.lost)
        keepResult();
    // Undrawn frames keep the toggles' GL state for the next drawn one.
    if (graphics_)
        applyDisplayChanges(outcome.display, shell_->state);
    present(screen, draw, draw && graphics_ ? hudLayout(hudValues()) : std::vector<HudText>{});
    // A game left while it still ran counts as it stood.
    if (!shell_->state.running && shell_->gameInProgress())
        keepResult();
    if (outcome.newGame && shell_->state.running)
        newGame();
}

void Game::present(Screen& screen, bool draw, const std::vector<HudText>& texts) {
    if (graphics_ && draw) {
        renderFrame(*shadowMap_, *world_, width_, height_);
        drawTexts(*text_, texts);
    }
    if (draw)
        shell_->frameDrawn();
    screen.swapBuffers();
    shell_->quitTest(screen.snapshot());
}

void Game::watch(Replay replay, const std::string& name) {
    playback_ = std::make_unique<Playback>(std::move(replay), name);
    shell_->record(nullptr);
    shell_->state.started = true;
}

void Game::replayFrame(Screen& screen) {
    const bool draw = followSize(screen.size());
    if (graphics_ && draw)
        checkGlError();
    const float dt = shell_->frameTime();
    const FrameOutcome outcome = shell_->watchFrame(screen.takeInput(), dt, music_);
    if (!shell_->state.paused) {
        watched_ += dt;
        playback_->playUntil(*shell_, watched_);
    }
    if (graphics_)
        applyDisplayChanges(outcome.display, shell_->state);
    std::vector<HudText> texts;
    if (graphics_ && draw) {
        HudValues v = hudValues();
        v.paused = shell_->state.paused;
        texts = replayLayout(v, playback_->finished());
    }
    present(screen, draw, texts);
}
