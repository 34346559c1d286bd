// Presses shorter than a frame on a slow renderer (one software-rendering thread): xdotool
// sends each button or key down and up at once, so polling alone would see none of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "GameSession.h"

// The music's level: the lower quartile of 20 ms slices of the last second (punches fill fewer).
static double musicLevel(const GameSession& game) {
    const std::vector<short> s = game.capturedAudio();
    std::vector<double> levels;
    for (size_t at = s.size() - std::min<size_t>(s.size(), 88200); at + 1764 <= s.size();
         at += 1764)
        levels.push_back(rms(s, at, at + 1764));
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 4, levels.end());
    return levels.empty() ? 0.0 : levels[levels.size() / 4];
}

TEST(QuickInput, AnInstantClickStartsTenInstantTapsOfNSilenceAndAnInstantEscapeQuits) {
    setenv("LP_NUM_THREADS", "1", 1);
    GameSession game;
    unsetenv("LP_NUM_THREADS");
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    game.movePointer(640, 180);
    ASSERT_EQ(std::system("xdotool click 1"), 0);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << "the click did not start the game";
    sleepSeconds(2.0);
    const double full = musicLevel(game);
    ASSERT_EQ(std::system("xdotool key --delay 20 n n n n n n n n n n"), 0);
    sleepSeconds(2.0);
    EXPECT_GT(full, 100.0) << "no music captured";
    EXPECT_LT(musicLevel(game), 0.02 * full) << "full " << full << ", after ten taps of N";
    ASSERT_EQ(std::system("xdotool key Escape"), 0);
    EXPECT_EQ(game.waitForExit(10), 0);
}
