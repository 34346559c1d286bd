#include "UpdateBench.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "Scene.h"
#include "player/Player.h"

namespace {

constexpr unsigned kSpawnSeed = 20261207;
constexpr int kCrowdEnemies = 5000;
constexpr int kChasingFrames = 3600; // a minute at 60 frames per second
constexpr int kWorstCaseEnemies = 1500;

// Scenes are built once, on first use, and shared by the index and the scan case.
Scene& spawnedScene(int n) {
    static std::map<int, std::unique_ptr<Scene>> scenes;
    auto& scene = scenes[n];
    if (!scene) {
        scene = std::make_unique<Scene>();
        scene->spawnLanded(n, kSpawnSeed);
        scene->save();
    }
    return *scene;
}

Scene& worstScene() {
    static std::unique_ptr<Scene> scene;
    if (!scene) {
        scene = std::make_unique<Scene>();
        scene->placeLanded(nonBlockingSpread(kWorstCaseEnemies, scene->world().player->position));
        // Landing drew wander triggers for some; every one chases, along its meridian.
        for (const auto& enemy : scene->world().enemies) {
            enemy->chasing = true;
        }
        scene->save();
    }
    return *scene;
}

Scene& crowdedScene() {
    static std::unique_ptr<Scene> scene;
    if (!scene) {
        scene = std::make_unique<Scene>();
        scene->spawnLanded(kCrowdEnemies, kSpawnSeed);
        scene->play(kChasingFrames); // with the index: the scan would take minutes here
        scene->save();
    }
    return *scene;
}

void timeFrames(benchmark::State& state, Scene& scene, EnemyLookup lookup) {
    World& world = scene.world();
    world.setEnemyLookup(lookup);
    for (auto _ : state) {
        scene.restore();
        const auto start = std::chrono::steady_clock::now();
        world.update(kFrameSeconds);
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.counters["enemies"] = static_cast<double>(world.enemies.size());
    state.counters["moved"] = scene.movedSinceSave();
    world.setEnemyLookup(EnemyLookup::Index);
}

const char* lookupName(EnemyLookup lookup) {
    return lookup == EnemyLookup::Index ? "index" : "scan";
}

void add(const std::string& name, Scene& (*scene)(), EnemyLookup lookup) {
    benchmark::RegisterBenchmark(
        name.c_str(), [scene, lookup](benchmark::State& s) { timeFrames(s, scene(), lookup); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.3);
}

} // namespace

const std::vector<int>& enemyCounts() {
    static const std::vector<int> counts{5, 10, 100, 500, 1000, 2000, 5000};
    return counts;
}

void registerUpdateBenchmarks() {
    for (int n : enemyCounts()) {
        for (EnemyLookup lookup : {EnemyLookup::Index, EnemyLookup::Scan}) {
            const std::string name =
                std::string("update/") + lookupName(lookup) + "/" + std::to_string(n);
            benchmark::RegisterBenchmark(
                name.c_str(),
                [n, lookup](benchmark::State& s) { timeFrames(s, spawnedScene(n), lookup); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3);
        }
    }
    for (EnemyLookup lookup : {EnemyLookup::Index, EnemyLookup::Scan}) {
        add(std::string("worst/") + lookupName(lookup), &worstScene, lookup);
        add(std::string("crowded/") + lookupName(lookup), &crowdedScene, lookup);
    }
}
