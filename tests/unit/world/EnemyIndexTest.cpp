#include <algorithm>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

#include "WorldTestSupport.h"
#include "world/Random.h"

// Plays `frames` frames in the shell's order from `seed` and returns, as bits after every
// frame, every field the place and hit tests can influence and the answers of place probes a
// hair inside and outside 5.5 degrees of an enemy.
static std::vector<uint32_t> play(TestWorld& t, unsigned seed, int crowd, int frames) {
    World& w = t.world;
    Player& p = t.player();
    std::vector<uint32_t> s;
    const auto put = [&s](std::initializer_list<float> values) {
        for (float v : values)
            std::memcpy(&s.emplace_back(), &v, sizeof v);
    };
    seedChance(seed);
    for (int i = 0; i < crowd; ++i)
        w.spawnEnemy(randomDirection());
    for (int f = 0; f < frames; ++f) {
        t.time += 1.0 / 60.0;
        if (f % 45 == 44)
            w.spawnEnemy(randomDirection());    // every 0.75 s
        const int key = (f / 60 + f / 300) % 5; // W, S, A, D or none, each held a second
        if (key < 2)
            p.moveForward(key == 0 ? -1.0f / 3.0f : 1.0f / 3.0f);
        if (key == 2 || key == 3)
            p.moveSideways(key == 2 ? 1.0f / 3.0f : -1.0f / 3.0f);
        if (f % 25 == 0)
            p.punch();
        if (f % 200 == 3 && p.superPunchCooldown <= 0.0f)
            p.superPunch();
        p.setFacing(static_cast<float>(f * 13 % 360));
        w.update(1.0f / 60.0f);
        s.push_back(static_cast<uint32_t>(w.kills));
        put({p.lives, p.position.x, p.position.y, p.position.z, p.punchProgress});
        for (size_t i = 0; i < w.enemies.size(); ++i) {
            const Enemy& e = *w.enemies[i];
            s.insert(s.end(), {static_cast<uint32_t>(w.enemyIds[i]), static_cast<uint32_t>(e.id),
                               (e.dying ? 1u : 0u) | (e.chasing ? 2u : 0u)});
            put({e.position.x, e.position.y, e.position.z, e.height, e.life, e.blockedTime,
                 e.wanderTime, e.wanderTarget.x, e.wanderTarget.y, e.velocity.x});
        }
        if (w.enemies.empty())
            continue;
        const glm::vec3 from =
            glm::normalize(w.enemies[static_cast<size_t>(f * 7) % w.enemies.size()]->position);
        const glm::vec3 toward = turned(from, anyPerpendicular(from), f * 11.0f);
        for (float offset : {-2e-4f, -1e-6f, 0.0f, 1e-6f, 2e-4f}) {
            const glm::vec3 q = along(from, toward, 5.5f + offset);
            s.push_back(w.isFreeForPlayer(q) + 2u * w.isFreeForEnemy(w.enemyIds[0], q));
        }
    }
    EXPECT_GT(w.kills, 10); // the play exercised kills, removals and attacks
    EXPECT_GT(t.plays(kEnemyPunchWav), 0);
    return s;
}

// The spatial index must never change a decision: the same play goes through a world that
// uses the index and one that scans the whole list.
TEST(EnemyIndex, PlayWithIndexAndScanStaysBitIdentical) {
    const std::tuple<unsigned, int, int> plays[] = {{11u, 0, 3600}, {23u, 150, 900}};
    for (const auto& [seed, crowd, frames] : plays) { // seed, enemies at the start, frames
        TestWorld a, b;
        b.world.setEnemyLookup(EnemyLookup::Scan);
        const std::vector<uint32_t> sa = play(a, seed, crowd, frames),
                                    sb = play(b, seed, crowd, frames);
        const auto [da, db] = std::mismatch(sa.begin(), sa.end(), sb.begin(), sb.end());
        EXPECT_TRUE(da == sa.end() && db == sb.end()) << seed << ": differ at " << da - sa.begin();
    }
}
