#pragma once

#include <glm/glm.hpp>
#include <memory>

class FlatModel;
class World;

// The visible light body far out on +x, in its flat material colour; casts no shadow.
class Sun {
  public:
    explicit Sun(World* world);
    ~Sun();
    void draw() const;

    glm::mat4 model{1.0f}; // translate(100, 0, 0) * scale(20)

  private:
    World* world_;
    std::unique_ptr<FlatModel> body_;
};

// The sun's placement, a pure value for tests.
glm::mat4 sunModelMatrix();
