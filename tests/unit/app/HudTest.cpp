#include <gtest/gtest.h>

#include "app/Hud.h"

namespace {

TEST(FormatNumber, RoundsToHundredthsHalvesUp) {
    const struct {
        float value;
        const char* text;
    } cases[] = {{0.0f, "0"},     {100.0f, "100"},   {12.0f, "12"},     {-3.0f, "-3"},
                 {1.005f, "1.01"}, {2.5f, "2.5"},     {0.125f, "0.13"},  {-0.125f, "-0.12"},
                 {99.999f, "100"}, {123456.0f, "123456"}, {1234567.0f, "1.23457e+06"}};
    for (const auto& c : cases) EXPECT_EQ(formatNumber(c.value), c.text) << c.value;
}

TEST(HudRamps, LivesAndCooldownColours) {
    const struct {
        glm::vec3 got, expected;
    } cases[] = {
        {livesColour(100.0f), {0.2f, 1.0f, 0.2f}}, {livesColour(50.0f), {0.5f, 0.5f, 0.2f}},
        {livesColour(0.0f), {1.0f, 0.2f, 0.2f}},   {livesColour(-20.0f), {1.0f, 0.2f, 0.2f}},
        {cooldownColour(0.0f), {0.2f, 1.0f, 0.2f}}, {cooldownColour(15.0f), {1.0f, 0.2f, 0.2f}},
        {cooldownColour(0.01f), {0.5f, 0.5f, 0.2f}},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.got.r, c.expected.r, 1e-3f);
        EXPECT_NEAR(c.got.g, c.expected.g, 1e-3f);
        EXPECT_NEAR(c.got.b, c.expected.b, 1e-6f);
    }
}

TEST(HudTexts, SuperPunchStateIsReadyOnlyAtExactlyZero) {
    EXPECT_EQ(superPunchText(0.0f), "Bereit!");
    EXPECT_EQ(superPunchText(0.4f), "noch 0s");
    EXPECT_EQ(superPunchText(12.9f), "noch 12s");
    EXPECT_EQ(superPunchText(-0.01f), "noch 0s");
}

TEST(HudTexts, ClockIsHoursMinutesSeconds) {
    EXPECT_EQ(clockText(0.0), "00:00:00");
    EXPECT_EQ(clockText(59.9), "00:00:59");
    EXPECT_EQ(clockText(60.0), "00:01:00");
    EXPECT_EQ(clockText(3725.0), "01:02:05");
    EXPECT_EQ(clockText(100.0 * 3600.0), "100:00:00");
}

std::vector<std::string> textsOf(const HudValues& v) {
    std::vector<std::string> texts;
    for (const HudText& t : hudLayout(v)) texts.push_back(t.text);
    return texts;
}

TEST(HudLayout, ElementsInOrderWithPlacesAndColours) {
    HudValues v;
    v.lives = 99.7f;
    v.kills = 7;
    v.gameClock = 61.0;
    const std::vector<HudText> texts = hudLayout(v);
    ASSERT_EQ(texts.size(), 8u);
    const char* expected[] = {"Leben", "99", "Super-Schlag", "Bereit!", "Besiegte Gegner", "7",
                              "Zeit", "00:01:01"};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(texts[i].text, expected[i]);
    EXPECT_FLOAT_EQ(texts[5].x, -0.1f);
    EXPECT_FLOAT_EQ(texts[5].y, 0.75f);
    EXPECT_FLOAT_EQ(texts[5].size, 0.09f);
    EXPECT_EQ(texts[5].colour, glm::vec3(1.0f, 0.2f, 0.2f));
    EXPECT_EQ(texts[7].colour, glm::vec3(0.2f, 0.2f, 1.0f));
}

TEST(HudLayout, EndMessagesAndFrameRate) {
    HudValues v;
    v.noEnemies = true;
    EXPECT_EQ(textsOf(v).back(), "Du hast gewonnen!");

    v.lives = 0.0f;  // a loss wins over an empty list
    std::vector<std::string> texts = textsOf(v);
    EXPECT_EQ(texts.back(), "Game Over!");
    EXPECT_EQ(texts[1], "0");

    v.lives = -0.5f;
    v.noEnemies = false;
    texts = textsOf(v);
    EXPECT_EQ(texts[1], "0");
    EXPECT_EQ(texts.back(), "Game Over!");

    v.lives = 50.0f;
    v.showFrameRate = true;
    texts = textsOf(v);
    EXPECT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts.back(), "0 fps");
}

}  // namespace
