#include "Scene.h"
#include "world/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>

#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/SphereMath.h"

namespace {
constexpr unsigned kFrameSeed = 4242;    // the generator's state at every timed frame
constexpr double kClockSeconds = 1000.0; // a still clock: the sound gate opens once
} // namespace

Scene::Scene(RenderStore* store) : sound_(SoundEngine::createSilent()) {
    const auto clock = [] { return kClockSeconds; };
    world_ = store ? std::make_unique<World>(sound_.get(), clock, *store)
                   : std::make_unique<World>(sound_.get(), clock, Graphics::Off);
}

Scene::~Scene() = default;

void Scene::spawnLanded(int n, unsigned seed) {
    seedChance(seed);
    for (int i = 0; i < n; ++i) {
        world_->spawnEnemy(randomDirection());
    }
    land();
}

void Scene::placeLanded(const std::vector<glm::vec3>& places) {
    for (const glm::vec3& place : places) {
        world_->spawnEnemy(place);
    }
    land();
}

void Scene::land() {
    // Landing enemies neither move nor ask the place tests, so this costs little.
    bool landing = true;
    while (landing) {
        world_->update(kFrameSeconds);
        landing = false;
        for (const auto& enemy : world_->enemies) {
            landing = landing || enemy->height > 0.0f;
        }
    }
}

void Scene::play(int frames) {
    for (int f = 0; f < frames; ++f) {
        world_->update(kFrameSeconds);
    }
}

void Scene::save() {
    saved_.clear();
    for (const auto& enemy : world_->enemies) {
        saved_.push_back(*enemy);
    }
    savedLives_ = world_->player->lives;
    savedKills_ = world_->kills;
    savedSoundTime_ = world_->lastEnemyPunchSoundTime;
}

void Scene::restore() {
    // Nobody punches, so no enemy dies and the list keeps its length.
    for (size_t i = 0; i < saved_.size() && i < world_->enemies.size(); ++i) {
        *world_->enemies[i] = saved_[i];
    }
    world_->player->lives = savedLives_;
    world_->kills = savedKills_;
    world_->lastEnemyPunchSoundTime = savedSoundTime_;
    seedChance(kFrameSeed);
}

int Scene::movedSinceSave() const {
    int moved = 0;
    for (size_t i = 0; i < saved_.size() && i < world_->enemies.size(); ++i) {
        moved += world_->enemies[i]->position != saved_[i].position ? 1 : 0;
    }
    return moved;
}

std::vector<glm::vec3> nonBlockingSpread(int n, const glm::vec3& player) {
    // Enemies walk along meridians toward the player's pole, 0.3 degrees a frame. Rings 5.9
    // degrees apart keep them clear along the meridian; along a ring neighbours stand at least
    // 5.56 degrees apart (great circle) on the ring as it is and as it is one step later.
    const glm::vec3 pole = glm::normalize(player);
    const glm::vec3 side = anyPerpendicular(pole);
    const double rad = 3.14159265358979323846 / 180.0;
    std::vector<glm::vec3> places;
    for (double ring = 6.6; ring < 180.0 && static_cast<int>(places.size()) < n; ring += 5.9) {
        const double radius = std::min(std::sin(ring * rad), std::sin((ring - 0.35) * rad));
        const double half = std::sin(2.78 * rad) / radius; // sin of half the longitude step
        const int count =
            half >= 1.0 ? 1 : static_cast<int>(std::floor(180.0 / (std::asin(half) / rad)));
        const glm::vec3 start = rotateColumn(pole, static_cast<float>(ring), side, 0.0f);
        for (int k = 0; k < count && static_cast<int>(places.size()) < n; ++k) {
            const float around = static_cast<float>(360.0 * k / count);
            places.push_back(glm::normalize(rotateColumn(start, around, pole, 0.0f)));
        }
    }
    return places;
}
