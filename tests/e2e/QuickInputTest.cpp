// Presses shorter than a frame on a slow renderer (one software-rendering thread): xdotool
// sends each button or key down and up at once, so polling alone would see none of them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GameSession.h"

TEST(QuickInput, AnInstantClickStartsTenInstantTapsOfNSilenceAndAnInstantEscapeQuits) {
    setenv("LP_NUM_THREADS", "1", 1);
    GameSession game;
    unsetenv("LP_NUM_THREADS");
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    game.movePointer(640, 180);
    ASSERT_EQ(std::system("xdotool click 1"), 0);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << "the click did not start the game";
    sleepSeconds(2.0);
    const double full = game.musicLevel();
    ASSERT_EQ(std::system("xdotool key --delay 20 n n n n n n n n n n"), 0);
    sleepSeconds(2.0);
    EXPECT_GT(full, 100.0) << "no music captured";
    EXPECT_LT(game.musicLevel(), 0.02 * full) << "full " << full << ", after ten taps of N";
    ASSERT_EQ(std::system("xdotool key Escape"), 0);
    EXPECT_EQ(game.waitForExit(10), 0);
}
