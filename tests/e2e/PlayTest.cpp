#include <gtest/gtest.h>

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

TEST(Play, StartScreenShowsThePromptAndEscapeEndsTheGame) {
    GameSession game;
    ASSERT_TRUE(game.hasWindow()) << game.standardError();
    const GameSession::Shot shot = game.screenshot();
    ASSERT_EQ(shot.width, kWidth);
    EXPECT_GT(whiteTextPixels(shot, -0.18f, 0.8f, 0.07f, 6), 50) << "no \"Klick!\"";
    EXPECT_EQ(whiteTextPixels(shot, -0.9f, 0.85f, 0.05f, 5), 0) << "HUD on the start screen";
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
    EXPECT_EQ(whiteTextPixels(shot, -0.18f, 0.8f, 0.07f, 6), 0) << "prompt still shown";
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
