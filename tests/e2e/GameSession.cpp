#include "GameSession.h"
#include "support/Fixtures.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

// The game's window id, or 0 after `seconds` (a loaded machine may take a while to start it).
Window findWindow(double seconds) {
    const std::string command =
        "timeout " + std::to_string(seconds) +
        " xdotool search --sync --onlyvisible --name '^Quorvex$' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    unsigned long id = 0;
    if (pipe && std::fscanf(pipe, "%lu", &id) != 1)
        id = 0;
    if (pipe)
        pclose(pipe);
    return id;
}

} // namespace

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

GameSession::GameSession(const std::string& workDir, const std::vector<std::string>& wrapper,
                         const std::vector<std::string>& command) {
    char pattern[] = "/tmp/quorvex-e2e-XXXXXX";
    dir_ = mkdtemp(pattern);
    display_ = XOpenDisplay(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(workDir.c_str()) != 0)
            _exit(126);
        const int out = open((dir_ + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open((dir_ + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        setenv("QUORVEX_SEED", kEndToEndSeed, 0); // unless a test chose its own
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        for (const char* place : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"})
            setenv(place, (dir_ + "/" + place).c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& word : wrapper)
            argv.push_back(const_cast<char*>(word.c_str()));
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (!display_)
        return;
    window_ = findWindow(30);
    if (!window_)
        return;
    // Input sent while the game still loads waits in the X server for its first frame.
    xdotool("windowfocus --sync " + std::to_string(window_));
}

GameSession::~GameSession() {
    if (pid_ > 0 && status_ == -1) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (display_ && thief_)
        XDestroyWindow(display_, thief_);
    if (display_)
        XCloseDisplay(display_);
    std::system(("rm -rf '" + dir_ + "'").c_str());
}

void GameSession::xdotool(const std::string& args) const {
    const std::string command = "xdotool " + args + " >/dev/null 2>&1";
    [[maybe_unused]] const int ignored = std::system(command.c_str());
}

void GameSession::holdKey(const char* keysym, double seconds) {
    xdotool(std::string("keydown ") + keysym + " sleep " + std::to_string(seconds) + " keyup " +
            keysym);
}

void GameSession::holdButton(int button, double seconds) {
    const std::string b = std::to_string(button);
    xdotool("mousedown " + b + " sleep " + std::to_string(seconds) + " mouseup " + b);
}

void GameSession::movePointer(int x, int y) {
    xdotool("mousemove --window " + std::to_string(window_) + " " + std::to_string(x) + " " +
            std::to_string(y));
}

void GameSession::resize(int width, int height) {
    xdotool("windowsize " + std::to_string(window_) + " " + std::to_string(width) + " " +
            std::to_string(height));
}

void GameSession::stealFocus() {
    if (!thief_) {
        thief_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 64, 64, 0, 0, 0);
        XMapWindow(display_, thief_);
        // Only a viewable window can take the focus.
        XWindowAttributes a{};
        within(10, [&] {
            return XGetWindowAttributes(display_, thief_, &a) && a.map_state == IsViewable;
        });
    }
    XSetInputFocus(display_, thief_, RevertToParent, CurrentTime);
    XFlush(display_);
}

void GameSession::giveFocusBack() {
    xdotool("windowfocus --sync " + std::to_string(window_));
}

GameSession::Shot GameSession::frozenScreenshot() {
    int raw = 0;
    if (status_ != -1 || kill(pid_, SIGSTOP) != 0 || waitpid(pid_, &raw, WUNTRACED) != pid_)
        return screenshot();
    if (!WIFSTOPPED(raw)) { // it had ended
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return screenshot();
    }
    const Shot shot = screenshot();
    kill(pid_, SIGCONT);
    return shot;
}

GameSession::Shot GameSession::screenshot() const {
    Shot shot;
    XWindowAttributes attributes;
    if (!window_ || !XGetWindowAttributes(display_, window_, &attributes))
        return shot;
    XImage* image =
        XGetImage(display_, window_, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return shot;
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.rgb.resize(3u * shot.width * shot.height);
    // The usual 32-bit pixels are read in place: a pixel at a time through Xlib takes long
    // enough to let a loaded machine's game run on between the looks a judgment compares.
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < shot.height; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(image->data + y * image->bytes_per_line);
        for (int x = 0; x < shot.width; ++x) {
            const unsigned long p = direct ? row[x] : XGetPixel(image, x, y);
            unsigned char* out = &shot.rgb[3 * (y * shot.width + x)];
            out[0] = (p >> 16) & 0xff;
            out[1] = (p >> 8) & 0xff;
            out[2] = p & 0xff;
        }
    }
    XDestroyImage(image);
    return shot;
}

int GameSession::Shot::text(float x, float y, float size, int chars, const unsigned char* lo,
                            const unsigned char* hi) const {
    auto px = [this](float ndc) { return std::clamp(int((ndc + 1.0f) * 0.5f * width), 0, width); };
    auto py = [this](float ndc) {
        return std::clamp(int((1.0f - ndc) * 0.5f * height), 0, height);
    };
    const int x0 = px(x), x1 = px(x + chars * 0.75f * size), y0 = py(y + size), y1 = py(y);
    int n = 0;
    for (int row = y0; row < y1; ++row)
        for (const unsigned char *p = rgb.data() + 3 * (row * width + x0), *end = p + 3 * (x1 - x0);
             p < end; p += 3)
            n += p[0] >= lo[0] && p[1] >= lo[1] && p[2] >= lo[2] && p[0] <= hi[0] &&
                 p[1] <= hi[1] && p[2] <= hi[2];
    return n;
}

bool within(double seconds, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        sleepSeconds(0.05);
    }
    return true;
}

int GameSession::waitForExit(double seconds) {
    int raw = 0;
    if (status_ == -1 && within(seconds, [&] { return waitpid(pid_, &raw, WNOHANG) == pid_; }))
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return status_;
}

bool GameSession::waitForOutput(const std::string& text, double seconds) const {
    return within(seconds, [&] { return standardOutput().find(text) != std::string::npos; });
}

std::string GameSession::standardOutput() const {
    return readFile(dir_ + "/stdout");
}
std::string GameSession::standardError() const {
    return readFile(dir_ + "/stderr");
}

Scratch::Scratch() : dir(mkdtemp(std::string("/tmp/quorvex-scratch-XXXXXX").data())) {
    namespace fs = std::filesystem;
    for (const char* sub : {"resources", "shaders"}) {
        fs::create_directories(dir / sub);
        for (const auto& entry : fs::directory_iterator(fs::path(QUORVEX_SOURCE_DIR) / sub))
            fs::create_symlink(entry.path(), dir / sub / entry.path().filename());
    }
}

Scratch::~Scratch() {
    std::filesystem::remove_all(dir);
}

void Scratch::write(const std::string& file, const std::string& bytes) const {
    std::filesystem::remove(dir / file);
    std::ofstream(dir / file, std::ios::binary) << bytes;
}

// About 307 pixels of radius at 720 high.
std::string litPlanetDiscFault(const GameSession::Shot& shot) {
    int inside = 0, insideLit = 0, outside = 0, outsideDark = 0;
    double left = 0.0, right = 0.0;
    const double scale = shot.height / 720.0, cx = shot.width / 2.0, cy = shot.height / 2.0;
    for (int y = int(cy - 240 * scale); y < cy + 240 * scale; y += 4) {
        for (int x = int(cx - 360 * scale); x < cx + 360 * scale; x += 4) {
            const double r = std::hypot(x - cx, y - cy) / scale;
            const double b = (shot.at(x, y)[0] + shot.at(x, y)[1] + shot.at(x, y)[2]) / 3.0;
            inside += r < 280, insideLit += r < 280 && b > 8;
            (x < cx ? left : right) += r < 280 ? b : 0.0;
            outside += r > 330, outsideDark += r > 330 && b < 8;
        }
    }
    if (insideLit <= inside * 95 / 100)
        return "planet disc not filled";
    if (outsideDark <= outside * 90 / 100)
        return "something drawn around the planet";
    return left > right * 1.2 ? "" : "the sun's side is not the lit side";
}
