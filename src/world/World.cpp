#include "world/World.h"

#include "audio/SoundEngine.h"
#include "player/Player.h"
#include "world/Combat.h"

namespace {
constexpr double kEnemyPunchSoundGapSeconds = 0.7;
constexpr const char* kPunchSound = "resources/punch.wav";
constexpr const char* kEnemyPunchSound = "resources/enemy_punch.wav";
constexpr const char* kEnemyDieSound = "resources/enemy_die.wav";
} // namespace

World::World(SoundEngine* soundEngine, Clock clock, Graphics graphics)
    : soundEngine(soundEngine), clock_(std::move(clock)), graphics_(graphics) {
    // The shadow program comes first: the player, its fists, the planet and the enemy model
    // build their depth vertex arrays against it. The camera comes before the player, whose
    // constructor moves the camera's centre onto it.
    if (hasGraphics()) {
        shadowProgram = std::make_unique<ShaderProgram>("shaders/shadow_shader");
        shadowProgram->bindOutputAndRelink("fragmentdepth");
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
    // The player's punch tests run first, so this frame's kills happen before any enemy moves.
    player->update(dt);
    camera->follow(player->position, player->forward, dt);
    size_t i = 0;
    while (i < enemies.size()) {
        enemies[i]->update(dt);
        if (enemies[i]->life < 0.0f) {
            // Same index in both lists; the next enemy moves into slot i and is not skipped.
            enemies.erase(enemies.begin() + static_cast<std::ptrdiff_t>(i));
            enemyIds.erase(enemyIds.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void World::drawDepth() const {
    player->drawDepth();
    for (const auto& enemy : enemies) {
        enemy->drawDepth();
    }
}

void World::draw(GLuint shadowTexture) const {
    if (sun) {
        sun->draw();
    }
    player->draw(shadowTexture);
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
    int self = 0;
    while (self < static_cast<int>(enemyIds.size()) && enemyIds[self] != id) {
        ++self;
    }
    return isPlaceFree(enemies, candidate, self);
}

bool World::isFreeForPlayer(glm::vec3 candidate) const {
    return isPlaceFree(enemies, candidate, -1);
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
    for (const auto& enemy : enemies) {
        if (enemy->isLandedAndLiving() &&
            punchReaches(player->position, player->facing, reach, enemy->getPosition())) {
            enemy->kill();
            ++kills;
            playEffect(kEnemyDieSound);
        }
    }
}

void World::playEffect(const char* file) {
    if (soundEngine) {
        soundEngine->play2D(file, false, false, false);
    }
}
