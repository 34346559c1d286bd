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

// Mean absolute channel difference over [x0, x1) x [y0, y1), the whole window by default.
double difference(const GameSession::Shot& a, const GameSession::Shot& b, int x0 = 0, int y0 = 0,
                  int x1 = kWidth, int y1 = kHeight) {
    double sum = 0.0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c) sum += std::abs(a.at(x, y)[c] - b.at(x, y)[c]);
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

// A started game: the pointer above the centre so the character faces up, one click.
class PlayInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.hasWindow()) << game.standardError();
        game.movePointer(kWidth / 2, kHeight / 4);
        game.holdButton(1, 0.3);
        ASSERT_TRUE(game.waitForOutput("\n", 10)) << game.standardError();
        sleepSeconds(0.7);
    }
    void TearDown() override {
        if (HasFatalFailure()) return;
        game.holdKey("Escape", 0.3);
        EXPECT_EQ(game.waitForExit(10), 0);
    }
    GameSession game;
};

TEST_F(PlayInput, HoldingWMovesTheScene) {
    // What the scene does on its own over the same time, against what walking adds.
    const GameSession::Shot a = game.screenshot();
    sleepSeconds(1.0);
    const GameSession::Shot idle = game.screenshot();
    game.holdKey("w", 1.5);
    const double still = difference(a, idle), moved = difference(idle, game.screenshot());
    EXPECT_GT(moved, 2.0 * still + 1.0) << "idle " << still << ", walking " << moved;
}

TEST_F(PlayInput, ALeftClickAnimatesAFist) {
    sleepSeconds(1.0);  // the camera settles on the character
    const GameSession::Shot a = game.screenshot();
    sleepSeconds(0.1);
    const GameSession::Shot b = game.screenshot();
    // Pressed without waiting, to look at the game mid-punch.
    [[maybe_unused]] int ignored = std::system("xdotool mousedown 1 >/dev/null 2>&1");
    sleepSeconds(0.12);
    const GameSession::Shot punching = game.screenshot();
    ignored = std::system("xdotool mouseup 1 >/dev/null 2>&1");
    // The character stands at the window centre; its fists float beside it.
    const int x0 = kWidth / 2 - 120, x1 = kWidth / 2 + 120, y0 = kHeight / 2 - 120, y1 = kHeight / 2 + 120;
    const double still = difference(a, b, x0, y0, x1, y1), punched = difference(b, punching, x0, y0, x1, y1);
    EXPECT_GT(punched, 2.0 * still + 0.2) << "idle " << still << ", punching " << punched;
}

TEST_F(PlayInput, F3SwitchesToWireframeAndBack) {
    sleepSeconds(1.0);
    std::vector<GameSession::Shot> shots = {game.screenshot()};
    for (int i = 0; i < 2; ++i) {
        game.holdKey("F3", 0.3);
        sleepSeconds(0.3);
        shots.push_back(game.screenshot());
    }
    const double toWire = difference(shots[0], shots[1]), toBack = difference(shots[0], shots[2]);
    EXPECT_GT(toWire, 3.0 * toBack + 2.0) << "wireframe " << toWire << ", back " << toBack;
}

TEST_F(PlayInput, F2ShowsTheFrameRateLine) {
    // The line sits at (0.8, 0.9) in normalised coordinates, 0.03 high, white.
    auto white = [](const GameSession::Shot& s) {
        const unsigned char lo[3] = {200, 200, 200}, hi[3] = {255, 255, 255};
        return s.count(int(0.9f * kWidth), int(0.035f * kHeight), kWidth, int(0.05f * kHeight) + 1, lo, hi);
    };
    EXPECT_EQ(white(game.screenshot()), 0);
    game.holdKey("F2", 0.3);
    sleepSeconds(1.5);  // the count is refreshed once a second
    EXPECT_GT(white(game.screenshot()), 20);
}

// The music's own level over the last second of the capture: the lower quartile of the levels
// of 20 ms slices. Enemy punches (at most 0.32 s of sound per 0.7 s, whatever the number of
// attackers) can fill less than half of the slices, so the quartile hears only the music.
double musicLevel(const GameSession& game) {
    const std::vector<short> samples = game.capturedAudio();
    const size_t slice = 44100 * 2 / 50, span = 44100 * 2;
    std::vector<double> levels;
    for (size_t at = samples.size() > span ? samples.size() - span : 0; at + slice <= samples.size(); at += slice)
        levels.push_back(rms(samples, at, at + slice));
    if (levels.empty()) return 0.0;
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 4, levels.end());
    return levels[levels.size() / 4];
}

TEST_F(PlayInput, MAndNChangeTheMusicLevel) {
    sleepSeconds(1.0);
    const double full = musicLevel(game);  // the music starts at volume 1
    auto press = [&](const char* key, int times) {
        for (int i = 0; i < times; ++i) {
            game.holdKey(key, 0.25);
            sleepSeconds(0.1);
        }
        sleepSeconds(1.5);  // the capture lags the mixer by a few buffers
        return musicLevel(game);
    };
    const double silent = press("n", 11);  // 1.0 down to 0, and once more against the floor
    const double raised = press("m", 5);
    EXPECT_GT(full, 100.0) << "no music captured";
    EXPECT_LT(silent, 0.1 * full) << "full " << full << ", after N " << silent;
    EXPECT_GT(raised, 0.2 * full) << "after N " << silent << ", after M " << raised;
}

}  // namespace
