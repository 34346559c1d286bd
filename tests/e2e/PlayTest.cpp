// The real game played as a person would, from the start screen to Escape, judged by what a
// player sees in screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GameSession.h"

namespace {

using Shot = GameSession::Shot;
constexpr int kWidth = 1280, kHeight = 720;

// Mean absolute channel difference over [x0, x1) x [y0, y1).
double difference(const Shot& a, const Shot& b, int x0 = 0, int y0 = 0, int x1 = kWidth,
                  int y1 = kHeight) {
    double sum = 0.0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c)
                sum += std::abs(a.at(x, y)[c] - b.at(x, y)[c]);
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

// Where the character stands in the middle of the picture.
constexpr int kX0 = kWidth / 2 - 80, kX1 = kWidth / 2 + 80;
constexpr int kY0 = kHeight / 2 - 80, kY1 = kHeight / 2 + 80;

// Waits (at most 10 s) until the picture holds still for a fifth of a second: the camera trails
// a walking character, a punch takes half a second.
void waitForCalm(GameSession& game) {
    within(10, [&] {
        const Shot a = game.screenshot();
        sleepSeconds(0.2);
        return difference(a, game.screenshot()) < 1.0;
    });
}

// The start screen holds still once the character faces the pointer: how much the picture and
// its centre change in half a second then is how much a frozen picture changes by.
void startScreen(GameSession& game, Shot& rest, double& calm, double& still) {
    game.movePointer(kWidth / 2, kHeight / 4); // the character faces up
    Shot shot;
    within(20, [&] { return litPlanetDiscFault(shot = game.screenshot()).empty(); });
    ASSERT_EQ(shot.width, kWidth);
    EXPECT_EQ(litPlanetDiscFault(shot), "");
    EXPECT_GT(shot.text(-0.18f, 0.8f, 0.045f, 6), 50) << "no \"Klick!\"";
    EXPECT_EQ(shot.text(-0.9f, 0.85f, 0.05f, 5), 0) << "HUD on the start screen";
    waitForCalm(game);
    rest = game.screenshot();
    sleepSeconds(0.5);
    const Shot later = game.screenshot();
    calm = difference(rest, later, kX0, kY0, kX1, kY1);
    still = difference(rest, later);
}

// A click starts the game; the button held down then throws punch after punch; a walk follows.
// Both are judged in the first seconds of play, while the seed keeps every enemy far away (see
// kEndToEndSeed): the character stands alone, and nothing blocks its steps. The game stands still
// while each picture is taken, so that those seconds do not depend on how fast this machine is.
void clickPunchAndWalk(GameSession& game, const Shot& rest, double calm, double still) {
    game.holdButton(1, 0.2);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << game.standardError();
    within(10, [&] { return game.frozenScreenshot().text(-0.9f, 0.85f, 0.05f, 5) > 30; });
    // The change around the character: a thrown fist soon shows, however slowly frames come.
    [[maybe_unused]] int ignored = std::system("xdotool mousedown 1 >/dev/null 2>&1");
    double punched = 0.0;
    within(3, [&] {
        punched = difference(rest, game.frozenScreenshot(), kX0, kY0, kX1, kY1);
        return punched > 2.0 * calm + 0.2;
    });
    ignored = std::system("xdotool mouseup 1 >/dev/null 2>&1");
    EXPECT_GT(punched, 2.0 * calm + 0.2) << "idle " << calm << ", punching " << punched;

    const Shot before = game.frozenScreenshot();
    game.holdKey("w", 0.6);
    const double moved = difference(before, game.frozenScreenshot());
    EXPECT_GT(moved, 2.0 * still + 1.0) << "idle " << still << ", walking " << moved;
}

void hudShows(GameSession& game) {
    const float value = std::stof(game.standardOutput());
    EXPECT_GE(value, 0.0f);
    EXPECT_LE(value, 1.0f);
    const Shot shot = game.screenshot();
    EXPECT_GT(shot.text(-0.9f, 0.85f, 0.05f, 5), 30) << "no \"Leben\"";
    EXPECT_GT(shot.text(0.5f, 0.85f, 0.05f, 4), 20) << "no \"Zeit\"";
    // Only the prompt's lower part: "Besiegte Gegner" overlaps its top.
    EXPECT_EQ(shot.text(-0.18f, 0.8f, 0.045f, 6), 0) << "prompt still shown";
}

// Enemies come into the picture by now: they move only in the frames between its looks.
void displayKeys(GameSession& game) {
    waitForCalm(game);
    const Shot filled = game.frozenScreenshot();
    double toWire = 0.0, toBack = 0.0;
    game.holdKey("F3", 0.3);
    within(10, [&] { return (toWire = difference(filled, game.frozenScreenshot())) > 2.0; });
    game.holdKey("F3", 0.3);
    within(10,
           [&] { return (toBack = difference(filled, game.frozenScreenshot())) < toWire / 3.0; });
    EXPECT_GT(toWire, 3.0 * toBack + 2.0) << "wireframe " << toWire << ", back " << toBack;
}

// Fullscreen at a size the screen has no mode for: the window takes the screen's 1280 x 720,
// and the picture must fill it.
TEST(Play, StartClickPunchWalkHudAndDisplayKeysThenEscape) {
    Scratch scratch;
    scratch.write("resources/config", "fullscreen\n1024\n576\n");
    GameSession game(scratch.dir.string());
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    Shot rest;
    double calm = 0.0, still = 0.0;
    ASSERT_NO_FATAL_FAILURE(startScreen(game, rest, calm, still));
    ASSERT_NO_FATAL_FAILURE(clickPunchAndWalk(game, rest, calm, still));
    hudShows(game);
    displayKeys(game);
    game.holdKey("Escape", 0.5);
    EXPECT_EQ(game.waitForExit(10), 0);
}

} // namespace
