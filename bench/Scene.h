#pragma once

#include <memory>
#include <vector>

#include "world/Enemy.h"
#include "world/World.h"

class RenderStore;
class SoundEngine;

// A world whose enemies can be put back as they were, so that every timed iteration runs the
// same frame from the same state, with the index or with the scan.
class Scene {
  public:
    // Drawn with `store`'s programs, meshes and textures; without graphics when null.
    explicit Scene(RenderStore* store = nullptr);
    ~Scene();

    World& world() { return *world_; }
    // n enemies from the game's own spawning (randomDirection, spawnEnemy) after srand(seed),
    // then the game's updates until every one has landed.
    void spawnLanded(int n, unsigned seed);
    // Enemies at the given places, landed the same way.
    void placeLanded(const std::vector<glm::vec3>& places);
    // Game frames of 1/60 s with the player standing still.
    void play(int frames);
    void save();
    void restore();
    // How many enemies changed place since the last save.
    int movedSinceSave() const;

  private:
    void land();

    std::unique_ptr<SoundEngine> sound_;
    std::unique_ptr<World> world_;
    std::vector<Enemy> saved_;
    float savedLives_ = 0.0f;
    int savedKills_ = 0;
    double savedSoundTime_ = 0.0;
};

constexpr float kFrameSeconds = 1.0f / 60.0f;

// Up to n places in rings about the player's pole, spaced so that no enemy chasing the
// player blocks another (or is blocked) in the first frame: every place test runs the whole
// scan and answers free.
std::vector<glm::vec3> nonBlockingSpread(int n, const glm::vec3& player);
