#include "app/Shell.h"

#include <cmath>

#include "audio/Sound.h"
#include "player/Player.h"
#include "world/SphereMath.h"
#include "world/World.h"

namespace {

constexpr float kWalkDegreesPerSecond = 20.0f;
constexpr float kZoomPerSecond = 5.0f;
constexpr double kSpawnInterval = 0.75;
constexpr float kVolumeStep = 0.1f;

// On-press semantics: acts in the first frame the key is down, then waits for a release.
bool pressed(bool down, bool& held) {
    const bool fresh = down && !held;
    held = down;
    return fresh;
}

}  // namespace

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

void Shell::startTimers() {
    state.lastSpawnTime = clock_();
    state.lastFrameTime = clock_();
}

float Shell::frameTime() {
    const float dt = static_cast<float>(clock_() - state.lastFrameTime);
    state.lastFrameTime = clock_();
    return dt;
}

void Shell::startScreenFrame(const FrameInput& in, float dt) {
    Player& player = *world_.player;
    player.setFacing(facingAngle(in.mouseX, in.mouseY, width_, height_));
    player.update(dt);
    if (in.leftButton) state.started = true;
}

DisplayChanges Shell::gameFrame(const FrameInput& in, float dt, Sound* music) {
    Player& player = *world_.player;
    // The clock shows the time survived: it runs while the player lives and stops at a loss.
    if (player.lives > 0.0f) state.gameClock += dt;

    state.frameRateTimer += dt;
    if (state.frameRateTimer > 1.0) {
        state.frameRateTimer -= 1.0;
        state.frameRate = state.frameCount;
        state.frameCount = 0;
    }

    if (player.lives > 0.0f) playerInput(in, dt);
    const DisplayChanges changes = toggles(in, music);
    spawnCadence();
    if (player.lives > 0.0f || world_.enemies.empty()) world_.update(dt);
    return changes;
}

void Shell::playerInput(const FrameInput& in, float dt) {
    Player& player = *world_.player;
    const float step = kWalkDegreesPerSecond * dt;
    if (in.w) player.moveForward(-step);
    if (in.d) player.moveSideways(-step);
    if (in.a) player.moveSideways(step);
    if (in.s) player.moveForward(step);
    if (in.plus) world_.camera->zoom(kZoomPerSecond * dt);
    if (in.minus) world_.camera->zoom(-kZoomPerSecond * dt);
    const float angle = facingAngle(in.mouseX, in.mouseY, width_, height_);
    if (in.leftButton) player.punch();
    if (in.rightButton && player.superPunchCooldown <= 0.0f) player.superPunch();
    player.setFacing(angle);
}

DisplayChanges Shell::toggles(const FrameInput& in, Sound* music) {
    DisplayChanges changes;
    if (pressed(in.f3, state.heldF3)) {
        state.filledPolygons = !state.filledPolygons;
        changes.polygonMode = true;
    }
    if (pressed(in.m, state.heldM) && music) music->setVolume(volumeUp(music->getVolume()));
    if (pressed(in.n, state.heldN) && music) music->setVolume(volumeDown(music->getVolume()));
    if (pressed(in.f2, state.heldF2)) state.showFrameRate = !state.showFrameRate;
    if (pressed(in.f9, state.heldF9)) {
        state.blending = !state.blending;
        changes.blending = true;
    }
    return changes;
}

void Shell::spawnCadence() {
    if (state.lastFrameTime - state.lastSpawnTime > kSpawnInterval) {
        state.lastSpawnTime = clock_();
        world_.spawnEnemy(randomDirection());
    }
}

void Shell::quitTest(const FrameInput& in) {
    if (!state.running) return;
    if (in.escape) {
        state.running = false;
    } else if (!in.windowOpen) {
        state.running = false;
    }
}

float musicValue(int randomInteger) { return static_cast<float>(randomInteger / 32767.0); }

const char* musicTrack(float v) {
    if (v > 0.75f) return "resources/track1.mp3";
    if (v > 0.5f) return "resources/track2.mp3";
    if (v > 0.25f) return "resources/track3.mp3";
    return "resources/track4.mp3";
}
