#include "player/Player.h"

#include <cmath>

#include "render/TexturedModel.h"
#include "world/Random.h"
#include "world/SphereMath.h"
#include "world/World.h"

namespace {
constexpr float kNudgeDegrees = 0.00001f;
constexpr float kForwardFlipTolerance = 0.00001f;
constexpr float kSidewaysFlipTolerance = 0.000001f;
// A recomputed walking axis shorter than this before normalizing has lost its direction.
constexpr float kMinAxisLengthSquared = 1e-12f;

constexpr float kPunchOutRate = 4.0f; // extension per second
constexpr float kPunchBackRate = 4.0f;
constexpr float kSuperPunchOutRate = 8.0f;
constexpr float kSuperPunchBackRate = 9.0f;
constexpr float kSuperPunchPeak = 3.0f;
constexpr float kSuperPunchCooldownSeconds = 15.0f;
constexpr float kFistSideOffset = 0.075f;

// True when c is the reverse of `axis`: each component of c + axis below the tolerance.
bool isReverse(const glm::vec3& c, const glm::vec3& axis, float tolerance) {
    const glm::vec3 sum = c + axis;
    return std::abs(sum.x) < tolerance && std::abs(sum.y) < tolerance &&
           std::abs(sum.z) < tolerance;
}

float nudgeAngle() {
    return randomValue() < 16384 ? -kNudgeDegrees : kNudgeDegrees;
}
} // namespace

Player::Player(World* world) : world_(world) {
    if (world->hasGraphics()) {
        body_ =
            std::make_unique<TexturedModel>(*world->renderStore(), "resources/player.obj",
                                            "resources/player_texture.tga", *world->shadowProgram);
    }
    position = glm::normalize(glm::vec3(-0.001f, 0.001f, -1.001f));
    updateModelMatrix();
    rightFist = std::make_unique<Fist>(world);
    leftFist = std::make_unique<Fist>(world);
    placeFists();
}

Player::~Player() = default;

void Player::moveForward(float angle) {
    step(true, angle);
    nudgeSideways();
}

void Player::moveSideways(float angle) {
    step(false, angle);
    nudgeForward();
}

// The nudges turn the place by a hair about the other axis so that axis is recomputed from the
// new place too; that keeps both axes perpendicular to the position as the player walks.
void Player::nudgeForward() {
    step(true, nudgeAngle());
}

void Player::nudgeSideways() {
    step(false, nudgeAngle());
}

void Player::step(bool aboutLeft, float angle) {
    // The candidate goes to the place test as computed, not normalized again.
    const glm::vec3 candidate = rotateRow(position, angle, aboutLeft ? left : forward, 0.0f);
    if (!world_->isFreeForPlayer(candidate)) {
        return;
    }
    position = keepOnSphere(candidate);
    const glm::vec3 n = -glm::normalize(position);
    // A recomputed axis that vanishes keeps the previous one rather than becoming NaN.
    if (aboutLeft) {
        const glm::vec3 c = glm::cross(forward, n);
        if (glm::dot(c, c) >= kMinAxisLengthSquared) {
            const glm::vec3 unit = glm::normalize(c);
            if (isReverse(unit, left, kForwardFlipTolerance)) {
                forward = -forward;
            }
            left = unit;
        }
    } else {
        const glm::vec3 c = glm::cross(n, left);
        if (glm::dot(c, c) >= kMinAxisLengthSquared) {
            const glm::vec3 unit = glm::normalize(c);
            if (isReverse(unit, forward, kSidewaysFlipTolerance)) {
                left = -left;
            }
            forward = unit;
        }
    }
    updateModelMatrix();
}

void Player::setFacing(float angle) {
    facing = -rotateRow(left, angle, position, 1.0f);
}

void Player::update(float dt) {
    if (superPunchCooldown < 0.0f) {
        superPunchCooldown = 0.0f;
    } else if (superPunchCooldown > 0.0f) {
        superPunchCooldown -= dt;
    }
    if (superPunching) {
        if (punchExtending) {
            if (punchProgress == 0.0f) {
                world_->playPunchSound();
            }
            punchProgress += kSuperPunchOutRate * dt;
            if (punchProgress > kSuperPunchPeak) {
                punchProgress = kSuperPunchPeak;
                punchExtending = false;
            }
        } else {
            punchProgress -= kSuperPunchBackRate * dt;
            if (punchProgress < 0.0f) {
                superPunchCooldown = kSuperPunchCooldownSeconds;
                punchProgress = 0.0f;
                superPunching = false;
                punching = false;
                punchExtending = true;
                leftHand = !leftHand;
            }
        }
        world_->superPunchHitTest();
    } else if (punching) {
        if (punchExtending) {
            if (punchProgress == 0.0f) {
                world_->playPunchSound();
            }
            punchProgress += kPunchOutRate * dt;
            if (punchProgress > 1.0f) {
                punchProgress = 1.0f;
                punchExtending = false;
            }
        } else {
            punchProgress -= kPunchBackRate * dt;
            if (punchProgress < 0.0f) {
                punchProgress = 0.0f;
                punching = false;
                leftHand = !leftHand;
                punchExtending = true;
            }
        }
        world_->punchHitTest();
    }
    placeFists();
}

void Player::updateModelMatrix() {
    world_->camera->center = position;
    // Exactly on the Y axis the tilt axis vanishes; the last one keeps the body's orientation
    // from jumping as it crosses a pole.
    const glm::vec3 axis = tiltAxis(position);
    if (!isDegenerate(axis)) {
        lastTiltAxis_ = axis;
    }
    model = standingMatrix(position, scale, position, lastTiltAxis_);
}

void Player::placeFists() {
    const glm::vec3 d = glm::normalize(facing);
    const glm::vec3 side = glm::cross(glm::normalize(position), d); // left, seen from facing
    if (!isDegenerate(side)) {
        lastSide_ = glm::normalize(side);
    }
    glm::vec3 leftPlace = position + kFistSideOffset * lastSide_;
    glm::vec3 rightPlace = position - kFistSideOffset * lastSide_;
    // With both flags set the punching fist is pushed twice, as a punch requested during a
    // super punch does.
    if (superPunching) {
        placePunchingFist(leftPlace, rightPlace, d);
    }
    if (punching) {
        placePunchingFist(leftPlace, rightPlace, d);
    }
    leftFist->setPosition(leftPlace);
    rightFist->setPosition(rightPlace);
}

void Player::placePunchingFist(glm::vec3& leftPlace, glm::vec3& rightPlace,
                               const glm::vec3& d) const {
    const float k = punchProgress;
    const float grown = k / 1.5f + 1.0f;
    // Forward 0.15 and 0.1 toward the middle per unit of extension.
    if (leftHand) {
        leftFist->setScale(grown);
        leftPlace = leftPlace + 0.15f * k * d - k * lastSide_ / 10.0f;
    } else {
        rightFist->setScale(grown);
        rightPlace = rightPlace + 0.15f * k * d + k * lastSide_ / 10.0f;
    }
}

void Player::draw(GLuint shadowTexture) const {
    if (body_) {
        const Camera& camera = *world_->camera;
        body_->draw(camera.view(), camera.projection(), model, 1.0f, shadowTexture);
    }
    rightFist->draw(shadowTexture);
    leftFist->draw(shadowTexture);
}

void Player::drawDepth() const {
    if (body_) {
        body_->drawDepth(model);
    }
    rightFist->drawDepth();
    leftFist->drawDepth();
}
