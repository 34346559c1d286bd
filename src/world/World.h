#pragma once

#include <functional>
#include <glm/glm.hpp>
#include <memory>
#include <vector>

#include "render/GlTypes.h"
#include "world/Camera.h"
#include "world/Enemy.h"
#include "world/EnemyIndex.h"
#include "world/EnemyModel.h"
#include "world/Planet.h"
#include "world/Sun.h"

class Player;
class RenderStore;
class ShaderProgram;
class SoundEngine;

// Whether the world builds its GL bodies. Without graphics (tests, benchmarks) every rule runs
// the same and the draws do nothing.
enum class Graphics { On, Off };

// How the place and hit tests find the enemies they judge: through the spatial index (the
// game), or by the literal scan of the whole list (the reference the index is checked and
// measured against). Both give the same answers and the same kills in the same order.
enum class EnemyLookup { Index, Scan };

// How the enemies are drawn: in bulk, one instanced draw per pass leaving out those that
// cannot change a pixel (the game), or one draw per enemy per pass (the reference the bulk
// drawing is checked and measured against, and what a crowd that failed to load falls back
// to). Both give the same picture.
enum class EnemyDrawing { Bulk, PerEnemy };

// The scene: shadow program, camera, player, planet, sun, the shared enemy model and the
// ordered enemy list with its parallel id list. Invariants: enemies.size() == enemyIds.size(),
// ids grow strictly along the list, and the world alone owns its enemies. The bodies draw with
// programs, meshes and textures from a render store that outlives the world, so that building
// a new world reads, decodes and compiles nothing.
class World {
    // Declared first, so that it goes last: every body below draws with what it holds.
    std::unique_ptr<RenderStore> ownStore_;

  public:
    using Clock = std::function<double()>;

    // `clock` gives seconds (the window's clock in the game); `soundEngine` may be null. The
    // game's worlds all draw with the one store it passes; a world given none keeps its own.
    World(SoundEngine* soundEngine, Clock clock, RenderStore& store);
    World(SoundEngine* soundEngine, Clock clock, Graphics graphics = Graphics::On);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    void spawnEnemy(glm::vec3 direction);
    void update(float dt);
    void drawDepth() const;
    void draw(GLuint shadowTexture) const;

    void playEnemyPunchSound();
    void playPunchSound();

    // Place and hit tests over the landed, living enemies (angles in degrees, strict).
    bool isFreeForEnemy(int id, glm::vec3 candidate) const; // nobody closer than 5.5
    bool isFreeForPlayer(glm::vec3 candidate) const;        // nobody closer than 5.5
    void punchHitTest();                                    // reach punchProgress * 13, cone 30
    void superPunchHitTest();                               // reach punchProgress * 10, cone 30

    void setEnemyLookup(EnemyLookup lookup) { lookup_ = lookup; }
    EnemyLookup enemyLookup() const { return lookup_; }
    void setEnemyDrawing(EnemyDrawing drawing) { drawing_ = drawing; }

    bool hasGraphics() const { return store_ != nullptr; }
    RenderStore* renderStore() const { return store_; } // null without graphics
    double now() const { return clock_(); }

    std::vector<std::unique_ptr<Enemy>> enemies;
    std::vector<int> enemyIds;
    int kills = 0;
    double lastEnemyPunchSoundTime = 0.0;
    SoundEngine* soundEngine;
    const ShaderProgram* shadowProgram = nullptr; // the store's; null without graphics
    std::unique_ptr<Camera> camera;
    std::unique_ptr<Player> player;
    std::unique_ptr<Planet> planet;         // null without graphics
    std::unique_ptr<Sun> sun;               // null without graphics
    std::unique_ptr<EnemyModel> enemyModel; // null without graphics

  private:
    World(SoundEngine* soundEngine, Clock clock, std::unique_ptr<RenderStore> ownStore,
          RenderStore* store);
    void hitTest(float reachPerProgress);
    bool punchHits(const Enemy& enemy, float reach) const;
    void killByPunch(Enemy& enemy);
    void playEffect(const char* file);
    // The index as the lists are now: kept current by the enemy pass, synced otherwise.
    const EnemyIndex& currentIndex() const;
    void syncIndex() const;
    // Where the place tests' scan finds `id` in enemyIds (size() when absent).
    std::size_t indexOfId(int id) const;

    Clock clock_;
    RenderStore* store_;
    EnemyLookup lookup_ = EnemyLookup::Index;
    EnemyDrawing drawing_ = EnemyDrawing::Bulk;
    mutable EnemyIndex index_;
    mutable bool idsAscending_ = true; // enemyIds strictly ascending at the last sync
    bool indexCurrent_ = false;        // true while update keeps index_ current itself
    std::size_t passIndex_ = 0;        // the enemy the pass is updating
    std::vector<Enemy*> hits_;         // scratch for one hit test
};
