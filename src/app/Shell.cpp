#include "app/Shell.h"

#include <algorithm>
#include <cmath>

#include "audio/Sound.h"
#include "player/Player.h"
#include "world/Random.h"
#include "world/World.h"

namespace {

constexpr float kWalkDegreesPerSecond = 20.0f;
constexpr float kZoomPerSecond = 5.0f;
constexpr double kSpawnInterval = 0.75;
constexpr float kVolumeStep = 0.1f;

} // namespace

int pressed(bool down, int presses, bool& held) {
    const int fresh = down && !held ? 1 : 0;
    held = down;
    return std::max(presses, fresh);
}

float facingAngle(int mouseX, int mouseY, int width, int height) {
    const float nx = 2.0f * mouseX / static_cast<float>(width) - 1.0f;
    const float ny = 2.0f * mouseY / static_cast<float>(height) - 1.0f;
    return static_cast<float>(std::atan2(ny, nx) / M_PI * 0.5 * 360.0);
}

float volumeUp(float volume) {
    const float v = volume + kVolumeStep;
    return v >= 1.0f ? 1.0f : v;
}

float volumeDown(float volume) {
    const float v = volume - kVolumeStep;
    return v <= 0.0f ? 0.0f : v;
}

Shell::Shell(World& world, int width, int height, Clock clock)
    : world_(&world), width_(width), height_(height), clock_(std::move(clock)) {}

void Shell::resize(int width, int height) {
    if (width > 0 && height > 0) {
        width_ = width;
        height_ = height;
    }
}

void Shell::startTimers() {
    state.sinceSpawn = 0.0;
    state.lastFrameTime = clock_();
}

float Shell::frameTime() {
    const double gap = clock_() - state.lastFrameTime;
    state.lastFrameTime = clock_();
    return static_cast<float>(std::min(gap, kLongestFrame));
}

FrameCommands Shell::commands(const FrameInput& in) {
    const FrameCommands c =
        frameCommands(in, state.aim, world_->player->superPunchCooldown, width_, height_);
    state.aim = c.aim;
    return c;
}

void Shell::startScreenFrame(const FrameInput& in, float dt) {
    Player& player = *world_->player;
    player.setFacing(commands(in).facing);
    player.update(dt);
    // The cadence runs from the end of start-up: a long start screen releases an enemy at
    // once when play begins.
    state.sinceSpawn += dt;
    state.heldStart = in.pad.start;
    state.focused = in.focused;
    if (startRequested(in))
        state.started = true;
}

bool Shell::gameInProgress() const {
    return state.started && world_->player->lives > 0.0f;
}

FrameOutcome Shell::gameFrame(const FrameInput& in, float dt, Sound* music) {
    FrameOutcome out;
    Player& player = *world_->player;
    const bool alive = player.lives > 0.0f;
    if (alive)
        pauseInput(in);
    else
        out.newGame = playAgainAsked(in, dt);
    state.focused = in.focused;
    countFrameRate(dt);
    out.display = toggles(in, music);
    if (state.paused)
        return out;

    if (alive) {
        FrameCommands c = commands(in);
        // The click that began or resumed play is no punch until it has been let go.
        if (state.swallowClick) {
            state.swallowClick = c.punch;
            c.punch = false;
        }
        if (recorder_)
            recorder_(c, dt);
        playFrame(c, dt);
    } else {
        advance(dt);
    }
    out.lost = alive && player.lives <= 0.0f;
    return out;
}

FrameOutcome Shell::watchFrame(const FrameInput& in, float dt, Sound* music) {
    FrameOutcome out;
    const bool keyP = pressed(in.p, in.presses.p, state.heldP) > 0;
    const bool start = in.pad.start && !state.heldStart;
    state.heldStart = in.pad.start;
    if (keyP || start)
        state.paused = !state.paused;
    countFrameRate(dt);
    out.display = toggles(in, music);
    return out;
}

void Shell::playFrame(const FrameCommands& c, float dt) {
    // The clock shows the time survived: it runs while the player lives and stops at a loss.
    state.gameClock += dt;
    play(c, dt);
    advance(dt);
}

void Shell::countFrameRate(float dt) {
    state.frameRateTimer += dt;
    if (state.frameRateTimer > 1.0) {
        state.frameRateTimer -= 1.0;
        state.frameRate = state.frameCount;
        state.frameCount = 0;
    }
}

void Shell::advance(float dt) {
    state.playTime += dt;
    spawnCadence(dt);
    if (world_->player->lives > 0.0f || world_->enemies.empty())
        world_->update(dt);
}

void Shell::pauseInput(const FrameInput& in) {
    const bool keyP = pressed(in.p, in.presses.p, state.heldP) > 0;
    const bool start = in.pad.start && !state.heldStart;
    state.heldStart = in.pad.start;
    const bool click = pressed(in.leftButton, in.presses.leftButton, state.heldLeft) > 0;
    if (!state.paused) {
        // A window left for another, or minimised, must not come back to a lost game.
        state.paused = keyP || start || (state.focused && !in.focused) || in.iconified;
        return;
    }
    if (keyP || start || click) {
        state.paused = false;
        // The time spent paused is not played: the next frame measures from now.
        state.lastFrameTime = clock_();
        state.swallowClick = click;
    }
}

bool Shell::playAgainAsked(const FrameInput& in, float dt) {
    // Every press is followed from the loss on, so that a button held through it, or a click
    // in the moment of losing, is no answer once the display has shown long enough.
    state.gameOverTime += dt;
    const bool click = pressed(in.leftButton, in.presses.leftButton, state.heldLeft) > 0;
    const bool enter = pressed(in.enter, in.presses.enter, state.heldEnter) > 0;
    const bool space = pressed(in.space, in.presses.space, state.heldSpace) > 0;
    const bool a = in.pad.a && !state.heldA;
    const bool start = in.pad.start && !state.heldStart;
    state.heldA = in.pad.a;
    state.heldStart = in.pad.start;
    return state.gameOverTime >= kGameOverHold && (click || enter || space || a || start);
}

void Shell::beginGame(World& world) {
    world_ = &world;
    state.gameClock = 0.0;
    state.sinceSpawn = 0.0;
    state.paused = false;
    state.gameOverTime = 0.0;
    // The click that began the game is no punch: holding it on punches only once released.
    state.swallowClick = true;
}

void Shell::play(const FrameCommands& c, float dt) {
    Player& player = *world_->player;
    const float step = kWalkDegreesPerSecond * dt;
    if (c.forward > 0.0f)
        player.moveForward(-step * c.forward);
    if (c.right > 0.0f)
        player.moveSideways(-step * c.right);
    if (c.left > 0.0f)
        player.moveSideways(step * c.left);
    if (c.backward > 0.0f)
        player.moveForward(step * c.backward);
    if (c.zoomIn)
        world_->camera->zoom(kZoomPerSecond * dt);
    if (c.zoomOut)
        world_->camera->zoom(-kZoomPerSecond * dt);
    if (c.punch)
        player.punch();
    if (c.superPunch)
        player.superPunch();
    player.setFacing(c.facing);
}

DisplayChanges Shell::toggles(const FrameInput& in, Sound* music) {
    DisplayChanges changes;
    for (int i = pressed(in.f3, in.presses.f3, state.heldF3); i > 0; --i) {
        state.filledPolygons = !state.filledPolygons;
        changes.polygonMode = true;
    }
    for (int i = pressed(in.m, in.presses.m, state.heldM); i > 0 && music; --i)
        music->setVolume(volumeUp(music->getVolume()));
    for (int i = pressed(in.n, in.presses.n, state.heldN); i > 0 && music; --i)
        music->setVolume(volumeDown(music->getVolume()));
    for (int i = pressed(in.f2, in.presses.f2, state.heldF2); i > 0; --i)
        state.showFrameRate = !state.showFrameRate;
    for (int i = pressed(in.f9, in.presses.f9, state.heldF9); i > 0; --i) {
        state.blending = !state.blending;
        changes.blending = true;
    }
    return changes;
}

void Shell::spawnCadence(float dt) {
    state.sinceSpawn += dt;
    if (state.sinceSpawn > kSpawnInterval) {
        state.sinceSpawn = 0.0;
        world_->spawnEnemy(randomDirection(Chance::Landing));
    }
}

void Shell::quitTest(const FrameInput& in) {
    if (!state.running)
        return;
    if (quitRequested(in)) {
        state.running = false;
    } else if (!in.windowOpen) {
        state.running = false;
    }
}

float musicValue(int randomInteger) {
    return static_cast<float>(randomInteger / 32767.0);
}

const char* musicTrack(float v) {
    if (v > 0.75f)
        return "resources/track1.mp3";
    if (v > 0.5f)
        return "resources/track2.mp3";
    if (v > 0.25f)
        return "resources/track3.mp3";
    return "resources/track4.mp3";
}
