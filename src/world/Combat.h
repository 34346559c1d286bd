#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <vector>

class Enemy;

// The rules by which the player and the enemies block and hit each other. Distances are
// angles on the sphere in degrees; every comparison is strict, and a dot product of 1 or more
// (two equal directions) counts as out of range.

constexpr float kKeepApartDegrees = 5.5f;       // nobody moves closer than this to an enemy
constexpr float kPunchReachPerProgress = 13.0f; // reach of a punch per unit of extension
constexpr float kSuperPunchReachPerProgress = 10.0f;
constexpr float kPunchConeDegrees = 30.0f; // half-angle around the facing

// cosine < 1 and acos(cosine) < limitDegrees.
bool isWithinDegrees(float cosine, float limitDegrees);

// Whether `other` keeps a mover off `candidate`: landed, living and closer than
// kKeepApartDegrees. Every place test decides each enemy by this one expression.
bool blocksPlace(const Enemy& other, const glm::vec3& candidate);

// True when no landed, living enemy other than the one at `skipIndex` (-1: none skipped)
// is closer than kKeepApartDegrees to `candidate`. The one scan over the list that every
// move asks, answering at the first blocker.
bool isPlaceFree(const std::vector<std::unique_ptr<Enemy>>& enemies, const glm::vec3& candidate,
                 int skipIndex);

// Whether a punch from `player` toward `facing` with the given reach (degrees) hits an enemy
// standing at `enemy`. The direction to the enemy runs through the sphere, so it dips below
// the tangent plane by half the enemy's angular distance.
bool punchReaches(const glm::vec3& player, const glm::vec3& facing, float reachDegrees,
                  const glm::vec3& enemy);
