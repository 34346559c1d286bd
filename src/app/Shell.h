#pragma once

#include <functional>

#include "app/FrameCommands.h"
#include "app/FrameInput.h"

class Sound;
class World;

// The loop's own state, kept together rather than in scattered locals.
struct LoopState {
    bool running = true;
    bool started = false;
    double lastFrameTime = 0.0; // clock reading at the start of the previous frame
    double lastSpawnTime = 0.0; // clock reading when the cadence last released an enemy
    int frameCount = 0;
    int frameRate = 0;
    double frameRateTimer = 0.0;
    double gameClock = 0.0; // seconds survived, shown under "Zeit"
    bool filledPolygons = true;
    bool blending = true;
    bool showFrameRate = false;
    bool heldF3 = false, heldM = false, heldN = false, heldF2 = false, heldF9 = false;
    Aim aim; // pointer or right stick, whichever moved last
};

// Which GL display states a frame's toggles changed; the caller applies them.
struct DisplayChanges {
    bool polygonMode = false;
    bool blending = false;
};

// The pointer's angle about the window centre in degrees: 0 to the right, +90 below.
float facingAngle(int mouseX, int mouseY, int width, int height);

// The start screen's and the game loop's decisions, made from one input snapshot per frame
// and the clock, so that a test can script frames without a window.
class Shell {
  public:
    using Clock = std::function<double()>;
    Shell(World& world, int width, int height, Clock clock);

    // The end of start-up: both timers start from the clock.
    void startTimers();
    // The frame time: now minus the last frame's reading, which a new reading replaces.
    float frameTime();
    // Facing, the player's update and the start click.
    void startScreenFrame(const FrameInput& in, float dt);
    // Clock, frame rate, input, toggles, spawn cadence and the world update.
    DisplayChanges gameFrame(const FrameInput& in, float dt, Sound* music);
    // Escape, else a closed window, ends the run.
    void quitTest(const FrameInput& in);
    // The window's size in screen coordinates, against which the pointer is mapped; a zero
    // size (a minimised window) keeps the last one.
    void resize(int width, int height);
    // The frame has been presented.
    void frameDrawn() { ++state.frameCount; }

    LoopState state;

  private:
    // The frame's commands from its input; the aim they leave is kept for the next frame.
    FrameCommands commands(const FrameInput& in);
    void playerInput(const FrameInput& in, float dt);
    DisplayChanges toggles(const FrameInput& in, Sound* music);
    void spawnCadence();

    World& world_;
    int width_;
    int height_;
    Clock clock_;
};

// M and N: one single-precision 0.1 step, clamped to [0, 1].
float volumeUp(float volume);
float volumeDown(float volume);

// The music choice: v = r / 32767 from one draw in 0..32767, compared strictly from the top.
float musicValue(int randomInteger);
const char* musicTrack(float v);
