#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "render/GlTypes.h"

class TexturedModel;
class World;

// One of the player's floating fists: only its place, size and matrix; the player moves it.
class Fist {
  public:
    explicit Fist(World* world);
    ~Fist();

    void setScale(float value);    // scale = value / 40; shows at the next setPosition
    void setPosition(glm::vec3 p); // position = p, then the matrix is rebuilt
    void draw(GLuint shadowTexture) const;
    void drawDepth() const;

    float scale = 0.025f;
    glm::vec3 position{0.0f};
    glm::mat4 model{1.0f};

  private:
    void updateModelMatrix();

    World* world_;
    std::unique_ptr<TexturedModel> body_;      // null without graphics
    glm::vec3 lastTiltAxis_{1.0f, 0.0f, 0.0f}; // used where the tilt axis vanishes (Y axis)
};
