#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

class TextRenderer;
class World;
struct LoopState;

// v to the nearest hundredth (halves upwards) in the stream's default float format.
std::string formatNumber(float v);

// The values the head-up display reads each frame.
struct HudValues {
    float lives = 100.0f;
    float superPunchCooldown = 0.0f;
    int kills = 0;
    bool noEnemies = false;
    double gameClock = 0.0;
    int frameRate = 0;
    bool showFrameRate = false;
    bool paused = false;
    bool playAgain = false; // "Game Over!" has shown long enough for a new game
    int place = -1;         // the lost game's place among the best; 0 none, -1 not known
    double bestTime = 0.0;  // the best time survived, this game's included
    bool newBest = false;
};

// The values as the world and the loop hold them this frame.
HudValues readHudValues(const World& world, const LoopState& state);

// One line of text: left edge x and bottom y in normalised device coordinates, height, RGB.
struct HudText {
    std::string text;
    float x, y, size;
    glm::vec3 colour;
};

glm::vec3 livesColour(float lives);
glm::vec3 cooldownColour(float cooldown);
std::string superPunchText(float cooldown);
std::string clockText(double seconds);

// The start screen's prompt.
HudText startPrompt();
// A line centred on the screen, each character 0.75 of its size wide.
HudText centred(const std::string& text, float y, float size, glm::vec3 colour);

// The elements in draw order.
std::vector<HudText> hudLayout(const HudValues& values);
// The same for watching a recording, marked as one, and said when it has ended.
std::vector<HudText> replayLayout(const HudValues& values, bool ended);
// Draws the texts over the finished scene, with the depth test off for their duration.
void drawTexts(const TextRenderer& renderer, const std::vector<HudText>& texts);
