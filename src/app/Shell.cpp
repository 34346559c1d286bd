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

// How often an on-press input acts this frame: once per press event since the last frame,
// however short, and once when a key found down was up in the last frame (a snapshot built
// without events). A key held down acts no more until it is released.
int pressed(bool down, int presses, bool& held) {
    const int fresh = down && !held ? 1 : 0;
    held = down;
    return std::max(presses, fresh);
}

} // namespace

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
    : world_(world), width_(width), height_(height), clock_(std::move(clock)) {}

void Shell::resize(int width, int height) {
    if (width > 0 && height > 0) {
        width_ = width;
        height_ = height;
    }
}

void Shell::startTimers() {
    state.lastSpawnTime = clock_();
    state.lastFrameTime = clock_();
}

float Shell::frameTime() {
    const float dt = static_cast<float>(clock_() - state.lastFrameTime);
    state.lastFrameTime = clock_();
    return dt;
}

FrameCommands Shell::commands(const FrameInput& in) {
    const FrameCommands c =
        frameCommands(in, state.aim, world_.player->superPunchCooldown, width_, height_);
    state.aim = c.aim;
    return c;
}

void Shell::startScreenFrame(const FrameInput& in, float dt) {
    Player& player = *world_.player;
    player.setFacing(commands(in).facing);
    player.update(dt);
    if (startRequested(in))
        state.started = true;
}

DisplayChanges Shell::gameFrame(const FrameInput& in, float dt, Sound* music) {
    Player& player = *world_.player;
    // The clock shows the time survived: it runs while the player lives and stops at a loss.
    if (player.lives > 0.0f)
        state.gameClock += dt;

    state.frameRateTimer += dt;
    if (state.frameRateTimer > 1.0) {
        state.frameRateTimer -= 1.0;
        state.frameRate = state.frameCount;
        state.frameCount = 0;
    }

    if (player.lives > 0.0f)
        playerInput(in, dt);
    const DisplayChanges changes = toggles(in, music);
    spawnCadence();
    if (player.lives > 0.0f || world_.enemies.empty())
        world_.update(dt);
    return changes;
}

void Shell::playerInput(const FrameInput& in, float dt) {
    Player& player = *world_.player;
    const FrameCommands c = commands(in);
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
        world_.camera->zoom(kZoomPerSecond * dt);
    if (c.zoomOut)
        world_.camera->zoom(-kZoomPerSecond * dt);
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

void Shell::spawnCadence() {
    if (state.lastFrameTime - state.lastSpawnTime > kSpawnInterval) {
        state.lastSpawnTime = clock_();
        world_.spawnEnemy(randomDirection(Chance::Landing));
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
