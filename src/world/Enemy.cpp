#include "world/Enemy.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "player/Player.h"
#include "world/Combat.h"
#include "world/Random.h"
#include "world/SphereMath.h"
#include "world/World.h"

namespace {
constexpr float kStepRateDegrees = 18.0f; // per second
constexpr float kReachDegrees = 6.0f;     // moves while farther, punches while nearer
constexpr float kLandingSeconds = 1.3f;
constexpr float kFlightSpeed = 1.5f; // units per second, off the sphere
constexpr float kDamagePerSecond = 5.0f;
constexpr float kBlockedSecondsToWander = 0.3f;
constexpr float kWanderSeconds = 2.0f;
constexpr float kWanderChancePerSecond = 5000.0f; // compared with a draw in [0, 32767]
} // namespace

bool enemyTriesMove(float angleToGoalDegrees, float allowedTurnDegrees) {
    return angleToGoalDegrees > kReachDegrees && allowedTurnDegrees < angleToGoalDegrees;
}

bool enemyAttacks(float cosineToPlayer) {
    return isWithinDegrees(cosineToPlayer, kReachDegrees);
}

Enemy::Enemy(World* world, glm::vec3 position) : world(world), position(position) {
    updateMatrices();
}

float Enemy::opacity() const {
    return life - std::min(std::sqrt(height), 1.0f);
}

void Enemy::update(float dt) {
    // The random value is drawn only when the blocked time has not already decided; landing and
    // dying enemies draw too, which keeps the shared sequence the same.
    if (blockedTime > kBlockedSecondsToWander ||
        static_cast<float>(randomValue()) < kWanderChancePerSecond * dt) {
        blockedTime = 0.0f;
        chasing = false;
        wanderTarget = randomDirection();
    }
    if (wanderTime > kWanderSeconds) {
        wanderTime = 0.0f;
        chasing = true;
    }
    if (dying || height > 0.0f) {
        if (height > 0.0f) {
            height = std::max(height - dt / kLandingSeconds, 0.0f);
        } else {
            life -= dt;
            position += velocity * kFlightSpeed * dt;
        }
    } else {
        chaseOrWander(dt);
    }
    updateMatrices();
}

void Enemy::chaseOrWander(float dt) {
    height = 0.0f;
    const float allowed = kStepRateDegrees * dt;
    const glm::vec3 n = glm::normalize(position); // the place before this frame's move
    Player& player = *world->player;
    const glm::vec3 p = player.position;
    if (p == n) {
        return;
    }
    glm::vec3 goal = p;
    if (!chasing) {
        goal = wanderTarget;
        wanderTime += dt;
    }
    const float cosine = glm::dot(n, goal);
    if (cosine < 1.0f && enemyTriesMove(angleDegrees(cosine), allowed)) {
        tryMove(rotateColumn(position, allowed, turnAxis(n, goal), 1.0f), dt);
    }
    if (enemyAttacks(glm::dot(p, n))) {
        world->playEnemyPunchSound();
        player.lives -= kDamagePerSecond * dt;
    }
}

void Enemy::tryMove(const glm::vec3& candidate, float dt) {
    if (world->isFreeForEnemy(id, candidate)) {
        position = keepOnSphere(candidate);
        blockedTime -= dt * 0.5f; // free moves pay back half their time; may go below 0
    } else if (chasing) {
        blockedTime += dt;
    } else {
        wanderTarget = randomDirection();
    }
}

void Enemy::updateMatrices() {
    const glm::vec3 n = glm::normalize(position);
    model = standingMatrix(position + height * n, scale, n);
}

void Enemy::kill() {
    dying = true;
    const glm::vec3 away = position - world->player->position;
    // An enemy killed on the player's very place has no direction away from it; it flies
    // straight up off the planet instead of getting a NaN velocity.
    velocity = isDegenerate(away) ? glm::normalize(position) : glm::normalize(away);
}

void Enemy::draw(GLuint shadowTexture) const {
    if (world->enemyModel) {
        world->enemyModel->draw(shadowTexture, model, opacity());
    }
}

void Enemy::drawDepth() const {
    if (castsShadow() && world->enemyModel) {
        world->enemyModel->drawDepth(model);
    }
}
