#include "world/World.h"

#include <algorithm>
#include <functional>

#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "render/RenderStore.h"
#include "world/Combat.h"

namespace {
constexpr double kEnemyPunchSoundGapSeconds = 0.7;
constexpr const char* kPunchSound = "resources/punch.wav";
constexpr const char* kEnemyPunchSound = "resources/enemy_punch.wav";
constexpr const char* kEnemyDieSound = "resources/enemy_die.wav";
} // namespace

World::World(SoundEngine* soundEngine, Clock clock, RenderStore& store)
    : World(soundEngine, std::move(clock), nullptr, &store) {}

World::World(SoundEngine* soundEngine, Clock clock, Graphics graphics)
    : World(soundEngine, std::move(clock),
            graphics == Graphics::On ? std::make_unique<RenderStore>() : nullptr, nullptr) {}

World::World(SoundEngine* soundEngine, Clock clock, std::unique_ptr<RenderStore> ownStore,
             RenderStore* store)
    : ownStore_(std::move(ownStore)), soundEngine(soundEngine), clock_(std::move(clock)),
      store_(ownStore_ ? ownStore_.get() : store) {
    // The shadow program comes first: the player, its fists, the planet and the enemy model
    // build their depth vertex arrays against it. The camera comes before the player, whose
    // constructor moves the camera's centre onto it.
    if (hasGraphics()) {
        shadowProgram = &store_->program("shaders/shadow_shader", "fragmentdepth");
    }
    camera = std::make_unique<Camera>();
    player = std::make_unique<Player>(this);
    if (hasGraphics()) {
        planet = std::make_unique<Planet>(this);
        sun = std::make_unique<Sun>(this);
        enemyModel = std::make_unique<EnemyModel>(this);
    }
}

World::~World() = default;

void World::spawnEnemy(glm::vec3 direction) {
    // Ids grow along the list; an empty list starts again at 1.
    const int id = enemyIds.empty() ? 1 : enemyIds.back() + 1;
    enemyIds.push_back(id);
    enemies.push_back(std::make_unique<Enemy>(this, direction));
    enemies.back()->setId(id);
}

void World::update(float dt) {
    // Synced once here, the index then follows each enemy's own update, the only thing that
    // moves, lands or removes enemies during the pass; kills only turn enemies dying, which
    // the tests filter out themselves.
    const bool indexed = lookup_ == EnemyLookup::Index;
    if (indexed) {
        syncIndex();
    }
    indexCurrent_ = indexed;
    // The player's punch tests run first, so this frame's kills happen before any enemy moves.
    player->update(dt);
    camera->follow(player->position, player->forward, dt);
    size_t i = 0;
    while (i < enemies.size()) {
        passIndex_ = i;
        enemies[i]->update(dt);
        if (indexed) {
            index_.refresh(i);
        }
        if (enemies[i]->life < 0.0f) {
            // Same index in both lists; the next enemy moves into slot i and is not skipped.
            enemies.erase(enemies.begin() + static_cast<std::ptrdiff_t>(i));
            enemyIds.erase(enemyIds.begin() + static_cast<std::ptrdiff_t>(i));
            if (indexed) {
                index_.erase(i);
            }
        } else {
            ++i;
        }
    }
    indexCurrent_ = false;
}

void World::drawDepth() const {
    player->drawDepth();
    if (drawing_ == EnemyDrawing::Bulk && enemyModel && enemyModel->drawsCrowds()) {
        enemyModel->drawCrowdDepth(enemies);
        return;
    }
    for (const auto& enemy : enemies) {
        enemy->drawDepth();
    }
}

void World::draw(GLuint shadowTexture) const {
    if (sun) {
        sun->draw();
    }
    player->draw(shadowTexture);
    if (drawing_ == EnemyDrawing::Bulk && enemyModel && enemyModel->drawsCrowds()) {
        enemyModel->drawCrowd(enemies, shadowTexture);
        return;
    }
    for (const auto& enemy : enemies) {
        enemy->draw(shadowTexture);
    }
}

void World::playEnemyPunchSound() {
    // One gate shared by every attacker: the sound starts at most once per 0.7 s however many
    // enemies punch. The stored time is a second reading of the clock.
    if (now() - lastEnemyPunchSoundTime > kEnemyPunchSoundGapSeconds) {
        lastEnemyPunchSoundTime = now();
        playEffect(kEnemyPunchSound);
    }
}

void World::playPunchSound() {
    playEffect(kPunchSound);
}

bool World::isFreeForEnemy(int id, glm::vec3 candidate) const {
    if (lookup_ == EnemyLookup::Scan) {
        int self = 0;
        while (self < static_cast<int>(enemyIds.size()) && enemyIds[self] != id) {
            ++self;
        }
        return isPlaceFree(enemies, candidate, self);
    }
    const EnemyIndex& index = currentIndex();
    const std::size_t self = indexOfId(id);
    const Enemy* skip = self < enemies.size() ? enemies[self].get() : nullptr;
    bool free = true;
    index.forEachNear(candidate, kKeepApartDegrees, [&](const Enemy& other) {
        free = &other == skip || !blocksPlace(other, candidate);
        return free;
    });
    return free;
}

bool World::isFreeForPlayer(glm::vec3 candidate) const {
    if (lookup_ == EnemyLookup::Scan) {
        return isPlaceFree(enemies, candidate, -1);
    }
    bool free = true;
    currentIndex().forEachNear(candidate, kKeepApartDegrees, [&](const Enemy& other) {
        free = !blocksPlace(other, candidate);
        return free;
    });
    return free;
}

void World::punchHitTest() {
    hitTest(kPunchReachPerProgress);
}

void World::superPunchHitTest() {
    hitTest(kSuperPunchReachPerProgress);
}

void World::hitTest(float reachPerProgress) {
    const float reach = player->punchProgress * reachPerProgress;
    // Every enemy that passes dies in this same call: one punch may kill several.
    if (lookup_ == EnemyLookup::Scan) {
        for (const auto& enemy : enemies) {
            if (punchHits(*enemy, reach)) {
                killByPunch(*enemy);
            }
        }
        return;
    }
    // A kill changes nothing another enemy's test reads, so the hits can be found first and
    // then killed in list order, as the scan kills them.
    hits_.clear();
    currentIndex().forEachNear(player->position, reach, [&](Enemy& enemy) {
        if (punchHits(enemy, reach)) {
            hits_.push_back(&enemy);
        }
        return true;
    });
    if (hits_.empty()) {
        return;
    }
    std::sort(hits_.begin(), hits_.end(), std::less<Enemy*>());
    for (const auto& enemy : enemies) {
        if (std::binary_search(hits_.begin(), hits_.end(), enemy.get(), std::less<Enemy*>())) {
            killByPunch(*enemy);
        }
    }
}

bool World::punchHits(const Enemy& enemy, float reach) const {
    return enemy.isLandedAndLiving() &&
           punchReaches(player->position, player->facing, reach, enemy.getPosition());
}

void World::killByPunch(Enemy& enemy) {
    enemy.kill();
    ++kills;
    playEffect(kEnemyDieSound);
}

const EnemyIndex& World::currentIndex() const {
    if (!indexCurrent_) {
        syncIndex(); // the lists or enemies may have been changed directly since
    }
    return index_;
}

void World::syncIndex() const {
    index_.sync(enemies);
    idsAscending_ = std::adjacent_find(enemyIds.begin(), enemyIds.end(),
                                       std::greater_equal<int>()) == enemyIds.end();
}

std::size_t World::indexOfId(int id) const {
    // Ids are unique while ascending, so the enemy being updated is the scan's first match.
    if (idsAscending_ && indexCurrent_ && passIndex_ < enemyIds.size() &&
        enemyIds[passIndex_] == id) {
        return passIndex_;
    }
    if (idsAscending_) {
        const auto it = std::lower_bound(enemyIds.begin(), enemyIds.end(), id);
        return it != enemyIds.end() && *it == id ? static_cast<std::size_t>(it - enemyIds.begin())
                                                 : enemyIds.size();
    }
    return static_cast<std::size_t>(std::find(enemyIds.begin(), enemyIds.end(), id) -
                                    enemyIds.begin());
}

void World::playEffect(const char* file) {
    if (soundEngine) {
        soundEngine->play2D(file, false, false, false);
    }
}
