#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "render/GlTypes.h"

class TexturedModel;
class World;

// The ground: a textured unit sphere at the origin that casts and receives shadows.
class Planet {
  public:
    explicit Planet(World* world);
    ~Planet();
    void draw(GLuint shadowTexture) const;
    void drawDepth() const;

    const glm::mat4 model{1.0f}; // planet mesh coordinates are world coordinates

  private:
    World* world_;
    std::unique_ptr<TexturedModel> body_;
};
