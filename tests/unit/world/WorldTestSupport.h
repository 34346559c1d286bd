#pragma once

#include <cmath>
#include <glm/glm.hpp>
#include <memory>
#include <string>

#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/SphereMath.h"
#include "world/World.h"

constexpr const char* kPunchWav = "resources/punch.wav";
constexpr const char* kEnemyPunchWav = "resources/enemy_punch.wav";
constexpr const char* kEnemyDieWav = "resources/enemy_die.wav";

// A world without graphics, a silent sound engine that counts plays, and a clock the test
// sets by hand.
struct TestWorld {
    std::unique_ptr<SoundEngine> sound = SoundEngine::createSilent();
    double time = 0.0;
    World world{sound.get(), [this] { return time; }, Graphics::Off};

    Player& player() { return *world.player; }
    Enemy& enemy(size_t i) { return *world.enemies.at(i); }
    int plays(const char* file) const { return sound->playCount(file); }

    // Spawns an enemy that has already landed at `place`.
    Enemy& landEnemy(const glm::vec3& place) {
        world.spawnEnemy(place);
        Enemy& e = *world.enemies.back();
        e.height = 0.0f;
        e.updateMatrices();
        return e;
    }

    // The player at (0, 0, 1) facing +x, the frame the hit-test cases are written in.
    void placePlayerAtZ() {
        Player& p = player();
        p.position = glm::vec3(0.0f, 0.0f, 1.0f);
        p.forward = glm::vec3(0.0f, 1.0f, 0.0f);
        p.left = glm::vec3(-1.0f, 0.0f, 0.0f);
        p.facing = glm::vec3(1.0f, 0.0f, 0.0f);
    }
};

// The place `degrees` from the unit vector `from` along the great circle that leaves it in
// the tangent direction `toward`.
inline glm::vec3 along(const glm::vec3& from, const glm::vec3& toward, float degrees) {
    return rotateColumn(from, degrees, glm::cross(from, toward), 0.0f);
}

// A tangent direction at `from`: `toward` turned by `sideDegrees` about `from`.
inline glm::vec3 turned(const glm::vec3& from, const glm::vec3& toward, float sideDegrees) {
    return rotateColumn(toward, sideDegrees, from, 0.0f);
}

// The angle between two directions in degrees, measured in double precision.
inline double degreesBetween(const glm::vec3& a, const glm::vec3& b) {
    const glm::dvec3 da = glm::normalize(glm::dvec3(a));
    const glm::dvec3 db = glm::normalize(glm::dvec3(b));
    const double c = glm::clamp(glm::dot(da, db), -1.0, 1.0);
    return std::acos(c) * 180.0 / 3.141592653589793;
}

inline bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

inline bool isFinite(const glm::mat4& m) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            if (!std::isfinite(m[c][r])) {
                return false;
            }
        }
    }
    return true;
}
