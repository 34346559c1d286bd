#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "player/Fist.h"
#include "render/GlTypes.h"

class TexturedModel;
class World;

// The character: walks over the sphere by rotating its place about its own two axes, faces
// the pointer, and punches with its two fists. Angles are degrees.
class Player {
  public:
    explicit Player(World* world);
    ~Player();

    void punch() { punching = true; }
    void superPunch() { superPunching = true; }
    void moveForward(float angle);
    void moveSideways(float angle);
    void setFacing(float angle);
    void update(float dt);
    void draw(GLuint shadowTexture) const;
    void drawDepth() const;

    float lives = 100.0f;
    float punchProgress = 0.0f;
    bool punching = false;
    bool punchExtending = true;
    bool leftHand = true;
    float scale = 0.05f;
    glm::vec3 forward{0.0f, 1.0f, 0.0f};
    glm::vec3 left{1.0f, 0.0f, 0.0f};
    glm::vec3 position;
    glm::mat4 model{1.0f};
    glm::vec3 facing{1.0f, 0.0f, 0.0f};
    float superPunchCooldown = 0.0f;
    bool superPunching = false;
    std::unique_ptr<Fist> rightFist;
    std::unique_ptr<Fist> leftFist;

  private:
    void nudgeForward();
    void nudgeSideways();
    void updateModelMatrix();
    void placeFists();

    // One step or nudge: `position` turned by -angle (degrees) about `left` (forward steps)
    // or `forward` (sideways steps); an accepted one recomputes the other axis.
    void step(bool aboutLeft, float angle);
    // Pushes the punching fist's place out along `d` by the extension and sets its scale.
    void placePunchingFist(glm::vec3& leftPlace, glm::vec3& rightPlace, const glm::vec3& d) const;

    World* world_;
    std::unique_ptr<TexturedModel> body_;      // null without graphics
    glm::vec3 lastTiltAxis_{1.0f, 0.0f, 0.0f}; // used where the tilt axis vanishes (Y axis)
    glm::vec3 lastSide_{1.0f, 0.0f, 0.0f};     // used if facing ever lines up with position
};
