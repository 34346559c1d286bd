#pragma once

#include <functional>
#include <memory>

#include "app/Shell.h"
#include "world/World.h"

class RenderStore;
class Screen;
class ShadowMap;
class Sound;
class SoundEngine;
class TextRenderer;
struct SurfaceSize;

// The game once the window exists: the shadow map, the font, the sound, the world and the
// shell, and the one order of each start-screen and game-loop frame. The game, the tests and
// the benchmarks all run these frames.
class Game {
  public:
    using Clock = std::function<double()>;
    using SoundMaker = std::function<std::unique_ptr<SoundEngine>()>;

    // Builds everything for a width x height window, with five enemies on their way, and starts
    // both timers. With graphics, a GL context must be current; null, after saying so, when the
    // shadow map's framebuffer is not complete. Without graphics no GL call is made.
    static std::unique_ptr<Game> create(int width, int height, Clock clock,
                                        const SoundMaker& makeSound, Graphics graphics);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool onStartScreen() const { return !shell_->state.started && shell_->state.running; }
    bool running() const { return shell_->state.running; }

    // Every frame first follows the window's size (see followSize); a minimised one is not drawn.
    // Error check, frame time, the passes, the shell's start-screen frame on the screen's
    // input, the prompt, presenting, the quit test.
    void startScreenFrame(Screen& screen);
    // Draws the music's value, writes it on standard output and loops the chosen track.
    void startMusic();
    // Error check, frame time, the shell's game frame on the screen's input and its display
    // changes, the passes, the head-up display, the frame count, presenting, the quit test.
    // Undrawn (`draw` false), a frame skips the GL work and is not counted as drawn: a soak
    // runs hours of play that way and draws now and then.
    void gameFrame(Screen& screen, bool draw = true);

    World& world() { return *world_; }
    Shell& shell() { return *shell_; }
    SoundEngine& sound() { return *sound_; }
    Sound* music() const { return music_; }
    const RenderStore* renderStore() const { return renderStore_.get(); } // null without graphics

  private:
    Game(int width, int height, Graphics graphics);
    // The window need not keep the size asked for: the pointer maps against its size now, the
    // passes fill its framebuffer and the camera takes that aspect. False when there is nothing
    // to draw into (minimised); then the last size stays.
    bool followSize(const SurfaceSize& size);

    int width_; // the framebuffer's size at the last frame that had one
    int height_;
    bool graphics_;
    // Declared so that they go in the reverse order of building: the sound outlives the world.
    std::unique_ptr<SoundEngine> sound_;
    std::unique_ptr<ShadowMap> shadowMap_;
    std::unique_ptr<TextRenderer> text_;
    std::unique_ptr<RenderStore> renderStore_; // outlives every world
    std::unique_ptr<World> world_;
    std::unique_ptr<Shell> shell_;
    Sound* music_ = nullptr;
};
