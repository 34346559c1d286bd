#include <algorithm>
#include <cmath>
#include <string>

#include "Landings.h"

#include "app/Game.h"
#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "support/ScriptedScreen.h"

double nearestLandingDegrees(const char* seed, double seconds) {
    double now = 0.0, nearest = 180.0;
    auto game = Game::create(
        1280, 720, [&now] { return now; }, &SoundEngine::createSilent, Graphics::Off,
        std::stoull(seed));
    game->shell().state.started = true;
    const glm::vec3 start = game->world().player->position;
    const auto& enemies = game->world().enemies;
    ScriptedScreen screen;
    // Nobody is punched, so enemies are only added, at the end; landing ones stay where they land.
    for (size_t checked = 0; now < seconds; now += 1.0 / 60.0, game->gameFrame(screen)) {
        for (; checked < enemies.size(); ++checked) {
            const float cosine = glm::dot(enemies[checked]->getPosition(), start);
            nearest = std::min(nearest, std::acos(double(cosine)) * 180.0 / M_PI);
        }
    }
    return nearest;
}
