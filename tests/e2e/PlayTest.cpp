#include <gtest/gtest.h>

#include <cmath>

#include "GameSession.h"

namespace {

// The configured window is 1280 x 720; text places are in normalised device coordinates.
constexpr int kWidth = 1280, kHeight = 720;
int px(float ndcX) { return static_cast<int>((ndcX + 1.0f) * 0.5f * kWidth); }
int py(float ndcY) { return static_cast<int>((1.0f - ndcY) * 0.5f * kHeight); }

const unsigned char kWhiteLo[3] = {200, 200, 200}, kWhiteHi[3] = {255, 255, 255};

// White pixels where a line of text of `chars` characters at (x, y) with `size` is drawn.
int whiteTextPixels(const GameSession::Shot& shot, float x, float y, float size, int chars) {
    return shot.count(px(x), py(y + size), px(x + chars * 0.75f * size), py(y), kWhiteLo,
                      kWhiteHi);
}

double brightness(const GameSession::Shot& shot, int x, int y) {
    const unsigned char* p = shot.at(x, y);
    return (p[0] + p[1] + p[2]) / 3.0;
}

// The planet seen from 3 units with a 45-degree field of view: a disc of about 307 pixels
// around the centre, lit from the sun's side (+x, which is screen left from the start place).
void expectLitPlanetDisc(const GameSession::Shot& shot) {
    int inside = 0, insideLit = 0, outside = 0, outsideDark = 0;
    double left = 0.0, right = 0.0;
    for (int y = 120; y < 600; y += 4) {
        for (int x = 280; x < 1000; x += 4) {
            const double r = std::hypot(x - 640.0, y - 360.0);
            const double b = brightness(shot, x, y);
            if (r < 280) {
                ++inside;
                insideLit += b > 8;
                (x < 640 ? left : right) += b;
            } else if (r > 330) {
                ++outside;
                outsideDark += b < 8;
            }
        }
    }
    EXPECT_GT(insideLit, inside * 95 / 100) << "planet disc not filled";
    EXPECT_GT(outsideDark, outside * 90 / 100) << "something drawn around the planet";
    EXPECT_GT(left, right * 1.2) << "the sun's side is not the lit side";
}

TEST(Play, StartScreenShowsThePromptAndEscapeEndsTheGame) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    const GameSession::Shot shot = game.screenshot();
    ASSERT_EQ(shot.width, kWidth);
    EXPECT_GT(whiteTextPixels(shot, -0.18f, 0.8f, 0.045f, 6), 50) << "no \"Klick!\"";
    EXPECT_EQ(whiteTextPixels(shot, -0.9f, 0.85f, 0.05f, 5), 0) << "HUD on the start screen";
    expectLitPlanetDisc(shot);
    game.holdKey("Escape", 0.5);
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_EQ(game.standardOutput().find("fps"), std::string::npos);
}

TEST(Play, ClickStartsTheGameAndPrintsTheMusicValue) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    game.movePointer(900, 360);
    game.holdButton(1, 0.5);
    ASSERT_TRUE(game.waitForOutput("\n", 10)) << game.standardError();
    const float value = std::stof(game.standardOutput());
    EXPECT_GE(value, 0.0f);
    EXPECT_LE(value, 1.0f);
    sleepSeconds(1.0);
    const GameSession::Shot shot = game.screenshot();
    EXPECT_GT(whiteTextPixels(shot, -0.9f, 0.85f, 0.05f, 5), 30) << "no \"Leben\"";
    EXPECT_GT(whiteTextPixels(shot, 0.5f, 0.85f, 0.05f, 4), 20) << "no \"Zeit\"";
    // The lives in green (full), the kill count in red, the clock in blue, each within a few
    // levels of its authored sRGB value (0.2 is 51) where the small glyphs cover whole pixels.
    const unsigned char greenLo[3] = {43, 247, 43}, greenHi[3] = {59, 255, 59};
    const unsigned char redLo[3] = {247, 43, 43}, redHi[3] = {255, 59, 59};
    const unsigned char blueLo[3] = {43, 43, 247}, blueHi[3] = {59, 59, 255};
    EXPECT_GT(shot.count(px(-0.9f), py(0.85f), px(-0.9f + 3 * 0.0375f), py(0.8f), greenLo, greenHi),
              5);
    EXPECT_GT(shot.count(px(-0.1f), py(0.84f), px(-0.1f + 0.0675f), py(0.75f), redLo, redHi), 20);
    EXPECT_GT(shot.count(px(0.5f), py(0.85f), px(0.5f + 8 * 0.0375f), py(0.8f), blueLo, blueHi), 20);
    // Only the prompt's lower part: "Besiegte Gegner" overlaps its top.
    EXPECT_EQ(whiteTextPixels(shot, -0.18f, 0.8f, 0.045f, 6), 0) << "prompt still shown";
    game.holdKey("Escape", 0.5);
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(Play, ClosingTheWindowEndsTheGame) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    game.requestClose();
    EXPECT_EQ(game.waitForExit(10), 0);
}

}  // namespace
