#pragma once

#include <glm/glm.hpp>

#include "render/GlTypes.h"

class World;

// An enemy tries a move only when its goal is more than 6 degrees away and one frame's turn
// (degrees) would not reach it.
bool enemyTriesMove(float angleToGoalDegrees, float allowedTurnDegrees);
// An enemy punches when the player is less than 6 degrees from it (cosine of the angle between
// their places; 1 or more is out of range).
bool enemyAttacks(float cosineToPlayer);

// A hostile creature: lands, chases the player, keeps apart from the others, wanders now and
// then, punches when close, and flies off fading once killed.
class Enemy {
  public:
    Enemy(World* world, glm::vec3 position);

    void setId(int newId) { id = newId; }
    glm::vec3 getPosition() const { return position; }
    void update(float dt);
    void kill();
    void draw(GLuint shadowTexture) const;
    void drawDepth() const;
    void updateMatrices();

    // Landed (height not above 0) and not dying: the only enemies the place and hit tests see.
    bool isLandedAndLiving() const { return !dying && !(height > 0.0f); }
    // life - min(sqrt(height), 1): fades in while landing, out while dying.
    float opacity() const;
    // A dying enemy stops casting its shadow a quarter of a second into its fade.
    bool castsShadow() const { return life > 0.75f; }

    int id = 0;
    World* world;
    bool chasing = true;
    glm::vec3 wanderTarget{0.0f};
    float blockedTime = 0.0f;
    float wanderTime = 0.0f;
    bool dying = false;
    float life = 1.0f;
    float height = 1.0f;
    glm::vec3 velocity{0.0f};
    float scale = 0.05f;
    glm::vec3 position;
    glm::mat4 model{1.0f};

  private:
    void chaseOrWander(float dt);
    void tryMove(const glm::vec3& candidate, float dt);
};
