#pragma once

#include <cmath>
#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <memory>

#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/SphereMath.h"
#include "world/World.h"

constexpr const char* kPunchWav = "resources/punch.wav";
constexpr const char* kEnemyPunchWav = "resources/enemy_punch.wav";
constexpr const char* kEnemyDieWav = "resources/enemy_die.wav";
constexpr float kDt = 1.0f / 64.0f; // exact in binary: frame counts land on exact times

// A world without graphics, a silent sound engine that counts plays, a clock set by hand.
struct TestWorld {
    std::unique_ptr<SoundEngine> sound = SoundEngine::createSilent();
    double time = 0.0;
    World world{sound.get(), [this] { return time; }, Graphics::Off};

    Player& player() { return *world.player; }
    Enemy& enemy(size_t i) { return *world.enemies.at(i); }
    int plays(const char* file) const { return sound->playCount(file); }
    Enemy& landEnemy(const glm::vec3& place) {
        world.spawnEnemy(place);
        Enemy& e = *world.enemies.back();
        e.height = 0.0f;
        return e;
    }
    void run(int frames, float dt) {
        for (int f = 0; f < frames; ++f) {
            time += dt;
            world.update(dt);
        }
    }
};

// Each case in a fresh world, with the spatial index and with the plain scan of the list alike.
template <class Case, size_t N, class Check>
void forEachCaseAndLookup(const Case (&cases)[N], Check check) {
    for (EnemyLookup lookup : {EnemyLookup::Index, EnemyLookup::Scan}) {
        for (size_t i = 0; i < N; ++i) {
            SCOPED_TRACE(testing::Message() << i << (lookup == EnemyLookup::Scan ? " scan" : ""));
            TestWorld t;
            t.world.setEnemyLookup(lookup);
            check(t, cases[i]);
        }
    }
}

// `degrees` from unit vector `from` along the great circle leaving it toward tangent `toward`.
inline glm::vec3 along(const glm::vec3& from, const glm::vec3& toward, float degrees) {
    return rotateColumn(from, degrees, glm::cross(from, toward), 0.0f);
}
// The tangent direction `toward` turned by `sideDegrees` about `from`.
inline glm::vec3 turned(const glm::vec3& from, const glm::vec3& toward, float sideDegrees) {
    return rotateColumn(toward, sideDegrees, from, 0.0f);
}
inline double degreesBetween(const glm::vec3& a, const glm::vec3& b) {
    const double c = glm::dot(glm::normalize(glm::dvec3(a)), glm::normalize(glm::dvec3(b)));
    return std::acos(glm::clamp(c, -1.0, 1.0)) * 180.0 / 3.141592653589793;
}
// A model matrix's column 1 is where the mesh's +Y points, column 3 its origin.
#define EXPECT_VEC_NEAR(a, b, tol) EXPECT_LT(glm::distance(glm::vec3(a), glm::vec3(b)), tol)
