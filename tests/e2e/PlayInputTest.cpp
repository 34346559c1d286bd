// The game's keys and buttons on the real binary, seen in screenshots and heard in the
// captured output. Enemies move on their own, so pictures are compared where only the
// player's input can change them a lot, and by how much rather than exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "GameSession.h"

namespace {

constexpr int kWidth = 1280, kHeight = 720;
constexpr int kSampleRate = 44100, kChannels = 2;

// Mean absolute channel difference over [x0, x1) x [y0, y1).
double difference(const GameSession::Shot& a, const GameSession::Shot& b, int x0, int y0,
                  int x1, int y1) {
    double sum = 0.0;
    long n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x, ++n) {
            for (int c = 0; c < 3; ++c) sum += std::abs(a.at(x, y)[c] - b.at(x, y)[c]);
        }
    }
    return n ? sum / (3.0 * n) : 0.0;
}

double wholeDifference(const GameSession::Shot& a, const GameSession::Shot& b) {
    return difference(a, b, 0, 0, kWidth, kHeight);
}

// A started game: the pointer above the centre so the character faces up, one click.
void start(GameSession& game) {
    game.movePointer(kWidth / 2, kHeight / 4);
    game.holdButton(1, 0.3);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << game.standardError();
    sleepSeconds(0.7);
}

// Presses or releases the left button without waiting, to look at the game mid-punch.
void leftButton(bool down) {
    const std::string command = std::string("xdotool ") + (down ? "mousedown" : "mouseup") +
                                " 1 >/dev/null 2>&1";
    [[maybe_unused]] const int ignored = std::system(command.c_str());
}

void quit(GameSession& game) {
    game.holdKey("Escape", 0.3);
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(PlayInput, HoldingWMovesTheScene) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    start(game);
    // What the scene does on its own over the same time, against what walking adds.
    const GameSession::Shot a = game.screenshot();
    sleepSeconds(1.0);
    const GameSession::Shot idle = game.screenshot();
    game.holdKey("w", 1.5);
    const GameSession::Shot walked = game.screenshot();
    const double still = wholeDifference(a, idle), moved = wholeDifference(idle, walked);
    EXPECT_GT(moved, 2.0 * still + 1.0) << "idle " << still << ", walking " << moved;
    quit(game);
}

TEST(PlayInput, ALeftClickAnimatesAFist) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    start(game);
    sleepSeconds(1.0);  // the camera settles on the character
    // The character stands at the window centre; its fists float beside it.
    const int x0 = kWidth / 2 - 120, x1 = kWidth / 2 + 120, y0 = kHeight / 2 - 120,
              y1 = kHeight / 2 + 120;
    const GameSession::Shot a = game.screenshot();
    sleepSeconds(0.1);
    const GameSession::Shot b = game.screenshot();
    leftButton(true);
    sleepSeconds(0.12);
    const GameSession::Shot punching = game.screenshot();
    leftButton(false);
    const double still = difference(a, b, x0, y0, x1, y1);
    const double punched = difference(b, punching, x0, y0, x1, y1);
    EXPECT_GT(punched, 2.0 * still + 0.2) << "idle " << still << ", punching " << punched;
    quit(game);
}

TEST(PlayInput, F3SwitchesToWireframeAndBack) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    start(game);
    sleepSeconds(1.0);
    const GameSession::Shot filled = game.screenshot();
    game.holdKey("F3", 0.3);
    sleepSeconds(0.3);
    const GameSession::Shot wire = game.screenshot();
    game.holdKey("F3", 0.3);
    sleepSeconds(0.3);
    const GameSession::Shot back = game.screenshot();
    const double toWire = wholeDifference(filled, wire), toBack = wholeDifference(filled, back);
    EXPECT_GT(toWire, 3.0 * toBack + 2.0) << "wireframe " << toWire << ", back " << toBack;
    quit(game);
}

TEST(PlayInput, F2ShowsTheFrameRateLine) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    start(game);
    // The line sits at (0.8, 0.9) in normalised coordinates, 0.03 high, white.
    const unsigned char lo[3] = {200, 200, 200}, hi[3] = {255, 255, 255};
    auto white = [&](const GameSession::Shot& s) {
        const int x0 = static_cast<int>(1.8f * 0.5f * kWidth);
        const int y0 = static_cast<int>((1.0f - 0.93f) * 0.5f * kHeight);
        const int y1 = static_cast<int>((1.0f - 0.9f) * 0.5f * kHeight) + 1;
        return s.count(x0, y0, kWidth, y1, lo, hi);
    };
    const int before = white(game.screenshot());
    game.holdKey("F2", 0.3);
    sleepSeconds(1.5);  // the count is refreshed once a second
    const int shown = white(game.screenshot());
    EXPECT_EQ(before, 0);
    EXPECT_GT(shown, 20);
    quit(game);
}

// The music's own level over the last `seconds` of the capture: the lower quartile of the
// levels of 20 ms slices. Enemy punches (at most 0.32 s of sound per 0.7 s, whatever the
// number of attackers) can fill less than half of the slices, so the quartile hears only the
// music beneath them.
double musicLevel(const GameSession& game, double seconds) {
    const std::vector<short> samples = game.capturedAudio();
    const size_t slice = kSampleRate * kChannels / 50;
    const size_t span = static_cast<size_t>(seconds * kSampleRate * kChannels);
    const size_t from = samples.size() > span ? samples.size() - span : 0;
    std::vector<double> levels;
    for (size_t at = from; at + slice <= samples.size(); at += slice) {
        levels.push_back(rms(samples, at, at + slice));
    }
    if (levels.empty()) return 0.0;
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 4, levels.end());
    return levels[levels.size() / 4];
}

TEST(PlayInput, MAndNChangeTheMusicLevel) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    start(game);
    sleepSeconds(1.0);
    const double full = musicLevel(game, 1.0);  // the music starts at volume 1
    auto press = [&](const char* key, int times) {
        for (int i = 0; i < times; ++i) {
            game.holdKey(key, 0.25);
            sleepSeconds(0.1);
        }
        sleepSeconds(1.5);  // the capture lags the mixer by a few buffers
    };
    press("n", 11);  // 1.0 down to 0, and once more against the floor
    const double silent = musicLevel(game, 1.0);
    press("m", 5);
    const double raised = musicLevel(game, 1.0);
    EXPECT_GT(full, 100.0) << "no music captured";
    EXPECT_LT(silent, 0.1 * full) << "full " << full << ", after N " << silent;
    EXPECT_GT(raised, 0.2 * full) << "after N " << silent << ", after M " << raised;
    quit(game);
}

}  // namespace
