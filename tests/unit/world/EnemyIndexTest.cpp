#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

#include "WorldTestSupport.h"
#include "world/Combat.h"

// The spatial index must never change a decision: every test below runs the same play or the
// same question through a world that uses the index and one that scans the whole list.

namespace {

// A private copy of the C library's generator. glibc's rand() draws from random()'s state, so
// two worlds in lockstep each see the whole sequence of one seed.
class RandStream {
public:
    explicit RandStream(unsigned seed) { setstate(initstate(seed, state_, sizeof state_)); }
    template <class F> void run(F&& f) {
        char* previous = setstate(state_);
        f();
        setstate(previous);
    }

private:
    alignas(8) char state_[128];
};

void put(std::vector<uint32_t>& out, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    out.push_back(bits);
}

void put(std::vector<uint32_t>& out, const glm::vec3& v) {
    put(out, v.x);
    put(out, v.y);
    put(out, v.z);
}

// Every field the place and hit tests can influence, as bits.
std::vector<uint32_t> snapshot(const World& w) {
    std::vector<uint32_t> s;
    s.push_back(static_cast<uint32_t>(w.kills));
    const Player& p = *w.player;
    put(s, p.lives);
    put(s, p.position);
    put(s, p.punchProgress);
    put(s, p.superPunchCooldown);
    for (size_t i = 0; i < w.enemies.size(); ++i) {
        const Enemy& e = *w.enemies[i];
        s.push_back(static_cast<uint32_t>(w.enemyIds[i]));
        s.push_back(static_cast<uint32_t>(e.id));
        s.push_back((e.dying ? 1u : 0u) | (e.chasing ? 2u : 0u));
        put(s, e.position);
        put(s, e.height);
        put(s, e.life);
        put(s, e.blockedTime);
        put(s, e.wanderTime);
        put(s, e.wanderTarget);
        put(s, e.velocity);
    }
    return s;
}

// Keys held for a second or so at a time, the pointer sweeping, punches now and then.
class PlayerScript {
public:
    PlayerScript(unsigned seed, int punchEvery) : rng_(seed), punchEvery_(punchEvery) {}
    void frame(Player& p, float dt) {
        if (rng_() % 60 == 0) {
            keys_ = rng_() % 16;
        }
        angle_ += static_cast<float>(static_cast<int>(rng_() % 21) - 10);
        const float step = 20.0f * dt;
        if (keys_ & 1u) p.moveForward(-step);
        if (keys_ & 2u) p.moveSideways(-step);
        if (keys_ & 4u) p.moveSideways(step);
        if (keys_ & 8u) p.moveForward(step);
        if (rng_() % punchEvery_ == 0) p.punch();
        if (rng_() % (punchEvery_ * 8) == 0 && p.superPunchCooldown <= 0.0f) p.superPunch();
        p.setFacing(angle_);
    }

private:
    std::mt19937 rng_;
    unsigned punchEvery_;
    unsigned keys_ = 0;
    float angle_ = 0.0f;
};

// One world with its own generator and scripted player, stepped like the game loop does.
struct Game {
    Game(EnemyLookup lookup, unsigned seed, int punchEvery)
        : rand(seed), script(seed, punchEvery) {
        t.world.setEnemyLookup(lookup);
    }
    void spawn(int n) {
        rand.run([&] {
            for (int i = 0; i < n; ++i) t.world.spawnEnemy(randomDirection());
        });
    }
    void frame(float dt) {
        rand.run([&] {
            t.time += dt;
            if (t.time - lastSpawn > 0.75) {
                lastSpawn = t.time;
                t.world.spawnEnemy(randomDirection());
            }
            script.frame(t.player(), dt);
            t.world.update(dt);
        });
    }
    TestWorld t;
    RandStream rand;
    PlayerScript script;
    double lastSpawn = 0.0;
};

struct PlayCase {
    const char* name;
    unsigned seed;
    int startEnemies;
    int frames;
    int punchEvery;
    int mostAtLeast; // enemies alive at once, at some frame
};

// Besides comparing the state, each frame asks both worlds about places just inside and just
// outside 5.5 degrees of some enemies, from outside the update.
void expectSameProbeAnswers(Game& a, Game& b, int frame) {
    const auto& enemies = a.t.world.enemies;
    if (enemies.empty()) return;
    const float offsets[] = {-2e-4f, -1e-6f, 0.0f, 1e-6f, 2e-4f};
    for (int k = 0; k < 3; ++k) {
        const size_t i = static_cast<size_t>(frame * 7 + k * 13) % enemies.size();
        const glm::vec3 from = glm::normalize(enemies[i]->position);
        const glm::vec3 toward = anyPerpendicular(from);
        for (float offset : offsets) {
            const glm::vec3 c = along(from, turned(from, toward, frame * 11.0f), 5.5f + offset);
            const int id = a.t.world.enemyIds[(i + 1) % enemies.size()];
            ASSERT_EQ(a.t.world.isFreeForPlayer(c), b.t.world.isFreeForPlayer(c)) << frame;
            ASSERT_EQ(a.t.world.isFreeForEnemy(id, c), b.t.world.isFreeForEnemy(id, c)) << frame;
        }
    }
}

TEST(EnemyIndex, PlayWithIndexAndScanStaysBitIdentical) {
    {
        RandStream one(7), two(7);
        int x = 0, y = 0;
        one.run([&] { x = std::rand(); });
        two.run([&] { y = std::rand(); });
        ASSERT_EQ(x, y) << "rand() does not follow setstate(); the worlds cannot run in lockstep";
    }
    const PlayCase cases[] = {
        {"the cadence alone, punching often", 11u, 0, 6000, 25, 30},
        {"a crowd of 150 after the game's own spawning", 23u, 150, 2400, 90, 150},
    };
    const float dt = 1.0f / 60.0f;
    for (const PlayCase& c : cases) {
        SCOPED_TRACE(c.name);
        Game index(EnemyLookup::Index, c.seed, c.punchEvery);
        Game scan(EnemyLookup::Scan, c.seed, c.punchEvery);
        index.spawn(c.startEnemies);
        scan.spawn(c.startEnemies);
        size_t most = 0;
        for (int f = 0; f < c.frames; ++f) {
            index.frame(dt);
            scan.frame(dt);
            ASSERT_EQ(snapshot(index.t.world), snapshot(scan.t.world)) << "frame " << f;
            expectSameProbeAnswers(index, scan, f);
            most = std::max(most, index.t.world.enemies.size());
        }
        for (const char* wav : {kPunchWav, kEnemyPunchWav, kEnemyDieWav}) {
            EXPECT_EQ(index.t.plays(wav), scan.t.plays(wav)) << wav;
        }
        // The run must have exercised what it claims to: kills, removals, crowding.
        EXPECT_GT(index.t.world.kills, 10);
        EXPECT_GT(index.t.plays(kEnemyPunchWav), 0);
        EXPECT_GT(most, static_cast<size_t>(c.mostAtLeast));
    }
}

const glm::vec3 kAtZ(0.0f, 0.0f, 1.0f);

// Landed enemies at the same places in two worlds, the player at (0, 0, 1) facing +x.
struct Pair {
    TestWorld index, scan;
    Pair() {
        scan.world.setEnemyLookup(EnemyLookup::Scan);
        index.placePlayerAtZ();
        scan.placePlayerAtZ();
    }
    void land(const glm::vec3& place) {
        index.landEnemy(place);
        scan.landEnemy(place);
    }
    template <class F> void both(F&& f) {
        f(index);
        f(scan);
    }
    void expectSameAnswers(const glm::vec3& c, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(index.world.isFreeForPlayer(c), scan.world.isFreeForPlayer(c));
        for (int id : index.world.enemyIds) {
            EXPECT_EQ(index.world.isFreeForEnemy(id, c), scan.world.isFreeForEnemy(id, c)) << id;
        }
    }
};

TEST(EnemyIndex, AnswersAtTheThresholdsAndOffTheSphereMatchTheScan) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    Pair p;
    std::vector<glm::vec3> places;
    for (int i = 0; i < 60; ++i) {
        places.push_back(glm::normalize(glm::vec3(unit(rng), unit(rng), unit(rng))));
    }
    places.push_back(glm::vec3(0.0f, 0.0f, 1.0f) * 1.0005f);  // drifted, still in the grid
    places.push_back(glm::normalize(glm::vec3(1, 1, 0)) * 1.01f); // far off: the open cell
    places.push_back(glm::vec3(std::numeric_limits<float>::quiet_NaN()));
    places.push_back(glm::vec3(0.0f, 1.0f, 0.0f)); // a pole, on a cell border
    for (const glm::vec3& place : places) p.land(place);
    // Candidates a hair inside and outside the keep-apart distance of each place.
    for (const glm::vec3& place : places) {
        const glm::vec3 from = glm::normalize(place);
        for (float d : {5.4999f, 5.49999f, 5.5f, 5.50001f, 5.5001f, 0.0f, 180.0f}) {
            p.expectSameAnswers(along(from, anyPerpendicular(from), d), "near a place");
            p.expectSameAnswers(along(from, anyPerpendicular(from), d) * 1.0009f, "drifted");
        }
    }
    p.expectSameAnswers(glm::vec3(0.0f), "the centre");
    p.expectSameAnswers(glm::vec3(std::numeric_limits<float>::quiet_NaN()), "NaN");

    // Punches whose reach ends a hair around enemies, normal and super, and the kills that
    // follow: same enemies, same order of sounds, same knock-back.
    for (float progress : {0.0f, 0.5f, 0.76923f, 0.76924f, 1.0f, 2.0f, 2.9999f, 3.0f, 9.0f}) {
        Pair q;
        for (float d = 0.5f; d < 32.0f; d += 0.37f) {
            for (float side : {-29.0f, -10.0f, 0.0f, 15.0f, 31.0f}) {
                q.land(along(kAtZ, turned(kAtZ, glm::vec3(1, 0, 0), side), d));
            }
        }
        q.land(glm::vec3(0.0f, 0.0f, 1.0f) * 1.02f); // off the sphere, on the player's place
        q.both([&](TestWorld& t) {
            t.player().punchProgress = progress;
            t.world.punchHitTest();
            t.player().punchProgress = progress;
            t.world.superPunchHitTest();
        });
        EXPECT_EQ(q.index.world.kills, q.scan.world.kills) << progress;
        EXPECT_EQ(snapshot(q.index.world), snapshot(q.scan.world)) << progress;
    }
}

TEST(EnemyIndex, FollowsEnemiesChangedFromOutsideTheUpdate) {
    Pair p;
    const glm::vec3 a = glm::normalize(glm::vec3(0.3f, 0.2f, 0.9f));
    for (int i = 0; i < 5; ++i) p.land(rotateColumn(a, 20.0f * i, glm::vec3(0, 1, 0), 0.0f));
    const glm::vec3 probe = along(a, anyPerpendicular(a), 3.0f);
    p.expectSameAnswers(probe, "landed");
    p.both([](TestWorld& t) { t.enemy(0).height = 0.5f; });
    p.expectSameAnswers(probe, "lifted back into landing");
    p.both([](TestWorld& t) { t.enemy(0).height = 0.0f; t.enemy(0).dying = true; });
    p.expectSameAnswers(probe, "dying");
    p.both([&](TestWorld& t) { t.enemy(3).position = probe; });
    p.expectSameAnswers(probe, "moved onto the probe");
    p.both([](TestWorld& t) {
        t.world.enemies.erase(t.world.enemies.begin() + 1);
        t.world.enemyIds.erase(t.world.enemyIds.begin() + 1);
    });
    p.expectSameAnswers(probe, "one removed directly");
    p.both([](TestWorld& t) { t.world.enemyIds = {9, 4, 9, 2}; }); // ids out of order
    p.expectSameAnswers(probe, "ids out of order");
    p.both([&](TestWorld& t) {
        t.world.enemyIds = {1, 2, 3, 4};
        t.world.update(0.01f);
        t.landEnemy(probe);
    });
    p.expectSameAnswers(probe, "landed after an update");
    EXPECT_EQ(snapshot(p.index.world), snapshot(p.scan.world));
}

} // namespace
