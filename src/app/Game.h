#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Playback.h"
#include "app/Replay.h"
#include "app/ResultsFile.h"
#include "app/Shell.h"
#include "world/World.h"

class Screen;
class ShadowMap;
class Sound;
class SoundEngine;
class TextRenderer;
struct HudText;
struct HudValues;
struct SurfaceSize;

// The game once the window exists: the shadow map, the font, the sound, the world and the
// shell, and the one order of each start-screen and game-loop frame. The game, the tests and
// the benchmarks all run these frames. A new game is a new world; the window, the sound, the
// text and the display toggles carry on.
class Game {
  public:
    using Clock = std::function<double()>;
    using SoundMaker = std::function<std::unique_ptr<SoundEngine>()>;

    // Builds everything for a width x height window, with five enemies on their way, and starts
    // both timers. `seed` fixes every random choice of the run. With graphics, a GL context
    // must be current; null, after saying so, when the shadow map's framebuffer is not
    // complete. Without graphics no GL call is made.
    static std::unique_ptr<Game> create(int width, int height, Clock clock,
                                        const SoundMaker& makeSound, Graphics graphics,
                                        std::uint64_t seed);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Where each finished game's result goes; without it results are not kept.
    void keepResults(ResultsFile* results) { results_ = results; }

    bool onStartScreen() const { return !shell_->state.started && shell_->state.running; }
    bool running() const { return shell_->state.running; }

    // Every frame first follows the window's size (see followSize); a minimised one is not drawn.
    // Error check, frame time, the passes, the shell's start-screen frame on the screen's
    // input, the prompt, presenting, the quit test.
    void startScreenFrame(Screen& screen);
    // Writes the music's value on standard output and loops the track it chose.
    void startMusic();
    // Error check, frame time, the shell's game frame on the screen's input and its display
    // changes, the passes, the head-up display, the frame count, presenting, the quit test;
    // the result kept when the game was lost or quit, a new game when one was asked for.
    // Undrawn (`draw` false), a frame skips the GL work and is not counted as drawn: a soak
    // runs hours of play that way and draws now and then.
    void gameFrame(Screen& screen, bool draw = true);
    // A fresh world from the next game's seed, as the first one was after the start screen.
    void newGame();

    // Watching a recorded game instead of playing: the game must have been created with the
    // recording's seed. There is no start screen; the player's input does not steer.
    void watch(Replay replay, const std::string& name);
    // One frame of watching: the frame time, P, the display keys and the volume, the recorded
    // frames that are due, the passes, the display with "Wiederholung", presenting, quitting.
    void replayFrame(Screen& screen);
    Playback* playback() { return playback_.get(); }
    // The game in progress as recorded so far.
    const Replay& recording() const { return recording_; }

    World& world() { return *world_; }
    Shell& shell() { return *shell_; }
    SoundEngine& sound() { return *sound_; }
    Sound* music() const { return music_; }
    std::uint64_t gameSeed() const { return gameSeed_; }
    // How the last finished game placed, once it has been kept.
    const std::optional<ResultsFile::Outcome>& lastOutcome() const { return outcome_; }

  private:
    Game(int width, int height, Graphics graphics, std::uint64_t seed);
    // The window need not keep the size asked for: the pointer maps against its size now, the
    // passes fill its framebuffer and the camera takes that aspect. False when there is nothing
    // to draw into (minimised); then the last size stays.
    bool followSize(const SurfaceSize& size);
    // The world of the game numbered games_, seeded apart from every other game's.
    void buildWorld(const Clock& clock);
    void keepResult();
    HudValues hudValues() const;
    // Draws the frame and its display, presents it and makes the quit test.
    void present(Screen& screen, bool draw, const std::vector<HudText>& texts);

    int width_; // the framebuffer's size at the last frame that had one
    int height_;
    bool graphics_;
    std::uint64_t runSeed_;
    std::uint64_t gameSeed_ = 0;
    int games_ = 0;
    float musicValue_ = 0.0f;
    bool kept_ = false; // this game's result has been kept
    ResultsFile* results_ = nullptr;
    std::optional<ResultsFile::Outcome> outcome_;
    Replay recording_;
    std::unique_ptr<Playback> playback_;
    double watched_ = 0.0; // seconds of the recording watched
    // Declared so that they go in the reverse order of building: the sound outlives the world.
    std::unique_ptr<SoundEngine> sound_;
    std::unique_ptr<ShadowMap> shadowMap_;
    std::unique_ptr<TextRenderer> text_;
    std::unique_ptr<World> world_;
    std::unique_ptr<Shell> shell_;
    Sound* music_ = nullptr;
};
