#include "app/Hud.h"

#include <GL/glew.h>
#include <cmath>
#include <sstream>

#include "app/Shell.h"
#include "player/Player.h"
#include "render/TextRenderer.h"
#include "world/World.h"

namespace {

const glm::vec3 kWhite{1.0f, 1.0f, 1.0f};
const glm::vec3 kGreen{0.2f, 1.0f, 0.2f};
const glm::vec3 kRed{1.0f, 0.2f, 0.2f};
const glm::vec3 kBlue{0.2f, 0.2f, 1.0f};

float rampChannel(float value) {
    if (value >= 1.0f)
        return 1.0f;
    if (value <= 0.2f)
        return 0.2f;
    return value;
}

// Two digits at least: hours, minutes and seconds of the clock.
std::string clockField(long long value) {
    std::string text = formatNumber(static_cast<float>(value));
    return text.size() == 1 ? "0" + text : text;
}

} // namespace

std::string formatNumber(float v) {
    float w = v * 100.0f + 0.5f;
    w = std::floor(w);
    w = w / 100.0f;
    std::ostringstream out;
    out << w;
    return out.str();
}

HudValues readHudValues(const World& world, const LoopState& state) {
    HudValues v;
    v.lives = world.player->lives;
    v.superPunchCooldown = world.player->superPunchCooldown;
    v.kills = world.kills;
    v.noEnemies = world.enemies.empty();
    v.gameClock = state.gameClock;
    v.frameRate = state.frameRate;
    v.showFrameRate = state.showFrameRate;
    v.paused = state.paused;
    v.playAgain = state.gameOverTime >= kGameOverHold;
    return v;
}

glm::vec3 livesColour(float lives) {
    return {rampChannel(1.0f - lives / 100.0f), rampChannel(lives / 100.0f), 0.2f};
}

glm::vec3 cooldownColour(float cooldown) {
    if (cooldown == 0.0f)
        return kGreen;
    return {rampChannel(cooldown / 30.0f + 0.5f), rampChannel(0.5f - cooldown / 30.0f), 0.2f};
}

std::string superPunchText(float cooldown) {
    if (cooldown == 0.0f)
        return "Bereit!";
    return "noch " + formatNumber(static_cast<float>(static_cast<int>(cooldown))) + "s";
}

std::string clockText(double seconds) {
    const long long s = static_cast<long long>(seconds);
    const long long hours = s / 3600;
    const long long minutes = (s - 3600 * hours) / 60;
    const long long secs = s - 3600 * hours - 60 * minutes;
    return clockField(hours) + ":" + clockField(minutes) + ":" + clockField(secs);
}

HudText startPrompt() {
    return {"Klick!", -0.18f, 0.8f, 0.07f, kWhite};
}

HudText centred(const std::string& text, float y, float size, glm::vec3 colour) {
    return {text, -0.375f * size * static_cast<float>(text.size()), y, size, colour};
}

namespace {

// Above "Game Over!": how this game did against the best; under it, how to play again.
void addGameOver(std::vector<HudText>& texts, const HudValues& v) {
    texts.push_back({"Game Over!", -0.32f, -0.95f, 0.1f, kRed});
    if (v.place >= 0) {
        if (v.newBest)
            texts.push_back(centred("Neuer Rekord!", -0.56f, 0.07f, kGreen));
        texts.push_back(centred("Bestzeit " + clockText(v.bestTime), -0.66f, 0.05f, kWhite));
        texts.push_back(centred(v.place > 0 ? "Platz " + std::to_string(v.place)
                                            : "Kein Platz unter den besten zehn",
                                -0.74f, 0.05f, kWhite));
    }
    if (v.playAgain)
        texts.push_back(centred("Klick: neues Spiel", -0.995f, 0.04f, kWhite));
}

} // namespace

std::vector<HudText> hudLayout(const HudValues& v) {
    const float livesShown = static_cast<float>(static_cast<int>(v.lives));
    std::vector<HudText> texts = {
        {"Leben", -0.9f, 0.85f, 0.05f, kWhite},
        {formatNumber(livesShown), -0.9f, 0.8f, 0.05f, livesColour(v.lives)},
        {"Super-Schlag", -0.9f, 0.7f, 0.05f, kWhite},
        {superPunchText(v.superPunchCooldown), -0.9f, 0.65f, 0.05f,
         cooldownColour(v.superPunchCooldown)},
        {"Besiegte Gegner", -0.3f, 0.85f, 0.05f, kWhite},
        {formatNumber(static_cast<float>(v.kills)), -0.1f, 0.75f, 0.09f, kRed},
        {"Zeit", 0.5f, 0.85f, 0.05f, kWhite},
        {clockText(v.gameClock), 0.5f, 0.8f, 0.05f, kBlue},
    };
    if (v.lives <= 0.0f) {
        addGameOver(texts, v);
    } else if (v.noEnemies) {
        texts.push_back({"Du hast gewonnen!", -0.65f, -0.95f, 0.1f, kGreen});
    }
    if (v.paused && v.lives > 0.0f) {
        texts.push_back(centred("Pause", 0.3f, 0.12f, kWhite));
        texts.push_back(centred("P oder Klick: weiter", 0.22f, 0.04f, kWhite));
    }
    if (v.showFrameRate) {
        texts.push_back(
            {formatNumber(static_cast<float>(v.frameRate)) + " fps", 0.8f, 0.9f, 0.03f, kWhite});
    }
    return texts;
}

std::vector<HudText> replayLayout(const HudValues& values, bool ended) {
    std::vector<HudText> texts = hudLayout(values);
    texts.push_back(centred("Wiederholung", 0.62f, 0.05f, kWhite));
    if (ended)
        texts.push_back(centred("Ende der Wiederholung", -0.74f, 0.05f, kWhite));
    return texts;
}

void drawTexts(const TextRenderer& renderer, const std::vector<HudText>& texts) {
    // Text lies at depth 0.5 in the window; the scene's depth must never hide it.
    glDisable(GL_DEPTH_TEST);
    for (const HudText& t : texts) {
        renderer.draw(t.text, t.x, t.y, t.size, t.colour.r, t.colour.g, t.colour.b);
    }
    glEnable(GL_DEPTH_TEST);
}
