#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "WorldTestSupport.h"

// The spatial index must never change a decision: the same play or question goes through a
// world that uses the index and one that scans the whole list.

namespace {

// Every field the place and hit tests can influence, as bits.
std::vector<uint32_t> snapshot(const World& w) {
    std::vector<uint32_t> s{static_cast<uint32_t>(w.kills)};
    auto put = [&s](std::initializer_list<float> values) {
        for (float v : values) {
            s.push_back(0);
            std::memcpy(&s.back(), &v, sizeof v);
        }
    };
    const Player& p = *w.player;
    put({p.lives, p.position.x, p.position.y, p.position.z, p.punchProgress});
    for (size_t i = 0; i < w.enemies.size(); ++i) {
        const Enemy& e = *w.enemies[i];
        s.insert(s.end(), {static_cast<uint32_t>(w.enemyIds[i]), static_cast<uint32_t>(e.id),
                           (e.dying ? 1u : 0u) | (e.chasing ? 2u : 0u)});
        put({e.position.x, e.position.y, e.position.z, e.height, e.life, e.blockedTime,
             e.wanderTime, e.wanderTarget.x, e.wanderTarget.y, e.wanderTarget.z, e.velocity.x,
             e.velocity.y, e.velocity.z});
    }
    return s;
}

// One world with its own copy of the C generator's state (glibc's rand() draws from
// random()'s, so setstate() switches it) and a scripted player: keys held for a second at a
// time, the pointer sweeping, punches now and then. Stepped in the game loop's order.
struct Game : TestWorld {
    Game(EnemyLookup lookup, unsigned seed, int punchEvery, int startEnemies)
        : seed(seed), punchEvery(punchEvery) {
        setstate(initstate(seed, state, sizeof state));
        world.setEnemyLookup(lookup);
        withOwnRand([&] {
            for (int i = 0; i < startEnemies; ++i) world.spawnEnemy(randomDirection());
        });
    }
    template <class F> void withOwnRand(F&& f) {
        char* previous = setstate(state);
        f();
        setstate(previous);
    }
    void frame(int f, float dt) {
        withOwnRand([&] {
            time += dt;
            if (time - lastSpawn > 0.75) {
                lastSpawn = time;
                world.spawnEnemy(randomDirection());
            }
            Player& p = player();
            const unsigned keys = (f / 60 * 7 + seed) % 16;
            if (keys & 1u) p.moveForward(-20.0f * dt);
            if (keys & 2u) p.moveSideways(-20.0f * dt);
            if (keys & 4u) p.moveSideways(20.0f * dt);
            if (keys & 8u) p.moveForward(20.0f * dt);
            if (f % punchEvery == 0) p.punch();
            if (f % (punchEvery * 8) == 3 && p.superPunchCooldown <= 0.0f) p.superPunch();
            p.setFacing(static_cast<float>(f * 13 % 360));
            world.update(dt);
        });
    }
    alignas(8) char state[128];
    unsigned seed;
    int punchEvery;
    double lastSpawn = 0.0;
};

TEST(EnemyIndex, PlayWithIndexAndScanStaysBitIdentical) {
    struct Case { const char* name; unsigned seed; int start, frames, punchEvery, most; };
    const Case cases[] = {{"the cadence alone, punching often", 11u, 0, 3600, 25, 12},
                          {"a crowd of 150", 23u, 150, 900, 30, 150}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game a(EnemyLookup::Index, c.seed, c.punchEvery, c.start);
        Game b(EnemyLookup::Scan, c.seed, c.punchEvery, c.start);
        size_t most = 0;
        for (int f = 0; f < c.frames; ++f) {
            a.frame(f, 1.0f / 60.0f);
            b.frame(f, 1.0f / 60.0f);
            ASSERT_EQ(snapshot(a.world), snapshot(b.world)) << "frame " << f;
            most = std::max(most, a.world.enemies.size());
            // Probes a hair inside and outside 5.5 degrees of an enemy, from outside the update.
            const auto& enemies = a.world.enemies;
            if (enemies.empty()) continue;
            const size_t i = static_cast<size_t>(f * 7) % enemies.size();
            const glm::vec3 from = glm::normalize(enemies[i]->position);
            const glm::vec3 toward = turned(from, anyPerpendicular(from), f * 11.0f);
            const int id = a.world.enemyIds[(i + 1) % enemies.size()];
            for (float offset : {-2e-4f, -1e-6f, 0.0f, 1e-6f, 2e-4f}) {
                const glm::vec3 q = along(from, toward, 5.5f + offset);
                ASSERT_EQ(a.world.isFreeForPlayer(q), b.world.isFreeForPlayer(q)) << f;
                ASSERT_EQ(a.world.isFreeForEnemy(id, q), b.world.isFreeForEnemy(id, q)) << f;
            }
        }
        for (const char* wav : {kPunchWav, kEnemyPunchWav, kEnemyDieWav}) {
            EXPECT_EQ(a.plays(wav), b.plays(wav)) << wav;
        }
        // The run exercised what it claims to: kills, removals, attacks, crowding.
        EXPECT_GT(a.world.kills, 10);
        EXPECT_GT(a.plays(kEnemyPunchWav), 0);
        EXPECT_GT(most, static_cast<size_t>(c.most));
    }
}

TEST(EnemyIndex, PunchesReachingAHairAroundEnemiesKillTheSame) {
    for (float progress : {0.5f, 0.76923f, 0.76924f, 1.0f, 2.0f, 2.9999f, 3.0f, 9.0f}) {
        TestWorld a, b;
        b.world.setEnemyLookup(EnemyLookup::Scan);
        for (TestWorld* t : {&a, &b}) {
            t->placePlayerAtZ();
            const glm::vec3 z(0, 0, 1);
            for (float d = 0.5f; d < 32.0f; d += 0.37f) {
                for (float side : {-29.0f, -10.0f, 0.0f, 15.0f, 31.0f}) {
                    t->landEnemy(along(z, turned(z, {1, 0, 0}, side), d));
                }
            }
            t->landEnemy(along(z, {1, 0, 0}, 10.0f) * 1.01f); // off the sphere: 5.9 degrees
            t->player().punchProgress = progress;
            t->world.punchHitTest();
            t->world.superPunchHitTest();
        }
        EXPECT_GT(a.world.kills, 0);
        EXPECT_EQ(snapshot(a.world), snapshot(b.world)) << progress;
    }
}

} // namespace
