#include "app/Game.h"

#include <sstream>

#include "app/GlState.h"
#include "app/Hud.h"
#include "app/RenderPasses.h"
#include "app/Screen.h"
#include "app/ShadowMap.h"
#include "audio/SoundEngine.h"
#include "io/Report.h"
#include "render/RenderStore.h"
#include "render/ShaderProgram.h"
#include "render/TextRenderer.h"
#include "world/Camera.h"
#include "world/Random.h"

std::unique_ptr<Game> Game::create(int width, int height, Clock clock, const SoundMaker& makeSound,
                                   Graphics graphics) {
    std::unique_ptr<Game> game(new Game(width, height, graphics));
    if (game->graphics_) {
        game->shadowMap_ = std::make_unique<ShadowMap>();
        if (!game->shadowMap_->complete()) {
            report(ReportStream::Out, "Problem mit FBO!");
            return nullptr;
        }
        game->text_ = std::make_unique<TextRenderer>("resources/font.tga");
        game->renderStore_ = std::make_unique<RenderStore>();
    }
    game->sound_ = makeSound();
    // Every world of the run draws with the one store: a new game builds nothing but itself.
    game->world_ = game->renderStore_
                       ? std::make_unique<World>(game->sound_.get(), clock, *game->renderStore_)
                       : std::make_unique<World>(game->sound_.get(), clock, Graphics::Off);
    game->world_->camera->aspect = static_cast<float>(width) / static_cast<float>(height);
    for (int i = 0; i < 5; ++i)
        game->world_->spawnEnemy(randomDirection(Chance::Landing));
    game->shell_ = std::make_unique<Shell>(*game->world_, width, height, clock);
    game->shell_->startTimers();
    return game;
}

Game::Game(int width, int height, Graphics graphics)
    : width_(width), height_(height), graphics_(graphics == Graphics::On) {}

Game::~Game() = default;

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
    const float v = musicValue(randomValue());
    std::ostringstream line;
    line << v;
    report(ReportStream::Out, line.str());
    music_ = sound_->play2D(musicTrack(v), true, false, true);
}

void Game::gameFrame(Screen& screen, bool draw) {
    draw = followSize(screen.size()) && draw;
    const bool gl = graphics_ && draw;
    if (gl)
        checkGlError();
    const float dt = shell_->frameTime();
    const DisplayChanges changes = shell_->gameFrame(screen.takeInput(), dt, music_);
    // Undrawn frames keep the toggles' GL state for the next drawn one.
    if (graphics_)
        applyDisplayChanges(changes, shell_->state);
    if (gl) {
        renderFrame(*shadowMap_, *world_, width_, height_);
        drawTexts(*text_, hudLayout(readHudValues(*world_, shell_->state)));
    }
    if (draw)
        shell_->frameDrawn();
    screen.swapBuffers();
    shell_->quitTest(screen.snapshot());
}
