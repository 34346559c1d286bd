#include <gtest/gtest.h>

#include "app/Hud.h"
#include "unit/world/WorldTestSupport.h"

TEST(HudTexts, NumbersRoundHalfUpTheClockHasTwoDigitFieldsColoursStayInTheirRamps) {
    const std::vector<std::string> texts = {
        formatNumber(-3.0f),   formatNumber(0.125f),     formatNumber(-0.125f),
        formatNumber(99.999f), formatNumber(1234567.0f), superPunchText(0.0f),
        superPunchText(0.4f),  superPunchText(12.9f),    clockText(59.9),
        clockText(3725.0),     clockText(360000.0)};
    EXPECT_EQ(texts, std::vector<std::string>({"-3", "0.13", "-0.12", "100", "1.23457e+06",
                                               "Bereit!", "noch 0s", "noch 12s", "00:00:59",
                                               "01:02:05", "100:00:00"}));
    EXPECT_LT(glm::length(livesColour(-20.0f) - glm::vec3(1.0f, 0.2f, 0.2f)), 1e-3f);
    EXPECT_LT(glm::length(livesColour(50.0f) - glm::vec3(0.5f, 0.5f, 0.2f)), 1e-3f);
    EXPECT_LT(glm::length(cooldownColour(0.01f) - glm::vec3(0.5f, 0.5f, 0.2f)), 1e-3f);
    EXPECT_EQ(cooldownColour(0.0f), glm::vec3(0.2f, 1.0f, 0.2f));
}

TEST(HudTexts, BereitComesBackOnceTheCooldownHasRunOutAndStays) {
    // 1/60 s does not divide 15 s: the cool-down passes 0 and must land on exactly 0.
    TestWorld t;
    Player& p = t.player();
    p.superPunch();
    while (p.superPunchCooldown <= 0.0f)
        p.update(1.0f / 60.0f);
    int frames = 0;
    for (; superPunchText(p.superPunchCooldown) != "Bereit!" && frames < 2000; ++frames)
        p.update(1.0f / 60.0f);
    EXPECT_NEAR(frames, 15 * 60 + 1, 1);
    for (int i = 0; i < 60; ++i, p.update(1.0f / 60.0f))
        ASSERT_EQ(superPunchText(p.superPunchCooldown), "Bereit!") << i;
}

static std::vector<std::string> textsOf(const HudValues& v) {
    std::vector<std::string> texts;
    for (const HudText& t : hudLayout(v))
        texts.push_back(t.text);
    return texts;
}

TEST(HudLayout, ElementsInOrderThenTheEndMessageAndTheFrameRate) {
    HudValues v;
    v.lives = 99.7f;
    v.kills = 7;
    v.gameClock = 61.0;
    EXPECT_EQ(textsOf(v), std::vector<std::string>({"Leben", "99", "Super-Schlag", "Bereit!",
                                                    "Besiegte Gegner", "7", "Zeit", "00:01:01"}));
    EXPECT_EQ(hudLayout(v)[5].colour, glm::vec3(1.0f, 0.2f, 0.2f));
    EXPECT_EQ(hudLayout(v)[7].colour, glm::vec3(0.2f, 0.2f, 1.0f));
    v.noEnemies = true;
    EXPECT_EQ(textsOf(v).back(), "Du hast gewonnen!");
    v.lives = 0.0f; // a loss wins over an empty list
    EXPECT_EQ(textsOf(v).back(), "Game Over!");
    v.lives = -0.5f;
    v.showFrameRate = true;
    EXPECT_EQ(textsOf(v)[1], "0");
    EXPECT_EQ(textsOf(v)[8] + textsOf(v)[9], "Game Over!0 fps");
}

TEST(HudLayout, GameOverTellsThePlaceAndTheBestTimeAndAPauseSaysSo) {
    HudValues v;
    v.lives = 0.0f;
    v.place = 0;
    v.bestTime = 125.0;
    v.playAgain = true;
    std::vector<std::string> texts = textsOf(v);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 8, texts.end()),
              std::vector<std::string>({"Game Over!", "Bestzeit 00:02:05",
                                        "Kein Platz unter den besten zehn", "Klick: neues Spiel"}));
    v.place = 1;
    v.newBest = true;
    v.paused = true; // no pause once lost
    texts = textsOf(v);
    EXPECT_EQ(texts[9] + "|" + texts[11], "Neuer Rekord!|Platz 1");
    EXPECT_EQ(texts.size(), 13u);
    v.lives = 5.0f;
    EXPECT_EQ(textsOf(v).back(), "P oder Klick: weiter");
    EXPECT_NEAR(centred("Pause", 0.3f, 0.12f, {}).x, -0.225f, 1e-6f);
}
