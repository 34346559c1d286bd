#pragma once

#include <X11/Xlib.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// The white of the head-up display's labels, with a little room for blending at glyph edges.
inline const unsigned char kWhiteLo[3] = {200, 200, 200}, kWhiteHi[3] = {255, 255, 255};

// Polls `done` every 50 ms until it holds; false if it did not within `seconds`.
bool within(double seconds, const std::function<bool()>& done);

// The real game on the test run's X display, driven like a player would with xdotool; its
// screenshots and output. Its sound goes to SDL's dummy output.
class GameSession {
  public:
    // Starts the game in `workDir` (the repository root by default), behind `wrapper` (a
    // command such as strace, with its arguments) when given, and waits for its window. The
    // player's own files go to a folder of the session (a wrapper such as env can say otherwise).
    // `command` is the game and its arguments.
    explicit GameSession(const std::string& workDir = QUORVEX_SOURCE_DIR,
                         const std::vector<std::string>& wrapper = {},
                         const std::vector<std::string>& command = {QUORVEX_BINARY});
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    bool hasWindow() const { return window_ != 0; }
    void holdKey(const char* keysym, double seconds);
    void holdButton(int button, double seconds);
    void movePointer(int x, int y);
    void resize(int width, int height);
    // Another X client's window takes the keyboard focus; giving it back focuses the game.
    void stealFocus();
    void giveFocusBack();
    pid_t pid() const { return pid_; }

    struct Shot {
        using Rgb = std::vector<unsigned char>;
        int width = 0, height = 0;
        std::vector<unsigned char> rgb;
        const unsigned char* at(int x, int y) const { return &rgb[3 * (y * width + x)]; }
        // The pixels of [x0, x1) x [y0, y1), row by row.
        Rgb crop(int x0, int y0, int x1, int y1) const {
            Rgb part;
            for (int y = y0; y < y1; ++y)
                part.insert(part.end(), at(x0, y), at(x1, y));
            return part;
        }
        // Pixels whose channels all lie within [lo, hi] over a line of `chars` characters drawn
        // at (x, y) in device coordinates, `size` high, each 0.75 of that wide.
        int text(float x, float y, float size, int chars, const unsigned char* lo = kWhiteLo,
                 const unsigned char* hi = kWhiteHi) const;
    };
    Shot screenshot() const;
    // The same with the game stopped (SIGSTOP) meanwhile: however long a loaded machine takes
    // for it, the game's next frame steps at most a quarter second of play.
    Shot frozenScreenshot();

    // Waits for the game to end; -1 if it did not within `seconds` (then it is killed).
    int waitForExit(double seconds);
    // Waits until the game's standard output contains `text`.
    bool waitForOutput(const std::string& text, double seconds) const;
    std::string standardOutput() const;
    std::string standardError() const;

  private:
    void xdotool(const std::string& args) const;

    Display* display_ = nullptr;
    Window window_ = 0;
    pid_t pid_ = -1;
    Window thief_ = 0;
    std::string dir_;
    int status_ = -1;
};

void sleepSeconds(double seconds);

// A working directory of links to the real resources/ and shaders/, some replaced by a test.
struct Scratch {
    std::filesystem::path dir;
    Scratch();
    ~Scratch();
    void write(const std::string& file, const std::string& bytes) const;
};

// What is wrong with the picture of the start screen, or "": the planet seen from 3 units with a
// 45-degree field of view is a disc of 0.426 of the picture's height, centred whatever the
// window's shape, lit from the sun's side (screen left from the start place).
std::string litPlanetDiscFault(const GameSession::Shot& shot);
