#pragma once

#include <glm/glm.hpp>
#include <memory>

#include "render/GlTypes.h"

class TexturedModel;
class World;

// Mesh, texture and program shared by every enemy; each enemy passes its own matrix.
class EnemyModel {
  public:
    explicit EnemyModel(World* world);
    ~EnemyModel();
    void draw(GLuint shadowTexture, glm::mat4 model, float transparency) const;
    void drawDepth(glm::mat4 model) const;

  private:
    World* world_;
    std::unique_ptr<TexturedModel> body_;
};
