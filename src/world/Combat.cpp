#include "world/Combat.h"

#include <cmath>

#include "world/Enemy.h"
#include "world/SphereMath.h"

bool isWithinDegrees(float cosine, float limitDegrees) {
    return cosine < 1.0f && angleDegrees(cosine) < limitDegrees;
}

bool blocksPlace(const Enemy& other, const glm::vec3& candidate) {
    return other.isLandedAndLiving() &&
           isWithinDegrees(glm::dot(other.getPosition(), candidate), kKeepApartDegrees);
}

bool isPlaceFree(const std::vector<std::unique_ptr<Enemy>>& enemies, const glm::vec3& candidate,
                 int skipIndex) {
    for (int i = 0; i < static_cast<int>(enemies.size()); ++i) {
        if (i != skipIndex && blocksPlace(*enemies[i], candidate)) {
            return false;
        }
    }
    return true;
}

bool punchReaches(const glm::vec3& player, const glm::vec3& facing, float reachDegrees,
                  const glm::vec3& enemy) {
    if (!isWithinDegrees(glm::dot(enemy, player), reachDegrees)) {
        return false;
    }
    // A unit vector's dot product with itself can round below 1; such a pair has no
    // direction between them and, like an exact dot product of 1, is not hit.
    const glm::vec3 toEnemy = enemy - player;
    if (isDegenerate(toEnemy)) {
        return false;
    }
    const glm::vec3 d = glm::normalize(toEnemy);
    const float cosine = glm::dot(glm::normalize(facing), d);
    return cosine < 1.0f && std::abs(angleDegrees(cosine)) < kPunchConeDegrees;
}
