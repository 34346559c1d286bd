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
    double sinceSpawn = 0.0;    // seconds played since the cadence last released an enemy
    double playTime = 0.0;      // seconds played in this run, pauses left out
    int frameCount = 0;
    int frameRate = 0;
    double frameRateTimer = 0.0;
    double gameClock = 0.0; // seconds survived, shown under "Zeit"
    bool paused = false;
    double gameOverTime = 0.0; // how long "Game Over!" has shown
    bool filledPolygons = true;
    bool blending = true;
    bool showFrameRate = false;
    bool heldF3 = false, heldM = false, heldN = false, heldF2 = false, heldF9 = false;
    bool heldP = false, heldStart = false, heldEnter = false, heldSpace = false;
    bool heldLeft = false, heldA = false;
    bool focused = true;       // the window had the focus at the last frame
    bool swallowClick = false; // the click that resumed or began a game, until released
    Aim aim;                   // pointer or right stick, whichever moved last
};

// Which GL display states a frame's toggles changed; the caller applies them.
struct DisplayChanges {
    bool polygonMode = false;
    bool blending = false;
};

// What a game frame asks of its caller besides drawing.
struct FrameOutcome {
    DisplayChanges display;
    bool lost = false;    // the lives ran out in this frame
    bool newGame = false; // "Game Over!" was answered with a click, Enter, Space, A or Start
};

// The pointer's angle about the window centre in degrees: 0 to the right, +90 below.
float facingAngle(int mouseX, int mouseY, int width, int height);

// No frame plays more than this many seconds, however long the real gap: a machine that
// slept, a debugger stop or a window server that stopped drawing must not cost lives.
constexpr double kLongestFrame = 0.25;
// "Game Over!" shows this long before a click can begin a new game.
constexpr double kGameOverHold = 1.0;

// The start screen's and the game loop's decisions, made from one input snapshot per frame
// and the clock, so that a test can script frames without a window.
class Shell {
  public:
    using Clock = std::function<double()>;
    Shell(World& world, int width, int height, Clock clock);

    // The end of start-up: the frame clock and the spawn cadence start now.
    void startTimers();
    // The frame time: now minus the last frame's reading, which a new reading replaces; at
    // most kLongestFrame.
    float frameTime();
    // Facing, the player's update and the start click.
    void startScreenFrame(const FrameInput& in, float dt);
    // Pause or play again, frame rate, toggles, then, unless paused, the frame's play.
    FrameOutcome gameFrame(const FrameInput& in, float dt, Sound* music);
    // A frame of watching a recording: P or Start pause and go on, the frame rate and the
    // display keys; nothing of the input reaches the world.
    FrameOutcome watchFrame(const FrameInput& in, float dt, Sound* music);
    // One frame of a game in progress from its commands: the clock, the player, the cadence
    // and the world. A replay plays its recorded frames through here.
    void playFrame(const FrameCommands& c, float dt);
    // Each frame's commands as played, with its time, before they are played.
    using Recorder = std::function<void(const FrameCommands&, float dt)>;
    void record(Recorder recorder) { recorder_ = std::move(recorder); }
    // A fresh game in `world`: clock and cadence from now, not paused; toggles carry on.
    void beginGame(World& world);
    // Escape, else a closed window, ends the run.
    void quitTest(const FrameInput& in);
    // The window's size in screen coordinates, against which the pointer is mapped; a zero
    // size (a minimised window) keeps the last one.
    void resize(int width, int height);
    // The frame has been presented.
    void frameDrawn() { ++state.frameCount; }
    // A game has begun and its player still lives.
    bool gameInProgress() const;
    World& world() const { return *world_; }

    LoopState state;

  private:
    // The frame's commands from its input; the aim they leave is kept for the next frame.
    FrameCommands commands(const FrameInput& in);
    void pauseInput(const FrameInput& in);
    bool playAgainAsked(const FrameInput& in, float dt);
    void play(const FrameCommands& c, float dt);
    // The cadence and, while the player lives or no enemy is left, the world.
    void advance(float dt);
    void countFrameRate(float dt);
    DisplayChanges toggles(const FrameInput& in, Sound* music);
    void spawnCadence(float dt);

    World* world_;
    int width_;
    int height_;
    Clock clock_;
    Recorder recorder_;
};

// How often an on-press input acts this frame: once per press event since the last frame,
// however short, and once when a key found down was up in the last frame (a snapshot built
// without events). A key held down acts no more until it is released.
int pressed(bool down, int presses, bool& held);

// M and N: one single-precision 0.1 step, clamped to [0, 1].
float volumeUp(float volume);
float volumeDown(float volume);

// The music choice: v = r / 32767 from one draw in 0..32767, compared strictly from the top.
float musicValue(int randomInteger);
const char* musicTrack(float v);
